#!/usr/bin/python3
"""The modern web report in a real browser: phone layout, links, sorting, script-free
tables and a clean console, for the sample tournament and (when the shared QBJ samples
are present) the 2014 championship.

usage: modern_report_test.py DRAV_CLI SAMPLE.dat SHARED_DIR
Exits 77 (skipped) when no browser is installed.
"""

import glob
import html
import html.parser
import os
import re
import subprocess
import sys
import tempfile
import unittest
import urllib.parse
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import drav_browser  # noqa: E402

CLI, SAMPLE, SHARED = sys.argv[1:4] if len(sys.argv) >= 4 else (None, None, None)


class Ids(html.parser.HTMLParser):
    """The ids and names a page defines, its links, and its game log (table.log) as the
    head row, the body rows and the totals row, each a list of cell texts."""

    def __init__(self):
        super().__init__()
        self.ids, self.hrefs = set(), []
        self.log, self.part, self.row, self.cell = None, None, None, None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for k in ("id", "name"):
            if attrs.get(k):
                self.ids.add(attrs[k])
        if tag == "a" and "href" in attrs:
            self.hrefs.append(attrs["href"])
        if tag == "table" and "log" in (attrs.get("class") or "").split():
            self.log = {"thead": [], "tbody": [], "tfoot": []}
        elif self.log is not None and tag in self.log:
            self.part = tag
        elif self.part and tag == "tr":
            self.row = []
            self.log[self.part].append(self.row)
        elif self.row is not None and tag in ("td", "th"):
            self.row.append("")

    def handle_endtag(self, tag):
        if tag == "table":
            self.part, self.row = None, None

    def handle_data(self, data):
        if self.row:
            self.row[-1] += data.strip()


class ClassicStandings(html.parser.HTMLParser):
    """The team names of a classic standings page, table by table."""

    def __init__(self):
        super().__init__()
        self.tables, self.cell, self.row, self.text = [], None, None, ""

    def handle_starttag(self, tag, attrs):
        tag = tag.lower()
        if tag == "table":
            self.tables.append([])
        elif tag == "tr":
            self.row = []
        elif tag == "td":
            self.cell, self.text = True, ""

    def handle_endtag(self, tag):
        tag = tag.lower()
        if tag == "td" and self.row is not None:
            self.row.append(" ".join(self.text.split()))
        elif tag == "tr" and self.row and self.row[0] != "Rank":
            self.tables[-1].append(self.row[1])

    def handle_data(self, data):
        self.text += data


# The individual standings' figures of each linked player: href -> head -> text.
PLAYER_LINES = """
var t = document.querySelector('table.st');
var heads = Array.prototype.map.call(t.tHead.rows[0].cells, function (c) {
  return c.textContent.trim(); });
var out = {};
Array.prototype.forEach.call(t.tBodies[0].rows, function (r) {
  var a = r.querySelector('th a');
  if (!a) return;
  var line = {};
  Array.prototype.forEach.call(r.cells, function (c, i) { line[heads[i]] = c.textContent.trim(); });
  out[a.getAttribute('href')] = line;
});
return out;
"""


def make_report(workdir, tournament, base, style):
    out = os.path.join(workdir, style)
    os.makedirs(out, exist_ok=True)
    # A fixed writing time, as the pages show it.
    env = dict(os.environ, SOURCE_DATE_EPOCH="1797158520")
    subprocess.run([CLI, "report", tournament, os.path.join(out, base), "--style", style],
                   check=True, stdout=subprocess.DEVNULL, env=env)
    return out


class ModernReportInBrowser(unittest.TestCase):
    browser = None
    plain = None

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory(prefix="drav-modern-")
        cls.browser = drav_browser.Browser()
        cls.plain = drav_browser.Browser(javascript=False)

    @classmethod
    def tearDownClass(cls):
        for b in (cls.browser, cls.plain):
            if b:
                b.close()
        cls.work.cleanup()

    def open(self, browser, path):
        browser.driver.get("file://" + path)

    def console_errors(self, browser):
        return [e for e in browser.driver.get_log("browser") if e["level"] == "SEVERE"]

    def first_page(self, folder, base, suffix):
        """The page of that suffix; a pattern (team_*) names the first page it matches."""
        return sorted(glob.glob(os.path.join(folder, base + suffix)))[0]

    def check_addresses_stay(self, work, tournament, base, modern):
        """After sorting the teams, every team page address shows the same team."""
        sorted_file = os.path.join(work, "sorted.dat")
        subprocess.run([CLI, "sort", "teams", tournament, sorted_file], check=True,
                       stdout=subprocess.DEVNULL)
        resorted = make_report(os.path.join(work, "sorted"), sorted_file, base, "modern")

        def headings(folder):
            out = {}
            for p in glob.glob(os.path.join(folder, base + "_team_*.html")) + \
                    glob.glob(os.path.join(folder, base + "_player_*.html")):
                with open(p, encoding="utf-8") as f:
                    text = f.read()
                out[os.path.basename(p)] = text[text.index("<h1>"):text.index("</h1>")]
            return out

        before = headings(modern)
        self.assertGreater(len(before), 5)
        self.assertEqual(headings(resorted), before)

    def check_search(self, modern, base, lines):
        """Typing a team's or a player's name on the index lists a link to its page."""
        d = self.browser.driver
        team_page = self.first_page(modern, base, "_team_*.html")
        with open(team_page, encoding="utf-8") as f:
            text = f.read()
        team = html.unescape(text[text.index("<h1>") + 4:text.index("</h1>")])
        player_href = sorted(lines)[len(lines) // 2]
        with open(os.path.join(modern, player_href), encoding="utf-8") as f:
            text = f.read()
        player = html.unescape(text[text.index("<h1>") + 4:text.index("</h1>")])
        for name, href in ((team, os.path.basename(team_page)), (player, player_href)):
            self.open(self.browser, os.path.join(modern, base + "_index.html"))
            box = d.find_element("css selector", "form.find input")
            label = d.execute_script(
                "var i=document.querySelector('form.find input');"
                "return document.querySelector('label[for='+i.id+']').textContent")
            self.assertTrue(label)
            box.send_keys(name[:-1])  # as one types, before the name is complete
            found = d.execute_script(
                "return Array.prototype.map.call(document.querySelectorAll('#found a'),"
                "function(a){return a.getAttribute('href');})")
            self.assertIn(href, found, "searching " + name)
            box.send_keys(name[-1] + "\n")  # Enter opens the first result
            self.assertTrue(d.current_url.endswith(found[0]) or
                            d.current_url.endswith(urllib.parse.quote(found[0])))

    def check_heads_in_view(self, modern, base):
        """Scrolled down a long table, its head row stays at the top of its box."""
        d = self.browser.driver
        self.open(self.browser, os.path.join(modern, base + "_individuals.html"))
        top = d.execute_script(
            "var box=document.querySelector('.tw');box.scrollTop=box.scrollHeight;"
            "box.scrollIntoView();var th=box.querySelector('thead th');"
            "return [box.scrollTop, th.getBoundingClientRect().top - box.getBoundingClientRect().top];")
        if top[0] > 0:
            self.assertLessEqual(abs(top[1]), 2, "the head row left the box")
        # The columns a reader wants first fit beside the name on a phone.
        for page, heads in (("_individuals.html", ("Pts", "PPG", "GP")),
                            ("_standings.html", ("W\u2013L", "PPG"))):
            self.open(self.browser, os.path.join(modern, base + page))
            right = d.execute_script(
                "var box=document.querySelector('.tw'),out={};"
                "Array.prototype.forEach.call(box.querySelectorAll('thead th'),function(th){"
                "out[th.textContent.trim()]=th.getBoundingClientRect().right;});"
                "return [box.getBoundingClientRect().right, out];")
            for head in heads:
                self.assertLessEqual(right[1][head], right[0] + 1, head + " out of view")

    def check_report(self, tournament, base, sort_pages, weigh=False,
                     print_pages=("_standings.html", "_team_*.html"),
                     chart_pages=("_standings.html", "_team_*.html")):
        work = os.path.join(self.work.name, base)
        modern = make_report(work, tournament, base, "modern")
        classic = make_report(work, tournament, base, "classic")
        self.check_addresses_stay(work, tournament, base, modern)
        pages = sorted(glob.glob(os.path.join(modern, "*.html")))
        self.assertGreater(len(pages), 5)
        if weigh:
            # No page over 300 KB, and the whole report under twice the classic one.
            sizes = {os.path.basename(p): os.path.getsize(p) for p in glob.glob(modern + "/*")}
            heavy = [n for n, size in sizes.items() if size > 300 * 1024]
            self.assertEqual(heavy, [])
            classic_size = sum(os.path.getsize(p) for p in glob.glob(classic + "/*"))
            self.assertLess(sum(sizes.values()), 2 * classic_size)
        parsed = {}
        for p in pages:
            parser = Ids()
            with open(p, encoding="utf-8") as f:
                parser.feed(f.read())
            parsed[os.path.basename(p)] = parser
        # Every link resolves to a page of the report, and its anchor to a place on it.
        for name, parser in parsed.items():
            for href in parser.hrefs:
                parts = urllib.parse.urlsplit(href)
                self.assertEqual(parts.scheme, "", "link to another site: " + href)
                target = urllib.parse.unquote(parts.path) or name
                self.assertIn(target, parsed, "missing page %s on %s" % (href, name))
                if parts.fragment:
                    self.assertIn(parts.fragment, parsed[target].ids, "missing anchor " + href)
        logs = {n: p.log for n, p in parsed.items() if p.log}

        b = self.browser
        b.viewport(390, 844)
        self.console_errors(b)
        # The individual standings of all games, on one page or on pages of places.
        lines = {}
        for part in sorted(glob.glob(os.path.join(glob.escape(modern), base + "_individuals*.html"))):
            if re.fullmatch(re.escape(base) + r"_individuals(_p[0-9]+)?\.html", os.path.basename(part)):
                self.open(b, part)
                lines.update(b.driver.execute_script(PLAYER_LINES))
        self.assertGreater(len(lines), 5)
        # Every player with a line has a game log, linked from the line; the games add up
        # to the totals row (games played within its rounding and the rows'), which is the
        # player's line in the standings.
        self.assertEqual(sorted(logs), sorted(lines))
        for name, log in logs.items():
            with self.subTest(log=name):
                heads, rows, total = log["thead"][0], log["tbody"], log["tfoot"][0]
                for i, head in enumerate(heads[3:], 3):
                    add = sum(float(r[i].replace("\u2212", "-")) for r in rows)
                    slack = 0.051 + 0.005 * len(rows) if head == "GP" else 0
                    self.assertAlmostEqual(add, float(total[i]), delta=slack, msg=head)
                    if head in lines[name]:
                        self.assertEqual(total[i], lines[name][head], head)
        # The game logs share one layout: a few of them show it in the browser.
        shown = [p for p in pages if os.path.basename(p) not in logs] + \
            [p for p in pages if os.path.basename(p) in logs][:12]
        for p in shown:
            name = os.path.basename(p)
            with self.subTest(page=name):
                self.open(b, p)
                d = b.driver
                width = d.execute_script(
                    "return [document.documentElement.scrollWidth, window.innerWidth]")
                self.assertLessEqual(width[0], width[1], "scrolls sideways at 390 px")
                small = d.execute_script(
                    "var out=[];document.querySelectorAll('body,p,li,td,th,dd,dt,a,caption')"
                    ".forEach(function(e){if(e.closest('.tag'))return;"
                    "var s=parseFloat(getComputedStyle(e).fontSize);if(s<14)out.push(e.tagName+' '+s);});"
                    "return out.slice(0,5);")
                self.assertEqual(small, [], "text below 14 px")
                # A table box that scrolls sideways can be reached and scrolled by keyboard.
                unreachable = d.execute_script(
                    "var out=[];document.querySelectorAll('*').forEach(function(e){"
                    "if(e.scrollWidth<=e.clientWidth)return;var s=getComputedStyle(e).overflowX;"
                    "if(s!=='auto'&&s!=='scroll')return;"
                    "if(e.tabIndex<0||!e.getAttribute('aria-label'))out.push(e.className);});"
                    "return out.slice(0,5);")
                self.assertEqual(unreachable, [], "scrolling box out of keyboard reach")
                self.assertEqual(self.console_errors(b), [])
                resources = d.execute_script(
                    "return performance.getEntriesByType('resource').map(function(r){return r.name;})")
                for r in resources:
                    self.assertTrue(r.startswith("file://"), "request to " + r)

        # Sorting by a click: the column's numbers in order, then reversed.
        for page, head in sort_pages:
            with self.subTest(sort=page, head=head):
                self.open(b, self.first_page(modern, base, page))
                d = b.driver
                th = d.execute_script(
                    "var t=document.querySelector('table.sort');var hs=t.tHead.rows[0].cells;"
                    "for(var i=0;i<hs.length;i++)if(hs[i].textContent.trim()===arguments[0])return i;"
                    "return -1;", head)
                self.assertGreaterEqual(th, 0)
                column = ("var t=document.querySelector('table.sort');"
                          "return Array.prototype.map.call(t.tBodies[0].rows,function(r){"
                          "return parseFloat(r.cells[%d].textContent);});" % th)
                before = d.execute_script(column)
                cell = d.find_elements("css selector", "table.sort thead th")[th]
                cell.click()
                first = d.execute_script(column)
                self.assertEqual(first, sorted(before, reverse=True))
                cell.click()
                self.assertEqual(d.execute_script(column), sorted(before))
                self.assertEqual(self.console_errors(b), [])

        # The pictures: drawn, named, and described in text.
        for page in chart_pages:
            with self.subTest(chart=page):
                self.open(b, self.first_page(modern, base, page))
                charts = b.driver.execute_script(
                    "return Array.prototype.map.call(document.querySelectorAll('figure.chart svg'),"
                    "function(s){var ids=(s.getAttribute('aria-labelledby')||'').split(' ');"
                    "return [s.getBoundingClientRect().height,ids.map(function(i){"
                    "var e=document.getElementById(i);return e?e.textContent:'';}).join(' ')];})")
                self.assertGreater(len(charts), 0, "no chart")
                for height, text in charts:
                    self.assertGreater(height, 50)
                    self.assertGreater(len(text), 30, "chart without a text alternative")

        for width in (390, 1280):
            b.viewport(width, 844 if width < 600 else 900)
            with self.subTest(search=width):
                self.check_search(modern, base, lines)
            with self.subTest(heads=width):
                self.check_heads_in_view(modern, base)
            if width > 600:
                for p in shown[:40]:
                    self.open(b, p)
                    w = b.driver.execute_script(
                        "return [document.documentElement.scrollWidth, window.innerWidth]")
                    self.assertLessEqual(w[0], w[1], "scrolls sideways at 1280 px: " + p)
        b.viewport(390, 844)

        # The key to the columns opens with a tap, for phones that show no tooltips.
        self.open(b, os.path.join(modern, base + "_standings.html"))
        d = b.driver
        shown = "return document.querySelector('details.keys').open"
        self.assertFalse(d.execute_script(shown))
        d.find_element("css selector", "details.keys summary").click()
        self.assertTrue(d.execute_script(shown))

        # Printed on a letter page (its width inside the margins): every table fits the width,
        # and nothing that may not break is taller than a page (it would leave one blank).
        b.viewport(726, 1000)
        b.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        for page in print_pages:
            with self.subTest(printed=page):
                self.open(b, self.first_page(modern, base, page))
                wide, whole = b.driver.execute_script(
                    "var w=document.documentElement.clientWidth,wide=[],whole=[];"
                    "document.querySelectorAll('table').forEach(function(t){"
                    "if(t.getBoundingClientRect().right>w+1)wide.push(t.className);});"
                    "document.querySelectorAll('body *').forEach(function(e){"
                    "var s=getComputedStyle(e).breakInside;if(s.indexOf('avoid')===0&&"
                    "e.getBoundingClientRect().height>900)whole.push(e.tagName+'.'+e.className);});"
                    "return [wide.slice(0,5),whole.slice(0,5)];")
                self.assertEqual(wide, [], "table wider than the printed page")
                self.assertEqual(whole, [], "unbreakable block taller than a page")
        b.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
        b.viewport(390, 844)

        # Without scripts the standings tables are complete and in standings order.
        parser = ClassicStandings()
        with open(os.path.join(classic, base + "_standings.html"), encoding="utf-8") as f:
            parser.feed(f.read())
        expected = [t for t in parser.tables[1:] if t] or [[]]
        self.open(self.plain, os.path.join(modern, base + "_standings.html"))
        shown = self.plain.driver.execute_script(
            "return Array.prototype.map.call(document.querySelectorAll('table.st'),function(t){"
            "return Array.prototype.map.call(t.tBodies[0].rows,function(r){"
            "return r.querySelector('th a').textContent;});});")
        self.assertEqual(shown, expected)

    def test_sample_tournament(self):
        self.check_report(SAMPLE, "s", [("_standings.html", "PPG"), ("_individuals.html", "Pts"),
                                        ("_team_riverside-a.html", "PPTH")])

    def test_sample_in_stages(self):
        staged = os.path.join(self.work.name, "staged.dat")
        drav_browser.staged_copy(SAMPLE, staged)
        self.check_report(staged, "st", [("_standings_s1.html", "PPG"),
                                         ("_individuals_s2.html", "Pts")])

    def test_2014_championship(self):
        archive = os.path.join(SHARED, "qbj", "hsnct2014.qbj.zip")
        if not os.path.exists(archive):
            self.skipTest("the shared QBJ samples are not present")
        work = os.path.join(self.work.name, "qbj")
        os.makedirs(work, exist_ok=True)
        with zipfile.ZipFile(archive) as z:
            z.extractall(work)
        tournament = os.path.join(work, "hsnct2014.dat")
        subprocess.run([CLI, "import-qbj", os.path.join(work, "hsnct2014.qbj"), tournament],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.check_report(tournament, "hs", [("_standings.html", "PPG"),
                                             ("_individuals.html", "PPG")], weigh=True)


if __name__ == "__main__":
    missing = drav_browser.browser_missing()
    if missing:
        print("SKIPPED: no browser for the web report tests (" + missing + ")")
        sys.exit(77)
    # Test names after the three arguments run those tests only.
    result = unittest.main(argv=[sys.argv[0]] + sys.argv[4:], exit=False).result
    sys.exit(0 if result.wasSuccessful() else 1)
