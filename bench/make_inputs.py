"""make_inputs.py DIR LINES: the benchmark inputs, the same for every run.

DIR/ean13.txt holds LINES random 12-digit EAN-13 numbers, DIR/c128.txt LINES
Code 128 texts mixing digit runs, upper and lower case, as on shipping labels.
"""
import random
import sys

work, n = sys.argv[1], int(sys.argv[2])
rng = random.Random(2026)
with open(f"{work}/ean13.txt", "w") as f:
    f.writelines("%012d\n" % rng.randrange(10**12) for _ in range(n))
parts = ["%0*d" % (k, rng.randrange(10**k)) for k in (2, 4, 6, 8) for _ in range(50)]
parts += ["".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-./ ") for _ in range(rng.randrange(1, 8)))
          for _ in range(400)]
with open(f"{work}/c128.txt", "w") as f:
    for _ in range(n):
        f.write("".join(rng.choice(parts) for _ in range(rng.randrange(1, 4)))[:40].strip() or "A")
        f.write("\n")
