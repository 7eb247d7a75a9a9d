#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web edition in Debian's chromium, headless, driven by Debian's selenium: what a woman on
her phone sees must be what velmora-cli prints, offline too, and nothing may leave the page.

    check_in_chromium.py SITE VELMORA-CLI ENGINE-ANSWERS SCREENSHOT
"""
import datetime
import glob
import gzip
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest
import zlib

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "scripts", "lib"))
import site_tools  # noqa: E402

SITE, CLI, ANSWERS, SCREENSHOT = sys.argv[1:5]
# Stamps differ by the second; everything else of a calendar must be the same bytes.
STAMPED = (b"DTSTAMP:", b"LAST-MODIFIED:", b"SEQUENCE:")


def cli(*arguments):
    run = subprocess.run([CLI, *arguments], capture_output=True, timeout=30,
                         env={**os.environ, "HOME": tempfile.gettempdir(), "LC_ALL": "C.UTF-8"})
    return run.returncode, run.stdout


def unstamped(calendar):
    return [line for line in calendar.split(b"\r\n") if not line.startswith(STAMPED)]


def stored(data):
    """A gzip member that holds `data` unpacked (deflate's stored blocks)."""
    packer = zlib.compressobj(0, zlib.DEFLATED, 31)  # 31: gzip
    return packer.compress(data) + packer.flush()


def wait(driver, script, timeout=20):
    return WebDriverWait(driver, timeout).until(lambda d: d.execute_script(script))


def engine_texts():
    """The page's words as the native engine answers them."""
    return json.loads(subprocess.run([ANSWERS], input=b"", capture_output=True,
                                     check=True).stdout.decode().splitlines()[0])


def renderer_pids(browser):
    """The processes that draw chromium's pages: its descendants of type renderer."""
    parents, commands = {}, {}
    for entry in os.listdir("/proc"):
        try:
            with open("/proc/%s/stat" % entry) as stat:
                parents[int(entry)] = int(stat.read().rsplit(")", 1)[1].split()[1])
            with open("/proc/%s/cmdline" % entry, "rb") as cmdline:
                commands[int(entry)] = cmdline.read()
        except (OSError, ValueError):
            continue

    def descends(pid):
        while pid in parents and pid > 1:
            pid = parents[pid]
            if pid == browser:
                return True
        return False
    return [pid for pid, command in commands.items()
            if b"--type=renderer" in command and descends(pid)]


def memory_of(pid, field):
    """A process's memory in bytes, as /proc says it: VmRSS now, VmHWM at its peak."""
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1]) * 1024
    raise LookupError(field)


def copy_of_site():
    """A copy of the site to change, as a host's folder would be."""
    folder = tempfile.mkdtemp()
    shutil.copytree(SITE, folder, dirs_exist_ok=True)
    return folder


# Every origin the tests serve a site from: the only ones a page may ask anything of.
SERVED = []


def serve(folder, cache_control="no-cache"):
    """Serves `folder` on a port of its own: another origin, with its own service worker."""
    server = site_tools.make_server(folder, cache_control=cache_control)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    SERVED.append("http://127.0.0.1:%d/" % server.server_port)
    return server, SERVED[-1]



def in_a_terminal(**env):
    """velmora-cli in a home of its own, her record beside it: each run's standard output."""
    home = tempfile.mkdtemp()
    program = shutil.copy(CLI, home)
    return lambda *arguments: subprocess.run(
        [program, *arguments], capture_output=True, timeout=30, env={
            **os.environ, "HOME": home, "LC_ALL": "C.UTF-8", "NO_COLOR": "1", **env}).stdout.decode()

class Browser:
    """One chromium with its own profile and download folder, and the page's server."""

    def __init__(self):
        self.downloads = tempfile.mkdtemp()
        self.requests = []
        self.server = site_tools.make_server(SITE)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.origin = "http://127.0.0.1:%d" % self.server.server_port
        self.driver = site_tools.chromium(log_network=True)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})
        self.phone(412, 915)
        # Her phone is in China: today is Shanghai's date.
        self.driver.execute_cdp_cmd("Emulation.setTimezoneOverride", {"timezoneId": "Asia/Shanghai"})

    def phone(self, width, height):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": True})

    def open(self):
        self.driver.get(self.origin + "/")
        wait(self.driver, "return document.documentElement.dataset.ready === 'true'")

    def calculate(self, first_day, cycle):
        d = self.driver
        # The date goes in as the picker would set it; the cycle is typed, key by key.
        d.execute_script("document.getElementById('firstDay').value = arguments[0]", first_day)
        box = d.find_element(By.ID, "cycle")
        box.clear()
        if cycle:
            box.send_keys(cycle)
        d.find_element(By.ID, "calculate").click()
        return self.lines()

    def lines(self):
        """The six lines, and what their 安全期 are not where the page says it under them."""
        caution = self.driver.find_element(By.ID, "safeCaution")
        return [li.get_attribute("textContent")
                for li in self.driver.find_elements(By.CSS_SELECTOR, "#lines li")] + (
            [caution.get_attribute("textContent")] if caution.is_displayed() else [])

    def log_requests(self):
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                self.requests.append(message["params"]["request"]["url"])


class WebPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = Browser()
        cls.browser.driver.get(cls.browser.origin + "/")

    @classmethod
    def tearDownClass(cls):
        cls.browser.driver.quit()
        cls.browser.server.shutdown()

    def setUp(self):
        self.browser.driver.execute_script("localStorage.clear()")
        self.browser.open()

    def tearDown(self):
        self.browser.log_requests()

    # first day, cycle box as typed
    CALCULATIONS = {
        "the picker's first day": ("1601-01-01", "28"),
        "the picker's last day": ("9999-12-31", "28"),
        "a unit after the number": ("2004-02-19", "28天"),
        "a number beyond a double": ("2004-02-19", "1e400"),
        "an empty box": ("2004-02-19", ""),
        "a cycle too short for a calendar": ("2004-02-19", "20"),
        "a leap day and half a day": ("2004-02-29", "29.5"),
    }

    def test_help_then_six_lines_as_the_cli_prints_them(self):
        self.assertEqual(self.browser.lines(), engine_texts()["helpParagraphs"])
        for name, (first_day, cycle) in self.CALCULATIONS.items():
            with self.subTest(name):
                status, printed = cli(first_day, cycle)
                self.assertEqual(status, 0)
                self.assertEqual(self.browser.calculate(first_day, cycle),
                                 printed.decode().splitlines())

    def test_the_calendar_is_the_clis_or_refused_with_a_reason(self):
        d = self.browser.driver
        for name, (first_day, cycle) in self.CALCULATIONS.items():
            with self.subTest(name):
                status, calendar = cli("--ics", "-", first_day, cycle)
                self.browser.calculate(first_day, cycle)
                button = d.find_element(By.ID, "export")
                reason = d.find_element(By.ID, "refusal").text
                if status != 0:
                    self.assertFalse(button.is_enabled())
                    self.assertRegex(reason, "不能导出到日历")
                    continue
                self.assertTrue(button.is_enabled())
                self.assertEqual(reason, "")
                target = os.path.join(self.browser.downloads, "velmora.ics")
                button.click()
                WebDriverWait(d, 10).until(lambda _: os.path.exists(target) and os.path.getsize(target))
                with open(target, "rb") as downloaded:
                    self.assertEqual(unstamped(downloaded.read()), unstamped(calendar))
                os.remove(target)

    # what the device holds: stored date, stored cycle; then the fields after the next visit
    STORED = {
        "a valid record": ("2005-06-07", "31", "2005-06-07", "31"),
        "a date before the picker's range": ("1600-12-31", "31", "today", "31"),
        "a cycle that is no whole number": ("2005-06-07", "abc", "2005-06-07", "30"),
    }

    def test_inputs_come_back_on_the_next_visit_only_when_valid(self):
        d = self.browser.driver
        shown = lambda: tuple(d.find_element(By.ID, i).get_attribute("value") for i in ("firstDay", "cycle"))  # noqa: E731
        today = datetime.datetime.now(datetime.timezone(datetime.timedelta(hours=8)))
        # A first visit starts at today on her phone (Shanghai's date), with 30.
        self.assertEqual(shown(), (today.date().isoformat(), "30"))
        self.browser.calculate("2006-01-02", "27.6")
        self.browser.open()
        self.assertEqual(shown(), ("2006-01-02", "28"))
        for name, (date, cycle, *expected) in self.STORED.items():
            with self.subTest(name):
                d.execute_script("localStorage.setItem('velmora.firstDay', arguments[0]);"
                                 "localStorage.setItem('velmora.cycle', arguments[1])", date, cycle)
                self.browser.open()
                self.assertEqual(shown(), tuple(today.date().isoformat() if value == "today"
                                                else value for value in expected))

    def recorded(self):
        return [li.get_attribute("textContent")
                for li in self.browser.driver.find_elements(By.CSS_SELECTOR, "#recordLines li")]

    def choose(self, day, word):
        """By keyboard: the day's cell, Enter, then the one thing the dialog offers."""
        d = self.browser.driver
        cell = d.find_element(By.CSS_SELECTOR, "#months td[data-day='%s']" % day)
        d.execute_script("arguments[0].focus()", cell)
        cell.send_keys(Keys.ENTER)
        # It opens on what does no harm: recording, or else closing, one Shift+Tab from the rest.
        if word != engine_texts()["recordDay"]:
            self.assertEqual(d.switch_to.active_element.get_attribute("id"), "dayChoiceClose")
            d.switch_to.active_element.send_keys(Keys.SHIFT, Keys.TAB)
        self.assertEqual(d.switch_to.active_element.get_attribute("id"), "dayChoiceAct")
        self.assertEqual(d.switch_to.active_element.text, word)
        d.switch_to.active_element.send_keys(Keys.ENTER)

    def pick(self, path):
        """Takes the file in through the page's file picker, and waits for its report."""
        picker = self.browser.driver.find_element(By.ID, "recordFile")
        self.browser.driver.execute_script("arguments[0].hidden = false", picker)
        picker.send_keys(path)
        wait(self.browser.driver, "return document.getElementById('recordReport').textContent !== ''")

    def cells(self):
        return dict(self.browser.driver.execute_script(
            "return [...document.querySelectorAll('#months td[data-day]')]"
            ".map(td => [td.dataset.day, td.getAttribute('aria-label')])"))

    def test_the_month_picture_names_every_day_and_moves_to_the_next_cycle(self):
        d = self.browser.driver
        first_day, cycle = "2004-02-19", "28"
        _, printed = cli(first_day, cycle)
        # Each line: a day or a span, then its label; the ovulation day lies in the fertile span.
        spans = [(w[0], w[2] if w[1] == "--" else w[0], w[-1])
                 for w in map(str.split, printed.decode().splitlines())]
        self.browser.calculate(first_day, cycle)
        named = {day: label for day, label in self.cells().items()
                 if spans[0][0] <= day < spans[5][0]}
        self.assertEqual(len(named), 28)
        for day, label in named.items():
            expected = [name for first, last, name in spans if first <= day <= last]
            weekday = "日一二三四五六"[datetime.date.fromisoformat(day).isoweekday() % 7]
            self.assertEqual(label, "%s 星期%s %s" % (day, weekday, expected[-1]), day)
        # Where the next cycle begins, both are named.
        self.assertEqual(self.cells()["2004-03-18"], "2004-03-18 星期四 下次月经开始日 月经期")
        # Two months on: the next cycle's ovulation day, 28 days after this one's; the focus
        # stays on the button pressed, and 今天 takes it to today.
        for _ in range(2):
            d.find_element(By.XPATH, "//section[@id='month']//button[.='%s']"
                           % engine_texts()["nextMonth"]).click()
        self.assertEqual(self.cells()["2004-04-01"], "2004-04-01 星期四 排卵日")
        self.assertEqual(d.switch_to.active_element.text, engine_texts()["nextMonth"])
        self.assertTrue(d.save_screenshot(SCREENSHOT))
        d.find_element(By.CSS_SELECTOR, "#monthButtons [data-word='today']").click()
        self.assertEqual(d.switch_to.active_element.get_attribute("aria-current"), "date")

    def test_her_record_is_the_same_on_the_page_in_the_window_and_the_terminal(self):
        d = self.browser.driver
        texts = engine_texts()
        self.browser.calculate("2004-02-19", "30")
        for day in ("2004-02-19", "2004-03-18"):
            self.choose(day, texts["recordDay"])
        self.assertEqual(d.find_element(By.ID, "recordReport").text, "已记下 2004-03-18。")
        # A first day later than the date box's is her period come: calculated from it at once,
        # the cycle box as it is while the record foretells nothing.
        self.assertEqual(d.find_element(By.ID, "firstDay").get_attribute("value"), "2004-03-18")
        self.assertEqual(self.browser.lines(), cli("2004-03-18", "30")[1].decode().splitlines())
        self.choose("2004-03-06", texts["recordDay"])  # an earlier day changes no input
        self.choose("2004-03-06", texts["forgetDay"])
        self.assertEqual(d.find_element(By.ID, "firstDay").get_attribute("value"), "2004-03-18")
        self.assertEqual(self.cells()["2004-03-18"], "2004-03-18 星期四 月经期 已记下")
        self.assertEqual(self.cells()["2004-03-19"], "2004-03-19 星期五 月经期 已记下")
        # Kept on the device: a reload shows it, and offers its average for the cycle box.
        self.browser.open()
        self.assertEqual(self.recorded(), ["2004-02-19", "2004-03-18  28 天"])
        d.find_element(By.ID, "cycle").clear()
        d.find_element(By.ID, "useAverage").click()  # and calculates
        self.assertEqual(d.find_element(By.ID, "cycle").get_attribute("value"), "28")
        self.assertEqual(self.browser.lines(), cli("2004-03-18", "28")[1].decode().splitlines())
        # Downloaded, it is a record the window and the terminal take in.
        path = os.path.join(self.browser.downloads, "velmora-record.txt")
        if os.path.exists(path):
            os.remove(path)
        d.find_element(By.ID, "exportRecord").click()
        WebDriverWait(d, 10).until(lambda _: os.path.exists(path))
        with open(path, "rb") as downloaded:
            self.assertEqual(downloaded.read(), b"2004-02-19\n2004-03-18\n")
        # drip's export comes in through the file picker.
        drip = os.path.join(tempfile.mkdtemp(), "drip.csv")
        with open(drip, "w", encoding="utf-8") as export:
            export.write("date,bleeding.value,bleeding.exclude\n2004-04-15,2,false\n"
                         "2004-04-16,1,false\nnot a date,1,false\n")
        self.pick(drip)
        self.assertEqual(d.find_element(By.ID, "recordReport").text,
                         "从 drip 导入了 1 次月经。有 1 条没有用上。")
        self.assertEqual(self.recorded()[-1], "2004-04-15  28 天")
        # 清除记录 asks, then forgets the record and the kept inputs alike.
        self.browser.calculate("2006-01-02", "30")
        d.find_element(By.ID, "clearRecord").click()
        alert = d.switch_to.alert
        self.assertEqual(alert.text, texts["clearQuestion"])
        alert.accept()
        self.assertEqual(d.execute_script(
            "return ['velmora.record', 'velmora.firstDay', 'velmora.cycle']"
            ".map((key) => localStorage.getItem(key))"), [None, None, None])
        self.assertEqual(self.recorded(), [])
        # Nothing made of them stays in sight: the page is as on a first visit, today's month
        # alone; the status line says what was done.
        self.assertEqual((d.find_element(By.ID, "recordReport").text,
                          len(d.find_elements(By.CSS_SELECTOR, "#months table")),
                          "已记下" in json.dumps(self.cells(), ensure_ascii=False),
                          d.find_element(By.ID, "lines").text.startswith(texts["helpLines"][0])),
                         (texts["recordCleared"], 1, False, True))

    def test_a_first_visit_records_today_and_keys_move_by_the_engines_rule(self):
        d = self.browser.driver
        self.browser.phone(360, 780)
        self.browser.open()
        # Before 计算: today's month with her empty record, what to do and 记录今天 above it, in
        # the first screen of a phone, the help after them.
        hint, button, grid, help_ = (d.find_element(By.ID, name)
                                     for name in ("monthHint", "recordToday", "months", "lines"))
        self.assertLess((button.location["y"] + button.size["height"], grid.location["y"]),
                        (780, 780))
        self.assertGreater(help_.location["y"], grid.location["y"])
        self.assertEqual(hint.text, d.find_element(By.ID, "recordSummary")
                         .get_attribute("textContent"))
        self.assertLess(max(hint.location["y"], button.location["y"]), grid.location["y"])
        today = d.find_element(By.CSS_SELECTOR, "#months td[aria-current='date']")
        day = datetime.date.fromisoformat(today.get_attribute("data-day"))
        button.click()
        # The focus on today's cell, what was done in sight.
        self.assertEqual(d.switch_to.active_element.get_attribute("data-day"), day.isoformat())
        report = d.find_element(By.ID, "recordReport")
        self.assertEqual(report.text, "已记下 %s。" % day)
        self.assertLess(report.location["y"] + report.size["height"],
                        780 + d.execute_script("return window.scrollY"))
        self.assertEqual((self.recorded(), button.is_displayed(), hint.is_displayed()),
                         ([day.isoformat()], False, False))
        self.assertTrue(self.cells()[day.isoformat()].endswith(" 今天 月经期 已记下"))
        # The keys move across the month's edge, a month, home to today and to the month's end.
        d.execute_script("arguments[0].focus()", grid.find_element(
            By.CSS_SELECTOR, "td[aria-current='date']"))
        end = (day.replace(day=28) + datetime.timedelta(days=4)).replace(day=1)
        for key, to in ((Keys.END, end - datetime.timedelta(days=1)), (Keys.ARROW_RIGHT, end),
                        (Keys.PAGE_UP, day.replace(day=1)), (Keys.HOME, day)):
            d.switch_to.active_element.send_keys(key)
            self.assertEqual(d.switch_to.active_element.get_attribute("data-day"), to.isoformat())

    def test_a_years_record_foretells_the_same_on_the_page_and_in_the_terminal(self):
        d = self.browser.driver
        terminal = tempfile.mkdtemp()
        shanghai = datetime.timezone(datetime.timedelta(hours=8))
        run = in_a_terminal(TZ="Asia/Shanghai")

        def take_in(last_days_ago):
            """A year of cycles of 27 to 30 days, the last begun so many days ago, taken in on the
            page and in the terminal alike; the page's forecast, as of one today for both."""
            today = datetime.datetime.now(shanghai).date()
            days = [today - datetime.timedelta(days=last_days_ago)]
            for length in reversed([28, 27, 29, 28, 30, 28, 27, 29, 28, 28, 29, 27]):
                days.insert(0, days[0] - datetime.timedelta(days=length))
            path = os.path.join(terminal, "year.txt")
            with open(path, "w", encoding="utf-8") as year:
                year.write("".join(day.isoformat() + "\n" for day in days))
            d.execute_script("localStorage.clear()")
            self.browser.open()
            self.pick(path)
            run("--clear")
            run("--import", path)
            if today != datetime.datetime.now(shanghai).date():
                return take_in(last_days_ago)  # the day turned while they answered
            return d.find_element(By.ID, "recordNotice").text, [
                li.get_attribute("textContent")
                for li in d.find_elements(By.CSS_SELECTOR, "#recordForecast li")]

        notice, forecast = take_in(18)
        self.assertEqual(notice, "")
        self.assertEqual(len(forecast), 4)  # the next day, its range, the method, its caution
        summary = d.find_element(By.ID, "recordSummary").text
        self.assertEqual(run("--history").splitlines(), self.recorded() + [summary] + forecast)
        # 按记录计算: the terminal's lines, the range marked in every month picture, then the
        # period after it.
        d.find_element(By.ID, "fromRecord").click()
        self.assertEqual(self.browser.lines(), run("--from-record").splitlines())
        earliest, latest = re.findall(r"\d{4}-\d\d-\d\d", forecast[1])
        likely = sorted(day for day, name in self.cells().items() if name.endswith("可能来月经"))
        width = (datetime.date.fromisoformat(latest) - datetime.date.fromisoformat(earliest)).days + 1
        self.assertEqual((likely[0], likely[width - 1], len(likely) > width),
                         (earliest, latest, True))
        months = run("--from-record", "--month").splitlines()
        self.assertEqual((sum(line.count("?") for line in months[:-1]), "? 可能来月经" in months[-1]),
                         (width, True))
        # Forty days on from her last period: late, said first on both, with when it was due.
        notice, forecast = take_in(40)
        self.assertTrue(notice.startswith("本应在 ") and notice.endswith(" 前后开始，已晚 12 天。"),
                        notice)
        history = run("--history").splitlines()
        self.assertEqual((history[0], history[-len(forecast):]), (notice, forecast))

    def test_another_trackers_export_comes_in_as_the_terminal_takes_it(self):
        d = self.browser.driver
        run = in_a_terminal()
        samples = os.path.join(ROOT, "tests", "data", "imports")
        for name in sorted(os.listdir(samples)):  # Periodical's unpacked by the browser
            with self.subTest(name):
                d.execute_script("localStorage.clear()")
                self.browser.open()
                self.pick(os.path.join(samples, name))
                run("--clear")
                said = run("--import", os.path.join(samples, name)).strip()
                self.assertEqual(d.find_element(By.ID, "recordReport").text, said)
                # A record of 2024 is too old to foretell from: the notice comes first.
                notice = d.find_element(By.ID, "recordNotice").text
                self.assertEqual([notice] + self.recorded(), run("--history").splitlines()[:4])
        # gzip by one rule on both: members one after another come in, stray bytes after the
        # last refuse the file, with the same words.
        member = gzip.compress(b"2024-01-03\n2024-02-01\n")
        folder = tempfile.mkdtemp()
        for name, packed, report in (
                ("three members.gz", member * 2 + gzip.compress(b"2024-03-01\n"), "导入了 3 天。"),
                ("stray bytes.gz", member + b"xyz", engine_texts()["importBroken"]),
                # Stored unpacked, with a hundred thousand headers of members that are not:
                # read in the time one member takes, not tried at every one of them.
                ("headers inside.gz", stored(b"2024-01-03\n2024-02-01\n" + b"\x1f\x8b\x08" * 100000),
                 "导入了 2 天。有 1 行不是日期，没有导入。")):
            with self.subTest(name):
                path = os.path.join(folder, name)
                with open(path, "wb") as file:
                    file.write(packed)
                d.execute_script("localStorage.clear()")
                self.browser.open()
                self.pick(path)
                run("--clear")
                terminal = run("--import", path)
                self.assertEqual((d.find_element(By.ID, "recordReport").text, terminal.strip()),
                                 (report, report if report.startswith("导入") else ""))

    def test_a_gzip_that_unpacks_to_a_gigabyte_is_refused_without_being_held(self):
        d = self.browser.driver
        path = os.path.join(tempfile.mkdtemp(), "backup.json.gz")
        packer, zeros = zlib.compressobj(9, zlib.DEFLATED, 31), bytes(1 << 20)  # 31: gzip
        with open(path, "wb") as file:
            for _ in range(1024):
                file.write(packer.compress(zeros))
            file.write(packer.flush())
        d.execute_script("localStorage.clear()")
        self.browser.open()
        # The tab's peak memory while it reads the file, over what it held before.
        renderers = renderer_pids(d.browser_pid)
        held = {}
        for pid in renderers:
            with open("/proc/%d/clear_refs" % pid, "w") as peak:
                peak.write("5")  # the peak starts again from now
            held[pid] = memory_of(pid, "VmRSS")
        self.pick(path)
        grown = max(memory_of(pid, "VmHWM") - held[pid] for pid in renderers)
        self.assertEqual(d.find_element(By.ID, "recordReport").text, "文件太大（超过 1 MB），没有导入。")
        self.assertLess(grown, 50 << 20)
        self.assertEqual(self.recorded(), [])

    def test_her_record_is_kept_across_tabs_a_refusing_store_and_a_lifetime(self):
        d = self.browser.driver
        texts = engine_texts()
        # Two tabs of the page: each change starts from what the other kept.
        self.browser.calculate("2004-02-19", "28")
        first = d.current_window_handle
        d.switch_to.new_window("tab")
        self.browser.open()
        self.browser.calculate("2004-02-19", "28")
        d.switch_to.window(first)
        self.choose("2004-02-19", texts["recordDay"])
        d.switch_to.window([h for h in d.window_handles if h != first][0])
        wait(d, "return document.querySelectorAll('#recordLines li').length === 1")
        self.choose("2004-03-18", texts["recordDay"])
        self.assertEqual(d.execute_script("return localStorage.getItem('velmora.record')"),
                         "2004-02-19\n2004-03-18\n")
        d.close()
        d.switch_to.window(first)
        wait(d, "return document.querySelectorAll('#recordLines li').length === 2")
        # A later day of her period is no new period: it offers taking the period out.
        self.choose("2004-02-21", "删除 2004-02-19 起的记录")
        self.assertEqual(d.find_element(By.ID, "dayChoiceWhere").get_attribute("textContent"),
                         "2004-02-21 在 2004-02-19 起记下的月经期内。")
        self.assertEqual(self.recorded(), ["2004-03-18"])
        # A store that refuses: she is told, and the page shows what it keeps.
        d.execute_script("Storage.prototype.setItem = function () {"
                         " throw new DOMException('full', 'QuotaExceededError'); }")
        self.choose("2004-03-04", texts["recordDay"])
        self.assertEqual(d.find_element(By.ID, "recordReport").text, texts["notKept"])
        self.assertEqual(self.recorded(), ["2004-03-18"])
        self.assertNotIn("已记下", self.cells()["2004-03-04"])
        # The largest record the engine takes: the page starts, shows the latest days and the
        # rest on request, and still calculates.
        self.browser.open()
        d.execute_script("""
            const days = [];
            for (let day = Date.UTC(1700, 0, 1), i = 0; i < 95000; ++i, day += 86400000)
                days.push(new Date(day).toISOString().slice(0, 10));
            localStorage.setItem('velmora.record', days.join('\\n') + '\\n');""")
        self.browser.open()
        self.assertEqual(len(self.recorded()), 100)
        self.assertTrue(self.recorded()[-1].startswith("1960-02-"))
        d.find_element(By.ID, "showEarlier").click()
        self.assertEqual(len(self.recorded()), 400)
        self.assertEqual(len(self.browser.calculate("2004-02-19", "28")), 6)
        self.assertFalse(d.find_element(By.ID, "cannotStart").is_displayed())

    def test_today_is_marked_and_a_cycle_of_999999_days_answers(self):
        d = self.browser.driver
        today = datetime.datetime.now(datetime.timezone(datetime.timedelta(hours=8))).date()
        self.browser.calculate(today.isoformat(), "28")
        marked = d.find_elements(By.CSS_SELECTOR, "#months td[aria-current='date']")
        self.assertEqual([cell.get_attribute("aria-label") for cell in marked],
                         ["%s 星期%s 今天 月经期" % (today.isoformat(),
                                                   "日一二三四五六"[today.isoweekday() % 7])])
        lines = self.browser.calculate("1601-01-01", "999999")
        self.assertEqual(len(lines), 6)
        self.assertEqual(len(d.find_elements(By.CSS_SELECTOR, "#months table")), 3)

    def test_day_numbers_read_on_their_colours_in_light_and_dark(self):
        d = self.browser.driver
        # Every kind in sight, 可能来月经 (2004-04-13 to 18) too.
        d.execute_script("localStorage.setItem('velmora.record', '2004-01-21\\n2004-02-19\\n2004-03-18\\n')")
        self.browser.open()
        self.browser.calculate("2004-03-18", "28")
        self.assertEqual(len([cell for cell in d.find_elements(By.CSS_SELECTOR, "#months td")
                              if (cell.get_attribute("aria-label") or "").endswith("可能来月经")]), 6)
        try:
            for scheme in ("light", "dark"):
                with self.subTest(scheme):
                    d.execute_cdp_cmd("Emulation.setEmulatedMedia", {
                        "features": [{"name": "prefers-color-scheme", "value": scheme}]})
                    lowest = d.execute_script("""
                        const luminance = (css) => {
                            const [r, g, b] = css.match(/[\\d.]+/g).slice(0, 3).map((v) => {
                                const c = v / 255;
                                return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
                            });
                            return 0.2126 * r + 0.7152 * g + 0.0722 * b;
                        };
                        return Math.min(...[...document.querySelectorAll(
                            '#months td[class*="colour-"] > span')].map((span) => {
                            const style = getComputedStyle(span);
                            const [a, b] = [luminance(style.color),
                                            luminance(style.backgroundColor)];
                            return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
                        }));""")
                    self.assertGreaterEqual(lowest, 4.5)
        finally:
            d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    # phone width in CSS pixels (180: a 360 px phone zoomed to 200 %), the lines' font, the
    # colour scheme
    PHONES = {
        "320 px": (320, None, "light"),
        "360 px dark": (360, None, "dark"),
        "360 px zoomed to 200 %": (180, None, "light"),
        "360 px zoomed to 200 %, dark": (180, None, "dark"),
        "360 px zoomed to 200 % with the text doubled": (180, "doubled", "light"),
        "320 px with DejaVu Sans Mono": (320, "DejaVu Sans Mono", "light"),
        "320 px with the browser's monospace": (320, "monospace", "light"),
    }

    def test_readable_at_any_size_without_scrolling_sideways(self):
        d = self.browser.driver
        try:
            for name, (width, font, scheme) in self.PHONES.items():
                with self.subTest(name):
                    self.browser.phone(width, 740)
                    d.execute_cdp_cmd("Emulation.setEmulatedMedia", {
                        "features": [{"name": "prefers-color-scheme", "value": scheme}]})
                    self.browser.open()
                    if font == "doubled":  # the browser's text size at 200 %
                        d.execute_script("document.documentElement.style.fontSize = '200%'")
                    elif font:
                        d.execute_script("document.getElementById('lines').style.fontFamily ="
                                         " arguments[0]", font)
                    # No number or Latin name of the help is broken over two rows.
                    self.assertEqual(d.execute_script(
                        "return [...document.querySelectorAll('#lines .whole')]"
                        ".filter(e => e.getClientRects().length !== 1).map(e => e.textContent)"),
                        [])
                    for first_day, cycle in (("2004-02-19", "28"), ("2004-02-19", "1000")):
                        self.browser.calculate(first_day, cycle)
                        d.find_element(By.ID, "showAbout").click()
                        self.assertLessEqual(
                            d.execute_script("return document.documentElement.scrollWidth"),
                            width)
                        # Each control and each day a finger's height; no day's number outside it.
                        heights = d.execute_script(
                            "return [...document.querySelectorAll('input, button, td[data-day]')]"
                            ".filter(e => e.offsetParent).map(e => e.getBoundingClientRect().height)")
                        self.assertGreaterEqual(min(heights), 44)
                        # Seven days of doubled text are wider than 180 px: there a number
                        # wraps inside its day instead.
                        self.assertEqual(font == "doubled" or d.execute_script(
                            "return [...document.querySelectorAll('td[data-day] > span')].filter((n) =>"
                            " { const [a, b] = [n, n.parentNode].map((e) => e.getBoundingClientRect());"
                            " return a.left < b.left || a.right > b.right; }).length") == 0, True)
                        # The lines are as large as the page's own text, and that is the size
                        # the browser is set to, whatever the zoom.
                        self.assertTrue(d.execute_script(
                            "const size = (e) => parseFloat(getComputedStyle(e).fontSize);"
                            "return size(document.querySelector('#lines li')) >= size(document.body)"
                            " && size(document.body) === size(document.documentElement)"))
                        # Each month button keeps the focus; 今天 hands it to today.
                        for button in d.find_elements(By.CSS_SELECTOR, "#monthButtons button"):
                            button.click()
                            self.assertIn(d.switch_to.active_element.get_attribute("data-word")
                                          or d.switch_to.active_element.get_attribute(
                                              "aria-current"), (button.get_attribute(
                                                  "data-word"), "date"))
                        # Escape closes 关于 wherever the focus is.
                        d.find_element(By.ID, "cycle").click()
                        d.switch_to.active_element.send_keys(Keys.ESCAPE)
                        self.assertFalse(d.find_element(By.ID, "about").is_displayed())
        finally:
            self.browser.phone(412, 915)
            d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    def test_a_page_that_cannot_compute_says_so_in_its_own_words(self):
        d = self.browser.driver
        texts = engine_texts()
        broken = copy_of_site()
        os.remove(os.path.join(broken, "velmora-engine.wasm"))
        server, origin = serve(broken)
        without = d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                    {"source": "if (location.href.startsWith(%r))"
                                               " delete window.WebAssembly;" % self.browser.origin})
        try:
            for name, url in (("the engine is missing", origin),
                              ("a browser without WebAssembly", self.browser.origin + "/")):
                with self.subTest(name):
                    d.get(url)
                    alert = WebDriverWait(d, 20).until(
                        lambda _: d.find_element(By.ID, "cannotStart"))
                    WebDriverWait(d, 20).until(lambda _: alert.is_displayed())
                    self.assertEqual(alert.get_attribute("role"), "alert")
                    self.assertEqual(alert.text, texts["cannotStart"])
                    self.assertFalse(d.find_element(By.ID, "calculate").is_enabled())
                    # The captions speak before the engine, with the engine's words.
                    self.assertEqual(
                        [d.find_element(By.ID, i).get_attribute("textContent")
                         for i in ("dateCaption", "cycleCaption", "calculate", "export",
                                   "showAbout")],
                        [texts["dateCaption"], texts["cycleCaption"], texts["calculate"],
                         texts["exportCalendar"], texts["about"]])
                    self.assertEqual(
                        [d.find_element(By.CSS_SELECTOR, s).get_attribute("textContent")
                         for s in ("#newVersion span", "#reload", "#recordTitle", "#clearRecord")],
                        [texts["newVersion"], texts["reload"], texts["recordTitle"],
                         texts["clearRecord"]])
                    # What she kept can still be cleared, with the engine's question.
                    d.execute_script("localStorage.setItem('velmora.record', '2004-02-19\\n')")
                    d.find_element(By.ID, "clearRecord").click()
                    self.assertEqual(d.switch_to.alert.text, texts["clearQuestion"])
                    d.switch_to.alert.accept()
                    self.assertIsNone(
                        d.execute_script("return localStorage.getItem('velmora.record')"))
        finally:
            d.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", without)
            server.shutdown()
            server.server_close()

    def test_the_web_build_answers_as_the_native_build_over_the_fuzz_corpora(self):
        texts = []
        for path in sorted(glob.glob(os.path.join(ROOT, "fuzz", "corpus", "*", "*"))):
            with open(path, "rb") as seed:
                texts.append(seed.read())
        texts += [b"28", b"28\xe5\xa4\xa9", b"1e400", b"", b"&H1C", b"4.9e-324", b"-0"]
        days = ["1601-01-01", "2004-02-19", "2004-02-29", "9999-11-01", "9999-12-31", "", "x"]
        inputs = [(day, text) for text in texts for day in days]
        native = subprocess.run(
            [ANSWERS], input="".join("%s\t%s\n" % (day, text.hex()) for day, text in inputs)
            .encode(), capture_output=True, check=True).stdout.decode().splitlines()
        web = self.browser.driver.execute_async_script("""
            const [inputs, done] = arguments;
            VelmoraEngine().then((m) => {
                const bytes = (hex) => Uint8Array.from(hex.match(/../g) || [], (h) => parseInt(h, 16));
                const call = (name, args, numbers) => m.UTF8ToString(m['_velmora_' + name](
                    ...args.flatMap((b) => { const at = m._malloc(b.length || 1);
                                             m.HEAPU8.set(b, at); return [at, b.length]; }), ...numbers));
                const out = [m.UTF8ToString(m._velmora_page_texts(1e9, 480))];
                for (const [day, hex] of inputs) {
                    const args = [new TextEncoder().encode(day), bytes(hex)];
                    out.push(call('calculate', [...args, args[1]], [1e9]),
                             call('remembered', args, []), call('restored', args, []),
                             call('record_take_in', [args[1], args[1], args[0]], [2, 1e9, 480]),
                             call('record_offer', [args[1], args[0]], [1e9, 480]));
                }
                done(out);
            });""", [[day, text.hex()] for day, text in inputs])
        self.assertEqual(len(web), len(native))
        for index, (got, want) in enumerate(zip(web, native)):
            self.assertEqual(got, want, inputs[max(index - 1, 0) // 5])

    def test_an_update_replaces_every_file_and_still_works_offline(self):
        # A host that lets browsers keep its files for ten minutes serves version A, then B.
        d = self.browser.driver
        folder = copy_of_site()
        server, origin = serve(folder, "max-age=600")
        try:
            d.get(origin)
            wait(d, "return document.documentElement.dataset.ready === 'true'"
                    " && navigator.serviceWorker.controller !== null")
            with open(os.path.join(folder, "velmora.css"), "a") as css:
                css.write("\n/* version B */\n")
            with open(os.path.join(folder, "sw.js")) as worker:
                script = worker.read().replace('"velmora-', '"velmora-B', 1)
            with open(os.path.join(folder, "sw.js"), "w") as worker:
                worker.write(script)
            # The next visit finds B; the page, still A's, offers it and takes it on request.
            d.refresh()
            wait(d, "return !document.getElementById('newVersion').hidden")
            d.find_element(By.ID, "reload").click()
            wait(d, "return document.documentElement.dataset.ready === 'true'"
                    " && document.getElementById('newVersion').hidden")
            cached = d.execute_async_script("""
                const done = arguments[0];
                (async () => {
                    const names = await caches.keys();
                    const cache = await caches.open(names[names.length - 1]);
                    const files = {};
                    for (const request of await cache.keys()) {
                        const bytes = await (await cache.match(request)).arrayBuffer();
                        const digest = await crypto.subtle.digest('SHA-256', bytes);
                        files[new URL(request.url).pathname] = [...new Uint8Array(digest)]
                            .map((b) => b.toString(16).padStart(2, '0')).join('');
                    }
                    done({names, files});
                })();""")
            self.assertEqual(len(cached["names"]), 1)
            self.assertTrue(cached["names"][0].startswith("velmora-B"))
            expected = {}
            for path in glob.glob(os.path.join(folder, "**", "*"), recursive=True):
                if os.path.isfile(path) and not path.endswith("sw.js"):
                    with open(path, "rb") as file:
                        expected["/" + os.path.relpath(path, folder)] = hashlib.sha256(
                            file.read()).hexdigest()
            expected["/"] = expected["/index.html"]
            self.assertEqual(cached["files"], expected)
            # B, whole, offline.
            server.shutdown()
            server.server_close()
            d.refresh()
            wait(d, "return document.documentElement.dataset.ready === 'true'")
            _, printed = cli("2004-02-19", "28")
            self.assertEqual(self.browser.calculate("2004-02-19", "28"),
                             printed.decode().splitlines())
        finally:
            server.shutdown()
            server.server_close()
            d.get(self.browser.origin + "/")

    def test_zz_works_offline_and_nothing_left_the_origin(self):
        # Runs last: it stops the server. The service worker must hold the page by now.
        d = self.browser.driver
        d.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        wait(d, "return navigator.serviceWorker.controller !== null")
        self.browser.server.shutdown()
        self.browser.server.server_close()
        d.refresh()
        wait(d, "return document.documentElement.dataset.ready === 'true'")
        _, printed = cli("2004-02-19", "28")
        self.assertEqual(self.browser.calculate("2004-02-19", "28"), printed.decode().splitlines())
        self.browser.log_requests()
        self.assertTrue(self.browser.requests)
        # Whatever goes over a network: the browser's own pages and data: addresses do not.
        strangers = {url for url in self.browser.requests
                     if url.split(":")[0] not in ("chrome", "data", "about")
                     and not url.startswith(tuple(prefix + origin for origin in
                                                  SERVED + [self.browser.origin + "/"]
                                                  for prefix in ("", "blob:")))}
        self.assertEqual(strangers, set())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
