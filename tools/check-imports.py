#!/usr/bin/env python3
"""Fails when a Windows executable's import table names a DLL outside the
allowed list.

Tandrel runs elevated. A DLL that is not a KnownDLL is searched for beside the
executable first, so any such name in the import table lets a planted copy run
as administrator. Everything else must be loaded at run time from System32.

    check-imports.py Tandrel.exe

The table is read from the PE file itself: the import directory and the
delay-load directory both count. Exit 0 with the list of imported DLLs, 1 with
the offending names, 2 when the file is not a PE image.
"""
import struct
import sys

# KnownDLLs of every supported Windows version (the loader takes them from
# System32 whatever the search order) that the program may import directly.
ALLOWED = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "ole32.dll", "oleaut32.dll", "msvcrt.dll", "comdlg32.dll", "ws2_32.dll",
    "shlwapi.dll", "rpcrt4.dll", "setupapi.dll", "imm32.dll", "sechost.dll",
    "combase.dll", "ntdll.dll",
}


class NotPe(Exception):
    pass


def read_imports(data):
    """Names of the DLLs in the import and delay-load directories."""
    if data[:2] != b"MZ" or len(data) < 0x40:
        raise NotPe("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise NotPe("no PE signature")
    sections_count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    if magic == 0x10B:
        directories = optional + 96
    elif magic == 0x20B:
        directories = optional + 112
    else:
        raise NotPe("unknown optional header magic 0x%x" % magic)
    sections = []
    table = optional + optional_size
    for i in range(sections_count):
        entry = table + 40 * i
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
            "<IIII", data, entry + 8)
        sections.append((virtual_address, max(virtual_size, raw_size), raw_offset))

    def offset_of(rva):
        for start, size, raw in sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise NotPe("address 0x%x lies in no section" % rva)

    def c_string(rva):
        start = offset_of(rva)
        end = data.index(b"\0", start)
        return data[start:end].decode("ascii", "replace")

    names = []
    # Directory 1: imports (20-byte descriptors, name at +12); directory 13:
    # delay-load imports (32-byte descriptors, name at +4).
    for index, size, name_at in ((1, 20, 12), (13, 32, 4)):
        rva, length = struct.unpack_from("<II", data, directories + 8 * index)
        if rva == 0 or length == 0:
            continue
        position = offset_of(rva)
        while True:
            descriptor = data[position:position + size]
            if len(descriptor) < size or descriptor == b"\0" * size:
                break
            names.append(c_string(struct.unpack_from("<I", descriptor, name_at)[0]))
            position += size
    return names


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        data = f.read()
    try:
        names = read_imports(data)
    except (NotPe, struct.error, ValueError) as error:
        print("%s: not a readable PE image: %s" % (argv[1], error), file=sys.stderr)
        return 2
    offenders = [n for n in names if n.lower() not in ALLOWED]
    print("%s imports: %s" % (argv[1], ", ".join(names)))
    if offenders:
        for name in offenders:
            print("%s: imports %s, which is not a KnownDLL; load it from System32 at run time"
                  % (argv[1], name), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
