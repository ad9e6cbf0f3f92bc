"""Starts the headless Chromium the web tests and the screenshot script share."""

import shutil
import tempfile

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
]


def browser_missing():
    """The reason no browser can be started, or None."""
    try:
        import selenium  # noqa: F401
    except ImportError:
        return "python3-selenium is not installed"
    if not (shutil.which("chromium") or shutil.which("chromium-browser")):
        return "chromium is not installed"
    if not shutil.which("chromedriver"):
        return "chromium-driver is not installed"
    return None


def staged_copy(sample, out):
    """The sample tournament with two stages: prelims in two pools, then playoffs."""
    lines = ["[DRAV extensions]", "Stages", "23", "2",
             "Prelims", "1", "4", "0", "2",
             "Pool A", "4", "0", "1", "2", "3",
             "Pool B", "4", "4", "5", "6", "7",
             "Playoffs", "5", "7", "0", "0"]
    with open(sample, "rb") as f:
        data = f.read()
    with open(out, "wb") as f:
        f.write(data + "".join(line + "\r\n" for line in lines).encode())


class Browser:
    """One Chromium with a fresh profile; closed (profile removed) by close()."""

    def __init__(self, javascript=True):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        self.profile = tempfile.mkdtemp(prefix="drav-chromium-")
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument("--user-data-dir=" + self.profile)
        options.binary_location = shutil.which("chromium") or shutil.which("chromium-browser")
        if not javascript:
            options.add_experimental_option(
                "prefs", {"profile.managed_default_content_settings.javascript": 2})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")),
                                       options=options)

    def viewport(self, width, height, dark=False):
        d = self.driver
        d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
        d.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]})

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)
