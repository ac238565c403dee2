#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (tests/fuzz/corpus/<target>/) from the literal texts of
the tests (files named finding-* are inputs that once found a problem, and are kept): every string literal of the named test files (adjacent literals joined), UTF-8 encoded;
for targets that read several fields, the fields are joined by 0xFF bytes as the targets split them.
Run again after changing those tests: /usr/bin/python3 tests/fuzz/make_seeds.py
"""
import hashlib
import itertools
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent
CORPUS = ROOT / "tests/fuzz/corpus"

LITERAL = re.compile(r'(?:T16\(|L|u8|u)?"((?:\\.|[^"\\])*)"\)?')
ESCAPE = re.compile(r'\\(U[0-9a-fA-F]{8}|u[0-9a-fA-F]{4}|x[0-9a-fA-F]+|[0-7]{1,3}|.)')


def unescape(body):
    def one(m):
        e = m.group(1)
        if e[0] in "Uu":
            return chr(int(e[1:], 16))
        if e[0] == "x":
            return chr(int(e[1:], 16))
        if e[0].isdigit():
            return chr(int(e, 8))
        return {"n": "\n", "r": "\r", "t": "\t", "v": "\v", "f": "\f", "0": "\0"}.get(e, e)
    return ESCAPE.sub(one, body)


def literals(*files):
    """Each run of adjacent literals (joined) of the files, in order, without duplicates."""
    found = []
    for name in files:
        text = (ROOT / name).read_text(encoding="utf-8")
        text = re.sub(r"//[^\n]*", "", text)
        pieces, last_end = [], None
        for m in LITERAL.finditer(text):
            joined = last_end is not None and text[last_end:m.start()].strip() == ""
            if joined and pieces:
                pieces[-1] += unescape(m.group(1))
            else:
                pieces.append(unescape(m.group(1)))
            last_end = m.end()
        for piece in pieces:
            if piece not in found and "#include" not in piece:
                found.append(piece)
    return found


def encode(text):
    # Lone surrogates written in the tests go out as the bytes the targets read back as them.
    return text.encode("utf-8", "surrogatepass")


def write(target, seeds):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    # Inputs that once found a problem stay: they are the fuzzers' own regression tests.
    for old in folder.iterdir():
        if not old.name.startswith("finding-"):
            old.unlink()
    for seed in seeds:
        (folder / hashlib.sha1(seed).hexdigest()[:16]).write_bytes(seed)


def main():
    listings = literals("tests/core/ListingParserTest.cpp", "tests/store/ListingParserTest.cpp")
    write("ListingFuzzer", [encode(t) for t in listings])
    write("ListingSectionFuzzer", [encode(t) for t in listings])
    write("DeviceFuzzer", [encode(t) for t in literals("tests/core/DeviceSpecTest.cpp")])
    lines = literals("tests/core/BootIniLineTest.cpp", "tests/store/BootIniTest.cpp")
    menu_lines = [t for t in lines if "=" in t and "\n" not in t] or lines
    titles = [t for t in lines if "=" not in t and len(t) < 40]
    write("BootIniFuzzer", [encode(line) + b"\xff" + encode(title) + b"\xff" + encode(title)
                            for line, title in zip(menu_lines, itertools.cycle(titles))])
    values = literals("tests/core/StoreCommandsTest.cpp", "tests/store/StoreToolTest.cpp")
    identifiers = [t for t in values if t.startswith("{")] or ["{current}"]
    seeds = []
    for op, (value, identifier) in enumerate(zip(values, itertools.cycle(identifiers))):
        store = "C:\\Backup\\my store.bcd" if op % 3 == 0 else ""
        seeds.append(bytes([op % 32]) + b"\xff".join(encode(f) for f in (identifier, value, store, "d")))
    write("CommandFuzzer", seeds)
    arguments = literals("tests/core/FormatTest.cpp", "tests/core/StringsTest.cpp")
    seeds = []
    for choice, (a, b) in enumerate(zip(arguments, itertools.cycle(["-2147483648", "18446744073709551615", "%s%d"]))):
        seeds.append(bytes([choice * 7 % 256, 0]) + encode(a) + b"\xff" + encode(b))
    formats = [t for t in arguments if "%" in t]
    seeds += [b"\x00\x80" + encode(f) + b"\xff" + encode(a) for f, a in zip(formats, arguments)]
    write("FormatFuzzer", seeds)


if __name__ == "__main__":
    main()
