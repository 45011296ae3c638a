"""Checks of the 32-bit release program, read with pefile: that Windows 2000
can load and run it, and that its resources are the ones players should see.

ZOLVAN_EXE names the program; run with a Python that has pefile (Debian's
/usr/bin/python3 with python3-pefile).
"""

import os
import struct
import unittest
from pathlib import Path

import pefile

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
IMPORTS_FILE = HERE / "windows2000-imports.txt"
SPLASH_GIF = REPO / "resources" / "splash.gif"
RCDATA_SPLASH = 101  # windows/resource_ids.h


def load_allowed_imports(path=IMPORTS_FILE):
    """{dll (lower case): {function: minimum Windows}} from the list file."""
    allowed = {}
    dll = None
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        line = raw.split("#", 1)[0].rstrip()
        if not line:
            continue
        if line.startswith("[") and line.endswith("]"):
            dll = line[1:-1].strip().lower()
            allowed.setdefault(dll, {})
            continue
        name, _, minimum = line.partition(" ")
        if dll is None or not minimum.strip():
            raise ValueError(f"{path.name}:{number}: expected '<function> <minimum Windows>' under a [dll]")
        allowed[dll][name] = minimum.strip()
    return allowed


def imports_of(pe):
    """[(dll lower case, function name or '#ordinal')], plain and delay-loaded."""
    found = []
    for attr in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT"):
        for entry in getattr(pe, attr, []):
            dll = entry.dll.decode().lower()
            for symbol in entry.imports:
                name = symbol.name.decode() if symbol.name else f"#{symbol.ordinal}"
                found.append((dll, name))
    return found


def resource(pe, type_id, name_id):
    """[(language id, bytes)] of one resource."""
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != type_id:
            continue
        for name in kind.directory.entries:
            if name.id == name_id:
                return [(lang.id, pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size))
                        for lang in name.directory.entries]
    return []


def resource_names(pe, type_id):
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == type_id:
            return [name.id for name in kind.directory.entries]
    return []


class ReleaseProgram(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(os.environ["ZOLVAN_EXE"])

    def test_is_a_32_bit_windows_program_that_windows_2000_loads(self):
        pe = self.pe
        header = pe.OPTIONAL_HEADER
        self.assertEqual(pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"])
        self.assertEqual(header.Magic, pefile.OPTIONAL_HEADER_MAGIC_PE)
        self.assertEqual(header.Subsystem, pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
        # The loader refuses a program that asks for a newer system than itself.
        for field in ("OperatingSystemVersion", "SubsystemVersion"):
            version = (getattr(header, f"Major{field}"), getattr(header, f"Minor{field}"))
            self.assertLessEqual(version, (5, 0), field)

    def test_imports_only_what_windows_2000_has(self):
        allowed = load_allowed_imports()
        found = imports_of(self.pe)
        self.assertTrue(found, "no imports read: the program file is not what it seems")
        unknown_dlls = sorted({dll for dll, _ in found} - set(allowed))
        self.assertEqual(unknown_dlls, [], "DLLs that Windows 2000 may not ship")
        missing = sorted(f"{dll}!{name}" for dll, name in found if name not in allowed[dll])
        self.assertEqual(missing, [], f"functions not in {IMPORTS_FILE.name}")

    def test_icon_is_one_32_by_32_image_in_16_colours(self):
        groups = resource_names(self.pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"])
        self.assertEqual(len(groups), 1)
        [(_, group)] = resource(self.pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"], groups[0])
        reserved, kind, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, kind, count), (0, 1, 1))
        width, height, colours, _, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6)
        self.assertEqual((width, height, colours), (32, 32, 16))
        # The image itself: a DIB twice as high as the icon (colours, then mask).
        [(_, image)] = resource(self.pe, pefile.RESOURCE_TYPE["RT_ICON"], icon_id)
        self.assertEqual(len(image), size)
        _, dib_width, dib_height, dib_planes, dib_bits = struct.unpack_from("<IiiHH", image)
        self.assertEqual((dib_width, dib_height, dib_planes, dib_bits), (32, 64, 1, 4))

    def test_version_is_1_00_in_us_english_unicode(self):
        pe = self.pe
        fixed = pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x00010000, 0))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x00010000, 0))
        tables = [table for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
                  for table in info.StringTable]
        self.assertEqual([t.LangID for t in tables], [b"040904B0"])
        strings = tables[0].entries
        self.assertEqual(strings.get(b"FileVersion"), b"1.00")
        self.assertEqual(strings.get(b"ProductVersion"), b"1.00")
        translations = [var.entry for info in pe.FileInfo[0] if info.Key == b"VarFileInfo"
                        for var in info.Var]
        self.assertEqual(translations, [{b"Translation": "0x0409 0x04b0"}])

    def test_splash_picture_is_the_repository_gif(self):
        [(_, data)] = resource(self.pe, pefile.RESOURCE_TYPE["RT_RCDATA"], RCDATA_SPLASH)
        self.assertEqual(data, SPLASH_GIF.read_bytes())
        self.assertEqual(data[:6], b"GIF89a")
        self.assertEqual(struct.unpack_from("<HH", data, 6), (360, 234))


if __name__ == "__main__":
    unittest.main()
