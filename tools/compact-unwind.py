#!/usr/bin/env python3
"""Drops the function-table entries of frameless leaf functions from a 64-bit
Windows executable and packs its unwind records, in place; checks the table
of one.

GCC gives every function an entry in the exception directory (.pdata), also
functions that push nothing, allocate no stack, set no frame register and
have no handler. For those the entry says exactly what Windows (and Wine)
assume of a function without one: the return address is at the stack
pointer. Leaving them out changes no unwind and saves 12 bytes each (about a
third of the entries of Tandrel.exe). The unwind records are packed first:
records without a handler are shared by every function with the same frame,
records with a handler move up with their exception tables, whose
pc-relative type references are adjusted (see compact_unwind_records).

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

    @staticmethod
    def is_vacant(entry):
        # Left by the linker for code it dropped (a duplicate of code kept
        # elsewhere): it covers nothing and no lookup can find it.
        return entry[0] == 0 and entry[1] == 0

    def is_leaf(self, entry):
        flags, codes, frame = self.unwind_record(entry[2])
        return flags == 0 and codes == 0 and frame == 0


def check(image, allow_leaves):
    _, entries = image.entries()
    previous_end = 0
    for begin, end, unwind in entries:
        if allow_leaves and image.is_vacant((begin, end, unwind)):
            continue  # dropped with the leaves
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
    """Removes the leaf and vacant entries; returns (entries before, entries
    after)."""
    rva, entries = image.entries()
    kept = [e for e in entries if not image.is_vacant(e) and not image.is_leaf(e)]
    if len(kept) == len(entries):
        return len(entries), len(kept)
    d = image.data
    at = image.offset_of(rva)
    old_size = len(entries) * ENTRY
    new_size = len(kept) * ENTRY
    d[at:at + old_size] = b"".join(struct.pack("<III", *e) for e in kept) + bytes(old_size - new_size)
    struct.pack_into("<I", d, image.exception_directory + 4, new_size)
    cut_file_part(image, rva, rva + new_size)
    return len(entries), len(kept)


def cut_file_part(image, rva, used_end):
    """Cuts the file part of the section holding rva after used_end when only
    zeros follow, and moves the later sections up in the file by the bytes cut.
    The section's size in memory stays: the rest is zero-filled on load."""
    d = image.data
    i = image.section_of(rva)
    header, _, start, rsize, raw = image.section(i)
    if any(d[raw + used_end - start:raw + rsize]):
        return 0  # something else lives there
    if struct.unpack_from("<II", d, image.optional + 112 + 4 * 8) != (0, 0):
        return 0  # a signature addresses the file by offset
    align = image.file_alignment
    new_rsize = (used_end - start + align - 1) // align * align
    cut = rsize - new_rsize
    if cut <= 0:
        return 0
    later = [image.section(j)[0] for j in range(image.sections_count)
             if image.section(j)[4] > raw]
    struct.pack_into("<I", d, header + 16, new_rsize)
    del d[raw + new_rsize:raw + rsize]
    for h in later:
        struct.pack_into("<I", d, h + 20, struct.unpack_from("<I", d, h + 20)[0] - cut)
    initialized = struct.unpack_from("<I", d, image.optional + 8)[0]
    struct.pack_into("<I", d, image.optional + 8, max(0, initialized - cut))
    return cut


def uleb(d, p):
    value = shift = 0
    while True:
        b = d[p]
        p += 1
        value |= (b & 0x7F) << shift
        shift += 7
        if b < 0x80:
            return value, p


def sleb(d, p):
    value, q = uleb(d, p)
    if d[q - 1] & 0x40:
        value -= 1 << (7 * (q - p))
    return value, q


def pcrel_type_slots(d, lsda, end):
    """Offsets of the pc-relative type-table slots of one GCC exception table
    (their values change when the table moves); None if its form is not the
    one this tool knows."""
    p = lsda
    if d[p] != 0xFF:  # landing-pad base: omitted
        return None
    type_encoding = d[p + 1]
    p += 2
    type_base = None
    if type_encoding != 0xFF:
        offset, p = uleb(d, p)
        type_base = p + offset
    if d[p] != 0x01:  # call sites as uleb128
        return None
    length, p = uleb(d, p + 1)
    sites_end = p + length
    actions = set()
    while p < sites_end:
        for _ in range(3):
            _, p = uleb(d, p)
        action, p = uleb(d, p)
        if action:
            actions.add(action)
    top_filter = 0
    for action in actions:
        q = sites_end + action - 1
        while True:
            type_filter, next_at = sleb(d, q)
            step, _ = sleb(d, next_at)
            top_filter = max(top_filter, type_filter)
            if step == 0:
                break
            q = next_at + step
    if top_filter == 0:
        return []
    if type_base is None or type_base > end or (type_encoding & 0x0F) != 0x0B:
        return None  # types, but not as 4-byte signed values inside the record
    if (type_encoding & 0x70) != 0x10:
        return None  # not pc-relative
    return [type_base - 4 * k for k in range(1, top_filter + 1)]


def is_scope_table(image, p, end):
    """Whether the handler data at p is a C scope table (a count, then that
    many begin, end, handler and target RVAs) that fits before end."""
    d = image.data
    if p + 4 > end:
        return False
    count = struct.unpack_from("<I", d, p)[0]
    if p + 4 + 16 * count > end:
        return False
    return all(0 <= v < image.image_size
               for v in struct.unpack_from("<%dI" % (4 * count), d, p + 4))


def base_relocations_in(image, first, last):
    """Whether a base relocation points into [first, last)."""
    rva, size = struct.unpack_from("<II", image.data, image.optional + 112 + 5 * 8)
    at = image.offset_of(rva, size) if size else None
    end = at + size if at is not None else 0
    while at is not None and at + 8 <= end:
        page, block = struct.unpack_from("<II", image.data, at)
        if block < 8:
            break
        for k in range(8, block, 2):
            kind_offset = struct.unpack_from("<H", image.data, at + k)[0]
            if kind_offset >> 12 and first <= page + (kind_offset & 0xFFF) < last:
                return True
        at += block
    return False


def compact_unwind_records(image):
    """Packs the unwind records: records without a handler are shared by every
    function with the same frame, records with a handler (and the exception
    table that follows them) are moved up. Returns the bytes saved in the
    records' section, 0 when the records are not of the form handled."""
    d = image.data
    _, entries = image.entries()
    if not entries:
        return 0
    starts = sorted({e[2] for e in entries})
    used = {e[2] for e in entries if not image.is_vacant(e)}
    i = image.section_of(starts[0])
    if i is None or any(image.section_of(s) != i for s in starts):
        return 0
    _, vsize, section_start, rsize, raw = image.section(i)
    if starts[0] != section_start:
        return 0  # something else comes first
    section_end = section_start + min(vsize, rsize)
    if base_relocations_in(image, section_start, section_end):
        return 0

    def at(r):
        return raw + r - section_start

    plain = {}     # record bytes -> new offset
    moved = {}     # old rva -> new rva
    packed = bytearray()
    blobs = []
    for k, s in enumerate(starts):
        following = starts[k + 1] if k + 1 < len(starts) else section_end
        if s not in used:
            continue  # only vacant entries point here: the record goes
        version_flags, _, codes, _ = d[at(s):at(s) + 4]
        record = 4 + 2 * ((codes + 1) & ~1)
        flags = version_flags >> 3
        if version_flags & 7 != 1 or flags & 4 or s + record > following:
            return 0  # chained or unknown records
        if flags == 0:
            if any(d[at(s) + record:at(following)]):
                return 0  # data after a plain record: not ours to move
            body = bytes(d[at(s):at(s) + record])
            if body not in plain:
                plain[body] = len(packed)
                packed += body
            moved[s] = section_start + plain[body]
        else:
            blobs.append((s, following, record))
    for s, following, record in blobs:
        blob = bytearray(d[at(s):at(following)])
        data = at(s) + record + 4
        slots = pcrel_type_slots(d, data, at(following))
        if slots is None and is_scope_table(image, data, at(following)):
            slots = []  # RVAs only: the same anywhere
        if slots is None:
            return 0
        new = section_start + len(packed)
        shift = new - s
        for slot in slots:
            value = struct.unpack_from("<i", d, slot)[0]
            if value:  # zero stands for catch-all, whatever the position
                struct.pack_into("<i", blob, slot - at(s), value - shift)
        moved[s] = new
        packed += blob
        packed += bytes(-len(packed) % 4)
    if len(packed) >= section_end - section_start:
        return 0
    d[at(section_start):at(section_end)] = packed + bytes(section_end - section_start - len(packed))
    rva, _ = struct.unpack_from("<II", d, image.exception_directory)
    table = image.offset_of(rva)
    for k, (begin, end, unwind) in enumerate(entries):
        struct.pack_into("<III", d, table + ENTRY * k, begin, end, moved.get(unwind, unwind))
    cut_file_part(image, section_start, section_start + len(packed))
    return section_end - section_start - len(packed)


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
        saved = compact_unwind_records(image)
        image = Image(image.data)
        before, after = compact(image)
        image = Image(image.data)
        check(image, allow_leaves=False)
        if struct.unpack_from("<I", image.data, image.optional + 64)[0]:
            struct.pack_into("<I", image.data, image.optional + 64,
                             checksum(image.data, image.optional + 64))
    except NotPe as e:
        print("%s: not a PE32+ image: %s" % (path, e), file=sys.stderr)
        return 2
    except BadTable as e:
        print("%s: bad function table: %s" % (path, e), file=sys.stderr)
        return 1
    with open(path, "wb") as f:
        f.write(image.data)
    print("%s: %d of %d function-table entries kept, unwind records %d bytes smaller"
          % (path, after, before, saved))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
