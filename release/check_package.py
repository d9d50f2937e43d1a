#!/usr/bin/env python3
"""Checks the Windows release archive the way a careful user would before handing it on.

  check_package.py ZIP --version TEXT --numbers A.B.C [--build DIR]

- the archive is named zv32-TEXT.zip, passes `unzip -t` and holds exactly the deliverables,
  README.TXT and, when DIR (the win32 build) has them, the help file and the HTML manual;
- every program is a 32-bit (PE32, i386) file with the subsystem it should have (GUI, console,
  or a DLL), imports only DLLs Windows ships (no MinGW runtime DLLs), and carries the version
  resource with the one version in its fixed numbers and its Japanese block 041104B0;
- README.TXT is Shift-JIS with CRLF line ends and names the version and the registry key.
Prints one line per finding; exit status 1 when anything is wrong.
"""
import argparse
import os
import struct
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pe_file  # noqa: E402

GUI, CONSOLE, DLL = "GUI", "console", "DLL"
PROGRAMS = {"ZV32.EXE": GUI, "PLIM32.DLL": DLL, "ZVKEY32.EXE": GUI, "PLIMCFG.EXE": GUI, "zvcat.exe": CONSOLE}
HELP_FILE, MANUAL = "ZLKOVIEW.HLP", "manual/"
# DLLs every Windows since XP ships in its system folder.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comdlg32.dll", "shell32.dll",
               "ole32.dll", "oleaut32.dll", "msvcrt.dll", "version.dll", "winspool.drv", "comctl32.dll",
               "shlwapi.dll", "ws2_32.dll", "imm32.dll", "winmm.dll"}
REGISTRY_KEY = "HKEY_CURRENT_USER\\Software\\Plim\\ZelkoView"


def kind_of(pe):
    if pe.is_dll:
        return DLL
    return {pe_file.SUBSYSTEM_GUI: GUI, pe_file.SUBSYSTEM_CONSOLE: CONSOLE}.get(pe.subsystem, f"subsystem {pe.subsystem}")


def check_program(name, data, text, numbers):
    """The problems of one program of the archive (empty when it is sound)."""
    try:
        pe = pe_file.PeFile(data)
        problems = []
        if pe.machine != pe_file.MACHINE_I386 or pe.magic != pe_file.MAGIC_PE32:
            problems.append(f"{name}: not a 32-bit i386 program (machine {pe.machine:#x}, magic {pe.magic:#x})")
        if kind_of(pe) != PROGRAMS[name]:
            problems.append(f"{name}: is {kind_of(pe)}, should be {PROGRAMS[name]}")
        foreign = [dll for dll in pe.imports() if dll.lower() not in SYSTEM_DLLS]
        if foreign:
            problems.append(f"{name}: imports DLLs Windows does not ship: {', '.join(foreign)}")
        resource = pe.version_resource()
        if resource is None:
            return problems + [f"{name}: has no version resource"]
        file_numbers, product_numbers, tables = pe_file.parse_version(resource)
        for what, found in (("file", file_numbers), ("product", product_numbers)):
            if found != numbers:
                problems.append(f"{name}: {what} version {found} is not {numbers}")
        strings = tables.get("041104B0") or tables.get("041104b0")
        if strings is None:
            return problems + [f"{name}: the version resource has no Japanese block 041104B0"]
        expected = {"FileVersion": text, "ProductVersion": text, "OriginalFilename": name,
                    "ProductName": "Zelko View 32"}
        for key, value in expected.items():
            if strings.get(key) != value:
                problems.append(f"{name}: {key} is {strings.get(key)!r}, should be {value!r}")
        if not strings.get("FileDescription"):
            problems.append(f"{name}: the version resource has no FileDescription")
        return problems
    except (pe_file.PeError, struct.error, ValueError, IndexError, UnicodeDecodeError) as error:
        return [f"{name}: unreadable program: {error}"]


def check_readme(data, text):
    problems = []
    try:
        readme = data.decode("cp932")
    except UnicodeDecodeError as error:
        return [f"README.TXT: not Shift-JIS: {error}"]
    if data.count(b"\n") != data.count(b"\r\n") or data.count(b"\r") != data.count(b"\r\n"):
        problems.append("README.TXT: line ends are not all CRLF")
    if f"Ver.{text}" not in readme:
        problems.append(f"README.TXT: does not name the version Ver.{text}")
    if REGISTRY_KEY not in readme:
        problems.append(f"README.TXT: does not name the registry key {REGISTRY_KEY}")
    return problems


def expected_entries(build):
    """The entries the archive must hold (the help file and every page of the manual when
    `build` has them); notes for those it has not."""
    wanted, notes = set(PROGRAMS) | {"README.TXT"}, []
    help_built = bool(build) and os.path.isfile(os.path.join(build, HELP_FILE))
    manual_built = bool(build) and os.path.isfile(os.path.join(build, "manual", "index.html"))
    if help_built:
        wanted.add(HELP_FILE)
    else:
        notes.append(f"NOTE: {HELP_FILE} is not built in {build or 'this tree'}; its check is skipped")
    if manual_built:
        pages = os.path.join(build, "manual")
        for folder, _, files in os.walk(pages):
            relative = os.path.relpath(folder, pages).replace(os.sep, "/")
            wanted |= {MANUAL + (f if relative == "." else f"{relative}/{f}") for f in files}
    else:
        notes.append(f"NOTE: the HTML manual is not built in {build or 'this tree'}; its check is skipped")
    return wanted, notes


def check_archive(path, text, numbers, build):
    problems = []
    if os.path.basename(path) != f"zv32-{text}.zip":
        problems.append(f"{os.path.basename(path)}: the archive should be named zv32-{text}.zip")
    tested = subprocess.run(["unzip", "-tq", path], capture_output=True, text=True)
    if tested.returncode != 0:
        return problems + [f"unzip -t fails: {tested.stdout.strip()} {tested.stderr.strip()}"], []
    with zipfile.ZipFile(path) as archive:
        names = [n for n in archive.namelist() if not n.endswith("/")]
        wanted, notes = expected_entries(build)
        for missing in sorted(wanted - set(names)):
            problems.append(f"missing from the archive: {missing}")
        for extra in sorted(set(names) - wanted):
            problems.append(f"not a deliverable: {extra}")
        for name in sorted(set(PROGRAMS) & set(names)):
            problems += check_program(name, archive.read(name), text, numbers)
        if "README.TXT" in names:
            problems += check_readme(archive.read("README.TXT"), text)
    return problems, notes


def main():
    parser = argparse.ArgumentParser(description="Checks the Windows release archive.")
    parser.add_argument("zip")
    parser.add_argument("--version", required=True, help="the version text, e.g. 1.65")
    parser.add_argument("--numbers", required=True, help="the project version, e.g. 1.65.0")
    parser.add_argument("--build", help="the win32 build folder (decides whether help files are expected)")
    args = parser.parse_args()
    numbers = tuple(int(n) for n in (args.numbers.split(".") + ["0"] * 4)[:4])
    problems, notes = check_archive(args.zip, args.version, numbers, args.build)
    for note in notes:
        print(note)
    for problem in problems:
        print(f"FAIL: {problem}")
    if not problems:
        print(f"check_package: {os.path.basename(args.zip)} is sound")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
