#!/usr/bin/env python3
"""Drops the function-table entries of frameless leaf functions from a 64-bit
Windows executable, in place, and checks the table of one.

GCC gives every function an entry in the exception directory (.pdata), also
functions that push nothing, allocate no stack, set no frame register and
have no handler. For those the entry says exactly what Windows (and Wine)
assume of a function without one: the return address is at the stack
pointer. Leaving them out changes no unwind and saves 12 bytes each (about a
third of the entries of Tandrel.exe). Their unwind records in .xdata stay;
nothing points at them any more.

    compact-unwind.py Tandrel.exe           compact, then check
    compact-unwind.py --check Tandrel.exe   check only; fails if there is a
                                            leaf entry left

The check: entries sorted by start address and not overlapping, every start
before its end, every unwind record inside the image and of version 1 or 2.
Only file offsets move: the section that holds the table is cut to its new
length in the file (its size in memory stays, zero-filled as for any section
shorter in the file) and the sections after it move up in the file. No RVA
changes, so code, relocations and resources stay as they were. Exit 0 when
done, 1 when the table is bad, 2 when the file is not a PE32+ image.
"""
import struct
import sys

ENTRY = 12  # BeginAddress, EndAddress, UnwindInfoAddress


class NotPe(Exception):
    pass


class BadTable(Exception):
    pass


class Image:
    def __init__(self, data):
        self.data = bytearray(data)
        d = self.data
        if d[:2] != b"MZ" or len(d) < 0x40:
            raise NotPe("no MZ header")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise NotPe("no PE signature")
        self.sections_count = struct.unpack_from("<H", d, pe + 6)[0]
        optional_size = struct.unpack_from("<H", d, pe + 20)[0]
        self.optional = pe + 24
        if struct.unpack_from("<H", d, self.optional)[0] != 0x20B:
            raise NotPe("not a 64-bit image")
        self.file_alignment = struct.unpack_from("<I", d, self.optional + 36)[0]
        self.image_size = struct.unpack_from("<I", d, self.optional + 56)[0]
        self.exception_directory = self.optional + 112 + 3 * 8
        self.table = self.optional + optional_size

    def section(self, i):
        """(header offset, virtual size, rva, raw size, raw offset)"""
        h = self.table + 40 * i
        return (h,) + struct.unpack_from("<IIII", self.data, h + 8)

    def section_of(self, rva):
        for i in range(self.sections_count):
            _, vsize, start, rsize, _ = self.section(i)
            if start <= rva < start + max(vsize, rsize):
                return i
        return None

    def offset_of(self, rva, length=1):
        i = self.section_of(rva)
        if i is None:
            return None
        _, vsize, start, rsize, raw = self.section(i)
        if rva + length > start + rsize:
            return None  # not backed by the file
        return raw + rva - start

    def entries(self):
        rva, size = struct.unpack_from("<II", self.data, self.exception_directory)
        if size == 0:
            return rva, []
        if size % ENTRY:
            raise BadTable("exception directory size %d is not a multiple of 12" % size)
        at = self.offset_of(rva, size)
        if at is None:
            raise BadTable("exception directory lies outside the file")
        return rva, [struct.unpack_from("<III", self.data, at + ENTRY * k)
                     for k in range(size // ENTRY)]

    def unwind_record(self, rva):
        at = self.offset_of(rva, 4)
        if at is None:
            raise BadTable("unwind record at 0x%x lies outside the file" % rva)
        version_flags, _, codes, frame = self.data[at:at + 4]
        version = version_flags & 7
        if version not in (1, 2):
            raise BadTable("unwind record at 0x%x has version %d" % (rva, version))
        return version_flags >> 3, codes, frame

    def is_leaf(self, entry):
        flags, codes, frame = self.unwind_record(entry[2])
        return flags == 0 and codes == 0 and frame == 0


def check(image, allow_leaves):
    _, entries = image.entries()
    previous_end = 0
    for begin, end, unwind in entries:
        if not begin < end:
            raise BadTable("entry 0x%x-0x%x is empty" % (begin, end))
        if begin < previous_end:
            raise BadTable("entry at 0x%x is out of order or overlaps" % begin)
        if end > image.image_size:
            raise BadTable("entry at 0x%x ends outside the image" % begin)
        previous_end = end
        if image.is_leaf((begin, end, unwind)) and not allow_leaves:
            raise BadTable("leaf entry at 0x%x is still in the table" % begin)
    return len(entries)


def compact(image):
    """Removes the leaf entries; returns (entries before, entries after)."""
    rva, entries = image.entries()
    kept = [e for e in entries if not image.is_leaf(e)]
    if len(kept) == len(entries):
        return len(entries), len(kept)
    d = image.data
    at = image.offset_of(rva)
    old_size = len(entries) * ENTRY
    new_size = len(kept) * ENTRY
    d[at:at + old_size] = b"".join(struct.pack("<III", *e) for e in kept) + bytes(old_size - new_size)
    struct.pack_into("<I", d, image.exception_directory + 4, new_size)

    # The table's section is cut in the file after the kept entries when only
    # padding follows the old table, and the later sections move up by the
    # bytes cut. Its size in memory stays: the rest is zero-filled on load.
    i = image.section_of(rva)
    header, _, start, rsize, raw = image.section(i)
    table_start = raw + rva - start
    if any(d[table_start + old_size:raw + rsize]):
        return len(entries), len(kept)  # something else lives after the table
    if struct.unpack_from("<II", d, image.optional + 112 + 4 * 8) != (0, 0):
        return len(entries), len(kept)  # a signature addresses the file by offset
    align = image.file_alignment
    new_rsize = (rva - start + new_size + align - 1) // align * align
    cut = rsize - new_rsize
    if cut <= 0:
        return len(entries), len(kept)
    later = [image.section(j)[0] for j in range(image.sections_count)
             if image.section(j)[4] > raw]
    struct.pack_into("<I", d, header + 16, new_rsize)
    del d[raw + new_rsize:raw + rsize]
    for h in later:
        struct.pack_into("<I", d, h + 20, struct.unpack_from("<I", d, h + 20)[0] - cut)
    initialized = struct.unpack_from("<I", d, image.optional + 8)[0]
    struct.pack_into("<I", d, image.optional + 8, max(0, initialized - cut))
    if struct.unpack_from("<I", d, image.optional + 64)[0]:
        struct.pack_into("<I", d, image.optional + 64, checksum(d, image.optional + 64))
    return len(entries), len(kept)


def checksum(data, field):
    """The PE image checksum, with its own field counted as zero."""
    total = 0
    padded = bytes(data) + b"\0" * (len(data) % 2)
    for k in range(0, len(padded), 2):
        if field <= k < field + 4:
            continue
        total += padded[k] | (padded[k + 1] << 8)
        total = (total & 0xFFFF) + (total >> 16)
    total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def main(argv):
    only_check = len(argv) == 3 and argv[1] == "--check"
    if len(argv) != 2 and not only_check:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    path = argv[-1]
    try:
        with open(path, "rb") as f:
            image = Image(f.read())
        if only_check:
            count = check(image, allow_leaves=False)
            print("%s: %d function-table entries, no leaf entry" % (path, count))
            return 0
        check(image, allow_leaves=True)
        before, after = compact(image)
        image = Image(image.data)
        check(image, allow_leaves=False)
    except NotPe as e:
        print("%s: not a PE32+ image: %s" % (path, e), file=sys.stderr)
        return 2
    except BadTable as e:
        print("%s: bad function table: %s" % (path, e), file=sys.stderr)
        return 1
    with open(path, "wb") as f:
        f.write(image.data)
    print("%s: %d of %d function-table entries kept" % (path, after, before))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
