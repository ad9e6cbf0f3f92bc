#!/usr/bin/python3
"""Screenshots of each page kind of the modern web report of a tournament (given two stages,
so that the stage pages show too), 390 and 1280 px wide, light and dark.

usage: web_screenshots.py DRAV_CLI TOURNAMENT.dat OUTDIR
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "browser"))
import drav_browser  # noqa: E402

KINDS = ["index", "standings", "standings_s1", "final", "individuals", "team_riverside-a",
         "player_riverside-a_maya-ortiz", "games", "games_r1", "rounds", "statkey"]


def main():
    cli, tournament, out = sys.argv[1:4]
    missing = drav_browser.browser_missing()
    if missing:
        print("no web screenshots: " + missing)
        return 0
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as report:
        staged = os.path.join(report, "staged.dat")
        drav_browser.staged_copy(tournament, staged)
        subprocess.run([cli, "report", staged, os.path.join(report, "sample"), "--style", "modern"],
                       check=True, stdout=subprocess.DEVNULL)
        browser = drav_browser.Browser()
        try:
            for kind in KINDS:
                page = os.path.join(report, "sample_" + kind + ".html")
                if not os.path.exists(page):
                    continue
                for width in (390, 1280):
                    for dark in (False, True):
                        browser.viewport(width, 844 if width < 600 else 900, dark)
                        browser.driver.get("file://" + page)
                        name = "web-%s-%d-%s.png" % (kind, width, "dark" if dark else "light")
                        browser.driver.save_screenshot(os.path.join(out, name))
        finally:
            browser.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
