#!/usr/bin/env python3
"""Puts the release together from the build: what the installer and the zip ship.

    release.py stage --exe Quarnel.exe --lang DIR --readme Readme.txt --out DIR --nsh FILE
    release.py zip --stage DIR --out Quarnel-<version>.zip
    release.py setup @setup.args --stage DIR --nsh FILE --out QuarnelSetup-<version>.exe

stage: makes DIR afresh with Quarnel.exe, Lang\\ (every *.ini and *.bmp of the source language
folder, which may be empty or missing) and Readme.txt (CRLF, Windows-1252), and writes FILE, the
installer's list of language files (one NSIS File line each), so that makensis needs no
wildcards that may match nothing.

zip: packs the staged folder, Lang\\ included even when empty, into one zip archive.

setup: builds the installer from a staged folder with makensis. The build writes the arguments
that do not change (makensis, the script, version, copyright, pictures) into setup.args; the
Wine tests take them from there to build installers of their own (an older version, other
language files), and may override any of them after it.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

LANG_SUFFIXES = (".ini", ".bmp")


def language_files(folder):
    if not os.path.isdir(folder):
        return []
    return sorted(
        name
        for name in os.listdir(folder)
        if name.lower().endswith(LANG_SUFFIXES) and os.path.isfile(os.path.join(folder, name))
    )


def windows_text(text):
    """LF (or CRLF) text as Windows 95 to XP read it: CRLF lines in Windows-1252."""
    lines = text.replace("\r\n", "\n").split("\n")
    return "\r\n".join(lines).encode("cp1252")


def stage(args):
    out = args.out
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(os.path.join(out, "Lang"))
    shutil.copy2(args.exe, os.path.join(out, "Quarnel.exe"))
    names = language_files(args.lang)
    for name in names:
        shutil.copy2(os.path.join(args.lang, name), os.path.join(out, "Lang", name))
    with open(args.readme, encoding="utf-8") as f:
        readme = windows_text(f.read())
    with open(os.path.join(out, "Readme.txt"), "wb") as f:
        f.write(readme)
    with open(args.nsh, "w", encoding="cp1252", newline="\r\n") as f:
        f.write("; Language files of the release, written by installer/release.py.\n")
        for name in names:
            f.write('File "%s"\n' % os.path.join(os.path.abspath(out), "Lang", name))
    print("staged %s: Quarnel.exe, Readme.txt, Lang\\ with %d file(s)" % (out, len(names)))


def pack(args):
    entries = []  # (archive name, file path or None for a folder)
    for root, dirs, files in os.walk(args.stage):
        dirs.sort()
        rel = os.path.relpath(root, args.stage)
        if rel != ".":
            entries.append((rel.replace(os.sep, "/") + "/", None))
        for name in sorted(files):
            arc = name if rel == "." else rel.replace(os.sep, "/") + "/" + name
            entries.append((arc, os.path.join(root, name)))
    # A folder entry carries the time of the program file, like the files beside it.
    when = time.localtime(os.path.getmtime(os.path.join(args.stage, "Quarnel.exe")))
    tmp = args.out + ".tmp"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as z:
        for arc, path in entries:
            if path is None:
                info = zipfile.ZipInfo(arc, date_time=when[:6])
                info.external_attr = 0x10  # MS-DOS directory attribute
                z.writestr(info, b"")
            else:
                z.write(path, arc)
    os.replace(tmp, args.out)
    print("wrote %s (%d entries)" % (args.out, len(entries)))


def four_part(version):
    """1.2 -> 1.2.0.0: the form a version resource takes."""
    parts = version.split(".")
    if not 1 <= len(parts) <= 4 or not all(p.isdigit() for p in parts):
        sys.exit("release.py: version %r is not 1 to 4 numbers" % version)
    return ".".join(parts + ["0"] * (4 - len(parts)))


def setup(args):
    command = [
        args.makensis,
        "-V2",
        "-WX",
        "-NOCD",
        "-DVERSION=" + args.version,
        "-DVERSION4=" + four_part(args.version),
        "-DCOPYRIGHT=" + args.copyright,
        "-DSTAGE=" + os.path.abspath(args.stage),
        "-DLANG_FILES=" + os.path.abspath(args.nsh),
        "-DICON=" + args.icon,
        "-DWIZARD_BITMAP=" + args.bitmap,
        "-DOUTFILE=" + os.path.abspath(args.out),
        args.nsi,
    ]
    result = subprocess.run(command)
    if result.returncode != 0:
        sys.exit("release.py: makensis failed (%d)" % result.returncode)
    print("wrote %s" % args.out)


def main():
    parser = argparse.ArgumentParser(
        description=__doc__.split("\n")[0], fromfile_prefix_chars="@"
    )
    sub = parser.add_subparsers(dest="command", required=True)
    s = sub.add_parser("stage")
    s.add_argument("--exe", required=True)
    s.add_argument("--lang", required=True)
    s.add_argument("--readme", required=True)
    s.add_argument("--out", required=True)
    s.add_argument("--nsh", required=True)
    z = sub.add_parser("zip")
    z.add_argument("--stage", required=True)
    z.add_argument("--out", required=True)
    n = sub.add_parser("setup", fromfile_prefix_chars="@")
    for name in ("makensis", "nsi", "version", "copyright", "icon", "bitmap"):
        n.add_argument("--" + name, required=True)
    n.add_argument("--stage", required=True)
    n.add_argument("--nsh", required=True)
    n.add_argument("--out", required=True)
    args = parser.parse_args()
    {"stage": stage, "zip": pack, "setup": setup}[args.command](args)
    return 0


if __name__ == "__main__":
    sys.exit(main())
