"""Reads the built exe as a PE file and checks what a reviewer would: the
hardening flags, the imports, the sections and the resources."""

import os
import re
import struct
import unittest

EXE = os.environ["TOLVAREN_EXE"]
ASSETS = os.path.join(os.path.dirname(__file__), "..", "..", "assets")
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"}
RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 10, 14, 16, 24


class Pe:
    def __init__(self, data):
        self.data = data
        (pe,) = struct.unpack_from("<I", data, 0x3C)
        assert data[pe:pe + 4] == b"PE\0\0"
        (self.machine, count, self.timestamp, _, _, opt_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        (self.magic,) = struct.unpack_from("<H", data, opt)
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
        (dir_count,) = struct.unpack_from("<I", data, opt + 92)
        self.directories = [struct.unpack_from("<II", data, opt + 96 + 8 * i)
                            for i in range(dir_count)]
        self.sections = []
        for i in range(count):
            at = opt + opt_size + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode()
            vsize, vaddr, raw_size, raw_ptr = struct.unpack_from("<IIII", data, at + 8)
            (flags,) = struct.unpack_from("<I", data, at + 36)
            self.sections.append((name, vaddr, max(vsize, raw_size), raw_ptr, flags))

    def offset(self, rva):
        for _, vaddr, size, raw_ptr, _ in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raw_ptr
        raise ValueError(hex(rva))

    def cstring(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode()

    def imports(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            fields = struct.unpack_from("<IIIII", self.data, at)
            if not any(fields):
                return names
            names.append(self.cstring(fields[3]))
            at += 20

    def resources(self):
        """[(type, name, language, bytes)] in directory order."""
        base_rva, _ = self.directories[2]
        base = self.offset(base_rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                if key & 0x80000000:
                    p = base + (key & 0x7FFFFFFF)
                    (n,) = struct.unpack_from("<H", self.data, p)
                    key = self.data[p + 2:p + 2 + 2 * n].decode("utf-16-le")
                yield key, target

        found = []
        for rtype, t in entries(base):
            for name, n in entries(base + (t & 0x7FFFFFFF)):
                for lang, leaf in entries(base + (n & 0x7FFFFFFF)):
                    data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    found.append((rtype, name, lang, self.data[at:at + size]))
        return found


def utf16(text):
    return text.encode("utf-16-le")


class ExeFacts(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(EXE, "rb") as f:
            cls.pe = Pe(f.read())
        cls.res = cls.pe.resources()

    def of_type(self, rtype):
        return [r for r in self.res if r[0] == rtype]

    def test_a_32_bit_gui_program(self):
        self.assertEqual(0x14C, self.pe.machine)
        self.assertEqual(0x10B, self.pe.magic, "PE32")
        self.assertEqual(2, self.pe.subsystem, "GUI subsystem")

    def test_hardening(self):
        flags = self.pe.dll_characteristics
        self.assertTrue(flags & 0x0040, "DYNAMIC_BASE")
        self.assertTrue(flags & 0x0100, "NX_COMPAT")
        self.assertFalse(self.pe.characteristics & 0x0001, "relocations kept")
        self.assertGreater(self.pe.directories[5][1], 0, "a relocation table")
        for name, _, _, _, section_flags in self.pe.sections:
            writable_and_executable = section_flags & 0x80000000 and section_flags & 0x20000000
            self.assertFalse(writable_and_executable, name)
        self.assertEqual(0, self.pe.timestamp, "no build time in the header")

    def test_imports_only_windows_system_dlls(self):
        imports = {name.lower() for name in self.pe.imports()}
        self.assertTrue(imports)
        self.assertLessEqual(imports, SYSTEM_DLLS)

    def test_no_manifest(self):
        self.assertEqual([], self.of_type(RT_MANIFEST))

    def test_default_icon_is_the_only_icon_group_with_one_32x32_32_bit_image(self):
        groups = self.of_type(RT_GROUP_ICON)
        self.assertEqual(1, len(groups))
        _, name, lang, data = groups[0]
        self.assertEqual(("DEFAULT_ICON", 0), (name, lang))
        reserved, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((0, 1, 1), (reserved, kind, count))
        width, height, _, _, planes, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", data, 6)
        self.assertEqual((32, 32, 32), (width, height, bits))
        icons = self.of_type(RT_ICON)
        self.assertEqual([icon_id], [r[1] for r in icons])
        self.assertEqual((40, 32, 64, 1, 32), struct.unpack_from("<IiiHH", icons[0][3]))

    def test_version_resource(self):
        versions = self.of_type(RT_VERSION)
        self.assertEqual([(1, 0x0804)], [(r[1], r[2]) for r in versions])
        data = versions[0][3]
        fixed = data.index(struct.pack("<I", 0xFEEF04BD))
        (_, _, file_ms, file_ls, prod_ms, prod_ls, mask, flags, os_, ftype) = struct.unpack_from(
            "<10I", data, fixed)
        self.assertEqual((0x00010000, 0, 0x00010000, 0), (file_ms, file_ls, prod_ms, prod_ls))
        self.assertEqual((0, 0x00000004, 1), (flags, os_, ftype), "no flags, VOS__WINDOWS32, VFT_APP")
        self.assertIn(utf16("080404B0"), data)
        for key in ("FileVersion", "ProductVersion"):
            at = data.index(utf16(key))
            self.assertIn(utf16("1.0.0.0"), data[at:at + 64], key)
        for key in ("FileDescription", "ProductName", "CompanyName", "LegalCopyright", "Comments"):
            self.assertIn(utf16(key), data, key)
        # The value follows the key's zero, aligned to 32 bits.
        self.assertRegex(data, re.escape(utf16("Translation")) + b"(\0\0)+" +
                         re.escape(struct.pack("<HH", 0x0804, 0x04B0)) + b"$")

    def test_both_pictures_embedded_byte_for_byte(self):
        pictures = {r[1]: r[3] for r in self.of_type(RT_RCDATA)}
        for resource, file in ((101, "driver-prompts.jpg"), (102, "updater-prompt.jpg")):
            with open(os.path.join(ASSETS, file), "rb") as f:
                self.assertEqual(f.read(), pictures.get(resource), file)


if __name__ == "__main__":
    unittest.main()
