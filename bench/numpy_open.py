"""The reference reader of the opening comparison (bench/open_compare.cpp): a plain numpy
reader of a "DMO.L3D.01" scan file. It reads the file's bytes, takes the Value of every
36-byte record, undoes the zig-zag order of the columns into a row-major grid and computes
the minimum, maximum and mean of the valid values.

    /usr/bin/python3 numpy_open.py FILE RUNS

prints "wall_ms cpu_ms best_cpu_ms count min max mean": the median wall and processor time
of RUNS reads (after one read that warms the file cache), the least processor time, and the
figures of the last read.
"""
import statistics
import sys
import time

import numpy as np

RECORD = np.dtype([("value", "<f4"), ("x", "<f4"), ("y", "<f4"), ("carried", "V24")])
FIXED = 11 + 160 + 16 + 192  # magic, header, scan block, four view states


def read_scan(path):
    data = np.fromfile(path, dtype=np.uint8)
    lines_per_block = int(data[171 + 4 : 171 + 8].view("<i4")[0])
    at = FIXED + 8  # the remarks' date
    for _ in range(2):  # two wide strings: a length in characters, then UTF-16
        at += 4 + 2 * int(data[at : at + 4].view("<i4")[0])
    at += 12  # field length, field width, soil type
    count = (data.size - at) // RECORD.itemsize
    records = data[at : at + count * RECORD.itemsize].view(RECORD)
    columns = records["value"].reshape(-1, lines_per_block)
    grid = columns.copy()
    grid[1::2] = columns[1::2, ::-1]  # every second column runs downwards
    grid = grid.T  # rows of the scan
    valid = grid[np.isfinite(grid)]
    return grid, float(valid.min()), float(valid.max()), float(valid.mean(dtype=np.float64))


def main():
    path, runs = sys.argv[1], int(sys.argv[2])
    read_scan(path)
    walls, cpus = [], []
    for _ in range(runs):
        w0, c0 = time.perf_counter(), time.process_time()
        grid, low, high, mean = read_scan(path)
        cpus.append(time.process_time() - c0)
        walls.append(time.perf_counter() - w0)
    print(f"{statistics.median(walls) * 1e3:.3f} {statistics.median(cpus) * 1e3:.3f} {min(cpus) * 1e3:.3f} "
          f"{grid.size} {low:.9g} {high:.9g} {mean:.17g}")


if __name__ == "__main__":
    main()
