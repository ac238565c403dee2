#!/usr/bin/env python3
"""Writes lang/409.ini from the built-in string table and lang/407.ini from tools/german_texts.py.

Language files are UTF-16LE with a byte-order mark: the profile functions read them the same way
whatever the machine's code page.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def builtin_texts():
    texts = {}
    for line in (ROOT / "src/resources/strings.rc").read_text(encoding="utf-8").splitlines():
        m = re.match(r'\s*(\d+),\s*L?"(.*)"\s*$', line)
        if m:
            texts[int(m.group(1))] = m.group(2).replace('""', '"')
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
