#!/usr/bin/python3
"""Independent check of a generated newer-format recorder file: walks the header and every
block by its own length words, verifies each checksum with crcmod's MODBUS CRC, and prints the
counts it found as JSON. With --fields it prints instead every field of the file, one per line,
decoded by the offsets of the layout. Shares nothing with the C++ generator or readers."""
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


def fields(data):
    """One line per field, decoded by the offsets of the layout alone: the header, every entry
    of the channel, group, message and alarm blocks, the batch block, the data information and
    the first and last records."""
    be = data[6] != 0
    e = '>' if be else '<'
    num = lambda fmt, off: struct.unpack_from(e + fmt, data, off)[0]
    text = lambda off, size: data[off:off + size].split(b'\0')[0].decode('latin-1')
    time = lambda off: '%d+%d/%d' % (num('i', off), num('H', off + 4), num('H', off + 6))
    out = []
    add = lambda name, value: out.append('%s %s' % (name, value))
    add('header.text', text(72, 72))
    add('header.serial', text(144, 24))
    for name, fmt, off in (('guid1', 'I', 24), ('kind', 'I', 44), ('model', 'I', 48),
                           ('timeFormat', 'H', 52), ('timeChanges', 'I', 60),
                           ('startFactor', 'H', 68), ('stopFactor', 'H', 70), ('tagged', 'I', 208)):
        add('header.' + name, num(fmt, off))
    pos = 216
    channels = []
    for i in range(num('I', pos + 12)):
        c = pos + 24 + 88 * i
        channels.append((num('I', c) & 0xFF, num('H', c + 42)))
        add('channel%d' % i, '%d 0x%x %s|%s off %d dec %d span %d..%d raw %d..%d colour 0x%x show %d' % (
            num('h', c + 4), num('I', c), text(c + 8, 24), text(c + 32, 8), num('H', c + 42),
            num('h', c + 44), num('i', c + 56), num('i', c + 60), num('h', c + 64),
            num('h', c + 66), num('I', c + 68), num('H', c + 80)))
    pos += num('I', pos)
    for i in range(num('I', pos + 12)):
        g = pos + 24 + 96 * i
        places = ' '.join(str(num('h', g + 32 + 2 * k)) for k in range(16))
        trips = ' '.join('%d:%d' % (num('H', g + 64 + 8 * k), num('h', g + 66 + 8 * k)) for k in range(4))
        add('group%d' % i, '%d use %d %s | %s | %s' % (num('H', g), num('H', g + 2), text(g + 8, 24), places, trips))
    pos += num('I', pos)
    for i in range(num('I', pos + 12)):
        m = pos + 24 + 104 * i
        add('message%d' % i, '%d 0x%x %s dn %d mask 0x%x w36 %d no %d %s|%s' % (
            num('I', m), num('I', m + 4), time(m + 8), num('q', m + 16), num('Q', m + 24),
            num('H', m + 36), num('H', m + 38), text(m + 40, 40), text(m + 80, 24)))
    pos += num('I', pos)
    b = pos
    add('batch.users', '%d %d %s|%s' % (num('H', b + 8), num('H', b + 10), text(b + 16, 24), text(b + 40, 24)))
    add('batch.lot', '%d %d %d %s' % (num('H', b + 64), num('H', b + 66), num('I', b + 68), text(b + 520, 40)))
    for k in range(8):
        add('batch.text%d' % k, '%s|%s' % (text(b + 72 + 56 * k, 24), text(b + 96 + 56 * k, 32)))
    for k in range(3):
        c = b + 560 + 88 * k
        add('batch.comment%d' % k, '%s %s|%s' % (time(c), text(c + 8, 24), text(c + 32, 56)))
    d = num('I', 16)
    add('info.interval', '%d/%d' % (num('H', d + 12), num('H', d + 14)))
    add('info.last', time(d + 24))
    add('info.numbers', ' '.join(str(num('q', d + 32 + 8 * k)) for k in range(4)))
    records = num('I', d + 64)
    add('info.records', records)
    items = num('H', d + 72)
    for i in range(items):
        add('info.item%d' % i, ' '.join(str(num('H', d + 80 + 8 * i + 2 * k)) for k in range(4)))
    pos = d + num('I', d + 8)
    for i in range(num('I', pos + 12)):
        a = pos + 24 + 32 * i
        add('alarm%d' % i, '%d %s dn %d action %d mask %d type %d word 0x%x' % (
            num('h', a + 4), time(a + 8), num('q', a + 16), num('H', a + 24), num('H', a + 26),
            num('h', a + 28), num('H', a + 30)))
    pos += num('I', pos)
    size = num('I', pos + 8)
    per = 2 if num('I', 44) & 0xFFFFFF == 2 else 1
    for k in sorted({0, records - 1}) if records else []:
        r = pos + 16 + k * size
        values = []
        for width, off in channels:
            for v in range(per):
                values.append(str(num('h' if width == 2 else 'i', r + off + v * width)))
        add('record%d' % k, '%s %s' % (time(r), ' '.join(values)))
    return out


if __name__ == '__main__':
    if len(sys.argv) > 2 and sys.argv[1] == '--fields':
        print('\n'.join(fields(open(sys.argv[2], 'rb').read())))
    else:
        main(sys.argv[1])
