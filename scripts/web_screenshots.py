#!/usr/bin/python3
"""Screenshots of each page kind of a modern web report, 390 and 1280 px wide, light and dark.

usage: web_screenshots.py REPORT_DIR BASE OUTDIR
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "browser"))
import drav_browser  # noqa: E402

KINDS = ["index", "standings", "individuals", "team1", "games", "games_r1", "rounds", "statkey"]


def main():
    report, base, out = sys.argv[1:4]
    missing = drav_browser.browser_missing()
    if missing:
        print("no web screenshots: " + missing)
        return 0
    os.makedirs(out, exist_ok=True)
    browser = drav_browser.Browser()
    try:
        for kind in KINDS:
            page = os.path.join(os.path.abspath(report), base + "_" + kind + ".html")
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
