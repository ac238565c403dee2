#!/usr/bin/env python3
"""Writes a store file in the bcdedit stand-in's format holding a boot manager and COUNT Windows
loaders, all on the boot menu, the first one the default and the running system.

    make_store.py COUNT OUTPUT
"""
import sys

MANAGER = "{9dea862c-5cdd-4e70-acc1-f32b344d4795}"
LOADER_SETTINGS = "{6efb52bf-1766-41db-a6b3-0ee5eff72bd7}"


def loader_id(number):
    return "{5e1f0c2d-7a3b-4c9e-8d21-%012x}" % number


def store_text(count):
    ids = [loader_id(n) for n in range(1, count + 1)]
    lines = ["; Boot configuration data store (bcdedit stand-in)", "current=" + ids[0], "",
             "[" + MANAGER + "]", "type=10100002", "11000001 device=partition=C:",
             "12000004 description=Windows Boot Manager", "12000005 locale=en-US",
             "23000003 default=" + ids[0], "24000001 displayorder=" + " ".join(ids),
             "25000004 timeout=30", ""]
    for number, identifier in enumerate(ids, 1):
        # Every tenth loader boots from a ramdisk, so the device options collect as on a real store.
        device = ("ramdisk=[C:]\\sources\\boot%d.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}" % number
                  if number % 10 == 0 else "partition=%s:" % "CDEFGH"[number % 6])
        lines += ["[" + identifier + "]", "type=10200003", "11000001 device=" + device,
                  "12000002 path=\\Windows\\system32\\winload.exe",
                  "12000004 description=Windows installation %d" % number, "12000005 locale=en-US",
                  "14000006 inherit=" + LOADER_SETTINGS, "21000001 osdevice=" + device,
                  "22000002 systemroot=\\Windows", "25000020 nx=0", ""]
    lines += ["[" + LOADER_SETTINGS + "]", "type=20200003", "",
              "[{ae5534e0-a924-466c-b836-758539a3ee3a}]", "type=30000000",
              "31000003 ramdisksdidevice=partition=C:", "32000004 ramdisksdipath=\\boot\\boot.sdi", ""]
    return "\r\n".join(lines)


def main():
    count, output = int(sys.argv[1]), sys.argv[2]
    if count < 1:
        sys.exit("COUNT must be at least 1")
    with open(output, "w", encoding="utf-8", newline="") as file:
        file.write(store_text(count))


if __name__ == "__main__":
    main()
