#!/usr/bin/env python3
"""Reads a vorta.sav as the end-to-end tests see it: checks its size, title, version and
checksum, and prints the tables one entry a line:
    course table place value player car fps_at_signal fps_at_finish new
or, with --write NEW BASE, writes NEW as BASE with the entries (and a "flags<TAB>n" line) given
on standard input, with a valid checksum.
Exit 1 with a message when the file is not sound."""
import struct
import sys

HEADER = 42
BODY = 1056
ENTRY = struct.Struct("<f10s28sHH2si")


def checksum(body):
    total = 0
    for i in range(0, len(body) - 1, 2):
        total += body[i] | (body[i + 1] << 8)
        total = (total & 0xFFFF) + (total >> 16)
    return total & 0xFFFF


def cstr(raw):
    return raw.split(b"\0", 1)[0].decode("cp932", "replace")


def read(path):
    data = open(path, "rb").read()
    if len(data) != HEADER + BODY:
        sys.exit(f"{path}: {len(data)} bytes, not {HEADER + BODY}")
    if data[:36].split(b"\0", 1)[0] != b"vorta ~Mark Q~":
        sys.exit(f"{path}: foreign title")
    zero, version, stored = struct.unpack_from("<HHH", data, 36)
    if zero != 0 or version != 75:
        sys.exit(f"{path}: version {zero}/{version}")
    body = bytes(255 - b for b in data[HEADER:])
    if checksum(body) != stored:
        sys.exit(f"{path}: checksum {checksum(body):#06x} against {stored:#06x}")
    return body


def main():
    if sys.argv[1] == "--write":
        path, base = sys.argv[2], read(sys.argv[3])
        body = bytearray(base)
        for line in sys.stdin:
            if line.startswith("flags\t"):
                struct.pack_into("<I", body, 1052, int(line.split("\t")[1]))
                continue
            course, table, place, value, player, car, fps_signal, fps_finish = line.split("\t")[:8]
            offset = 520 * int(course) + 260 * int(table) + 52 * int(place)
            ENTRY.pack_into(body, offset, float(value), player.encode("cp932"),
                            car.encode("cp932"), int(fps_signal), int(fps_finish), b"\0\0", 0)
        header = bytearray(HEADER)
        header[:14] = b"vorta ~Mark Q~"
        struct.pack_into("<HHH", header, 36, 0, 75, checksum(body))
        open(path, "wb").write(bytes(header) + bytes(255 - b for b in body))
        return
    body = read(sys.argv[1])
    for course in range(2):
        for table in range(2):
            for place in range(5):
                value, player, car, fps_signal, fps_finish, _, new = ENTRY.unpack_from(
                    body, 520 * course + 260 * table + 52 * place)
                print(f"{course}\t{table}\t{place}\t{value:.3f}\t{cstr(player)}\t{cstr(car)}"
                      f"\t{fps_signal}\t{fps_finish}\t{new}")
    print(f"player\t{cstr(body[1040:1052])}")
    print(f"flags\t{struct.unpack_from('<I', body, 1052)[0]}")


main()
