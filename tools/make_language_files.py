#!/usr/bin/env python3
"""Writes the language files lang/<code>.ini.

English (409) is taken from the program itself: the built-in string table (strings.rc, names
resolved through texts.h), the tray menu and the control texts of the dialog templates
(dialogs.rc). Every other language has a table in tools/<language>_texts.py with the same keys;
a key missing from a table is listed and the command fails, so a new built-in text cannot ship
untranslated unnoticed.

Language files are UTF-16LE with a byte-order mark: the profile functions read them the same way
whatever the machine's code page.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
RESOURCES = ROOT / "src/resources"

# Controls whose text the program sets while it runs (version lines, notes chosen by state, labels
# that show a file name), and image buttons whose text is cleared for their picture. A language
# file must not carry them: localising a page again after a language change would put the template
# text back over what the program set.
RUN_TIME_CONTROLS = {
    "IDD_ABOUT": {"IDC_ABOUT_VERSION", "IDC_ABOUT_BETA_NOTE", "IDC_ABOUT_EMAIL", "IDC_ABOUT_FOOTER"},
    "IDD_MAIN": {"IDC_MAIN_FOOTER", "IDC_MAIN_VERSION", "IDC_MAIN_CURRENT_SYSTEM", "IDC_MAIN_PAGE_ICON",
                 "IDC_MAIN_MINIMIZE", "IDC_MAIN_CLOSE", "IDC_MAIN_CONFIG"},
    "IDD_OSLIST": {"IDC_OSLIST_RELOAD_STORE", "IDC_OSLIST_BROWSE_STORE", "IDC_OSLIST_MOVE_UP", "IDC_OSLIST_DELETE",
                   "IDC_OSLIST_MOVE_DOWN", "IDC_OSLIST_SAVE_ORDER", "IDC_OSLIST_NO_LOADER_NOTE",
                   "IDC_OSLIST_STORE_ICON", "IDC_OSLIST_STORE_LABEL"},
    "IDD_UTILITIES": {"IDC_UTILITIES_MODIFY", "IDC_UTILITIES_ADD", "IDC_UTILITIES_DELETE", "IDC_UTILITIES_DETAILS",
                      "IDC_UTILITIES_PAGE_ICON"},
    "IDD_BOOTLOADER": {"IDC_BOOTLOADER_RESET_MBR_MODE", "IDC_BOOTLOADER_BROWSE_BACKUP", "IDC_BOOTLOADER_BROWSE_RESTORE",
                       "IDC_BOOTLOADER_BACKUP_NOTE", "IDC_BOOTLOADER_WARNING", "IDC_BOOTLOADER_PAGE_ICON",
                       "IDC_BOOTLOADER_UNDO_RUN"},
    "IDD_PARTITION": {"IDC_PARTITION_EXPLANATION"},
    "IDD_FIRMWARE": {"IDC_FIRMWARE_PAGE_ICON", "IDC_FIRMWARE_MOVE_UP", "IDC_FIRMWARE_MOVE_DOWN", "IDC_FIRMWARE_TIMEOUT",
                     "IDC_FIRMWARE_NOTE"},
    "IDD_SHORTCUT": {"IDC_SHORTCUT_BROWSE"},
    "IDD_ENTRY_GENERAL": {"IDC_GENERAL_EDIT_RAMDISK", "IDC_GENERAL_BROWSE_DEVICE_FILE"},
    "IDD_ENTRY": {"IDC_ENTRY_INFO"},
}
# Captions the program replaces when the window opens.
RUN_TIME_CAPTIONS = {"IDD_MAIN", "IDD_SHORTCUT", "IDD_ENTRY"}
# Template texts that are no text: a class's placeholder.
PLACEHOLDERS = {"List1", "Tab1"}

LANGUAGES = [
    # code, module, [Info]
    ("407", "german_texts", {"Language": "Deutsch (Deutschland)", "FontSize": "8"}),
    ("804", "chinese_simplified_texts", {"Language": "中文(简体)", "Font": "宋体", "FontSize": "8"}),
    ("404", "chinese_traditional_texts", {"Language": "中文(繁體)", "Font": "細明體", "FontSize": "8"}),
]


def defines(path):
    numbers = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        m = re.match(r"\s*#define\s+(\w+)\s+\(?(-?\d+)\)?\s*$", line)
        if m:
            numbers[m.group(1)] = int(m.group(2))
    return numbers


def rc_string(literal, wide):
    """The text of a resource-script string literal (without its quotes)."""
    text = literal.replace('""', '"')
    if wide:
        text = re.sub(r"\\x([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)
    return text


def builtin_texts():
    numbers = defines(RESOURCES / "texts.h")
    texts = {}
    for line in (RESOURCES / "strings.rc").read_text(encoding="utf-8").splitlines():
        m = re.match(r'\s*(\w+),\s*(L?)"(.*)"\s*$', line)
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
        texts[number] = rc_string(m.group(3), m.group(2) == "L")
    return texts


def template_texts():
    """Menu texts by command and control texts by template, as the program's templates hold them."""
    ids = {**defines(RESOURCES / "resource.h"), "IDOK": 1, "IDCANCEL": 2}
    menu, dialogs = {}, {}
    template = None
    # A statement that goes on over several lines is read as one.
    script = re.sub(r",\s*\n\s*", ", ", (RESOURCES / "dialogs.rc").read_text(encoding="utf-8"))
    for line in script.splitlines():
        m = re.match(r"(IDD_\w+)\s+DIALOGEX\b", line)
        if m:
            template = m.group(1)
            dialogs[ids[template]] = {}
            continue
        m = re.match(r'CAPTION\s+"(.*)"\s*$', line)
        if m and template and template not in RUN_TIME_CAPTIONS:
            dialogs[ids[template]]["Title"] = rc_string(m.group(1), False)
            continue
        m = re.match(r'\s+MENUITEM\s+"(.*)",\s*(\w+)', line)
        if m:
            menu[ids[m.group(2)]] = rc_string(m.group(1), False)
            continue
        m = re.match(r'\s+[A-Z]+\s+(L?)"((?:[^"]|"")*)",\s*(\w+)', line)
        if not m or not template:
            continue
        text, name = rc_string(m.group(2), m.group(1) == "L"), m.group(3)
        if not text or text in PLACEHOLDERS or name == "IDC_STATIC":
            continue
        if name in RUN_TIME_CONTROLS.get(template, ()):
            continue
        # Backslash-n stays as it is: the language file spells a line break the same way.
        dialogs[ids[template]][str(ids[name])] = text
    return menu, dialogs


def write(path, info, strings, dialogs):
    # A real line break would end the value in the middle: a language file spells it backslash-n.
    for key, text in list(strings.items()) + [(f"{t}/{k}", v) for t, c in dialogs.items() for k, v in c.items()]:
        if "\n" in text or "\r" in text:
            sys.exit(f"{path.name}: text {key} holds a real line break; write it as \\n")
    lines = ["[Info]"] + [f"{k}={v}" for k, v in info.items()] + ["", "[String]"]
    lines += [f"{n}={strings[n]}" for n in sorted(strings)]
    for template in sorted(dialogs):
        controls = dialogs[template]
        keys = sorted(controls, key=lambda k: (k != "Title", int(k) if k.isdigit() else 0))
        lines += ["", f"[DLG{template}]"] + [f"{k}={controls[k]}" for k in keys]
    body = "\r\n".join(lines) + "\r\n"
    path.write_bytes(b"\xff\xfe" + body.encode("utf-16-le"))


def main():
    builtin = builtin_texts()
    menu, dialogs = template_texts()
    english_strings = {**builtin, **menu}
    write(ROOT / "lang/409.ini", {"Language": "English (United States)", "FontSize": "8"},
          english_strings, dialogs)

    sys.path.insert(0, str(ROOT / "tools"))
    failed = False
    for code, module_name, info in LANGUAGES:
        module = __import__(module_name)
        strings = {n: module.TEXTS[n] for n in english_strings if n in module.TEXTS}
        translated = {t: {k: module.DIALOGS[t][k] for k in c if k in module.DIALOGS.get(t, {})}
                      for t, c in dialogs.items()}
        missing = [str(n) for n in sorted(english_strings) if n not in module.TEXTS]
        missing += [f"DLG{t}/{k}" for t, c in sorted(dialogs.items()) for k in c if k not in translated[t]]
        extra = [str(n) for n in module.TEXTS if n not in english_strings]
        extra += [f"DLG{t}/{k}" for t, c in module.DIALOGS.items() for k in c if k not in dialogs.get(t, {})]
        for what, keys in (("missing", missing), ("not in the program", extra)):
            if keys:
                print(f"{code} ({module_name}): {what}: {', '.join(keys)}", file=sys.stderr)
                failed = True
        write(ROOT / f"lang/{code}.ini", info, strings, translated)
    sys.exit(1 if failed else 0)


main()
