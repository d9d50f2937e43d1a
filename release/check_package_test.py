#!/usr/bin/env python3
"""Faults the package check must find: a sound archive made by scripts/package is damaged one
way at a time (a 64-bit program, the wrong subsystem, a MinGW runtime DLL import, a version
that differs, a lost version resource, README.TXT with LF line ends or in UTF-8, a missing and
an extra file, a damaged archive, a wrong archive name) and check_package.py must fail with the
matching message.

  check_package_test.py SOUND_ZIP VERSION NUMBERS WORK_DIR
"""
import os
import struct
import subprocess
import sys
import zipfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
import pe_file  # noqa: E402


def pe_header(data):
    return struct.unpack_from("<I", data, 0x3C)[0]


def patch_machine(data):
    pe = pe_header(data)
    return data[:pe + 4] + struct.pack("<H", 0x8664) + data[pe + 6:]


def patch_subsystem(data, subsystem):
    offset = pe_header(data) + 24 + 68
    return data[:offset] + struct.pack("<H", subsystem) + data[offset + 2:]


def patch_import(data):
    assert b"msvcrt.dll" in data
    return data.replace(b"msvcrt.dll", b"libgcc.dll")


def patch_version_text(data, text):
    old = text.encode("utf-16-le") + b"\0\0"
    assert old in data
    other = "".join("9" if c.isdigit() else c for c in text)
    return data.replace(old, other.encode("utf-16-le") + b"\0\0")


def drop_version_resource(data):
    """Renames the resource type 16 (RT_VERSION) to 17 in the root resource directory."""
    pe = pe_file.PeFile(data)
    root = pe._offset(pe.directories[2][0])
    named, ids = struct.unpack_from("<HH", data, root + 12)
    for i in range(named + ids):
        entry = root + 16 + 8 * i
        if struct.unpack_from("<I", data, entry)[0] == pe_file.RT_VERSION:
            return data[:entry] + struct.pack("<I", 17) + data[entry + 4:]
    raise AssertionError("no version resource to drop")


def variant(sound, path, change):
    """A copy of the sound archive with `change(entries)` applied to its {name: bytes}."""
    with zipfile.ZipFile(sound) as archive:
        entries = {name: archive.read(name) for name in archive.namelist()}
    change(entries)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as archive:
        for name, data in entries.items():
            archive.writestr(name, data)
    return path


def replace(name, patch):
    def change(entries):
        entries[name] = patch(entries[name])
    return change


def main():
    sound, version, numbers, work = sys.argv[1:5]
    check = [sys.executable, os.path.join(here, "check_package.py"), "--version", version, "--numbers", numbers]
    cases = [
        ("64-bit program", replace("ZV32.EXE", patch_machine), "ZV32.EXE: not a 32-bit i386 program"),
        ("console viewer", replace("ZV32.EXE", lambda d: patch_subsystem(d, pe_file.SUBSYSTEM_CONSOLE)),
         "ZV32.EXE: is console, should be GUI"),
        ("GUI zvcat", replace("zvcat.exe", lambda d: patch_subsystem(d, pe_file.SUBSYSTEM_GUI)),
         "zvcat.exe: is GUI, should be console"),
        ("runtime DLL", replace("ZVKEY32.EXE", patch_import), "ZVKEY32.EXE: imports DLLs Windows does not ship: libgcc.dll"),
        ("other version", replace("PLIMCFG.EXE", lambda d: patch_version_text(d, version)), "PLIMCFG.EXE: FileVersion is"),
        ("no version", replace("PLIM32.DLL", drop_version_resource), "PLIM32.DLL: has no version resource"),
        ("LF README", replace("README.TXT", lambda d: d.replace(b"\r\n", b"\n")), "README.TXT: line ends are not all CRLF"),
        ("UTF-8 README", replace("README.TXT", lambda d: d.decode("cp932").encode("utf-8")), "README.TXT: not Shift-JIS"),
        ("missing file", lambda e: e.pop("ZVKEY32.EXE"), "missing from the archive: ZVKEY32.EXE"),
        ("extra file", lambda e: e.update({"libstdc++-6.dll": b"MZ"}), "not a deliverable: libstdc++-6.dll"),
    ]
    failures = 0
    os.makedirs(work, exist_ok=True)
    for label, change, expected in cases:
        folder = os.path.join(work, label.replace(" ", "_"))
        os.makedirs(folder, exist_ok=True)
        path = variant(sound, os.path.join(folder, f"zv32-{version}.zip"), change)
        result = subprocess.run(check + [path], capture_output=True, text=True)
        if result.returncode != 1 or f"FAIL: {expected}" not in result.stdout:
            failures += 1
            print(f"check_package_test: {label}: expected 'FAIL: {expected}', got status {result.returncode}:\n"
                  f"{result.stdout}{result.stderr}")
    damaged = os.path.join(work, "damaged", f"zv32-{version}.zip")
    os.makedirs(os.path.dirname(damaged), exist_ok=True)
    with open(sound, "rb") as whole, open(damaged, "wb") as cut:
        data = whole.read()
        cut.write(data[:len(data) // 2] + data[len(data) // 2 + 100:])
    result = subprocess.run(check + [damaged], capture_output=True, text=True)
    if result.returncode != 1 or "FAIL: unzip -t fails" not in result.stdout:
        failures += 1
        print(f"check_package_test: a damaged archive passed:\n{result.stdout}")
    renamed = os.path.join(work, "zv32-0.0.zip")
    variant(sound, renamed, lambda e: None)
    result = subprocess.run(check + [renamed], capture_output=True, text=True)
    if result.returncode != 1 or f"should be named zv32-{version}.zip" not in result.stdout:
        failures += 1
        print(f"check_package_test: wrong name passed:\n{result.stdout}")
    print(f"check_package_test: {len(cases) + 2 - failures} of {len(cases) + 2} faults found")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
