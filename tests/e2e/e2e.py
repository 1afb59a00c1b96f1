#!/usr/bin/env python3
"""End-to-end scenarios: the real zubi.exe in a fresh portable folder under Wine and a
virtual X display, driven with xdotool as a user would, observed through the files it
writes and through `probe.exe` (what another program on the desktop sees).

usage: e2e.py SCENARIO --exe zubi.exe --probe probe.exe --wav start.wav
              --help-page index.htm --work FOLDER
Needs DISPLAY and the Wine settings of scripts/lib.sh in the environment."""

import argparse
import os
import pwd
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

QUIT_QUESTION = "ZUBIらんちゃを終了して宜しいですか?"
APP_TITLE = "ZUBIらんちゃ"
CONFIRM_TITLE = "確認"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, predicate, timeout=20.0, interval=0.05):
    """Polls until predicate() returns something true; that value is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def ere_escape(text):
    return re.sub(r'([.\[\]()*+?{}|^$\\])', r'\\\1', text)


def xdotool(*args, check_result=False):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    if check_result and result.returncode != 0:
        raise Failure("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
    return result.stdout.strip()


def visible_windows(title):
    """X window ids of the mapped windows whose title is exactly `title`."""
    out = xdotool("search", "--onlyvisible", "--name", "^%s$" % ere_escape(title))
    return [line for line in out.splitlines() if line]


def unescape(text):
    """A text as the probe prints it on one line, with its line breaks back."""
    return re.sub(r"\\(.)", lambda m: {"r": "\r", "n": "\n"}.get(m.group(1), m.group(1)), text)


def desktop_folder():
    return "C:\\users\\%s\\Desktop" % pwd.getpwuid(os.getuid()).pw_name


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


# Wine's own processes of a prefix that do not hold the desktop open.
WINE_SERVICES = ("services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe", "rpcss.exe", "explorer.exe",
                 "winedbg.exe", "conhost.exe")


def wine_programs():
    """(pid, command line) of the live Windows processes of this Wine prefix."""
    prefix = os.environ.get("WINEPREFIX", "")
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            loader = os.path.basename(os.readlink("/proc/%s/exe" % pid))
            if not loader.startswith("wine") or loader.startswith("wineserver"):
                continue
            with open("/proc/%s/environ" % pid, "rb") as f:
                environ = f.read().split(b"\0")
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                command = f.read().replace(b"\0", b" ").decode("utf-8", "replace").strip()
            with open("/proc/%s/stat" % pid) as f:
                zombie = f.read().rsplit(")", 1)[1].split()[0] == "Z"
        except OSError:
            continue
        if not zombie and ("WINEPREFIX=" + prefix).encode() in environ:
            found.append((pid, command))
    return found


def wait_for_closing_desktop():
    """Wine closes a prefix's desktop (explorer.exe /desktop) about a second after the
    last program on it ended. A program started while it closes gets no display driver:
    its windows never show. So while the desktop is there with no program left on it,
    the next program waits until it has gone, and then starts a desktop of its own."""
    def closing():
        programs = wine_programs()
        desktop = any("explorer.exe" in command and "/desktop" in command for _, command in programs)
        held = any(not any(name in command.split(" ")[0] for name in WINE_SERVICES) for _, command in programs)
        return desktop and not held
    wait_for("the desktop of the last scenario to close", lambda: not closing(), 20.0)


def restart_wine(s):
    """Ends the prefix's programs and its wineserver, as a restart of Windows does, and
    starts again the keeper of the desktop that the test run started (scripts/lib.sh)."""
    held = any("probe.exe desktop" in command for _, command in wine_programs())
    subprocess.run(["wineserver", "-k"], capture_output=True)
    if not held:
        return
    out = s.path("desktop.txt")
    with open(out, "wb") as f:
        subprocess.Popen(["wine64", s.args.probe, "desktop"], stdin=subprocess.DEVNULL, stdout=f,
                         stderr=subprocess.DEVNULL, start_new_session=True)
    wait_for("the desktop held again", lambda: "holding" in open(out).read(), 30.0)


class Session:
    """One portable folder and the launcher processes started from it."""

    def __init__(self, args, name):
        self.args = args
        self.folder = os.path.join(args.work, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(os.path.join(self.folder, "DATA"))
        os.makedirs(os.path.join(self.folder, "help"))
        shutil.copy(args.exe, os.path.join(self.folder, "zubi.exe"))
        shutil.copy(args.wav, os.path.join(self.folder, "start.wav"))
        shutil.copy(args.help_page, os.path.join(self.folder, "help", "index.htm"))
        self.processes = []

    def path(self, name):
        return os.path.join(self.folder, name)

    def windows_path(self, name):
        return windows_path_of(self.path(name))

    def start(self, exe="zubi.exe"):
        wait_for_closing_desktop()
        process = subprocess.Popen(["wine64", exe], cwd=self.folder,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def stop(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    pass

    def read_text_if_there(self, name):
        """read_text, or None while the file is not there."""
        try:
            return self.read_text(name)
        except FileNotFoundError:
            return None

    def read_text(self, name):
        """A settings or page file as text: code page 932, or UTF-8 after its mark."""
        with open(self.path(name), "rb") as f:
            data = f.read()
        if data.startswith(b"\xef\xbb\xbf"):
            return data[3:].decode("utf-8")
        return data.decode("cp932")

    def probe(self, *args):
        out = subprocess.run(["wine64", self.args.probe, *args], capture_output=True)
        return out.returncode, out.stdout.decode("utf-8", "replace")

    def texts(self, title):
        """Controls of a visible window: a list of (class, text, id, enabled, rect),
        and its client origin on the screen."""
        code, out = self.probe("texts", title)
        if code != 0:
            return None, None
        lines = [line.split("\t") for line in out.splitlines() if line]
        origin = tuple(int(v) for v in lines[0][1].split(","))
        controls = [(c[0], unescape(c[1]), int(c[2]), c[3] == "1", tuple(int(v) for v in c[4].split(",")))
                    for c in lines[1:]]
        return controls, origin

    def shown_texts(self, title, timeout=10.0):
        """texts() of a window that shows, asked again while the probe cannot read it
        yet (a busy machine)."""
        def read():
            controls, origin = self.texts(title)
            return (controls, origin) if controls is not None else None
        return wait_for("the controls of '%s'" % title, read, timeout)

    def top_level(self):
        _, out = self.probe("windows")
        rows = []
        for line in out.splitlines():
            parts = line.split("\t")
            if len(parts) >= 6:
                rows.append({"hwnd": parts[0], "class": parts[1], "title": parts[2], "visible": parts[3] == "1",
                             "rect": tuple(int(v) for v in parts[4].split(","))})
        return rows

    def wait_window(self, title, timeout=20.0):
        return wait_for("window '%s'" % title, lambda: visible_windows(title), timeout)[0]

    def wait_gone(self, title, wid, timeout=10.0):
        wait_for("window '%s' to close" % title, lambda: wid not in visible_windows(title), timeout)

    def focus(self, wid):
        """Gives `wid` the keyboard focus. A window of Wine's that is still being
        activated (one that has just shown, or whose dialog has just closed) takes the
        focus back a moment after it was moved, so it is asked for again until it stays."""
        def focused():
            if xdotool("getwindowfocus") == wid:
                return True
            if time.monotonic() >= asked[0] + 0.5:
                xdotool("windowfocus", wid)
                asked[0] = time.monotonic()
            return False
        xdotool("windowfocus", wid)
        asked = [time.monotonic()]
        wait_for("focus on %s" % wid, focused, 5.0)

    def key(self, wid, *keys):
        self.focus(wid)
        xdotool("key", "--delay", "30", *keys, check_result=True)

    def click(self, x, y, button="1", repeat=1):
        xdotool("mousemove", str(x), str(y))
        wait_for("the pointer at %d,%d" % (x, y),
                 lambda: xdotool("getmouselocation").startswith("x:%d y:%d " % (x, y)), 5.0)
        xdotool("click", "--repeat", str(repeat), "--delay", "80", button, check_result=True)

    def box_text(self, title):
        """The message of a visible message box and the texts of its buttons."""
        controls = wait_for("the texts of '%s'" % title, lambda: self.texts(title)[0])
        message = [c[1] for c in controls if c[0].lower() == "static" and c[1]]
        buttons = [c[1] for c in controls if c[0].lower() == "button" and c[1]]
        return (message[-1] if message else ""), buttons

    def quit_with_yes(self, caption):
        """File > Exit from the keyboard, then "はい(&Y)"; the program must end."""
        self.key(self.wait_window(caption), "alt+f", "x")
        box = self.wait_window(CONFIRM_TITLE)
        message, _ = self.box_text(CONFIRM_TITLE)
        check(message == QUIT_QUESTION, "quit question reads %r" % message)
        self.key(box, "y")
        process = self.processes[0]
        process.wait(timeout=15)
        check(process.returncode == 0, "the launcher ended with %s" % process.returncode)

    def screenshot(self, name="screenshot.png"):
        subprocess.run(["import", "-window", "root", self.path(name)], check=False)


FIRST_RUN_SETTINGS = ["[Setting]", "Left=100", "Top=100", "UserNo=1", "",
                      "[User1]", "PageNoControl=1", "ToDir=%s", "PageNo=1", "",
                      "[User]", "User1=User1", ""]


def first_run(s):
    """A fresh folder: the settings file of a first start, an untitled first page,
    the window laid out as designed, and a title typed into the title box."""
    s.start()
    caption = "User1 - Page 1/1"
    s.wait_window(caption)
    expected = crlf(FIRST_RUN_SETTINGS) % desktop_folder()
    wait_for("the settings file", lambda: os.path.exists(s.path("zubi.ini")))
    check(s.read_text("zubi.ini") == expected, "settings file:\n%r\nexpected:\n%r"
          % (s.read_text("zubi.ini"), expected))
    check(s.read_text("DATA/User11.dat") == crlf(["[PageTitle]", "PageTitle=", ""]),
          "page file: %r" % s.read_text("DATA/User11.dat"))

    controls, origin = s.texts(caption)
    places = {c[2]: c[4] for c in controls}
    check(places.get(103) == (56, 0, 188, 20), "title box at %s" % (places.get(103),))
    check(places.get(121) == (4, 104, 26, 129), "'T' at %s" % (places.get(121),))
    check(places.get(129) == (171, 110, 186, 130), "page count arrows at %s" % (places.get(129),))
    nav = [c for c in controls if 121 <= c[2] <= 126]
    check(len(nav) == 6 and not any(c[3] for c in nav), "on page 1 of 1 all six buttons are disabled")

    s.click(origin[0] + 120, origin[1] + 10)
    xdotool("type", "--delay", "40", "Tools")
    wait_for("the typed title in the page file",
             lambda: "PageTitle=Tools\r\n" in s.read_text("DATA/User11.dat"))
    s.screenshot()
    s.quit_with_yes(caption)


def quit_question(s):
    """The close box asks first: No keeps the program and the settings it just saved;
    Yes ends it. 終了 in the tray icon's menu asks the same, and after a No the icon's
    next right click opens its menu again, which takes keys."""
    with open(s.path("zubi.ini"), "wb") as f:
        f.write(crlf(["[User1]", "Tray=1"]).encode("cp932"))
    s.start()
    caption = "User1 - Page 1/1"
    s.wait_window(caption)
    code, out = s.probe("closebox", caption)
    check(code == 0, "the window has a close box")
    x, y = (int(v) for v in out.strip().split(","))
    os.remove(s.path("zubi.ini"))
    s.click(x, y)
    box = s.wait_window(CONFIRM_TITLE)
    message, buttons = s.box_text(CONFIRM_TITLE)
    check(message == QUIT_QUESTION, "question reads %r" % message)
    check(buttons == ["はい(&Y)", "いいえ(&N)"], "buttons read %r" % buttons)
    # The close request saved before it asked: the user name first, then the position.
    saved = crlf(FIRST_RUN_SETTINGS[-3:] + FIRST_RUN_SETTINGS[:-3]) % desktop_folder()
    check(s.read_text("zubi.ini") == saved,
          "settings saved before the question: %r" % s.read_text("zubi.ini"))
    s.key(box, "n")
    s.wait_gone(CONFIRM_TITLE, box)
    time.sleep(0.5)
    check(s.processes[0].poll() is None, "No keeps the launcher running")
    check(visible_windows(caption), "the launcher window stays")
    for _ in range(2):
        time.sleep(1.0)  # two right clicks within the double-click time are a double click
        xdotool("mousemove", "300", "300")
        tray_click(s, button="3")
        wait_for("the tray menu", lambda: menus(s), 3.0)
        xdotool("key", "x")  # 終了(&X)
        box = s.wait_window(CONFIRM_TITLE, 5.0)
        s.key(box, "n")
        s.wait_gone(CONFIRM_TITLE, box)

    s.click(x, y)
    s.wait_window(CONFIRM_TITLE)
    _, box_origin = s.texts(CONFIRM_TITLE)
    yes = [c for c in s.texts(CONFIRM_TITLE)[0] if c[1] == "はい(&Y)"][0][4]
    s.click(box_origin[0] + (yes[0] + yes[2]) // 2, box_origin[1] + (yes[1] + yes[3]) // 2)
    s.processes[0].wait(timeout=15)
    check(s.processes[0].returncode == 0, "a real click on はい(&Y) ends the program")


def second_instance(s):
    """A second start of the same executable ends at once and leaves one launcher; a
    launcher hidden by a title-bar double click stays hidden. Another file name runs
    beside it."""
    with open(s.path("zubi.ini"), "wb") as f:
        f.write(crlf(["[User1]", "TitleDbClk=1"]).encode("cp932"))
    s.start()
    caption = "User1 - Page 1/1"
    wid = s.wait_window(caption)

    second = s.start()
    second.wait(timeout=30)
    check(second.returncode == 0, "the second start ended with %s" % second.returncode)
    check(len(visible_windows(caption)) == 1, "one launcher window")
    apps = [w for w in s.top_level() if w["class"] == "ZubiApplication"]
    check(len(apps) == 1, "one running instance, found %d" % len(apps))
    check(s.processes[0].poll() is None, "the first instance runs on")

    code, out = s.probe("closebox", caption)
    _, y = (int(v) for v in out.strip().split(","))
    geometry = xdotool("getwindowgeometry", wid)
    left = int(re.search(r"Position: (-?\d+),", geometry).group(1))
    s.click(left + 30, y, repeat=2)
    wait_for("the launcher to hide", lambda: not visible_windows(caption), 5.0)
    third = s.start()
    third.wait(timeout=30)
    time.sleep(0.5)
    check(not visible_windows(caption), "a hidden launcher stays hidden after a second start")

    shutil.copy(s.path("zubi.exe"), s.path("zubi2.exe"))
    s.start("zubi2.exe")
    wait_for("the copy's own window", lambda: visible_windows(caption))
    check(os.path.exists(s.path("zubi2.ini")), "the copy keeps its own settings file")


def unwritable_settings(s):
    """A folder stands where the settings file should be: each failed write is
    reported with the file's path, and the launcher keeps running."""
    os.makedirs(s.path("zubi.ini"))
    expected = "ファイル %s を作成できません" % s.windows_path("zubi.ini")
    s.start()
    for _ in range(2):  # SavePosition, then SaveUserName, at the end of the start
        box = s.wait_window(APP_TITLE)
        message, buttons = s.box_text(APP_TITLE)
        check(message == expected, "message reads %r, expected %r" % (message, expected))
        check(buttons == ["OK"], "buttons %r" % buttons)
        s.key(box, "Return")
        s.wait_gone(APP_TITLE, box)
    caption = "User1 - Page 1/1"
    s.wait_window(caption)
    check(s.processes[0].poll() is None, "the launcher keeps running")

    s.key(s.wait_window(caption), "alt+f", "x")
    box = s.wait_window(APP_TITLE)
    check(s.box_text(APP_TITLE)[0] == expected, "the save before quitting is reported too")
    s.key(box, "Return")
    box = s.wait_window(CONFIRM_TITLE)
    s.key(box, "y")
    s.processes[0].wait(timeout=15)
    check(os.path.isdir(s.path("zubi.ini")), "the folder is left alone")


def bad_settings_files(s):
    """Garbage, a huge file, invalid code-page bytes and absurd numbers: the launcher
    starts with the defaults and shows no message."""
    rng = random.Random(7)
    garbage = bytes(rng.randrange(256) for _ in range(256 * 1024))
    line = b"[Noise]\r\nkey=" + b"x" * 500 + b"\r\n"
    huge = line * (24 * 1024 * 1024 // len(line))
    absurd = crlf(["[Setting]", "Left=-30", "Top=99999999999", "UserNo=abc",
                   "[User1]", "PageNo=1", "PageNoControl=1", "FormColor=12"]).encode("cp932") \
        + b"[User]\r\nUser9=\x81\xff\xa0\r\n"
    for name, content, position in (("garbage", garbage, (100, 100)), ("huge", huge, (100, 100)),
                                     ("absurd", absurd, (0, 100))):
        with open(s.path("zubi.ini"), "wb") as f:
            f.write(content)
        s.processes = []
        s.start()
        wid = s.wait_window("User1 - Page 1/1", timeout=60)
        geometry = xdotool("getwindowgeometry", wid)
        found = tuple(int(v) for v in re.search(r"Position: (-?\d+),(-?\d+)", geometry).groups())
        check(found == position, "%s: window at %s, expected %s" % (name, found, position))
        boxes = [w for w in s.top_level() if w["class"] == "#32770" and w["visible"]]
        check(not boxes, "%s: no message box, found %r" % (name, boxes))
        s.stop()


def missing_data_folder(s):
    """Without a DATA folder the launcher makes one and writes the first page."""
    shutil.rmtree(s.path("DATA"))
    s.start()
    s.wait_window("User1 - Page 1/1")
    wait_for("DATA\\User11.dat", lambda: os.path.exists(s.path("DATA/User11.dat")))
    check(s.read_text("DATA/User11.dat") == crlf(["[PageTitle]", "PageTitle=", ""]), "untitled first page")


def windows_path_of(path):
    """The Windows form of a path. Right after a scenario's programs end, winepath now
    and then prints one of Wine's messages in the prefix's code page instead: it is
    asked again until it gives a path."""
    said = []

    def convert():
        out = subprocess.run(["winepath", "-w", path], capture_output=True).stdout
        text = out.decode("utf-8", "replace").strip()
        if re.match(r"^[A-Za-z]:\\", text):
            return text
        said.append(out.decode("cp932", "replace").strip())
        return None
    try:
        return wait_for("the Windows path of %s" % path, convert, 10.0)
    except Exception:
        print("winepath said: %r" % said[-3:])
        raise


def write_cp932(s, name, lines):
    with open(s.path(name), "wb") as f:
        f.write(crlf(lines).encode("cp932"))


def click_control(s, caption, control_id, dx=0, dy=0, repeat=1, button="1"):
    """A real click at the middle of a control of the launcher window."""
    controls, origin = s.shown_texts(caption)
    rect = next(c[4] for c in controls if c[2] == control_id)
    x = origin[0] + (rect[0] + rect[2]) // 2 + dx
    y = origin[1] + (rect[1] + rect[3]) // 2 + dy
    s.click(x, y, button=button, repeat=repeat)


def wait_caption(s, page, count, timeout=10.0):
    caption = "User1 - Page %d/%d" % (page, count)
    s.wait_window(caption, timeout)
    return caption


def buttons_and_pages(s):
    """A page of two registered buttons: a real click on the first starts the recorder
    with its parameters and folder; the navigation buttons, the Page menu and the page
    list move through ten pages."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    with open(s.path("readme.txt"), "w") as f:
        f.write("a document\n")
    os.makedirs(s.path("work folder"))
    recorder = s.windows_path("recorder.exe")
    write_cp932(s, "zubi.ini", ["[User1]", "PageNo=9", "PageNoControl=10"])
    write_cp932(s, "DATA/User19.dat", ["[PageTitle]", "PageTitle=九ページ目", "[Button1]", "ProgPath=" + recorder,
                                       "ProgTitle=記録", "ProgDir=" + s.windows_path("work folder"),
                                       "ProgOption=one \"two three\"", "ProgState=2",
                                       "[Button2]", "ProgPath=" + s.windows_path("readme.txt")])
    for page in range(1, 11):
        if page != 9:
            write_cp932(s, "DATA/User1%d.dat" % page, ["[PageTitle]", "PageTitle=Title %d" % page])
    s.start()
    caption = wait_caption(s, 9, 10)
    time.sleep(0.5)
    s.screenshot()

    click_control(s, caption, 111)  # LaunchButton1
    log = wait_for("the recorder's log", lambda: os.path.exists(s.path("recorder.log"))
                   and open(s.path("recorder.log"), encoding="utf-8").read())
    line = log.strip().split("\n")[-1].split("\t")
    check(line[0].endswith('one "two three"'), "command line %r" % line[0])
    check(line[1] == s.windows_path("work folder"), "working folder %r" % line[1])
    check(line[2] == "2", "show command %r" % line[2])

    click_control(s, caption, 125)  # ">>"
    caption = wait_caption(s, 10, 10)
    for button, page in ((121, 1), (124, 2), (124, 3)):  # "T", ">", ">"
        time.sleep(0.25)  # the buttons' states follow within one timer tick
        click_control(s, caption, button)
        caption = wait_caption(s, page, 10)
    click_control(s, caption, 125)
    caption = wait_caption(s, 6, 10)
    click_control(s, caption, 126)  # "F"
    caption = wait_caption(s, 10, 10)
    s.key(s.wait_window(caption), "alt+m", "n")  # 次のﾍﾟｰｼﾞ(&N) wraps round
    caption = wait_caption(s, 1, 10)

    click_control(s, caption, 103, repeat=2)  # a double click on the title box
    list_title = "ﾍﾟｰｼﾞﾀｲﾄﾙ一覧"
    s.wait_window(list_title)
    code, out = s.probe("items", list_title)
    lines = out.splitlines()
    expected = ["Title %d" % p if p != 9 else "九ページ目" for p in range(1, 11)]
    check(lines[:-1] == expected, "the list shows %r" % lines[:-1])
    height = int(lines[-1].split()[1])
    controls, origin = s.texts(list_title)
    box = next(c[4] for c in controls if c[0].lower() == "listbox")
    s.click(origin[0] + box[0] + 20, origin[1] + box[1] + 2 + height * 2 + height // 2)
    wait_caption(s, 3, 10)
    wait_for("the list to close after the jump", lambda: not visible_windows(list_title), 5.0)

    caption = wait_caption(s, 3, 10)
    click_control(s, caption, 129, dy=-5)  # the page count's upper arrow
    caption = wait_caption(s, 3, 11)
    check("PageNoControl=11" in s.read_text("zubi.ini"), "the new page count is saved")
    s.quit_with_yes(caption)


def page_list_keys(s):
    """The page list chosen from with the keyboard: End jumps to the last page, and
    its title shows in the title box."""
    write_cp932(s, "zubi.ini", ["[User1]", "PageNo=2", "PageNoControl=3"])
    for page in (1, 2, 3):
        write_cp932(s, "DATA/User1%d.dat" % page, ["[PageTitle]", "PageTitle=頁%d" % page])
    s.start()
    caption = wait_caption(s, 2, 3)
    click_control(s, caption, 103, repeat=2)  # a double click on the title box
    list_title = "ﾍﾟｰｼﾞﾀｲﾄﾙ一覧"
    s.key(s.wait_window(list_title), "End")
    caption = wait_caption(s, 3, 3)
    wait_for("the list to close after the jump", lambda: not visible_windows(list_title), 5.0)
    controls, _ = s.texts(caption)
    title = next(c[1] for c in controls if c[2] == 103)
    check(title == "頁3", "the title box shows %r" % title)
    check("PageTitle=頁2\r\n" in s.read_text("DATA/User12.dat"), "page 2 keeps its title")

    click_control(s, caption, 103, repeat=2)
    s.key(s.wait_window(list_title), "Up")
    caption = wait_caption(s, 2, 3)
    s.quit_with_yes(caption)


def saves_while_read(s):
    """Another program opens the settings and page files over and over, as a virus
    scanner does after each write, and another holds the page shown most of the time,
    as a sync client hashing the folder does (250 ms held, 40 ms free): moving through
    pages, raising the page count and typing a title at an ordinary pace save every
    change, with no message and no key lost."""
    write_cp932(s, "zubi.ini", ["[User1]", "PageNo=1", "PageNoControl=4"])
    for page in range(1, 5):
        write_cp932(s, "DATA/User1%d.dat" % page, ["[PageTitle]", "PageTitle=頁%d" % page])
    s.start()
    caption = wait_caption(s, 1, 4)
    reader = subprocess.Popen(["wine64", s.args.probe, "read", "30000", s.windows_path("zubi.ini"),
                               s.windows_path("DATA") + "\\*.dat"], stdout=subprocess.PIPE)
    check(int(reader.stdout.readline()) > 0, "the reader opens the files")
    for page in (2, 3, 4):
        time.sleep(0.25)  # the buttons' states follow within one timer tick
        click_control(s, caption, 124)  # ">"
        caption = wait_caption(s, page, 4)
    click_control(s, caption, 129, dy=-5)  # the page count's upper arrow
    caption = wait_caption(s, 4, 5)
    wait_for("the new page count", lambda: "PageNoControl=5\r\n" in s.read_text("zubi.ini"))
    holder = subprocess.Popen(["wine64", s.args.probe, "hold", "20000", "250", "40",
                               s.windows_path("DATA/User14.dat")], stdout=subprocess.PIPE)
    check(int(holder.stdout.readline()) > 0, "the holder holds the page file")
    click_control(s, caption, 103)  # the title box
    xdotool("key", "End")
    typed = " scannedhash"  # twelve letters; the box holds 24 characters
    xdotool("type", "--delay", "180", typed)
    expected = "PageTitle=頁4%s\r\n" % typed
    wait_for("the whole title in the page file",
             lambda: expected in (s.read_text_if_there("DATA/User14.dat") or ""), 10.0)
    check(reader.poll() is None and holder.poll() is None, "the reader and the holder were at work all the time")
    boxes = [w for w in s.top_level() if w["class"] == "#32770" and w["visible"]]
    check(not boxes, "no message box, found %r" % boxes)
    for other in (reader, holder):
        other.kill()
        other.wait()
    s.quit_with_yes(caption)


USER_TITLE = "ﾕｰｻﾞの選択＆設定"


def users_and_page_data(s):
    """Rename a user with pages 1, 2 and 12 (the files move, the caption follows),
    switch to a never-used user by a click on the list, then delete a page's data
    twice: first an empty title stays, then the file goes."""
    write_cp932(s, "zubi.ini", ["[User1]", "PageNo=2", "PageNoControl=12", "[User]", "User1=Ken"])
    for page in (1, 2, 12):
        write_cp932(s, "DATA/Ken%d.dat" % page, ["[PageTitle]", "PageTitle=Ken %d" % page])
    s.start()
    caption = "Ken - Page 2/12"
    s.key(s.wait_window(caption), "alt+f", "u")  # ﾕｰｻﾞ変更(&U)
    dialog = s.wait_window(USER_TITLE)
    controls, _ = s.texts(USER_TITLE)
    name = next(c[1] for c in controls if c[2] == 104)
    check(name == "Ken", "the name field shows %r" % name)
    s.focus(dialog)
    xdotool("type", "--delay", "40", "Jo")  # replaces the selected name
    click_control(s, USER_TITLE, 108)  # 変更
    caption = s.wait_window("Jo - Page 2/12") and "Jo - Page 2/12"
    wait_for("the renamed files", lambda: all(os.path.exists(s.path("DATA/Jo%d.dat" % p)) for p in (1, 2, 12)))
    check(not any(os.path.exists(s.path("DATA/Ken%d.dat" % p)) for p in (1, 2, 12)), "the old files are gone")
    check("PageTitle=Ken 12" in s.read_text("DATA/Jo12.dat"), "page 12 moved whole")
    check("User1=Jo\r\n" in s.read_text("zubi.ini"), "the new name is stored")

    controls, origin = s.texts(USER_TITLE)
    box = next(c[4] for c in controls if c[2] == 102)  # the user list
    height = 12
    s.click(origin[0] + box[0] + 20, origin[1] + box[1] + 2 + height * 2 + height // 2)  # User3
    caption = s.wait_window("User3 - Page 1/1") and "User3 - Page 1/1"
    wait_for("the dialog to close", lambda: not visible_windows(USER_TITLE), 5.0)
    settings = s.read_text("zubi.ini")
    check("User3=User3\r\n" in settings and "UserNo=3\r\n" in settings, "settings: %r" % settings)

    click_control(s, caption, 103)  # the title box
    xdotool("type", "--delay", "40", "Temp")
    wait_for("the typed title", lambda: "PageTitle=Temp\r\n" in (s.read_text_if_there("DATA/User31.dat") or ""))
    for expected in ("[PageTitle]\r\nPageTitle=\r\n\r\n", None):
        s.key(s.wait_window(caption), "alt+m", "d")  # ﾍﾟｰｼ・ﾃﾞｰﾀﾞ削除(&D)
        box = s.wait_window(CONFIRM_TITLE)
        message, buttons = s.box_text(CONFIRM_TITLE)
        check(message == "このﾍﾟｰｼﾞのﾃﾞｰﾀを削除します。\r\n復旧は出来ませんが宜しいですか?", "question %r" % message)
        check(buttons == ["はい(&Y)", "キャンセル"], "buttons %r" % buttons)
        s.key(box, "y")
        s.wait_gone(CONFIRM_TITLE, box)
        if expected:
            # The page file goes and is written again with the emptied title: absent
            # for a moment in between.
            wait_for("the emptied page", lambda: s.read_text_if_there("DATA/User31.dat") == expected)
        else:
            wait_for("the page file to go", lambda: not os.path.exists(s.path("DATA/User31.dat")))
    time.sleep(0.5)
    check(not os.path.exists(s.path("DATA/User31.dat")), "nothing is written back the second time")
    s.quit_with_yes(caption)


def list_entry_click(s, title, control_id, index, height=12):
    """A real click on line `index` of a list box of a visible window."""
    controls, origin = s.texts(title)
    box = next(c[4] for c in controls if c[2] == control_id)
    s.click(origin[0] + box[0] + 20, origin[1] + box[1] + 2 + height * index + height // 2)


def backup_all_data(s):
    """All data backed up into a folder typed in the folder chooser: the chooser
    starts in ToDir, takes a typed full path far wider than its box, creates both new
    folders of it, and every page file arrives there byte for byte, and nowhere else."""
    # Wine's folder browser does not always reach a deeply nested start folder (it
    # stops on another item of the tree), so ToDir is a short path here.
    backups = os.path.join(tempfile.mkdtemp(prefix="zubi-"), "backups")
    os.makedirs(backups)
    to_dir = windows_path_of(backups)
    write_cp932(s, "zubi.ini", ["[User1]", "ToDir=" + to_dir, "[User]", "User2=Ann"])
    pages = {"User11.dat": ["[PageTitle]", "PageTitle=一"], "Ann3.dat": ["[PageTitle]", "PageTitle=Ann"],
             "odd name.dat": ["[PageTitle]", "PageTitle=x"]}
    for name, lines in pages.items():
        write_cp932(s, "DATA/" + name, lines)
    s.start()
    caption = wait_caption(s, 1, 1)
    s.key(s.wait_window(caption), "alt+f", "u")
    s.wait_window(USER_TITLE)
    click_control(s, USER_TITLE, 111)  # ｺﾋﾟｰ
    copy_title = "ﾃﾞｰﾀｺﾋﾟｰ"
    s.wait_window(copy_title)
    list_entry_click(s, copy_title, 104, 10)  # すべてのﾃﾞｰﾀ
    wait_for("the destination list to be enabled",
             lambda: next(c[3] for c in s.texts(copy_title)[0] if c[2] == 105))
    list_entry_click(s, copy_title, 105, 10)  # ﾊﾞｯｸｱｯﾌﾟ
    wait_for("OK to be enabled", lambda: next(c[3] for c in s.texts(copy_title)[0] if c[2] == 106))
    click_control(s, copy_title, 106)  # OK
    chooser = wait_for("the folder chooser", lambda: [w for w in s.top_level() if w["class"] == "#32770"
                                                     and w["visible"] and w["title"] not in (copy_title, USER_TITLE)])
    title = chooser[0]["title"]
    wid = s.wait_window(title)

    def start_shown():  # the chooser stands on ToDir: its edit box names it
        controls, _ = s.texts(title)
        return controls and any(c[0].lower() == "edit" and c[1] == "backups" for c in controls)
    wait_for("the chooser to start in ToDir", start_shown, 10.0)
    controls, origin = s.texts(title)
    edit = next(c[4] for c in controls if c[0].lower() == "edit")
    s.click(origin[0] + (edit[0] + edit[2]) // 2, origin[1] + (edit[1] + edit[3]) // 2)
    xdotool("key", "ctrl+a")
    # ASCII: xdotool types other characters through a remapped key, which drops or
    # repeats some of them under load.
    first, second = "new backup set of the pages", "the second new folder, named long so that the path runs far"
    typed = "%s\\%s\\%s" % (to_dir, first, second)
    check(len(typed) >= 110, "a typed path of %d characters" % len(typed))
    xdotool("type", "--delay", "20", typed)
    s.key(wid, "Return")
    target = os.path.join(backups, first, second)
    def same(name):
        """The copy is whole: the shell makes the file before it has written it."""
        try:
            with open(os.path.join(target, name), "rb") as a, open(s.path("DATA/" + name), "rb") as b:
                return a.read() == b.read()
        except OSError:
            return False
    wait_for("the backup, each page unchanged", lambda: all(same(n) for n in pages), 30.0)
    arrived = sorted(os.path.relpath(os.path.join(d, n), backups) for d, _, names in os.walk(backups) for n in names)
    check(arrived == sorted(os.path.join(first, second, n) for n in pages), "files in the backups: %r" % arrived)
    wait_for("the copy dialog to close", lambda: not visible_windows(copy_title), 10.0)
    s.key(s.wait_window(USER_TITLE), "Escape")
    wait_for("the user dialog to close", lambda: not visible_windows(USER_TITLE), 10.0)
    s.quit_with_yes(caption)
    check(("ToDir=%s\r\n" % typed) in s.read_text("zubi.ini"),
          "the chosen folder is the new ToDir: %r" % s.read_text("zubi.ini"))
    shutil.rmtree(os.path.dirname(backups), ignore_errors=True)


OPTION_TITLE = "ｵﾌﾟｼｮﾝ設定"
OPTION_KEYS = ["Mouse", "Tray", "Hot", "Shift", "Ctrl", "Alt", "HotKey", "Key", "FormColor", "BtnClk",
               "TitleDbClk", "Sound"]


def pixel(s, x, y):
    """The colour of one screen pixel as (r, g, b)."""
    out = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                         capture_output=True, text=True).stdout
    return tuple(int(v) for v in re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1]).groups())


def tray_click(s, button="1"):
    """A click on the launcher's icon in Wine's system tray window."""
    wid = wait_for("Wine's system tray", lambda: visible_windows("Wine System Tray"))[0]
    geometry = xdotool("getwindowgeometry", wid)
    x, y = (int(v) for v in re.search(r"Position: (-?\d+),(-?\d+)", geometry).groups())
    height = int(re.search(r"Geometry: \d+x(\d+)", geometry).group(1))
    s.click(x + 13, y + height - 13, button=button)


def menu_open(s):
    return any(w["class"] == "#32768" and w["visible"] for w in s.top_level())


def menus(s):
    return {w["hwnd"]: w["rect"] for w in s.top_level() if w["class"] == "#32768" and w["visible"]}


def click_menu_item(s, rect, index, count):
    """A click on item `index` of a menu window of `count` plain items."""
    left, top, right, bottom = rect
    row = (bottom - top - 6) / count
    s.click((left + right) // 2, int(top + 3 + row * index + row / 2))


def tray_menu_choose(s, path, done):
    """Opens the tray icon's menu with its right button and clicks through `path`, a
    list of (item, item count) from the menu into its submenus, until `done()` holds."""
    xdotool("mousemove", "300", "300")
    tray_click(s, button="3")
    seen = set()
    for index, count in path:
        fresh = wait_for("a menu", lambda: {h: r for h, r in menus(s).items() if h not in seen}, 3.0)
        hwnd, rect = next(iter(fresh.items()))
        seen.add(hwnd)
        click_menu_item(s, rect, index, count)
    return wait_for("the menu's command", done, 5.0)


def options_and_display_modes(s):
    """The hot key Ctrl+Shift+F5 turned on in the options dialog: the twelve keys are
    saved in their order and the key hides and shows the launcher; the tray icon's
    click toggles it, its right button opens its menu; colour 7 paints the launcher
    and the dialog; with BtnClk on a launch hides the window."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=", "[Button1]",
                                       "ProgPath=" + s.windows_path("recorder.exe")])
    s.start()
    caption = wait_caption(s, 1, 1)
    launcher = s.wait_window(caption)
    s.key(launcher, "alt+f", "o")  # ｵﾌﾟｼｮﾝ設定(&O)
    s.wait_window(OPTION_TITLE)
    _, dialog_origin = s.texts(OPTION_TITLE)
    click_control(s, OPTION_TITLE, 114)  # the colour list opens; SkyBlue is the eighth colour
    xdotool("key", "--delay", "40", *(["Down"] * 7), "Return")
    for box in (104, 108, 110, 109, 111):  # ﾎｯﾄｷｰ, Ctrl, Shift, Alt (off), 起動ﾎﾞﾀﾝをｸﾘｯｸで非表示
        click_control(s, OPTION_TITLE, box)
    combo = next(c[4] for c in s.texts(OPTION_TITLE)[0] if c[2] == 106)
    s.click(dialog_origin[0] + combo[0] + 20, dialog_origin[1] + (combo[1] + combo[3]) // 2)
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "40", "F5")
    wait_for("the hot key text", lambda: next(c[1] for c in s.texts(OPTION_TITLE)[0] if c[2] == 107)
             == "Ctrl+Shift+F5")
    click_control(s, OPTION_TITLE, 1)  # OK
    wait_for("the dialog to close", lambda: not visible_windows(OPTION_TITLE), 10.0)
    settings = s.read_text("zubi.ini")
    section = settings[settings.index("[User1]"):].split("\r\n\r\n")[0]
    keys = [line.split("=")[0] for line in section.split("\r\n")[1:]]
    check([k for k in keys if k in OPTION_KEYS] == OPTION_KEYS, "option keys in order: %r" % keys)
    check("Hot=1\r\n" in section and "HotKey=Ctrl+Shift+F5\r\n" in section and "BtnClk=1\r\n" in section
          and "FormColor=7\r\n" in section, "saved options: %r" % section)
    time.sleep(0.3)
    _, origin = s.texts(caption)
    check(pixel(s, origin[0] + 2, origin[1] + 110) == (166, 202, 240), "the launcher in colour 7")
    s.key(launcher, "alt+f", "o")
    s.wait_window(OPTION_TITLE)
    time.sleep(0.3)
    _, dialog_origin = s.texts(OPTION_TITLE)
    check(pixel(s, dialog_origin[0] + 200, dialog_origin[1] + 168) == (166, 202, 240), "the dialog in colour 7")
    click_control(s, OPTION_TITLE, 120)  # ｷｬﾝｾﾙ
    wait_for("the dialog to close", lambda: not visible_windows(OPTION_TITLE), 10.0)

    holder = hold_focus(s)  # Wine sees a key only while one of its windows has the focus
    s.focus(launcher)
    xdotool("key", "ctrl+shift+F5")
    wait_for("the hot key to hide the launcher", lambda: not visible_windows(caption), 5.0)
    s.focus(holder)
    xdotool("key", "ctrl+shift+F5")
    s.wait_window(caption, 5.0)

    tray_click(s)
    wait_for("the tray click to hide the launcher", lambda: not visible_windows(caption), 5.0)
    tray_click(s)
    s.wait_window(caption, 5.0)
    tray_menu_choose(s, [], lambda: menu_open(s))  # the right button opens the menu
    s.click(900, 900)  # a click beside it closes the menu
    wait_for("the tray menu to close", lambda: not menu_open(s), 5.0)

    click_control(s, caption, 111)  # LaunchButton1 starts the recorder, and the window hides
    wait_for("the recorder's start", lambda: recorder_starts(s), 15.0)
    wait_for("the launch to hide the launcher", lambda: not visible_windows(caption), 5.0)
    s.focus(holder)
    xdotool("key", "ctrl+shift+F5")
    s.quit_with_yes(caption)


VERSION_TITLE = "バージョン情報"


def https_handler(command, saved):
    """Points the prefix's handler of https addresses at `command`, keeping the old
    one in the file `saved`; with command None the old handler comes back."""
    key = "HKCR\\https\\shell\\open\\command"
    if command is None:
        subprocess.run(["wine64", "reg", "import", saved], capture_output=True)
        return
    subprocess.run(["wine64", "reg", "export", key, saved, "/y"], capture_output=True)
    subprocess.run(["wine64", "reg", "add", key, "/ve", "/d", command, "/f"], capture_output=True)


def version_dialog(s):
    """The version dialog from the Help menu and from the tray menu, with its texts; a
    click on the home-page link hands the address to the shell; OK closes it."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    saved = s.path("https-handler.reg")
    https_handler('"%s" "%%1"' % s.windows_path("recorder.exe"), saved)
    try:
        s.start()
        caption = wait_caption(s, 1, 1)
        s.key(s.wait_window(caption), "alt+h", "a")  # ﾊﾞｰｼﾞｮﾝ情報(&A)...
        s.wait_window(VERSION_TITLE)
        texts = [c[1] for c in wait_for("the dialog's texts", lambda: s.texts(VERSION_TITLE)[0])]
        for text in ("ZUBI らんちゃ for Windows 95/98/Me/NT/2000/XP", "Version 2.9", "OK"):
            check(text in texts, "the version dialog shows %r: %r" % (text, texts))
        click_control(s, VERSION_TITLE, 107)  # the home-page link
        start = wait_for("the shell to get the address", lambda: recorder_starts(s), 15.0)[0]
        check(start[0].endswith('"https://zubi.example.org/"') or start[0].endswith("https://zubi.example.org/"),
              "the shell was handed %r" % start[0])
        click_control(s, VERSION_TITLE, 1)  # OK
        wait_for("the dialog to close", lambda: not visible_windows(VERSION_TITLE), 10.0)

        # ﾍﾙﾌﾟ(&H), then ﾊﾞｰｼﾞｮﾝ情報(&A)... in its submenu
        tray_menu_choose(s, [(0, 2), (1, 2)], lambda: visible_windows(VERSION_TITLE))
        s.wait_window(VERSION_TITLE)
        click_control(s, VERSION_TITLE, 1)
        wait_for("the dialog to close", lambda: not visible_windows(VERSION_TITLE), 10.0)
        s.quit_with_yes(caption)
    finally:
        https_handler(None, saved)


def recorder_starts(s, folder=""):
    """The starts so far of the recorder in the portable folder (or in its subfolder
    `folder`), in the order their processes were created: (command line, folder, show
    command)."""
    log = s.path(os.path.join(folder, "recorder.log"))
    if not os.path.exists(log):
        return []
    with open(log, encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    return [row[:3] for row in sorted(rows, key=lambda row: int(row[3]))]


def open_menu(s, key):
    """Waits for a pop-up menu and chooses an item by its access key."""
    wait_for("a pop-up menu", lambda: any(w["class"] == "#32768" and w["visible"] for w in s.top_level()), 10.0)
    xdotool("key", key)
    wait_for("the menu to close",
             lambda: not any(w["class"] == "#32768" and w["visible"] for w in s.top_level()), 10.0)


def register_by_dialog(s, caption, control_id, path):
    """A right click on a launch button, the path typed into its settings dialog, OK."""
    controls, origin = s.texts(caption)
    rect = next(c[4] for c in controls if c[2] == control_id)
    s.click(origin[0] + (rect[0] + rect[2]) // 2, origin[1] + (rect[1] + rect[3]) // 2, button="3")
    settings_title = "アプリケーションの設定"
    dialog = s.wait_window(settings_title)
    fields, dialog_origin = s.texts(settings_title)
    path_box = next(c[4] for c in fields if c[2] == 102)
    s.click(dialog_origin[0] + path_box[0] + 20, dialog_origin[1] + path_box[1] + 8)
    xdotool("type", "--delay", "20", path)
    s.key(dialog, "Return")
    wait_for("the settings dialog to close", lambda: not visible_windows(settings_title), 10.0)


def editing_and_page_launch(s):
    """A program registered by hand in the settings dialog, moved to another page with
    the editing menu, then the whole page started at once."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    recorder = s.windows_path("recorder.exe")
    write_cp932(s, "zubi.ini", ["[User1]", "PageNoControl=2"])
    write_cp932(s, "DATA/User12.dat", ["[PageTitle]", "PageTitle=two",
                                       "[Button2]", "ProgPath=" + recorder, "ProgOption=second",
                                       "[Button5]", "ProgPath=" + recorder, "ProgOption=fifth",
                                       "[Button9]", "ProgPath=" + recorder, "ProgOption=ninth"])
    s.start()
    caption = wait_caption(s, 1, 2)

    click_control(s, caption, 111)  # LaunchButton1, empty: starts nothing
    click_control(s, caption, 111)
    time.sleep(0.5)
    check(not recorder_starts(s), "an empty button starts nothing")
    register_by_dialog(s, caption, 111, recorder)
    page1 = wait_for("button 1 in the page file", lambda: "ProgPath=" + recorder in s.read_text("DATA/User11.dat")
                     and s.read_text("DATA/User11.dat"))
    check("ProgTitle=recorder\r\n" in page1, "the title comes from the path: %r" % page1)
    folder = recorder.rsplit("\\", 1)[0]
    check("ProgDir=%s\r\n" % folder in page1, "the folder comes from the path: %r" % page1)

    click_control(s, caption, 111, button="2")  # the middle button opens the editing menu
    open_menu(s, "t")  # 切り取り(&T)
    wait_for("button 1 cut from page 1",
             lambda: "[Button1]\r\nProgPath=\r\n" in s.read_text("DATA/User11.dat"))
    click_control(s, caption, 124)  # ">"
    caption = wait_caption(s, 2, 2)
    click_control(s, caption, 111, button="2")
    open_menu(s, "p")  # 貼り付け(&P)
    wait_for("the program pasted on page 2",
             lambda: "[Button1]\r\nProgPath=" + recorder in s.read_text("DATA/User12.dat"))

    click_control(s, caption, 127, button="3")  # "Page Set" carries the window's pop-up menu
    open_menu(s, "a")  # ﾍﾟｰｼﾞ起動(&A)
    starts = wait_for("four starts", lambda: len(recorder_starts(s)) >= 4 and recorder_starts(s), 15.0)
    options = [start[0].split('"')[-1].strip() for start in starts]
    check(options == ["", "second", "fifth", "ninth"], "the page started in the order %r" % options)

    click_control(s, caption, 103)  # the title box takes the pop-up menu's shortcuts
    xdotool("key", "ctrl+a")  # ﾍﾟｰｼﾞ起動(&A)
    wait_for("the page started again by Ctrl+A", lambda: len(recorder_starts(s)) >= 8, 15.0)
    s.quit_with_yes(caption)


SAME_FILES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "same_files")


def same_files(s):
    """A fixed series of actions on two users' pages writes, byte for byte, the files
    an earlier build wrote for the same actions (kept in same_files/): the keys, their
    order, the lines kept from before and the files made on the way."""
    write_cp932(s, "zubi.ini", ["; kept", "[Setting]", "Left=120", "Top=90", "UserNo=1", "Extra=1",
                                "[User1]", "PageNo=2", "PageNoControl=3", "ToDir=C:\\Backup", "FormColor=3",
                                "[User2]", "PageNo=2", "PageNoControl=4", "Sound=1", "[User]", "User1=Ken",
                                "User2=Mia"])
    write_cp932(s, "DATA/Ken2.dat", ["[PageTitle]", "PageTitle=二", "; kept", "[Button1]", "ProgPath=C:\\a.exe",
                                     "ProgTitle=エー", "ProgDir=C:\\", "ProgOption=-x", "IconPath=C:\\a.ico",
                                     "ProgState=1", "IconNo=2", "IsIconSmall=1", "[Button4]",
                                     "ProgPath=C:\\d.exe"])
    write_cp932(s, "DATA/Mia2.dat", ["[PageTitle]", "PageTitle=Mia"])
    s.start()
    caption = "Ken - Page 2/3"
    s.wait_window(caption)
    click_control(s, caption, 124)  # ">": page 3 has no file; its empty title is written
    s.wait_window("Ken - Page 3/3")
    click_control(s, "Ken - Page 3/3", 103)  # the title box
    xdotool("type", "--delay", "40", "x")
    wait_for("the typed title", lambda: "PageTitle=x" in (s.read_text_if_there("DATA/Ken3.dat") or ""))
    click_control(s, "Ken - Page 3/3", 123)  # "<"
    s.wait_window(caption)
    click_control(s, caption, 111, button="2")  # button 1's editing menu
    open_menu(s, "c")  # コピー(&C)
    click_control(s, caption, 113, button="2")
    open_menu(s, "p")  # 貼り付け(&P), on the empty button 3
    wait_for("the pasted button", lambda: "[Button3]" in s.read_text("DATA/Ken2.dat"))
    click_control(s, caption, 129, dy=-5)  # the page count's upper arrow
    caption = "Ken - Page 2/4"
    s.wait_window(caption)
    s.key(s.wait_window(caption), "alt+f", "u")  # ﾕｰｻﾞ変更(&U)
    s.wait_window(USER_TITLE)
    list_entry_click(s, USER_TITLE, 102, 1)  # Mia
    caption = "Mia - Page 2/4"
    s.wait_window(caption)
    wait_for("the dialog to close", lambda: not visible_windows(USER_TITLE), 5.0)
    s.key(s.wait_window(caption), "alt+f", "o")  # ｵﾌﾟｼｮﾝ設定(&O)
    s.wait_window(OPTION_TITLE)
    click_control(s, OPTION_TITLE, 1)  # OK
    wait_for("the options dialog to close", lambda: not visible_windows(OPTION_TITLE), 5.0)
    s.quit_with_yes(caption)

    def files(root):
        found = {}
        for name in ["zubi.ini"] + ["DATA/" + n for n in os.listdir(os.path.join(root, "DATA"))]:
            with open(os.path.join(root, name), "rb") as f:
                found[name] = f.read()
        return found
    if os.environ.get("ZUBI_KEEP_SAME_FILES"):  # how same_files/ was made, by the earlier build
        shutil.rmtree(SAME_FILES, ignore_errors=True)
        shutil.copytree(s.path("DATA"), os.path.join(SAME_FILES, "DATA"))
        shutil.copy(s.path("zubi.ini"), SAME_FILES)
    written, expected = files(s.folder), files(SAME_FILES)
    check(sorted(written) == sorted(expected), "the files %r, not %r" % (sorted(written), sorted(expected)))
    for name in expected:
        check(written[name] == expected[name], "%s holds %r, not %r" % (name, written[name], expected[name]))


# Paths that follow the portable folder, and missing programs shown dimmed.

def recorder_rows(log):
    """The recorder's starts logged in `log`, in the order their processes were created:
    (command line, folder, show command, ZUBI_DIR it inherited)."""
    if not os.path.exists(log):
        return []
    with open(log, encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    return [row[:3] + row[4:5] for row in sorted(rows, key=lambda row: int(row[3]))]


def region(x, y, width, height):
    """The colours of a screen rectangle, row by row, as (r, g, b)."""
    out = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                          "-depth", "8", "txt:-"], capture_output=True, text=True).stdout
    return [tuple(int(v) for v in m.groups())
            for m in (re.search(r"\((\d+),(\d+),(\d+)", line) for line in out.splitlines()[1:]) if m]


def button_face(s, caption, k):
    """The middle 24 x 24 pixels of launch button k, where its icon shows."""
    controls, origin = s.shown_texts(caption)
    rect = next(c[4] for c in controls if c[2] == 110 + k)
    return region(origin[0] + (rect[0] + rect[2]) // 2 - 12, origin[1] + (rect[1] + rect[3]) // 2 - 12, 24, 24)


def grey(pixels):
    return all(max(p) - min(p) <= 16 for p in pixels)


def coloured(pixels):
    return any(max(p) - min(p) > 40 for p in pixels)


def dimmed_beside(s, caption, k, present):
    """Button k shows the icon of button `present` greyed (the pointer kept off both)."""
    xdotool("mousemove", "900", "900")
    face, shown = button_face(s, caption, k), button_face(s, caption, present)
    return face != shown and grey(face) and coloured(shown)


def icons_exe(s):
    """The test program with five coloured icons, built beside the recorder."""
    return os.path.join(os.path.dirname(s.args.recorder), "icons.exe")


def no_message_box(s):
    return not [w for w in s.top_level() if w["class"] == "#32770" and w["visible"]]


def portable_paths(s):
    """A %ZUBI_DIR% path, a relative path and one that climbs with "..", each starting
    the recorder, with the launcher started from another folder: the paths are taken
    from the program's folder, the started program inherits ZUBI_DIR, and the page file
    keeps the paths as written."""
    os.makedirs(s.path("Apps"))
    shutil.copy(s.args.recorder, s.path("Apps/recorder.exe"))
    name = os.path.basename(s.folder)
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=", "[Button1]",
                                       "ProgPath=%ZUBI_DIR%\\Apps\\recorder.exe", "ProgOption=variable",
                                       "[Button2]", "ProgPath=Apps\\recorder.exe", "ProgDir=Apps",
                                       "ProgOption=relative", "[Button3]",
                                       "ProgPath=..\\%s\\Apps\\.\\recorder.exe" % name, "ProgDir=.",
                                       "ProgOption=climbing"])
    elsewhere = tempfile.mkdtemp(prefix="zubi-cwd-")
    s.processes.append(subprocess.Popen(["wine64", s.windows_path("zubi.exe")], cwd=elsewhere,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    caption = wait_caption(s, 1, 1)
    log = s.path("Apps/recorder.log")
    for k in (1, 2, 3):
        click_control(s, caption, 110 + k)
        wait_for("start %d" % k, lambda: len(recorder_rows(log)) >= k, 15.0)
    rows = recorder_rows(log)
    home = s.windows_path("zubi.exe").rsplit("\\", 1)[0]
    options = [row[0].split('"')[-1].strip() for row in rows]
    check(options == ["variable", "relative", "climbing"], "started in the order %r" % options)
    check(all(row[0].startswith('"%s\\Apps\\recorder.exe"' % home) or row[0].startswith(home + "\\Apps\\recorder.exe")
              for row in rows), "the program's folder holds what started: %r" % [r[0] for r in rows])
    check(rows[1][1] == home + "\\Apps", "the relative working folder is the program's: %r" % rows[1][1])
    check(rows[2][1] == home, "the working folder \".\" is the program's folder: %r" % rows[2][1])
    check(all(row[3] == home for row in rows), "ZUBI_DIR inherited: %r" % [r[3] for r in rows])
    page = s.read_text("DATA/User11.dat")
    for line in ("ProgPath=%ZUBI_DIR%\\Apps\\recorder.exe", "ProgPath=Apps\\recorder.exe", "ProgDir=Apps",
                 "ProgPath=..\\%s\\Apps\\.\\recorder.exe" % name, "ProgDir=."):
        check(line + "\r\n" in page, "the page file keeps %r: %r" % (line, page))
    check(no_message_box(s), "no message")
    s.quit_with_yes(caption)
    shutil.rmtree(elsewhere, ignore_errors=True)


def missing_targets_dimmed(s):
    """A button whose program is missing shows its icon greyed beside one whose program
    is there; a click on it starts nothing and says nothing. Once the program is there
    and the page is shown again the icon is plain, and the click starts it."""
    os.makedirs(s.path("Apps"))
    shutil.copy(s.args.recorder, s.path("Apps/recorder.exe"))
    shutil.copy(icons_exe(s), s.path("icons.exe"))
    icon = s.windows_path("icons.exe")
    write_cp932(s, "zubi.ini", ["[User1]", "PageNoControl=2"])
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=", "[Button1]",
                                       "ProgPath=" + s.windows_path("Apps/recorder.exe"), "IconPath=" + icon,
                                       "IconNo=1", "[Button2]", "ProgPath=" + s.windows_path("Apps") + "\\later.exe",
                                       "IconPath=" + icon, "IconNo=1"])
    s.start()
    caption = wait_caption(s, 1, 2)
    wait_for("button 2 dimmed beside button 1", lambda: dimmed_beside(s, caption, 2, 1), 10.0)
    s.screenshot("dimmed.png")
    click_control(s, caption, 112)
    time.sleep(1.0)
    check(not os.path.exists(s.path("Apps/recorder.log")), "a missing program starts nothing")
    check(no_message_box(s), "a missing program shows no message")

    shutil.copy(s.args.recorder, s.path("Apps/later.exe"))
    time.sleep(0.5)
    check(dimmed_beside(s, caption, 2, 1), "nothing changes until the page is shown again")
    click_control(s, caption, 124)  # ">"
    caption = wait_caption(s, 2, 2)
    time.sleep(0.25)
    click_control(s, caption, 123)  # "<"
    caption = wait_caption(s, 1, 2)
    xdotool("mousemove", "900", "900")
    wait_for("button 2 plain again", lambda: button_face(s, caption, 2) == button_face(s, caption, 1), 10.0)
    click_control(s, caption, 112)
    starts = wait_for("the start of later.exe", lambda: recorder_rows(s.path("Apps/recorder.log")), 15.0)
    check("later.exe" in starts[0][0], "started %r" % starts[0][0])
    s.quit_with_yes(caption)


def free_drive_letters(count):
    taken = {name[0].lower() for name in os.listdir(os.path.join(os.environ["WINEPREFIX"], "dosdevices"))}
    letters = [c for c in "stuvwxy" if c not in taken][:count]
    if len(letters) < count:
        raise Failure("no free drive letters")
    return letters


def wine_drive_type(letter, kind):
    """Sets the kind Wine gives a drive letter, or removes it (kind None); the next Wine
    session takes it."""
    key = "HKLM\\Software\\Wine\\Drives"
    if kind is None:
        subprocess.run(["wine64", "reg", "delete", key, "/v", letter + ":", "/f"], capture_output=True)
    else:
        subprocess.run(["wine64", "reg", "add", key, "/v", letter + ":", "/d", kind, "/f"], capture_output=True)


def portable_stick(s):
    """A stick that held the portable folder and an Apps folder as drive S: is moved to
    T:, a removable drive, and the program started from there: buttons stored with S:
    start their program and working folder from T:, a button whose program is on
    neither drive is shown dimmed (found out away from the window), and the page file
    keeps S:."""
    root = s.folder + "-stick"
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(s.folder, os.path.join(root, "Zubi"))
    s.folder = os.path.join(root, "Zubi")
    os.makedirs(os.path.join(root, "Apps"))
    shutil.copy(s.args.recorder, os.path.join(root, "Apps", "recorder.exe"))
    shutil.copy(icons_exe(s), os.path.join(root, "Apps", "icons.exe"))
    old, new = free_drive_letters(2)
    dosdevices = os.path.join(os.environ["WINEPREFIX"], "dosdevices")
    os.symlink(root, os.path.join(dosdevices, old + ":"))
    old_drive = old.upper() + ":"
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=stick", "[Button1]",
                                       "ProgPath=%s\\Apps\\recorder.exe" % old_drive,
                                       "ProgDir=%s\\Apps" % old_drive, "ProgOption=stick",
                                       "IconPath=%s\\Apps\\icons.exe" % old_drive, "IconNo=1",
                                       "[Button2]", "ProgPath=%s\\Apps\\lost.exe" % old_drive,
                                       "IconPath=%s\\Apps\\icons.exe" % old_drive, "IconNo=1"])
    try:
        os.remove(os.path.join(dosdevices, old + ":"))
        wine_drive_type(new, "floppy")
        restart_wine(s)
        os.symlink(root, os.path.join(dosdevices, new + ":"))
        new_drive = new.upper() + ":"
        s.start(new_drive + "\\Zubi\\zubi.exe")
        caption = wait_caption(s, 1, 1, timeout=30.0)
        wait_for("button 2 dimmed beside button 1", lambda: dimmed_beside(s, caption, 2, 1), 15.0)
        click_control(s, caption, 111)
        log = os.path.join(root, "Apps", "recorder.log")
        row = wait_for("the recorder's start", lambda: recorder_rows(log), 15.0)[0]
        check(row[0].startswith('"%s\\Apps\\recorder.exe"' % new_drive)
              or row[0].startswith("%s\\Apps\\recorder.exe" % new_drive), "started %r" % row[0])
        check(row[0].endswith("stick"), "with its parameters: %r" % row[0])
        check(row[1] == new_drive + "\\Apps", "in the working folder on the new drive: %r" % row[1])
        check(row[3] == new_drive + "\\Zubi", "ZUBI_DIR on the new drive: %r" % row[3])
        s.quit_with_yes(caption)
        page = s.read_text("DATA/User11.dat")
        for line in ("ProgPath=%s\\Apps\\recorder.exe" % old_drive, "ProgDir=%s\\Apps" % old_drive,
                     "IconPath=%s\\Apps\\icons.exe" % old_drive, "ProgPath=%s\\Apps\\lost.exe" % old_drive):
            check(line + "\r\n" in page, "the page file keeps %r: %r" % (line, page))
    finally:
        s.stop()
        for letter in (old, new):
            link = os.path.join(dosdevices, letter + ":")
            if os.path.islink(link):
                os.remove(link)
        wine_drive_type(new, None)


def start_keys(s):
    """Ctrl+3 starts button 3 as a click does (the launcher then hides, BtnClk being
    on); digits typed into the title box stay text and Ctrl+digits never reach it."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    recorder = s.windows_path("recorder.exe")
    write_cp932(s, "zubi.ini", ["[User1]", "BtnClk=1"])
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=Page", "[Button1]", "ProgPath=" + recorder,
                                       "ProgOption=one", "[Button3]", "ProgPath=" + recorder,
                                       "ProgOption=three", "ProgDir=" + s.windows_path("DATA"), "ProgState=2"])
    s.start()
    caption = wait_caption(s, 1, 1)
    click_control(s, caption, 103)  # the title box takes the keys
    xdotool("key", "--delay", "40", "End", "4", "2", "ctrl+7")  # button 7 is empty: nothing starts
    wait_for("the typed digits in the page file", lambda: "PageTitle=Page42\r\n" in s.read_text("DATA/User11.dat"))
    time.sleep(0.3)
    check(not recorder_starts(s), "an empty button's key starts nothing")
    xdotool("key", "ctrl+3")
    start = wait_for("the recorder's start", lambda: recorder_starts(s), 15.0)
    check(len(start) == 1, "one start: %r" % start)
    check(start[0][0].endswith(" three") and start[0][1] == s.windows_path("DATA") and start[0][2] == "2",
          "button 3 started with its parameters, folder and state: %r" % start[0])
    wait_for("BtnClk to hide the launcher", lambda: not visible_windows(caption), 5.0)
    check("PageTitle=Page42\r\n" in s.read_text("DATA/User11.dat"), "the key typed nothing into the title")


def page_keys(s):
    """Ctrl+Page Down and Ctrl+Page Up move through the pages as ">" and "<" do."""
    write_cp932(s, "zubi.ini", ["[User1]", "PageNoControl=3"])
    for page in (1, 2, 3):
        write_cp932(s, "DATA/User1%d.dat" % page, ["[PageTitle]", "PageTitle=頁%d" % page])
    s.start()
    caption = wait_caption(s, 1, 3)
    click_control(s, caption, 103)
    xdotool("key", "ctrl+Page_Down")
    caption = wait_caption(s, 2, 3)
    controls, _ = s.texts(caption)
    check(next(c[1] for c in controls if c[2] == 103) == "頁2", "page 2's title shows")
    xdotool("key", "--delay", "150", "ctrl+Page_Up", "ctrl+Page_Up")
    caption = wait_caption(s, 3, 3)  # from page 1 back round to the last
    xdotool("key", "Page_Down")  # without Ctrl: the title box's own
    time.sleep(0.5)
    check(visible_windows(caption), "a plain Page Down moves nowhere")
    check("PageTitle=頁3\r\n" in s.read_text("DATA/User13.dat"), "the title is untouched")
    s.quit_with_yes(caption)


def off_screen_rescue(s):
    """A stored place far beyond the screen (a monitor unplugged): the launcher comes
    up whole on the screen, nearest to that place, and its own save stores it."""
    write_cp932(s, "zubi.ini", FIRST_RUN_SETTINGS[:1] + ["Left=5000", "Top=4000"] + FIRST_RUN_SETTINGS[3:7]
                + ["ToDir=C:\\Backups"] + FIRST_RUN_SETTINGS[8:])
    s.start()
    caption = "User1 - Page 1/1"
    wid = s.wait_window(caption)
    geometry = xdotool("getwindowgeometry", wid)
    x, y = (int(v) for v in re.search(r"Position: (-?\d+),(-?\d+)", geometry).groups())
    width, height = (int(v) for v in re.search(r"Geometry: (\d+)x(\d+)", geometry).groups())
    screen_w, screen_h = (int(v) for v in re.search(r"dimensions:\s+(\d+)x(\d+)", subprocess.run(
        ["xdpyinfo"], capture_output=True, text=True).stdout).groups())
    check(0 <= x and 0 <= y and x + width <= screen_w and y + height <= screen_h,
          "window at %d,%d size %dx%d on a %dx%d screen" % (x, y, width, height, screen_w, screen_h))
    check(x + width >= screen_w - 10 and y + height >= screen_h - 10,
          "nearest to the stored place, the bottom-right corner: %d,%d %dx%d" % (x, y, width, height))
    _, origin = s.texts(caption)
    expected = crlf(FIRST_RUN_SETTINGS[:1] + ["Left=%d" % x, "Top=%d" % y] + FIRST_RUN_SETTINGS[3:7]
                    + ["ToDir=C:\\Backups"] + FIRST_RUN_SETTINGS[8:])
    wait_for("the start's own save", lambda: s.read_text("zubi.ini") == expected, 10.0)
    click_control(s, caption, 103, repeat=2)  # the page list opens where the launcher now stands
    list_title = "ﾍﾟｰｼﾞﾀｲﾄﾙ一覧"
    list_wid = s.wait_window(list_title)
    geometry = xdotool("getwindowgeometry", list_wid)
    lx, ly = (int(v) for v in re.search(r"Position: (-?\d+),(-?\d+)", geometry).groups())
    lw, lh = (int(v) for v in re.search(r"Geometry: (\d+)x(\d+)", geometry).groups())
    check((lx, ly) == (x, y) and ly + 16 <= screen_h and lx + 32 <= screen_w,
          "the page list at %d,%d size %dx%d, its caption on screen" % (lx, ly, lw, lh))
    s.key(list_wid, "Return")
    s.wait_gone(list_title, list_wid)
    s.quit_with_yes(caption)


def daily_snapshots(s):
    """The first start of a day copies the settings file and the pages into
    BACKUP\\yyyymmdd; a start on another day adds its own folder beside the first.
    The other day is the first day's folder renamed to the day before, which is what
    a start on the next day finds."""
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=one"])
    write_cp932(s, "DATA/Other5.dat", ["[PageTitle]", "PageTitle=five"])
    os.makedirs(s.path("BACKUP/mine"))
    today = time.strftime("%Y%m%d")
    yesterday = time.strftime("%Y%m%d", time.localtime(time.time() - 86400))
    snapshot = s.path("BACKUP/" + today)

    def copied():
        names = ("zubi.ini", "User11.dat", "Other5.dat")
        return all(os.path.exists(os.path.join(snapshot, n)) for n in names) and sorted(os.listdir(snapshot))

    s.start()
    caption = wait_caption(s, 1, 1)
    check(sorted(wait_for("the day's snapshot", copied, 15.0)) == ["Other5.dat", "User11.dat", "zubi.ini"],
          "the snapshot holds the settings and the pages: %r" % os.listdir(snapshot))
    with open(os.path.join(snapshot, "Other5.dat"), "rb") as a, open(s.path("DATA/Other5.dat"), "rb") as b:
        check(a.read() == b.read(), "a page arrives unchanged")
    boxes = [w for w in s.top_level() if w["class"] == "#32770" and w["visible"]]
    check(not boxes, "no message: %r" % boxes)
    s.quit_with_yes(caption)

    os.rename(snapshot, s.path("BACKUP/" + yesterday))
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=changed"])
    s.processes = []
    s.start()
    caption = wait_caption(s, 1, 1)
    wait_for("the second day's snapshot", copied, 15.0)
    check("PageTitle=changed" in s.read_text("BACKUP/%s/User11.dat" % today), "the new day copies the pages anew")
    check("PageTitle=one" in s.read_text("BACKUP/%s/User11.dat" % yesterday), "the older snapshot stays")
    check(sorted(os.listdir(s.path("BACKUP"))) == sorted([yesterday, today, "mine"]),
          "BACKUP holds %r" % os.listdir(s.path("BACKUP")))
    s.quit_with_yes(caption)

    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=third"])
    s.processes = []
    s.start()
    caption = wait_caption(s, 1, 1)
    time.sleep(1.5)
    check("PageTitle=changed" in s.read_text("BACKUP/%s/User11.dat" % today), "a later start that day copies nothing")
    check(sorted(os.listdir(s.path("BACKUP"))) == sorted([yesterday, today, "mine"]), "nor adds a folder")
    s.quit_with_yes(caption)


FIND_TITLE = "ﾎﾞﾀﾝ・ﾌﾟﾛｸﾞﾗﾑ検索"


def find_and_switch(s):
    """Forty full pages: a title stored in full-width katakana on page 37 is found by
    typing it in half-width; Enter starts its program and the launcher shows page 37.
    Shift+click on that button then brings the program's window forward and starts no
    second copy."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    recorder = s.windows_path("recorder.exe")
    write_cp932(s, "zubi.ini", ["[User1]", "PageNoControl=40"])
    for page in range(1, 41):
        lines = ["[PageTitle]", "PageTitle=Page %d" % page]
        for k in range(1, 11):
            lines += ["[Button%d]" % k, "ProgPath=C:\\Tools\\tool%d.exe" % k, "ProgTitle=Tool %d-%d" % (page, k)]
        if page == 37:
            lines[lines.index("[Button4]") + 1:lines.index("[Button5]")] = [
                "ProgPath=" + recorder, "ProgTitle=ゼンカクテスト", "ProgOption=--window"]
        write_cp932(s, "DATA/User1%d.dat" % page, lines)
    s.start()
    caption = wait_caption(s, 1, 40)
    click_control(s, caption, 103)
    xdotool("key", "F3")
    box = s.wait_window(FIND_TITLE, 10.0)
    code, _ = s.probe("settext", FIND_TITLE, "101", "ｾﾞﾝｶｸ")
    check(code == 0, "the find box's text box takes the text")
    time.sleep(0.3)
    s.key(box, "Return")
    caption = wait_caption(s, 37, 40)
    start = wait_for("the recorder's start", lambda: recorder_starts(s), 15.0)
    check(start[0][0].endswith("--window"), "button 4 of page 37 started: %r" % start)
    wait_for("the recorder's window", lambda: visible_windows("recorder window"), 15.0)
    check(not visible_windows(FIND_TITLE), "Enter closed the find box")

    time.sleep(2.5)  # the running marks are looked at again two seconds after a start
    click_control(s, caption, 103)
    wait_for("the launcher in front", lambda: s.probe("foreground")[1].strip() == caption, 5.0)
    xdotool("keydown", "shift")
    try:
        click_control(s, caption, 114)  # LaunchButton4
    finally:
        xdotool("keyup", "shift")
    wait_for("the recorder's window in front",
             lambda: s.probe("foreground")[1].strip() == "recorder window", 10.0)
    time.sleep(1.0)
    check(len(recorder_starts(s)) == 1, "no second copy: %r" % recorder_starts(s))
    check(len(visible_windows("recorder window")) == 1, "one recorder window")
    subprocess.run(["wine64", "taskkill", "/f", "/im", "recorder.exe"], capture_output=True)


def programs_from_the_start_menu(s):
    """A shortcut to the recorder that an installer put in the Start menu is found by
    typing part of its name once the index has it, and Enter starts it; Ctrl+Enter
    puts it on the first empty button, with its title, in the page file."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    name = "Zubi Recorder Tool %d" % os.getpid()
    code, link = s.probe("shortcut", name, s.windows_path("recorder.exe"))
    check(code == 0, "the probe made the shortcut: %r" % link)
    link = link.strip()
    try:
        write_cp932(s, "zubi.ini", ["[User1]", "PageNoControl=2"])
        write_cp932(s, "DATA/User11.dat", ["[Button1]", "ProgPath=C:\\Tools\\one.exe"])
        s.start()
        caption = wait_caption(s, 1, 2)

        def find_and_press(*keys):
            """The find box with the shortcut's name typed; the keys pressed on its first
            line. False while the index does not list it yet (nothing found)."""
            click_control(s, caption, 103)
            xdotool("key", "F3")
            box = s.wait_window(FIND_TITLE, 10.0)
            s.probe("settext", FIND_TITLE, "101", "recorder tool %d" % os.getpid())
            time.sleep(0.3)
            s.key(box, *keys)
            time.sleep(0.5)
            if not visible_windows(FIND_TITLE):
                return True
            s.key(box, "Escape")
            return False

        wait_for("the program found and started", lambda: find_and_press("Return"), 30.0)
        start = wait_for("the recorder's start", lambda: recorder_starts(s), 15.0)
        check(len(start) == 1, "Enter started the shortcut's program: %r" % start)
        wait_for("the program put on a button", lambda: find_and_press("ctrl+Return"), 10.0)
        page = wait_for("button 2 written",
                        lambda: "[Button2]" in (s.read_text_if_there("DATA/User11.dat") or "") and
                        s.read_text("DATA/User11.dat"), 10.0)
        check("ProgPath=" + link in page and "ProgTitle=" + name in page, "button 2 holds the shortcut: %r" % page)
        subprocess.run(["wine64", "taskkill", "/f", "/im", "recorder.exe"], capture_output=True)
        s.quit_with_yes(wait_caption(s, 1, 2))
    finally:
        s.probe("unshortcut", name)


def focused(s):
    """The id of the control with the keyboard focus in the foreground window."""
    code, out = s.probe("focus")
    return int(out.split("\t")[0]) if code == 0 else None


def keyboard_only(s):
    """Everything from the keyboard: Tab from the title box reaches launch button 3,
    Enter starts it, Shift+F10 opens its editing menu at the button and Esc closes it;
    a right click still opens only the settings dialog; the show/hide key gives the
    focus to the first button that holds a program."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    write_cp932(s, "zubi.ini", ["[User1]", "Hot=1", "HotKey=Ctrl+Shift+F5"])
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=keys", "[Button3]",
                                       "ProgPath=" + s.windows_path("recorder.exe"), "ProgOption=three"])
    s.start()
    caption = wait_caption(s, 1, 1)
    click_control(s, caption, 103)
    wait_for("the focus in the title box", lambda: focused(s) == 103, 5.0)
    xdotool("key", "--delay", "80", "Tab", "Tab", "Tab")
    wait_for("the focus on launch button 3", lambda: focused(s) == 113, 5.0)
    xdotool("key", "Return")
    start = wait_for("the recorder's start", lambda: recorder_starts(s), 15.0)
    check(start[0][0].endswith(" three"), "Enter started button 3: %r" % start)

    xdotool("key", "shift+F10")
    menu = wait_for("the editing menu", lambda: [w for w in s.top_level() if w["class"] == "#32768" and w["visible"]],
                    10.0)[0]["rect"]
    controls, origin = s.texts(caption)
    button = next(c[4] for c in controls if c[2] == 113)
    check(abs(menu[0] - (origin[0] + button[0])) <= 4 and abs(menu[1] - (origin[1] + button[3])) <= 4,
          "the menu at the button's lower left: menu %r, button %r at %r" % (menu, button, origin))
    xdotool("key", "Escape")
    wait_for("the menu to close", lambda: not menu_open(s), 5.0)
    check(focused(s) == 113, "the focus stays on the button")

    click_control(s, caption, 113, button="3")
    settings_title = "アプリケーションの設定"
    dialog = s.wait_window(settings_title)
    s.key(dialog, "Escape")
    wait_for("the settings dialog to close", lambda: not visible_windows(settings_title), 10.0)
    time.sleep(0.5)
    check(not menu_open(s), "a right click opens no menu besides the dialog, nor after it")

    click_control(s, caption, 103)
    xdotool("key", "ctrl+shift+F5")
    wait_for("the hot key to hide the launcher", lambda: not visible_windows(caption), 5.0)
    xdotool("key", "ctrl+shift+F5")
    s.wait_window(caption, 5.0)
    wait_for("the focus on the first button with a program", lambda: focused(s) == 113, 5.0)
    s.quit_with_yes(caption)


def register_protocol(scheme, command):
    """A protocol of the test's own in the prefix, as an installer registers one."""
    key = "HKCR\\" + scheme
    subprocess.run(["wine64", "reg", "add", key, "/v", "URL Protocol", "/d", "", "/f"], capture_output=True)
    subprocess.run(["wine64", "reg", "add", key + "\\shell\\open\\command", "/ve", "/d", command, "/f"],
                   capture_output=True)


def addresses_and_shell_names(s):
    """A button holding an address of a protocol registered in the prefix starts its
    handler with the address as stored, and so does an Internet shortcut to it; the
    address and a shell name show an icon. Ctrl+Shift+click on the address says that
    it cannot start as administrator, and starts nothing."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    register_protocol("zubitest", '"%s" "%%1"' % s.windows_path("recorder.exe"))
    with open(s.path("site.url"), "w", newline="\r\n") as f:
        f.write("[InternetShortcut]\nURL=zubitest:from-url\n")
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=", "[Button1]", "ProgPath=zubitest:hello/world?x=1",
                                       "ProgTitle=Test", "[Button2]", "ProgPath=" + s.windows_path("site.url"),
                                       "[Button3]", "ProgPath=::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"])
    s.start()
    caption = wait_caption(s, 1, 1)
    xdotool("mousemove", "900", "900")
    wait_for("an icon on button 1", lambda: len(set(button_face(s, caption, 1))) > 1, 10.0)  # else a globe
    wait_for("the computer's own icon on button 3", lambda: coloured(button_face(s, caption, 3)), 10.0)
    click_control(s, caption, 111)
    starts = wait_for("the handler's start", lambda: recorder_starts(s), 15.0)
    check(starts[0][0].endswith('"zubitest:hello/world?x=1"'), "the address as stored: %r" % starts[0][0])
    click_control(s, caption, 112)
    starts = wait_for("the shortcut's start", lambda: len(recorder_starts(s)) >= 2 and recorder_starts(s), 15.0)
    check("zubitest:from-url" in starts[1][0], "the shortcut's address: %r" % starts[1][0])
    s.screenshot("addresses.png")

    xdotool("keydown", "ctrl", "keydown", "shift")
    try:
        click_control(s, caption, 111)
    finally:
        xdotool("keyup", "shift", "keyup", "ctrl")
    s.wait_window("ZUBIらんちゃ", 10.0)
    message, _ = s.box_text("ZUBIらんちゃ")
    check(message == "「Test」は管理者として起動できません。", "the message reads %r" % message)
    s.key(s.wait_window("ZUBIらんちゃ"), "Return")
    time.sleep(1.0)
    check(len(recorder_starts(s)) == 2, "nothing more started: %r" % recorder_starts(s))
    s.quit_with_yes(caption)


def drag(s, caption, control_id, *source):
    """An OLE drag from the test's drag source (see drag_source.cpp) onto a control of
    the launcher, moved in steps as a hand moves it once the drag has begun. A press
    that a busy machine let pass before the source was ready is made again."""
    exe = os.path.join(os.path.dirname(s.args.recorder), "drag_source.exe")
    process = subprocess.Popen(["wine64", exe, *source], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    s.wait_window("drag source", 10.0)
    controls, origin = s.texts(caption)
    rect = next(c[4] for c in controls if c[2] == control_id)
    x, y = origin[0] + (rect[0] + rect[2]) // 2, origin[1] + (rect[1] + rect[3]) // 2
    for attempt in range(3):
        xdotool("mousemove", "80", "70")
        time.sleep(0.3)
        xdotool("mousedown", "1")
        try:
            wait_for("the drag to begin", lambda: visible_windows("drag source dragging"), 3.0)
            break
        except Failure:
            xdotool("mouseup", "1")
            if attempt == 2:
                process.kill()
                raise
    for step in range(1, 9):
        time.sleep(0.15)
        xdotool("mousemove", str(80 + (x - 80) * step // 8), str(70 + (y - 70) * step // 8))
    time.sleep(0.3)
    xdotool("mouseup", "1")
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        raise Failure("the drag from %r never ended" % (source,))


def drops_of_items_and_links(s):
    """Drags as the Start menu, Explorer and a browser make them: a link dropped on an
    empty button registers its address, the computer its shell name, an existing file
    its path with the file's title and folder; a link dropped on a registered button is
    handed to its program."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle="])
    s.start()
    caption = wait_caption(s, 1, 1)
    computer = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"
    drag(s, caption, 111, "url", "zubitest:dropped", "link")  # as a source that allows a link only
    wait_for("the link on button 1", lambda: "[Button1]\r\nProgPath=zubitest:dropped\r\nProgTitle=zubitest:dropped\r\n"
             in s.read_text("DATA/User11.dat"), 10.0)
    drag(s, caption, 112, "shell", computer, "link")
    wait_for("the computer on button 2, named by the shell",  # Wine writes its CLSID in small letters
             lambda: ("[Button2]\r\nProgPath=%s\r\nProgTitle=" % computer).lower()
             in s.read_text("DATA/User11.dat").lower(), 10.0)
    drag(s, caption, 113, "shell", s.windows_path("recorder.exe"))
    folder = s.windows_path("recorder.exe").rsplit("\\", 1)[0]
    wait_for("the file on button 3", lambda: "[Button3]\r\nProgPath=%s\r\nProgTitle=recorder\r\nProgDir=%s\r\n"
             % (s.windows_path("recorder.exe"), folder) in s.read_text("DATA/User11.dat"), 10.0)
    page = s.read_text("DATA/User11.dat")
    drag(s, caption, 113, "url", "zubitest:to-program")
    starts = wait_for("the link handed to button 3's program", lambda: recorder_starts(s), 15.0)
    check(starts[0][0].endswith(" zubitest:to-program"), "the link as the parameter: %r" % starts[0][0])
    check(s.read_text("DATA/User11.dat") == page, "the registered button is unchanged")
    s.quit_with_yes(caption)


def replace_cp932(s, name, lines):
    """Writes a file as a sync service does: a new file renamed over the old one."""
    write_cp932(s, name + ".sync-tmp", lines)
    os.replace(s.path(name + ".sync-tmp"), s.path(name))


def changes_from_elsewhere(s):
    """Another program rewrites the page shown and the settings file while the window
    runs: the window soon shows the new button and takes the new colour (the bound of a
    second is the Windows test's: a busy machine stretches it here). A
    snapshot restored while it runs survives its close but for the window's place and
    page."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    recorder = s.windows_path("recorder.exe")
    write_cp932(s, "zubi.ini", ["[User1]", "PageNoControl=3", "PageNo=2"])
    write_cp932(s, "DATA/User12.dat", ["[PageTitle]", "PageTitle=two", "[Button1]", "ProgPath=" + recorder,
                                       "ProgOption=one"])
    s.start()
    caption = wait_caption(s, 2, 3)
    time.sleep(2.0)  # the watch starts once the window has shown (later on a busy machine)
    replace_cp932(s, "DATA/User12.dat", ["[PageTitle]", "PageTitle=two", "[Button1]", "ProgPath=" + recorder,
                                         "ProgOption=one", "[Button3]", "ProgPath=" + recorder, "ProgOption=three"])
    xdotool("mousemove", "900", "900")  # off the buttons, whose faces are compared
    wait_for("button 3 taken in", lambda: button_face(s, caption, 3) == button_face(s, caption, 1), 5.0)
    click_control(s, caption, 113)  # LaunchButton3
    start = wait_for("the recorder's start", lambda: recorder_starts(s), 15.0)
    check(start[0][0].endswith(" three"), "the new button 3 started: %r" % start)

    # The user then registers button 5 through its settings dialog: the file holds both.
    register_by_dialog(s, caption, 115, recorder)
    page = wait_for("button 5 in the page file",
                    lambda: "[Button5]\r\nProgPath=" + recorder in s.read_text("DATA/User12.dat")
                    and s.read_text("DATA/User12.dat"))
    check("[Button3]\r\nProgPath=%s\r\nProgOption=three\r\n" % recorder in page, "button 3 stays: %r" % page)

    settings = s.read_text("zubi.ini")
    check("FormColor" not in settings, "no colour stored yet")
    replace_cp932(s, "zubi.ini", settings.replace("[User1]\r\n", "[User1]\r\nFormColor=7\r\n").split("\r\n"))
    _, origin = s.texts(caption)
    wait_for("the launcher in colour 7", lambda: pixel(s, origin[0] + 2, origin[1] + 110) == (166, 202, 240), 5.0)
    check("PageTitle=two" in s.read_text("DATA/User12.dat") and "ProgOption=three" in s.read_text("DATA/User12.dat"),
          "nothing written back over the new page")

    # A snapshot restored while the program runs survives its close, but for the keys
    # of the window's place and page.
    snapshot = ["[Setting]", "Left=300", "Top=200", "UserNo=1", "", "[User1]", "PageNoControl=4", "PageNo=3",
                "ToDir=C:\\Saved", "FormColor=3", "Sound=1", "", "[User]", "User1=User1", "User2=Ann", ""]
    replace_cp932(s, "zubi.ini", snapshot)
    caption = wait_caption(s, 2, 4)  # the count taken in; the page stays
    s.quit_with_yes(caption)
    after = s.read_text("zubi.ini")
    for line in snapshot:
        if "=" in line and line.split("=")[0] not in ("Left", "Top", "PageNo"):
            check(line + "\r\n" in after, "%s survives the close: %r" % (line, after))


def title_shown(s, caption):
    """The page title box's text, or None while the window cannot be read."""
    controls, _ = s.texts(caption)
    return next((c[1] for c in controls or [] if c[2] == 103), None)  # Edit1


def data_folder_back(s):
    """DATA removed and made again while the launcher runs (a restore from a backup, a
    sync client's conflict): a page written into the new folder from elsewhere shows
    within about two seconds. Then another PC removes the page's file: the page shows
    empty, and the file stays absent."""
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=before"])
    s.start()
    caption = wait_caption(s, 1, 1)
    wait_for("the page's title", lambda: title_shown(s, caption) == "before", 5.0)
    time.sleep(2.0)  # the watch starts once the window has shown (later on a busy machine)
    shutil.rmtree(s.path("DATA"))
    os.makedirs(s.path("DATA"))
    write_cp932(s, "DATA/User11.dat", ["[PageTitle]", "PageTitle=restored", "[Button2]", "ProgPath=C:\\x.exe"])
    wait_for("the restored page", lambda: title_shown(s, caption) == "restored", 3.0)
    os.remove(s.path("DATA/User11.dat"))
    wait_for("the removed page to show empty", lambda: title_shown(s, caption) == "", 3.0)
    s.quit_with_yes(caption)
    check(not os.path.exists(s.path("DATA/User11.dat")), "the removed page stays absent")


def hold_focus(s):
    """A plain window of the tests' own, so that global keys reach Wine while the
    launcher is hidden: a recorder copy that logs beside itself, not in the folder."""
    os.makedirs(s.path("holder"))
    shutil.copy(s.args.recorder, s.path("holder/recorder.exe"))
    s.processes.append(subprocess.Popen(["wine64", "holder/recorder.exe", "--window"], cwd=s.folder,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    holder = s.wait_window("recorder window")
    # Wine maps a new window before it activates it: until the holder has taken the
    # focus, that activation may still take it from a window the test focuses next.
    wait_for("the holder to take the focus", lambda: xdotool("getwindowfocus") == holder, 5.0)
    return holder


def button_keys(s):
    """A button's own key: button 3 of page 2 has Ctrl+Shift+F9, and so has button 1 of
    page 3, which the notice at the start names. With page 1 shown and the launcher
    hidden, the key starts page 2's button once and the launcher stays hidden; once
    another program has given that button Ctrl+Shift+F8, F8 starts it, and F9 is page
    3's at last."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    recorder = s.windows_path("recorder.exe")
    write_cp932(s, "zubi.ini", ["[User1]", "PageNoControl=3", "Hot=1", "HotKey=Ctrl+Shift+F5"])
    page2 = ["[PageTitle]", "PageTitle=two", "[Button3]", "ProgPath=" + recorder, "ProgOption=three"]
    write_cp932(s, "DATA/User12.dat", page2 + ["HotKey=Ctrl+Shift+F9"])
    write_cp932(s, "DATA/User13.dat", ["[Button1]", "ProgPath=" + recorder, "ProgTitle=twice", "ProgOption=twice",
                                       "HotKey=ctrl+shift+f9"])
    s.start()
    caption = wait_caption(s, 1, 3)
    box = s.wait_window(APP_TITLE)
    message, _ = s.box_text(APP_TITLE)
    check("（3ﾍﾟｰｼﾞ「twice」）: 2ﾍﾟｰｼﾞ「recorder.exe」と同じです" in message, "the notice names the second: %r" % message)
    s.key(box, "Return")
    s.wait_gone(APP_TITLE, box)

    holder = hold_focus(s)
    s.key(s.wait_window(caption), "ctrl+shift+F5")
    wait_for("the show/hide key to hide the launcher", lambda: not visible_windows(caption), 5.0)
    s.key(holder, "ctrl+shift+F9")
    start = wait_for("the key's start", lambda: recorder_starts(s), 15.0)
    time.sleep(1.0)
    start = recorder_starts(s)
    check(len(start) == 1 and start[0][0].endswith(" three"), "page 2's button 3 started once: %r" % start)
    check(not visible_windows(caption), "the launcher stays hidden")

    replace_cp932(s, "DATA/User12.dat", page2 + ["HotKey=Ctrl+Shift+F8"])
    for _ in range(10):  # the change is taken in once the burst of writes is over
        s.key(holder, "ctrl+shift+F8")
        time.sleep(1.0)
        if len(recorder_starts(s)) == 2:
            break
    check(len(recorder_starts(s)) == 2, "F8 starts the button: %r" % recorder_starts(s))
    check(recorder_starts(s)[1][0].endswith(" three"), "F8 starts button 3: %r" % recorder_starts(s))
    s.key(holder, "ctrl+shift+F9")
    wait_for("page 3's start by F9", lambda: len(recorder_starts(s)) == 3, 10.0)
    time.sleep(1.0)
    starts = recorder_starts(s)
    check(len(starts) == 3 and starts[2][0].endswith(" twice"), "F9 starts page 3's button once: %r" % starts)
    s.key(holder, "ctrl+shift+F5")
    s.wait_window(caption, 5.0)
    check(s.processes[0].poll() is None, "the launcher runs on")


def recorder_moments(s):
    """Each recorder's name (its last parameter) with the moment its process was
    created, and the moments their windows showed, from the two logs."""
    def read(name):
        if not os.path.exists(s.path(name)):
            return []
        with open(s.path(name), encoding="utf-8") as f:
            return [line.rstrip("\n").split("\t") for line in f if line.strip()]
    created = sorted((int(row[3]), row[0].split()[-1]) for row in read("recorder.log"))
    shown = {row[0].split()[-1]: int(row[1]) for row in read("recorder.windows")}
    return created, shown


def page_in_order(s):
    """A page set to start in order: Ctrl+A starts three recorders whose windows show
    after 0.5 s (then a pause of 5 s), 1 s and at once, each after the window of the one
    before and the pause; a second Ctrl+A meanwhile starts nothing twice. In a second
    run, Esc in the launcher after the first start ends it."""
    shutil.copy(s.args.recorder, s.path("recorder.exe"))
    recorder = s.windows_path("recorder.exe")
    lines = ["[PageTitle]", "PageTitle=order"]
    for k, (name, delay) in enumerate((("one", 500), ("two", 1000), ("three", 0)), 1):
        lines += ["[Button%d]" % k, "ProgPath=" + recorder, "ProgOption=--window --delay=%d %s" % (delay, name)]
    # The pause leaves a busy machine time to press Esc in the second run before it ends.
    lines.insert(lines.index("[Button2]"), "StartDelay=5000")
    write_cp932(s, "DATA/User11.dat", lines + ["[PageLaunch]", "InOrder=1"])
    s.start()
    caption = wait_caption(s, 1, 1)
    click_control(s, caption, 103)
    xdotool("key", "ctrl+a")
    wait_for("the first start", lambda: recorder_starts(s), 15.0)
    xdotool("key", "ctrl+a")  # while the run waits: ignored
    wait_for("three starts", lambda: len(recorder_starts(s)) >= 3, 30.0)
    time.sleep(2.0)
    created, shown = recorder_moments(s)
    check([name for _, name in created] == ["one", "two", "three"], "three starts in order: %r" % created)
    check(created[1][0] >= shown["one"] + 5000 * 10000, "two after one's window and its pause: %r %r" % (created, shown))
    check(created[2][0] >= shown["two"], "three after two's window: %r %r" % (created, shown))

    subprocess.run(["wine64", "taskkill", "/f", "/im", "recorder.exe"], capture_output=True)
    wait_for("the recorders to end", lambda: not visible_windows("recorder window"), 10.0)
    click_control(s, caption, 103)  # the launcher looks at the running programs again
    time.sleep(1.0)
    xdotool("key", "ctrl+a")
    wait_for("the second run's first start", lambda: len(recorder_starts(s)) == 4, 15.0)
    # Its window takes the focus as it shows: the launcher is clicked after that.
    wait_for("the first recorder's window", lambda: visible_windows("recorder window"), 10.0)
    click_control(s, caption, 103)
    xdotool("key", "Escape")
    time.sleep(7.0)  # past the pause
    check(len(recorder_starts(s)) == 4, "Esc ended the run: %r" % recorder_starts(s))
    subprocess.run(["wine64", "taskkill", "/f", "/im", "recorder.exe"], capture_output=True)
    click_control(s, caption, 103)  # Wine gives the keys back to the launcher on a click
    s.quit_with_yes(caption)


def folder_menu(s):
    """A folder button with its menu on: a click shows the folder's menu at the
    button's lower left (its subfolder, then its files in name order, the hidden one
    left out); choosing the recorder by keyboard starts that copy in its own folder and
    not the one in the subfolder; Shift+click opens the folder, as a click did before."""
    folder = s.path("Tools")
    os.makedirs(os.path.join(folder, "sub"))
    shutil.copy(s.args.recorder, os.path.join(folder, "recorder.exe"))
    shutil.copy(s.args.recorder, os.path.join(folder, "sub", "recorder.exe"))
    for name in ("notes.txt", ".hidden"):  # Wine shows names with a leading dot as hidden
        with open(os.path.join(folder, name), "w") as f:
            f.write("x")
    tools = s.windows_path("Tools")
    write_cp932(s, "zubi.ini", ["[User1]"])
    write_cp932(s, "DATA/User11.dat", ["[Button1]", "ProgPath=" + tools, "FolderMenu=1"])
    s.start()
    caption = wait_caption(s, 1, 1)

    def open_folder_menu():
        click_control(s, caption, 111)
        return wait_for("the folder's menu",
                        lambda: [w for w in s.top_level() if w["class"] == "#32768" and w["visible"]], 10.0)[0]

    menu = open_folder_menu()
    controls, origin = s.texts(caption)
    button = next(c[4] for c in controls if c[2] == 111)
    check(abs(menu["rect"][0] - (origin[0] + button[0])) <= 4 and abs(menu["rect"][1] - (origin[1] + button[3])) <= 4,
          "the menu at the button's lower left: menu %r, button %r at %r" % (menu["rect"], button, origin))
    s.screenshot("folder_menu.png")
    # ﾌｫﾙﾀﾞを開く, a separator, sub, notes.txt, recorder.exe: Up wraps to the last.
    xdotool("key", "--delay", "100", "Up", "Return")
    start = wait_for("the recorder's start", lambda: recorder_starts(s, "Tools"), 15.0)
    check(len(start) == 1 and start[0][0].startswith('"' + tools + "\\recorder.exe\"") and start[0][1] == tools,
          "the copy in the folder started there: %r" % start)
    check(not os.path.exists(os.path.join(folder, "sub", "recorder.log")), "not the copy in the subfolder")
    wait_for("the menu to close", lambda: not menu_open(s), 5.0)

    controls, origin = s.texts(caption)
    button = next(c[4] for c in controls if c[2] == 111)
    xdotool("keydown", "shift")
    try:
        s.click(origin[0] + (button[0] + button[2]) // 2, origin[1] + (button[1] + button[3]) // 2)
    finally:
        xdotool("keyup", "shift")
    wait_for("the folder opened", lambda: visible_windows("Tools"), 15.0)
    check(not menu_open(s), "Shift+click opened no menu")
    s.key(visible_windows("Tools")[0], "alt+F4")
    wait_for("the folder's window to close", lambda: not visible_windows("Tools"), 10.0)
    click_control(s, caption, 103)  # Wine leaves the launcher inactive after that window
    s.quit_with_yes(caption)


SCENARIOS = {f.__name__: f for f in (first_run, quit_question, second_instance, unwritable_settings,
                                      bad_settings_files, missing_data_folder, buttons_and_pages,
                                      page_list_keys, saves_while_read, editing_and_page_launch, users_and_page_data,
                                      backup_all_data, same_files,
                                      options_and_display_modes, version_dialog, portable_paths,
                                      missing_targets_dimmed, portable_stick, start_keys, page_keys,
                                      off_screen_rescue, daily_snapshots, find_and_switch,
                                      changes_from_elsewhere, data_folder_back, keyboard_only,
                                      addresses_and_shell_names, drops_of_items_and_links, button_keys,
                                      page_in_order, programs_from_the_start_menu, folder_menu)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--recorder", required=True)
    parser.add_argument("--wav", required=True)
    parser.add_argument("--help-page", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    session = Session(args, args.scenario)
    try:
        SCENARIOS[args.scenario](session)
    except Failure as failure:
        session.screenshot("failure.png")
        print("FAILED %s: %s (screenshot %s)" % (args.scenario, failure, session.path("failure.png")))
        return 1
    finally:
        session.stop()
    print("passed %s" % args.scenario)
    return 0


if __name__ == "__main__":
    sys.exit(main())
