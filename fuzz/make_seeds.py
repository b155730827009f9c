#!/usr/bin/env python3
"""Writes the seed corpus of chart_fuzzer: the plans and sizes at the edges of what the
charts handle. The layout is the one chart_fuzzer.cpp decodes."""
import os
import struct

INF = float('inf')
NAN = float('nan')

# name: Fs, IF, IF BW, RF BW, harmonics, marker x, marker y, width, height
SEEDS = {
    'default': (737.28, 184.32, 20.0, 100.0, 15, 0, 0, 1000, 600),
    'default_marker': (737.28, 184.32, 20.0, 100.0, 15, 300, 200, 1000, 600),
    'h26_marker': (737.28, 184.32, 20.0, 100.0, 26, 500, 400, 1920, 1030),
    'h40': (737.28, 184.32, 20.0, 100.0, 40, 0, 0, 800, 550),
    'h_negative': (737.28, 184.32, 20.0, 100.0, -3, 0, 0, 800, 550),
    'fs_zero': (0.0, 184.32, 20.0, 100.0, 15, 0, 0, 800, 550),
    'fs_nan': (NAN, 184.32, 20.0, 100.0, 15, 0, 0, 800, 550),
    'fs_inf': (INF, 184.32, 20.0, 100.0, 15, 10, 60, 800, 550),
    'fs_subnormal': (5e-324, 184.32, 20.0, 100.0, 26, 0, 0, 800, 550),
    'if_huge': (737.28, 1e300, 20.0, 100.0, 26, 0, 0, 800, 550),
    'if_inf': (737.28, INF, 20.0, 100.0, 26, 0, 0, 800, 550),
    'bw_negative': (737.28, 184.32, -1e308, -5.0, 26, 0, 0, 800, 550),
    'rf_huge': (737.28, 184.32, 20.0, 1e308, 26, 0, 0, 800, 550),
    'if_below_zero': (100.0, 5.0, 20.0, 100.0, 15, 0, 0, 800, 550),
    'edge_on_fs': (100.0, 45.0, 10.0, 100.0, 2, 0, 0, 800, 550),
    'tiny_area': (737.28, 184.32, 20.0, 100.0, 15, 20, 60, 49, 41),
    'zero_area': (737.28, 184.32, 20.0, 100.0, 15, 1, 1, 0, 0),
    'narrow_marker': (737.28, 184.32, 20.0, 100.0, 15, 30, 80, 50, 300),
    'marker_far': (737.28, 184.32, 20.0, 100.0, 15, 2147483647, -2147483648, 800, 550),
    'big': (737.28, 184.32, 20.0, 100.0, 26, 4000, 4000, 4096, 4096),
}

if __name__ == '__main__':
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
    os.makedirs(out, exist_ok=True)
    for name, values in SEEDS.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(struct.pack('<ddddiiiHH', *values))
