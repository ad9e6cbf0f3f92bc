#!/usr/bin/python3
"""Names beyond ASCII in the web report, checked in headless Chromium.

Two copies of the sample tournament, one whose names are UTF-8 bytes (typed in the desktop program or imported
from QBJ) and one whose names are Windows-1252 bytes (saved by an older version), go through
`drav-cli report`. Each team detail page is served from a local server under both charsets a
web host may declare, and the letters must read right every time.

Usage: names_in_browser_test.py DRAV_CLI SAMPLE_TOURNAMENT
Exit 77 (skipped) when Chromium, its driver or Selenium is missing.
"""

import functools
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading

SKIP = 77
TEAM = "José Núñez"
PLAYER = "Børge Müller"


def find_browser():
    try:
        from selenium import webdriver  # noqa: F401
    except ImportError:
        return None, "python3-selenium is not installed"
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    driver = shutil.which("chromedriver") or (
        "/usr/bin/chromedriver" if os.path.exists("/usr/bin/chromedriver") else None)
    if not browser or not driver:
        return None, "chromium and chromium-driver are not installed"
    return (browser, driver), ""


class Handler(http.server.SimpleHTTPRequestHandler):
    """Serves the report's files; the first path part picks the declared charset."""

    def do_GET(self):
        charset, _, name = self.path.lstrip("/").partition("/")
        path = os.path.join(self.directory, name)
        if not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=" + charset)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def write_report(cli, sample, folder, base, encoding):
    """The sample tournament with its first team and first player renamed, in encoding."""
    with open(sample, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[2] = TEAM.encode(encoding)  # after the team count and the team's string count
    lines[3] = PLAYER.encode(encoding)
    tournament = os.path.join(folder, base + ".dat")
    with open(tournament, "wb") as f:
        f.write(b"\r\n".join(lines))
    subprocess.run([cli, "report", tournament, os.path.join(folder, base)], check=True,
                   capture_output=True)
    page = os.path.join(folder, base + "_teamdetail.html")
    with open(page, "rb") as f:
        contents = f.read()
    if any(byte >= 0x80 for byte in contents):
        raise AssertionError(base + ": the page holds bytes beyond ASCII")
    return os.path.basename(page)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    cli, sample = sys.argv[1], sys.argv[2]
    found, why = find_browser()
    if not found:
        print("SKIPPED: " + why + " (scripts/install-deps.sh installs them)")
        return SKIP
    browser, driver_path = found
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    folder = tempfile.mkdtemp(prefix="drav-browser-")
    server = None
    driver = None
    try:
        pages = [write_report(cli, sample, folder, "utf8", "utf-8"),
                 write_report(cli, sample, folder, "cp1252", "cp1252")]
        server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        port = server.server_address[1]

        options = webdriver.ChromeOptions()
        options.binary_location = browser
        for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + os.path.join(folder, "profile")]:
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service(driver_path), options=options)
        driver.set_page_load_timeout(30)

        failures = []
        for page in pages:
            for charset in ["utf-8", "windows-1252"]:
                driver.get("http://127.0.0.1:%d/%s/%s" % (port, charset, page))
                shown = driver.execute_script("return document.characterSet + '|' + "
                                              "document.body.innerText")
                declared, _, text = shown.partition("|")
                for name in [TEAM, PLAYER]:
                    if name not in text:
                        failures.append("%s as %s (%s): %r not shown" %
                                        (page, charset, declared, name))
        for failure in failures:
            print("FAILED: " + failure)
        if not failures:
            print("every name shows right in both pages under both charsets")
        return 1 if failures else 0
    finally:
        if driver is not None:
            driver.quit()
        if server is not None:
            server.shutdown()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
