#!/usr/bin/python3
"""Independent check of a generated newer-format recorder file: walks the header and every
block by its own length words, verifies each checksum with crcmod's MODBUS CRC, and prints the
counts it found as JSON. Shares nothing with the C++ generator or readers."""
import json
import struct
import sys

import crcmod.predefined

crc16 = crcmod.predefined.mkCrcFun('modbus')


def main(path):
    data = open(path, 'rb').read()
    be = data[6] != 0
    e = '>' if be else '<'
    u32 = lambda off: struct.unpack_from(e + 'I', data, off)[0]
    u16 = lambda off: struct.unpack_from(e + 'H', data, off)[0]
    bad = []

    def check(name, off, length):
        stored = struct.unpack_from('<H', data, off + length - 2)[0]
        if crc16(data[off:off + length - 2]) != stored:
            bad.append(name)

    assert data[0:4] == b'MRCD'
    check('header', 0, 216)
    out = {'bigEndian': be}
    pos = 216
    for name, count_at, entry in (('channels', 12, 88), ('groups', 12, 96), ('messages', 12, 104)):
        length = u32(pos)
        assert 24 + u32(pos + count_at) * entry + 2 == length, name
        out[name] = u32(pos + count_at)
        check(name, pos, length)
        pos += length
    assert u32(pos) == 832
    check('batch', pos, 832)
    pos += 832
    tagged = 0
    if u32(208):
        while u32(pos + 4) != 0x1FFFFFF:
            length, kind = u32(pos), u32(pos + 4)
            if kind in (0x1000001, 0x1000002, 0x1000003, 0x1000004):
                check('tagged%d' % tagged, pos, length)
            tagged += 1
            pos += length
        pos += 16
    out['tagged'] = tagged
    assert u32(16) == pos, 'data-information offset'
    length = u32(pos + 8)
    out['records'] = u32(pos + 64)
    out['items'] = u16(pos + 72)
    assert 80 + 8 * out['items'] + 32 + 2 == length
    check('datainfo', pos, length)
    pos += length
    length = u32(pos)
    out['alarms'] = u32(pos + 12)
    assert 24 + 32 * out['alarms'] + 2 == length
    check('alarm', pos, length)
    pos += length
    length, record_size = u32(pos), u32(pos + 8)
    assert 16 + out['records'] * record_size + 2 == length
    out['recordSize'] = record_size
    check('data', pos, length)
    pos += length
    assert pos == len(data), 'trailing bytes'
    out['badChecksums'] = bad
    print(json.dumps(out, sort_keys=True))


if __name__ == '__main__':
    main(sys.argv[1])
