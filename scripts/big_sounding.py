"""A sounding of 10,000 readings and 10 channels, for timing: python3 big_sounding.py OUT"""
import math, sys
import make_samples as m
m.UNIT_FACTORS.update({"DEG C": 1.0, "MS/M": 1.0})
channels = [
    m.Channel(1, "Qc", 10, 100000, "KPA", "KPA", 1234, 1302),
    m.Channel(2, "Fs", 10, 1000, "KPA", "KPA", 873, 871, lag=5),
    m.Channel(3, "U2", 10, 2000, "KPA", "KPA", 2011, 2015),
    m.Channel(4, "U1", 10, 2000, "KPA", "KPA", 2003, 2004),
    m.Channel(5, "U3", 10, 2000, "KPA", "KPA", 1998, 1999),
    m.Channel(6, "Ix", 10, 20, "DEG", "DEG", 50000, 50000),
    m.Channel(7, "Iy", 10, 20, "DEG", "DEG", 50000, 50000),
    m.Channel(8, "T", 10, 100, "DEG C", "DEG C", 100, 100),
    m.Channel(9, "EC", 10, 1000, "MS/M", "MS/M", 300, 300),
    m.Channel(10, "I", 10, 20, "DEG", "DEG", 100, 100),
]
count = 10000
depths = [2 * (n + 1) for n in range(count)]
speeds = [200 + (n % 7) for n in range(count)]
values = [[(c + 1) * (1 + math.sin(n / (7.0 + c))) * (50 if c < 5 else 1) for n in range(count)]
          for c in range(10)]
header = ["Throughput BV", "A. Tester", "C10-0001", "Throughput", "T-100", "CPT-100",
          "01/02/2024 10:00", "10,000 readings, 10 channels", "", "", "", "2.00"]
open(sys.argv[1], "wb").write(m.sounding_text(header, channels, depths, speeds, values, True))
