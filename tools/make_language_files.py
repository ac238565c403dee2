#!/usr/bin/env python3
"""Writes lang/409.ini from the built-in string table (its names resolved through texts.h) and
lang/407.ini from tools/german_texts.py.

Language files are UTF-16LE with a byte-order mark: the profile functions read them the same way
whatever the machine's code page.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def text_numbers():
    """The names of texts.h and their numbers."""
    numbers = {}
    for line in (ROOT / "src/resources/texts.h").read_text(encoding="utf-8").splitlines():
        m = re.match(r"\s*#define\s+(IDS_\w+)\s+(\d+)\s*$", line)
        if m:
            numbers[m.group(1)] = int(m.group(2))
    return numbers


def builtin_texts():
    numbers = text_numbers()
    texts = {}
    for line in (ROOT / "src/resources/strings.rc").read_text(encoding="utf-8").splitlines():
        m = re.match(r'\s*(\w+),\s*L?"(.*)"\s*$', line)
        if not m:
            continue
        key = m.group(1)
        if key.isdigit():
            number = int(key)
        elif key in numbers:
            number = numbers[key]
        else:
            sys.exit(f"strings.rc: {key} is not defined in texts.h")
        if number in texts:
            sys.exit(f"strings.rc: text {number} ({key}) appears twice")
        texts[number] = m.group(2).replace('""', '"')
    return texts


def write(path, info, texts, dialogs=None):
    lines = ["[Info]"] + [f"{k}={v}" for k, v in info.items()] + ["", "[String]"]
    lines += [f"{n}={texts[n]}" for n in sorted(texts)]
    for template, controls in sorted((dialogs or {}).items()):
        lines += ["", f"[DLG{template}]"] + [f"{k}={v}" for k, v in controls.items()]
    path.write_bytes(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def main():
    english = builtin_texts()
    write(ROOT / "lang/409.ini", {"Language": "English (United States)", "FontSize": "8"}, english)
    sys.path.insert(0, str(ROOT / "tools"))
    import german_texts  # noqa: E402
    write(ROOT / "lang/407.ini", {"Language": "Deutsch (Deutschland)", "FontSize": "8"}, german_texts.TEXTS,
          german_texts.DIALOGS)


main()
