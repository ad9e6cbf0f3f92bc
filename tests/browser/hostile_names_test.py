#!/usr/bin/python3
"""Page and base names built to inject a handler or break the links, in headless Chromium.

The sample tournament's page names are replaced by names holding spaces, quotes,
< > `, # ? % and an "onmouseover=" of their own, and the report goes to a base name that
holds # ? % and a space. In both report styles every page must load, hold no attribute
whose name starts with "on", and every link between the pages must reach a written file.

usage: hostile_names_test.py DRAV_CLI SAMPLE.dat
Exits 77 (skipped) when no browser is installed.
"""

import glob
import os
import subprocess
import sys
import tempfile
import unittest
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import drav_browser  # noqa: E402

CLI, SAMPLE = sys.argv[1:3] if len(sys.argv) >= 3 else (None, None)

# The page names of the settings, in the order they stand in the file, and what replaces them.
HOSTILE_PAGES = {
    b"_rounds.html": b"_r x onmouseover=alert(1) y.html",
    b"_standings.html": b"_s'onclick=alert(2)'.html",
    b"_individuals.html": b"_i'\"`<b>.html",
    b"_games.html": b"_g 50% #1 ?.html",
    b"_teamdetail.html": b"_t onfocus=alert(3) autofocus.html",
    b"_playerdetail.html": b"_p&amp;%20.html",
    b"_statkey.html": b"_k onload=alert(4).html",
}
BASE = "fall #1 50%?"

ATTRIBUTES = """
var found = [];
document.querySelectorAll('*').forEach(function (e) {
  for (var i = 0; i < e.attributes.length; i++) {
    var name = e.attributes[i].name.toLowerCase();
    if (name.indexOf('on') === 0 || name === 'autofocus') found.push(e.tagName + ' ' + name);
  }
});
return found;
"""


def hostile_copy(folder):
    with open(SAMPLE, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines = [HOSTILE_PAGES.get(line, line) for line in lines]
    # Report rounds too, so that every page name is used.
    settings = lines.index(HOSTILE_PAGES[b"_rounds.html"]) - 23
    lines[settings + 7] = b"1"
    path = os.path.join(folder, "hostile.dat")
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines))
    return path


class HostileNamesInBrowser(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory(prefix="drav-hostile-")
        cls.browser = drav_browser.Browser()
        cls.tournament = hostile_copy(cls.work.name)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.work.cleanup()

    def check_style(self, style):
        out = os.path.join(self.work.name, style)
        os.makedirs(out)
        subprocess.run([CLI, "report", self.tournament, os.path.join(out, BASE), "--style", style],
                       check=True, stdout=subprocess.DEVNULL)
        pages = sorted(glob.glob(glob.escape(out) + "/*.html"))
        self.assertGreaterEqual(len(pages), 6)
        d = self.browser.driver
        links = 0
        for page in pages:
            with self.subTest(style=style, page=os.path.basename(page)):
                d.get("file://" + urllib.parse.quote(page))
                self.assertEqual(d.execute_script(ATTRIBUTES), [])
                hrefs = d.execute_script(
                    "return Array.from(document.querySelectorAll('a[href],link[href]'))"
                    ".map(function (a) { return new URL(a.getAttribute('href'), document.baseURI).href; })")
                for href in hrefs:
                    if not href.startswith("file://"):
                        continue
                    target = urllib.parse.unquote(urllib.parse.urlsplit(href).path)
                    self.assertTrue(os.path.isfile(target), href + " reaches no file")
                    links += 1
        self.assertGreater(links, 50)
        # A link followed by the browser opens its page.
        d.get("file://" + urllib.parse.quote(pages[0]))
        first = d.execute_script("return document.querySelector('a[href]').href")
        d.get(first)
        self.assertTrue(os.path.isfile(urllib.parse.unquote(urllib.parse.urlsplit(
            d.current_url).path)))
        self.assertNotIn("not found", d.page_source.lower())

    def test_classic_report(self):
        self.check_style("classic")

    def test_modern_report(self):
        self.check_style("modern")


if __name__ == "__main__":
    if CLI is None:
        print(__doc__)
        sys.exit(2)
    missing = drav_browser.browser_missing()
    if missing:
        print("SKIPPED: " + missing)
        sys.exit(77)
    result = unittest.main(argv=sys.argv[:1], exit=False).result
    sys.exit(0 if result.wasSuccessful() else 1)
