#!/usr/bin/env python3
"""A quiz run the untidy ways: from a read-only folder, twice at once, damaged, and on a Windows
without its media player. Answers are never lost, the person is told, and nothing crashes."""
import glob
import os
import shutil
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from e2e import (PATIENCE, WINE, Player, build_quiz, expect, parse_args, read_bytes,  # noqa: E402
                 run_wine, tone_mp3, wine_env)

QUIZ = """\
kind = "text"
title = "Robuste"
author = "Testeur"
description = "Trois capitales."
codes = ["A", "B", "C"]

[[questions]]
prompt = "France ?"
answer = "Paris"

[[questions]]
prompt = "Italie ?"
answer = "Rome"

[[questions]]
prompt = "Espagne ?"
answer = "Madrid"
"""

AUDIO = """\
kind = "audio"
title = "Sons"
author = "Testeur"
description = "Un son."
codes = ["A"]

[[questions]]
answer = "La"
media = "la.mp3"
"""


def resource_entry(exe, type_name, ident):
    """File offset of the data entry (RVA, size) of a named-type resource of a PE file."""
    data = read_bytes(exe)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    directories = optional + (96 if struct.unpack_from("<H", data, optional)[0] == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size

    def offset(rva):
        for k in range(sections):
            size, address, _, raw = struct.unpack_from("<IIII", data, table + 40 * k + 8)
            if address <= rva < address + size:
                return rva - address + raw
        raise AssertionError(f"RVA {rva:#x} in no section")

    base = offset(rsrc_rva)

    def entries(at):
        named, ids = struct.unpack_from("<HH", data, at + 12)
        return [struct.unpack_from("<II", data, at + 16 + 8 * k) for k in range(named + ids)]

    def name_of(field):
        at = base + (field & 0x7FFFFFFF)
        length = struct.unpack_from("<H", data, at)[0]
        return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")

    for name, target in entries(base):
        if name & 0x80000000 and name_of(name).upper() == type_name:
            for number, inner in entries(base + (target & 0x7FFFFFFF)):
                if number == ident:
                    language = entries(base + (inner & 0x7FFFFFFF))[0][1]
                    return base + language
    raise AssertionError(f"no resource {type_name} {ident} in {exe}")


def patch_resource(exe, type_name, ident, rva=None, size=None):
    at = resource_entry(exe, type_name, ident)
    with open(exe, "r+b") as f:
        f.seek(at)
        old_rva, old_size = struct.unpack("<II", f.read(8))
        f.seek(at)
        f.write(struct.pack("<II", old_rva if rva is None else rva, old_size if size is None else size))


def fallback_files(args, exe_name):
    prefix = os.path.join(os.path.abspath(args.work), "wine", "prefix")
    return glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Roaming", "Velto",
                                  exe_name + ".*.txt"))


def answer_box(p, title, press):
    """The texts of the message box of that title, which is then answered with a button."""
    status, out, err = run_wine([p.args.inspector, "--box", title, "--press", str(press), "--wait",
                                 str(int(30 * PATIENCE))], p.env, 60 + 30 * PATIENCE)
    if status != 0:
        raise AssertionError(f"no message box {title!r}: {err.decode(errors='replace')}")
    texts = (line.split("\t")[-1].strip() for line in out.decode("cp1252", "replace").splitlines())
    return " ".join(text for text in texts if text)


class Started(Player):
    """A player whose start shows a message box first: answered before the window is awaited."""

    def __init__(self, args, exe, workdir, box, env=None):
        self.args, self.exe, self.workdir = args, exe, workdir
        self.env = env or wine_env(args)
        self.proc = subprocess.Popen([WINE, exe], cwd=workdir, env=self.env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.box_text = answer_box(self, box, 1) if box else ""
        self.controls = self.inspect(wait=int(40 * PATIENCE))
        self.focus_main()


def read_only_folder(args, exe):
    """Answers typed in a folder that takes no file come back at the next start."""
    source = os.path.join(os.path.abspath(args.work), "lecture-seule-source")
    mounted = os.path.join(os.path.abspath(args.work), "lecture-seule")
    for folder in (source, mounted):
        subprocess.run(["umount", folder], stderr=subprocess.DEVNULL, check=False)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
    shutil.copy(exe, source)
    for old in fallback_files(args, "robuste.exe"):
        os.remove(old)
    subprocess.run(["mount", "--bind", source, mounted], check=True)
    try:
        subprocess.run(["mount", "-o", "remount,bind,ro", mounted], check=True)
        ro_exe = os.path.join(mounted, "robuste.exe")
        with Player(args, ro_exe, mounted) as p:
            p.place(20, 20, 1000, 500)  # the answer fields sit right of the 544-pixel window's edge
            p.fill(4001, "Paris")
            p.key("Tab")
            p.close()
        saved = fallback_files(args, "robuste.exe")
        expect(len(saved), 1, "one fallback answers file in the user's folder")
        expect(read_bytes(saved[0]), b"Paris\r\n\r\n\r\n", "answers kept from a read-only folder")
        with Player(args, ro_exe, mounted) as p:
            expect(p.control(4001)["text"], "Paris", "answer restored in the read-only folder")
            p.close()
    finally:
        subprocess.run(["umount", mounted], check=False)


def second_start(args, exe, workdir):
    with Player(args, exe, workdir) as p:
        second = subprocess.Popen([WINE, exe], cwd=workdir, env=p.env, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        expect(second.wait(timeout=40 * PATIENCE), 0, "a second start on the same answers exits")
        p.place(20, 20, 1000, 500)
        p.fill(4002, "Rome")
        p.close()
    # No file here yet: the start read the answers kept from the read-only folder.
    expect(read_bytes(os.path.join(workdir, "robuste.txt")), b"Paris\r\nRome\r\n\r\n",
           "the first copy's answers saved")


def damaged(args, exe, workdir):
    """A definition pointing outside the image: told, the stand-in shown, the answers untouched."""
    broken = os.path.join(workdir, "abime.exe")
    shutil.copy(exe, broken)
    patch_resource(broken, "PATCH", 104, rva=0x7FF00000)
    answers = os.path.join(workdir, "abime.txt")
    with open(answers, "wb") as f:
        f.write(b"Paris\r\nRome\r\nMadrid\r\n")
    with Started(args, broken, workdir, "Velto") as p:
        expect(p.box_text, "Erreur dans le d\xe9cryptage des reponses", "the damage is told")
        expect(p.control(0)["text"], "nom du velto", "the stand-in quiz")
        p.place(20, 20, 1000, 500)
        p.fill(4001, "remplacant")
        p.close()
    expect(read_bytes(answers), b"Paris\r\nRome\r\nMadrid\r\n", "the stand-in wrote nothing")
    expect(fallback_files(args, "abime.exe"), [], "nor anywhere else")


def picture_past_the_end(args):
    jpeg = subprocess.run(["convert", "-size", "40x30", "xc:#ff0000", "jpg:-"], capture_output=True,
                          check=True).stdout
    quiz = ('kind = "picture"\ntitle = "Images"\nauthor = "T"\ndescription = "D"\ncodes = ["A"]\n'
            '\n[[questions]]\nanswer = "Rouge"\nmedia = "rouge.jpg"\n')
    workdir, exe = build_quiz(args, quiz, "images", {"rouge.jpg": jpeg})
    patch_resource(exe, "IMG", 401, size=0x7FFFFFF0)
    with Player(args, exe, workdir) as p:
        time.sleep(2 * PATIENCE)
        expect(p.proc.poll(), None, "a picture sized past the image crashes nothing")
        p.place(20, 20, 1000, 700)
        p.fill(4001, "Rouge")
        p.close()
    expect(read_bytes(os.path.join(workdir, "images.txt")), b"Rouge\r\n", "answer saved")


def media_player_missing(args):
    workdir, exe = build_quiz(args, AUDIO, "sons", {"la.mp3": tone_mp3(440)})
    env = wine_env(args)
    env["WINEDLLOVERRIDES"] = env.get("WINEDLLOVERRIDES", "") + ";wmp=d"
    with Started(args, exe, workdir, None, env) as p:
        p.click(6001)
        text = answer_box(p, "Information", 1)
        expect("Media Feature Pack" in text and "Lecteur Windows Media" in text, True,
               "the missing media player is named with where to get it")
        p.click(6001)
        time.sleep(1.5 * PATIENCE)
        status = run_wine([args.inspector, "--box", "Information"], env, 60)[0]
        expect(status, 1, "told once only")
        p.close()


def main():
    args = parse_args()
    workdir, exe = build_quiz(args, QUIZ, "robuste")
    read_only_folder(args, exe)
    second_start(args, exe, workdir)
    damaged(args, exe, workdir)
    picture_past_the_end(args)
    media_player_missing(args)
    print("robust quiz: all checks passed")


if __name__ == "__main__":
    main()
