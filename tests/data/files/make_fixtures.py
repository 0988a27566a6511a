#!/usr/bin/env python3
"""Writes the file fixtures of tests/files from the file layouts, independently of the
program's own writers. Run from this folder; the outputs are committed."""
import struct

def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]

# A 251-point configuration: header of ten 4-byte little-endian fields, then the points.
n = 251
points = [f32(-0.05 + 0.0025 * i) for i in range(n)]
header = struct.pack('<ii5fI2f', n, 4, 0.67, 4.5, 3.0, 0.3, 0.0, 41001, 0.25, -0.75)
with open('config-251.WFD', 'wb') as f:
    f.write(header + b''.join(struct.pack('<f', p) for p in points))

# The same measurement as an ASCII waveform: seven settings lines, then the points, CR LF.
lines = ['4', '%4.4f' % f32(0.67), str(n), '%4.4f' % f32(4.5), '%4.4f' % f32(3.0), '%4.4f' % f32(0.3),
         '%4.4f' % f32(0.0)] + ['%4.4f' % p for p in points]
with open('waveform-251.DAT', 'wb') as f:
    f.write(''.join(l + '\r\n' for l in lines).encode('ascii'))

# Multiplexer setups. The documented example: a probe on channel 1, a second multiplexer
# on channel 2.
example = ['MUXLevel-1, Ch-1--<==', 'MUXLevel-1, Ch-2'] + \
          ['\tMUXLevel-2, Ch-%d' % c for c in range(1, 9)] + \
          ['MUXLevel-1, Ch-%d' % c for c in range(3, 9)]
with open('example.MUX', 'wb') as f:
    f.write(''.join(l + '\r\n' for l in example).encode('ascii'))
# The same with spaces for TABs and a mix of line ends (CR LF, lone LF, lone CR).
ends = ['\r\n', '\n', '\r']
with open('spaces.MUX', 'wb') as f:
    f.write(''.join(l.replace('\t', ' ') + ends[i % 3] for i, l in enumerate(example)).encode('ascii'))
# A level-2 line right after a top-level line.
with open('level2-after-top.MUX', 'wb') as f:
    f.write(b'MUXLevel-1, Ch-1\r\nMUXLevel-1, Ch-2\r\n\t\tMUXLevel-3, Ch-1\r\nMUXLevel-1, Ch-3\r\n')
# Markers in the middle of texts, a three-level path, and an empty line.
with open('markers.MUX', 'wb') as f:
    f.write(b'MUXLevel-1, Ch-1\r\n\tMUXLevel-2, Ch-1\r\n\t\tMUXLevel-3, Ch-1\r\n'
            b'\t\tTank --<== north\r\n\tMUXLevel-2, Ch-2--<==\r\n\r\nMUXLevel-1, Ch-3--<==\r\n')
open('empty.MUX', 'wb').close()
