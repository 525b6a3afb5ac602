#!/usr/bin/env python3
"""End-to-end checks: quizzes built by `velto build`, started under Wine as a user starts them,
typed into with real X input (xdotool), read back with the inspector and the saved answers file."""
import argparse
import contextlib
import glob
import json
import os
import re
import shutil
import subprocess
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MEDIA_DATA = os.path.join(ROOT, "tests", "media", "win", "data")
WINE = "/usr/lib/wine/wine64"
GRID_BORDER = 1  # the grid dialog's WS_BORDER, between its window rectangle and its canvas
# How many times longer than natively a player may take to react: the 32-bit player runs under
# an emulator (a video starts in about 10 s there instead of under one).
PATIENCE = float(os.environ.get("VELTO_E2E_PATIENCE", "1"))


def parse_args():
    parser = argparse.ArgumentParser()
    for name in ("velto", "player", "inspector", "work", "artifacts"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--planted-dll", help="an atl.dll that leaves planted-atl-ran.txt when loaded")
    return parser.parse_args()


def wine_env(args, locale=None):
    # A prefix of the end-to-end tests' own, even when the caller exports another: the inspector
    # finds the player by its window class, so no other test's windows may share the wineserver.
    # A locale (pl_PL.UTF-8) runs Wine in that system code page (scripts/wine-env says how).
    env = dict(os.environ)
    env["VELTO_WINE_DIR"] = os.path.join(os.path.abspath(args.work), "wine")
    in_locale = f"&& velto_wine_locale '{locale}' " if locale else ""
    out = subprocess.run(["bash", "-c", f"source '{ROOT}/scripts/wine-env' && mkdir -p \"$VELTO_WINE_DIR\" "
                          f"&& velto_wine_prefix {in_locale}&& env -0"], capture_output=True, text=True,
                         check=True, env=env, stdin=subprocess.DEVNULL).stdout
    env = dict(item.split("=", 1) for item in out.split("\0") if "=" in item)
    env["DISPLAY"] = os.environ.get("DISPLAY", "")
    return env


def run_wine(cmd, env, timeout):
    """Runs a Windows program to its end: (exit status, stdout, stderr). Its output goes through
    files, not pipes: a wineserver that the program starts inherits them and outlives it. No
    terminal either: a process that touches one from a background group is stopped."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        res = subprocess.run([WINE, *cmd], env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                             timeout=timeout)
        out.seek(0)
        err.seek(0)
        return res.returncode, out.read(), err.read()


class Player:
    def __init__(self, args, exe, workdir, locale=None, dll_overrides=""):
        self.args, self.exe, self.workdir = args, exe, workdir
        self.env = wine_env(args, locale)
        if dll_overrides:
            self.env["WINEDLLOVERRIDES"] += ";" + dll_overrides
        # The inspector finds the player by its window class: another one would be read instead.
        if self.player_window_open():
            raise AssertionError("a player window is already open in the test prefix")
        self.proc = subprocess.Popen([WINE, exe], cwd=workdir, env=self.env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.controls = self.inspect(wait=int(40 * PATIENCE))
            self.focus_main()
        except BaseException:
            self.__exit__()
            raise

    def player_window_open(self):
        return run_wine([self.args.inspector], self.env, 60)[0] == 0

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        # A failed check must not leave a player behind for the next scenario.
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(timeout=20 * PATIENCE)
        return False

    def inspect(self, wait=0, close=False, place=None):
        cmd = [self.args.inspector, "--wait", str(wait)] + (["--close"] if close else [])
        if place:
            cmd += ["--place"] + [str(v) for v in place]
        status, out, err = run_wine(cmd, self.env, 60 + wait)
        if status != 0:
            raise AssertionError("inspector found no player window: " + err.decode(errors="replace"))
        rows = []
        for line in out.decode("utf-8", errors="replace").splitlines():
            parts = line.split("\t")
            if len(parts) < 9:
                continue
            depth, ident, cls, x, y, w, h, vis = parts[:8]
            rows.append(dict(depth=int(depth), id=int(ident), cls=cls, x=int(x), y=int(y), w=int(w),
                             h=int(h), visible=vis == "1", text="\t".join(parts[8:])))
        self.controls = rows
        return rows

    def control(self, ident, cls=None):
        for row in self.controls:
            if row["id"] == ident and (cls is None or row["cls"].lower() == cls.lower()):
                return row
        raise AssertionError(f"no control {ident} ({cls}) in {[(r['id'], r['cls']) for r in self.controls]}")

    def parent_of(self, ident):
        """The window whose child the control is (rows come depth first)."""
        index = next(k for k, r in enumerate(self.controls) if r["id"] == ident)
        depth = self.controls[index]["depth"]
        for row in reversed(self.controls[:index]):
            if row["depth"] == depth - 1:
                return row
        raise AssertionError(f"control {ident} has no parent row")

    def grid_origin(self):
        """Screen position of the grid's canvas point (0, 0) while it is scrolled to its top."""
        grid = self.parent_of(4001)
        return grid["x"] + GRID_BORDER, grid["y"] + GRID_BORDER

    def place(self, x, y, width, height):
        """Moves and sizes the main window (the grid follows it), then reads the controls again."""
        self.inspect(place=(x, y, width, height))
        time.sleep(1.0)
        self.inspect()
        self.focus_main()

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=30)

    def focus_main(self):
        main = self.controls[0]
        # Clicking the title bar gives the window the focus under any window manager.
        self.xdo("mousemove", str(main["x"] + main["w"] // 2), str(main["y"] + 10), "click", "1")
        time.sleep(0.5)

    def click(self, ident):
        c = self.control(ident)
        self.xdo("mousemove", str(c["x"] + c["w"] // 2), str(c["y"] + c["h"] // 2), "click", "1")
        time.sleep(0.3)

    def fill(self, ident, text):
        """Clicks into a field and replaces its text (the edit control knows no Ctrl+A)."""
        self.click(ident)
        self.key("End", "shift+Home")
        self.type(text)

    def type(self, text):
        self.xdo("type", "--delay", "40", text)

    def key(self, *keys):
        self.xdo("key", "--delay", "80", *keys)
        time.sleep(0.3)

    def screenshot(self, name):
        os.makedirs(self.args.artifacts, exist_ok=True)
        path = os.path.join(self.args.artifacts, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=False, timeout=30)
        return path

    def close(self):
        self.key("alt+F4")
        try:
            self.proc.wait(timeout=20 * PATIENCE)
        except subprocess.TimeoutExpired:
            self.inspect(close=True)
            self.proc.wait(timeout=20 * PATIENCE)


@contextlib.contextmanager
def keyboard_layout(layout):
    """The X keyboard in another layout (fr: accented letters on keys of their own, which xdotool
    then types without remapping a key under Wine's feet); the previous layout comes back."""
    query = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True, check=True).stdout
    previous = re.search(r"^layout:\s*(\S+)", query, re.MULTILINE).group(1)
    subprocess.run(["setxkbmap", layout], check=True)
    try:
        yield
    finally:
        subprocess.run(["setxkbmap", previous], check=True)


def build_quiz(args, toml_text, name, files=None):
    workdir = os.path.join(os.path.abspath(args.work), name)
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    for rel, data in (files or {}).items():
        path = os.path.join(workdir, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    quiz = os.path.join(workdir, name + ".toml")
    with open(quiz, "w", encoding="utf-8") as f:
        f.write(toml_text)
    exe = os.path.join(workdir, name + ".exe")
    subprocess.run([args.velto, "build", quiz, "-o", exe, "--player", args.player], check=True, timeout=120)
    return workdir, exe


def toml_list(texts):
    return "[" + ", ".join(json.dumps(t, ensure_ascii=False) for t in texts) + "]"


def expect(actual, wanted, what):
    if actual != wanted:
        raise AssertionError(f"{what}: expected {wanted!r}, got {actual!r}")
    print(f"ok: {what} = {actual!r}")


def wait_until(condition, what, seconds=15):
    """Polls for an effect of asynchronous X input; fails with `what` when it never comes."""
    deadline = time.monotonic() + seconds * PATIENCE
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(f"never happened: {what}")
        time.sleep(0.2)
    print(f"ok: {what}")


# --- media made at test time ---

def solid_jpeg(width, height, colour):
    return subprocess.run(["convert", "-size", f"{width}x{height}", f"xc:{colour}", "-quality", "95",
                           "-sampling-factor", "1x1", "jpg:-"], capture_output=True, check=True).stdout


def tone_mp3(frequency):
    # The encoding of tests/media/win/data/tone.mp3, which the media player under Wine decodes.
    return subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                           f"sine=frequency={frequency}:sample_rate=22050:duration=0.5", "-ac", "1",
                           "-c:a", "libmp3lame", "-b:a", "32k", "-f", "mp3", "-"],
                          capture_output=True, check=True).stdout


def mjpeg_avi(colour):
    # MJPEG without sound, as tests/media/win/data/bars.avi.
    return subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                           f"color=c={colour}:s=32x24:r=5:d=0.6", "-c:v", "mjpeg", "-q:v", "4",
                           "-pix_fmt", "yuvj444p", "-f", "avi", "-"], capture_output=True, check=True).stdout


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def file_holds(path, data):
    """A condition for wait_until: the file exists with exactly these bytes."""
    return lambda: os.path.exists(path) and read_bytes(path) == data


def file_gone(path):
    return lambda: not os.path.exists(path)


def clip_files(workdir, extension):
    return sorted(os.path.basename(p) for p in glob.glob(os.path.join(workdir, "velto*." + extension)))


# --- screen colours ---

def hex_rgb(colour):
    return tuple(int(colour[k:k + 2], 16) for k in (1, 3, 5))


def mean_colour(png, rect, inset=4):
    """Mean (r, g, b) of a screen rectangle (a control row) of a screenshot, inside its border."""
    x, y, w, h = rect["x"] + inset, rect["y"] + inset, rect["w"] - 2 * inset, rect["h"] - 2 * inset
    out = subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-colorspace", "sRGB",
                          "-format", " ".join(f"%[fx:round(255*mean.{c})]" for c in "rgb"), "info:"],
                         capture_output=True, text=True, check=True).stdout
    return tuple(int(v) for v in re.findall(r"\d+", out)[:3])


def expect_colour(png, rect, colour, what, tolerance=24):
    got, wanted = mean_colour(png, rect), hex_rgb(colour)
    if any(abs(g - w) > tolerance for g, w in zip(got, wanted)):
        raise AssertionError(f"{what}: expected about {wanted} ({colour}), got {got} in {png}")
    print(f"ok: {what} = {got}")


def count_colour(png, rect, colour, tolerance=40):
    """Pixels of a screen rectangle (a control row) of a screenshot within tolerance of a colour."""
    crop = f"{rect['w']}x{rect['h']}+{rect['x']}+{rect['y']}"
    out = subprocess.run(["convert", png, "-crop", crop, "+repage", "-colorspace", "sRGB",
                          "-depth", "8", "txt:-"], capture_output=True, text=True, check=True).stdout
    wanted = hex_rgb(colour)
    count = 0
    for match in re.finditer(r"^\d+,\d+: \((\d+),(\d+),(\d+)", out, re.MULTILINE):
        if all(abs(int(v) - w) <= tolerance for v, w in zip(match.groups(), wanted)):
            count += 1
    return count
