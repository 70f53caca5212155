#!/usr/bin/python3
"""What Explorer's Details and Windows itself read from the built program and its installer: the
version information, and the program's manifest. argv: dezenario.exe, the installer."""
import sys
import pefile

VERSION = "1.2.0.0"
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def identity(path):  # the fixed version, the strings of each table, the translations
    pe = pefile.PE(path)
    fixed = pe.VS_FIXEDFILEINFO[0]
    number = ".".join(str(n) for n in (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                                       fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF))
    product = (fixed.ProductVersionMS, fixed.ProductVersionLS)
    tables, translations = {}, []
    for info in (i for infos in pe.FileInfo for i in infos):
        for table in getattr(info, "StringTable", []):
            tables[table.LangID.decode().upper()] = {
                k.decode(): v.decode() for k, v in table.entries.items()}
        for var in getattr(info, "Var", []):
            translations += var.entry.values()
    return pe, number, product == (fixed.FileVersionMS, fixed.FileVersionLS), tables, translations


def manifest(pe):
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]:
            for name in kind.directory.entries:
                if name.id == 1:  # the one that Windows reads when the program starts
                    data = name.directory.entries[0].data.struct
                    return pe.get_data(data.OffsetToData, data.Size).decode()
    return ""


failures = []
pe, number, same, tables, translations = identity(sys.argv[1])
strings = tables.get("041604B0", {})
want = {"ProductName": "dezenario", "FileDescription": "DEZENARIO", "FileVersion": VERSION,
        "ProductVersion": VERSION, "OriginalFilename": "dezenario.exe"}
if (number, same) != (VERSION, True):
    failures.append(f"dezenario.exe: file version {number}, product version the same: {same}")
for key in ["InternalName", "LegalCopyright"] + list(want):  # the first two: any, but there
    if not strings.get(key) or strings[key] != want.get(key, strings[key]):
        failures.append(f"dezenario.exe: {key} is {strings.get(key)!r}")
if translations != ["0x0416 0x04b0"]:
    failures.append(f"dezenario.exe: translations {translations}")
text = manifest(pe)
failures += [f"dezenario.exe: the manifest lacks {part}" for part in
             (WINDOWS_10_AND_11, ">PerMonitorV2<", 'level="asInvoker"') if part not in text]

_, number, _, tables, _ = identity(sys.argv[2])
if number != VERSION or tables.get("041604B0", {}).get("ProductName") != "dezenario":
    failures.append(f"the installer: version {number}, strings {tables}")

print("\n".join(f"FAIL: {failure}" for failure in failures) or f"identity ok: {strings}")
sys.exit(bool(failures))
