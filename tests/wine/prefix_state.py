#!/usr/bin/env python3
"""What a Wine prefix holds, read from its files: for tests/wine/installer.sh.

Reads the registry from the prefix's user.reg and system.reg, so the prefix's wineserver must
have written them (wineserver -w) since the last change.

    prefix_state.py PREFIX values HKCU|HKLM KEY    the key's values, "name=value" (text as is,
                                                   a DWORD in decimal), sorted; exit 1 if no key
    prefix_state.py PREFIX subkeys HKCU|HKLM KEY   the names of the key's direct sub-keys
    prefix_state.py PREFIX snapshot FILE           the whole registry and the list of files
                                                   under drive_c, to compare later
    prefix_state.py PREFIX compare FILE            prints what differs from the snapshot; exit 1
                                                   when anything does
    prefix_state.py PREFIX reset FILE              removes every file and folder under drive_c
                                                   that the snapshot does not list
    prefix_state.py PREFIX version EXE             an executable's FILEVERSION, "a.b.c.d"

Wine's own bookkeeping is left out of snapshots: key timestamps; the devices Wine lists again
whenever a program opens the display (HKLM\\Hardware, and the Class, Enum and Video keys of
CurrentControlSet, where a driver's "DriverDateData" changes each time); and the NSIS
uninstaller's temporary copy of itself (%TEMP%\\~nsu*.tmp, which Windows deletes at the next
restart, listed for that in PendingFileRenameOperations).
"""

import os
import re
import shutil
import struct
import sys

HIVES = {"HKCU": "user.reg", "HKLM": "system.reg"}
NSIS_TEMP = re.compile(r"(^|[\\/])~nsu[^\\/]*\.tmp([\\/]|$)", re.IGNORECASE)


def read_hive(prefix, hive):
    """{key path (lower case): (key path, [value lines])} of one Wine registry file."""
    keys = {}
    current = None
    pending = ""
    with open(os.path.join(prefix, HIVES[hive]), encoding="utf-8", errors="surrogateescape") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if pending:
                line = pending + line.lstrip()
                pending = ""
            if line.endswith("\\") and not line.startswith("["):
                pending = line[:-1]
                continue
            if line.startswith("["):
                name = line[1 : line.rindex("]")].replace("\\\\", "\\")
                current = keys.setdefault(name.lower(), (name, []))
            elif current is not None and line and not line.startswith("#"):
                current[1].append(line)
    return keys


def unquote(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            i += 1
            c = {"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(text[i], text[i])
        out.append(c)
        i += 1
    return "".join(out)


def parse_value(line):
    """'"name"=data' or '@=data' -> (name, shown data)."""
    if line.startswith("@="):
        name, data = "@", line[2:]
    else:
        m = re.match(r'"((?:[^"\\]|\\.)*)"=(.*)$', line)
        if not m:
            return line, ""
        name, data = unquote(m.group(1)), m.group(2)
    if data.startswith('"') and data.endswith('"'):
        return name, unquote(data[1:-1])
    if data.startswith("dword:"):
        return name, str(int(data[6:], 16))
    return name, data


def find_key(prefix, hive, key):
    return read_hive(prefix, hive).get(key.lower())


def cmd_values(prefix, hive, key):
    found = find_key(prefix, hive, key)
    if found is None:
        return 1
    for name, data in sorted(parse_value(v) for v in found[1]):
        print("%s=%s" % (name, data))
    return 0


def cmd_subkeys(prefix, hive, key):
    base = key.lower() + "\\"
    names = set()
    for path, (name, _) in read_hive(prefix, hive).items():
        if path.startswith(base):
            names.add(name[len(base) :].split("\\")[0])
    for name in sorted(names):
        print(name)
    return 0


DEVICE_KEYS = re.compile(
    r"^(hardware|system\\currentcontrolset\\(control\\class|enum|control\\video))(\\|$)"
)


def is_noise(line):
    if line.startswith('"PendingFileRenameOperations"='):
        entries = [e for e in re.split(r"\\0", line.split("=", 1)[1]) if e.strip('"').strip()]
        return all(NSIS_TEMP.search(e) for e in entries)
    return False


def registry_lines(prefix):
    lines = []
    for hive in ("HKLM", "HKCU"):
        for path, (name, values) in sorted(read_hive(prefix, hive).items()):
            if hive == "HKLM" and DEVICE_KEYS.match(path):
                continue
            lines.append("[%s\\%s]" % (hive, name))
            lines.extend("[%s\\%s] %s" % (hive, name, v) for v in values if not is_noise(v))
    return lines


def file_lines(prefix):
    root = os.path.join(prefix, "drive_c")
    lines = []
    for folder, dirs, files in os.walk(root):
        rel = os.path.relpath(folder, root)
        for name in dirs + files:
            path = name if rel == "." else os.path.join(rel, name)
            if not NSIS_TEMP.search(path):
                lines.append("file " + path)
    return sorted(lines)


def cmd_snapshot(prefix, out):
    with open(out, "w", encoding="utf-8", errors="surrogateescape") as f:
        for line in registry_lines(prefix) + file_lines(prefix):
            f.write(line + "\n")
    return 0


def cmd_compare(prefix, snapshot):
    with open(snapshot, encoding="utf-8", errors="surrogateescape") as f:
        before = set(f.read().splitlines())
    after = set(registry_lines(prefix) + file_lines(prefix))
    gone, new = sorted(before - after), sorted(after - before)
    for line in gone[:20]:
        print("    gone: " + line)
    for line in new[:20]:
        print("    new:  " + line)
    if len(gone) > 20 or len(new) > 20:
        print("    (%d gone, %d new in all)" % (len(gone), len(new)))
    return 0 if not gone and not new else 1


def cmd_reset(prefix, snapshot):
    """Takes away what is not in the snapshot; never follows a link out of the prefix."""
    with open(snapshot, encoding="utf-8", errors="surrogateescape") as f:
        keep = {l[5:] for l in f.read().splitlines() if l.startswith("file ")}
    root = os.path.join(prefix, "drive_c")
    for folder, dirs, files in os.walk(root, topdown=True):
        rel = os.path.relpath(folder, root)
        for name in list(dirs) + files:
            path = name if rel == "." else os.path.join(rel, name)
            if path in keep:
                continue
            full = os.path.join(root, path)
            if os.path.isdir(full) and not os.path.islink(full):
                shutil.rmtree(full)
                if name in dirs:
                    dirs.remove(name)
            else:
                os.remove(full)
    return 0


def cmd_version(prefix, exe):
    del prefix
    data = open(exe, "rb").read()
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return 1
    ms, ls = struct.unpack_from("<II", data, at + 8)
    print("%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF))
    return 0


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    prefix, command, args = argv[1], argv[2], argv[3:]
    commands = {
        "values": cmd_values,
        "subkeys": cmd_subkeys,
        "snapshot": cmd_snapshot,
        "compare": cmd_compare,
        "reset": cmd_reset,
        "version": cmd_version,
    }
    return commands[command](prefix, *args)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
