#!/usr/bin/python3
"""The numpy peer of the sampling benchmark.

Evaluates the same five functions as bench/sampling_bench on the same
1000 x 1000 grid over [-2, 2] x [-2, 2] in complex64, as a numpy user would,
and prints the best time per point in nanoseconds as JSON. The grid of z is
built once, outside the timing; the timing covers w = f(z) and |w|, the values
Tervane's sampling stores besides the grid.
"""
import json
import sys
import time

import numpy as np

SIDE = 1000
FUNCTIONS = {
    "z^2+1": lambda z: z**2 + np.complex64(1),
    "exp(z)": np.exp,
    "sin(z)*cos(z)/(z+1)": lambda z: np.sin(z) * np.cos(z) / (z + np.complex64(1)),
    "exp(sin(z))+z^2": lambda z: np.exp(np.sin(z)) + z**2,
    "(z^3-1)/(z^2+z+1)": lambda z: (z**3 - np.complex64(1)) / (z**2 + z + np.complex64(1)),
}


def main() -> int:
    axis = np.linspace(-2.0, 2.0, SIDE, dtype=np.float32)
    x, y = np.meshgrid(axis, axis, indexing="ij")
    z = (x + 1j * y).astype(np.complex64)
    results = {}
    with np.errstate(all="ignore"):  # undefined points become inf/nan, as in Tervane's holes
        for name, f in FUNCTIONS.items():
            best = float("inf")
            for _ in range(5):
                start = time.perf_counter()
                w = f(z)
                m = np.abs(w)
                best = min(best, time.perf_counter() - start)
                assert w.dtype == np.complex64 and m.dtype == np.float32
            results[name] = best * 1e9 / z.size
    json.dump({"numpy": np.__version__, "ns_per_point": results}, sys.stdout)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
