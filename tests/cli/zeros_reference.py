#!/usr/bin/env python3
"""tervane-cli zeros against mpmath, an independent reference in 30-digit arithmetic.

For each function of the table, the zeros and poles that `tervane-cli zeros` prints must
- add up, zeros less poles with their orders, to the winding number of f round the border of
  the range, which mpmath integrates (f'/f over the border, divided by 2 pi i);
- each be a root that mpmath's findroot, started there, refines to within 1e-6 (1/f for poles);
- each have the order that mpmath's integral of f'/f round a small circle about it gives.

Usage: zeros_reference.py PATH/TO/tervane-cli
"""
import subprocess
import sys

import mpmath as mp

mp.mp.dps = 30

# (tervane text, the same function for mpmath, range xmin,xmax,ymin,ymax, steps)
CASES = [
    ("z^3-1", lambda z: z**3 - 1, (-2, 2, -2, 2), "37"),
    ("sin(5z)/(z^2+0.5)", lambda z: mp.sin(5 * z) / (z**2 + 0.5), (-2.1, 2.1, -2.1, 2.1), "60"),
    ("(z^2+1)^3/(z^2-1)^2", lambda z: (z**2 + 1) ** 3 / (z**2 - 1) ** 2, (-2, 2, -2, 2), "37"),
    ("tan(z)", lambda z: mp.tan(z), (-2.9, 2.9, -1, 1), "50"),
    ("z*exp(z)-1", lambda z: z * mp.exp(z) - 1, (-6, 3, -8, 8.5), "90"),
    ("cos(z)-z", lambda z: mp.cos(z) - z, (-4, 4, -4, 4), "41"),
    ("1/(z-0.31-0.17i)^4+z", lambda z: 1 / (z - mp.mpf("0.31") - mp.mpf("0.17") * 1j) ** 4 + z,
     (-2, 2, -2, 2), "37"),
    ("(z-0.3)^6*(z+0.7i)^2", lambda z: (z - mp.mpf("0.3")) ** 6 * (z + mp.mpf("0.7") * 1j) ** 2,
     (-1.5, 1.5, -1.5, 1.5), "23"),
]


def reciprocal(f, z):
    """1/f, 0 at a pole itself."""
    try:
        return 1 / f(z)
    except ZeroDivisionError:
        return mp.mpc(0)


def winding(f, path):
    """(1 / 2 pi i) times the integral of f'/f along a closed polygon."""
    total = mp.mpc(0)
    for a, b in zip(path, path[1:] + path[:1]):
        total += mp.quad(lambda t: mp.diff(f, a + (b - a) * t) / f(a + (b - a) * t) * (b - a),
                         [0, 0.25, 0.5, 0.75, 1])
    return total / (2j * mp.pi)


def circle_order(f, z0, r):
    """(1 / 2 pi i) times the integral of f'/f round the circle |z - z0| = r."""
    g = lambda t: mp.diff(f, z0 + r * mp.expj(t)) / f(z0 + r * mp.expj(t)) * 1j * r * mp.expj(t)
    return mp.quad(g, mp.linspace(0, 2 * mp.pi, 9)) / (2j * mp.pi)


def main():
    cli = sys.argv[1]
    failures = 0
    for text, f, box, steps in CASES:
        xmin, xmax, ymin, ymax = box
        out = subprocess.run([cli, "zeros", text, "--range", f"{xmin},{xmax},{ymin},{ymax}",
                              "--steps", steps], capture_output=True, text=True, check=True)
        if out.stderr:
            print(f"{text}: unexpected warnings: {out.stderr.strip()}")
            failures += 1
        roots = []
        for line in out.stdout.splitlines()[1:]:
            kind, x, y, order = line.split(",")
            roots.append((kind, mp.mpc(float(x), float(y)), int(order)))
        corners = [mp.mpc(xmin, ymin), mp.mpc(xmax, ymin), mp.mpc(xmax, ymax), mp.mpc(xmin, ymax)]
        expected = int(mp.nint(mp.re(winding(f, corners))))
        counted = sum(order if kind == "zero" else -order for kind, _, order in roots)
        if counted != expected:
            print(f"{text}: zeros less poles {counted}, mpmath's winding {expected}")
            failures += 1
        for kind, z, order in roots:
            g = f if kind == "zero" else (lambda w, f=f: reciprocal(f, w))
            try:
                exact = mp.findroot(g, z, tol=1e-25, maxsteps=200,
                                    solver="mnewton" if order > 1 else "secant")
            except (ValueError, ZeroDivisionError) as e:
                print(f"{text}: {kind} at {z} does not refine in mpmath: {e}")
                failures += 1
                continue
            if abs(exact - z) > 1e-6:
                print(f"{text}: {kind} at {z}, mpmath's root at {mp.nstr(exact, 10)}")
                failures += 1
            measured = int(mp.nint(mp.re(circle_order(f, exact, mp.mpf("1e-3")))))
            if measured != (order if kind == "zero" else -order):
                print(f"{text}: {kind} at {z} of order {order}, mpmath's winding {measured}")
                failures += 1
        print(f"{text}: {len(roots)} roots, zeros less poles {counted} (mpmath {expected})")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
