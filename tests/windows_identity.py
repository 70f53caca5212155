#!/usr/bin/python3
"""What Explorer's Details and Windows itself read from the built program and its installer: the
version information, and the program's manifest. argv: dezenario.exe, the installer."""
import sys
import pefile

WANT = {"ProductName": "dezenario", "FileDescription": "DEZENARIO", "FileVersion": "1.2.0.0",
        "ProductVersion": "1.2.0.0", "OriginalFilename": "dezenario.exe"}
MANIFEST = ("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">PerMonitorV2<", 'level="asInvoker"')


def identity(path):  # file and product versions, pt-BR strings, translations, manifest
    pe = pefile.PE(path)
    if not hasattr(pe, "VS_FIXEDFILEINFO"):
        sys.exit(f"FAIL: {path} has no version information")
    f = pe.VS_FIXEDFILEINFO[0]
    versions = [f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}" for ms, ls in
                ((f.FileVersionMS, f.FileVersionLS), (f.ProductVersionMS, f.ProductVersionLS))]
    infos = [info for infos in pe.FileInfo for info in infos]
    strings = {k.decode(): v.decode() for info in infos for t in getattr(info, "StringTable", [])
               if t.LangID.upper() == b"041604B0" for k, v in t.entries.items()}
    translations = [v for i in infos for var in getattr(i, "Var", []) for v in var.entry.values()]
    manifest = [pe.get_data(d.OffsetToData, d.Size).decode()
                for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries if kind.id == 24  # RT_MANIFEST
                for name in kind.directory.entries if name.id == 1  # read as the program starts
                for d in [name.directory.entries[0].data.struct]]
    return versions, strings, translations, "".join(manifest)


versions, strings, translations, manifest = identity(sys.argv[1])
installer = identity(sys.argv[2])
wrong = [what for what, right in [
    (f"versions {versions}", versions == ["1.2.0.0"] * 2),
    (f"strings {strings}", {key: strings.get(key) for key in WANT} == WANT
     and strings.get("InternalName") and strings.get("LegalCopyright")),
    (f"translations {translations}", translations == ["0x0416 0x04b0"]),
    (f"manifest {manifest}", all(part in manifest for part in MANIFEST)),
    (f"the installer's {installer[:2]}", installer[0] == versions
     and installer[1].get("ProductName") == "dezenario")] if not right]
print("\n".join(f"FAIL: dezenario.exe: {what}" for what in wrong) or f"identity ok: {strings}")
sys.exit(bool(wrong))
