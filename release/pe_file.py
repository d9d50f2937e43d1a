"""A small reader of Windows executables (PE files) for the package check: the machine, the
optional header's kind and subsystem, whether the file is a DLL, the DLLs it imports and its
version resource (the fixed numbers and the strings of each language block).

Only what the check needs is read; a malformed file raises PeError with the reason.
"""
import struct

MACHINE_I386 = 0x14C
MAGIC_PE32 = 0x10B
MAGIC_PE32_PLUS = 0x20B
SUBSYSTEM_GUI = 2
SUBSYSTEM_CONSOLE = 3
FILE_DLL = 0x2000
RT_VERSION = 16


class PeError(Exception):
    pass


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise PeError("not an MZ executable")
        pe = self._u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        self.machine, self.section_count, _, _, _, optional_size, self.characteristics = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = self._u16(optional)
        self.subsystem = self._u16(optional + 68)
        directories = optional + (96 if self.magic == MAGIC_PE32 else 112)
        count = self._u32(directories - 4)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(min(count, 16))]
        sections = optional + optional_size
        self.sections = []
        for i in range(self.section_count):
            name, virtual_size, address, raw_size, raw_offset = struct.unpack_from("<8sIIII", data, sections + 40 * i)
            self.sections.append((address, max(virtual_size, raw_size), raw_offset, raw_size))

    @property
    def is_dll(self):
        return bool(self.characteristics & FILE_DLL)

    def _u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def _u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def _offset(self, rva):
        for address, size, raw_offset, raw_size in self.sections:
            if address <= rva < address + size and rva - address < raw_size:
                return raw_offset + rva - address
        raise PeError(f"address {rva:#x} lies in no section")

    def _ascii(self, rva):
        start = self._offset(rva)
        end = self.data.index(b"\0", start)
        return self.data[start:end].decode("ascii", "replace")

    def imports(self):
        """The names of the DLLs the file imports from, as written in it."""
        if len(self.directories) < 2 or not self.directories[1][0]:
            return []
        names, entry = [], self._offset(self.directories[1][0])
        while True:
            fields = struct.unpack_from("<IIIII", self.data, entry)
            if not any(fields):
                return names
            names.append(self._ascii(fields[3]))
            entry += 20

    def version_resource(self):
        """The raw VS_VERSIONINFO of the first language, or None."""
        if len(self.directories) < 3 or not self.directories[2][0]:
            return None
        root = self._offset(self.directories[2][0])
        level = root
        for wanted in (RT_VERSION, None, None):
            entry = self._entry(root, level, wanted)
            if entry is None:
                return None
            level = entry
        rva, size = struct.unpack_from("<II", self.data, level)
        start = self._offset(rva)
        return self.data[start:start + size]

    def _entry(self, root, directory, wanted):
        """The target of the entry `wanted` (an id; None: the first) of a resource directory."""
        named, ids = struct.unpack_from("<HH", self.data, directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
            if wanted is None or (not name & 0x80000000 and name == wanted):
                return root + (target & 0x7FFFFFFF)
        return None


def _block(data, offset):
    """One VS_VERSIONINFO-style node: (key, value bytes, children offsets, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_start = offset + 6
    key_end = key_start
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_start:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[value_start:value_start + value_bytes]
    children, child = [], (value_start + value_bytes + 3) & ~3
    while child < end:
        child_length = struct.unpack_from("<H", data, child)[0]
        if child_length == 0:
            break
        children.append(child)
        child = (child + child_length + 3) & ~3
    return key, value, children, end


def parse_version(resource):
    """(file version, product version, {language block: {name: text}}) of a VS_VERSIONINFO."""
    key, value, children, _ = _block(resource, 0)
    if key != "VS_VERSION_INFO" or len(value) < 52 or struct.unpack_from("<I", value)[0] != 0xFEEF04BD:
        raise PeError("the version resource has no fixed information")
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", value, 8)
    numbers = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    tables = {}
    for child in children:
        child_key, _, blocks, _ = _block(resource, child)
        if child_key != "StringFileInfo":
            continue
        for table in blocks:
            language, _, strings, _ = _block(resource, table)
            entries = {}
            for string in strings:
                name, text, _, _ = _block(resource, string)
                entries[name] = text.decode("utf-16-le").rstrip("\0")
            tables[language] = entries
    return numbers(file_ms, file_ls), numbers(product_ms, product_ls), tables
