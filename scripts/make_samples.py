#!/usr/bin/env python3
"""Writes the sample soundings in data/: made-up but plausible CPT soundings in a clay,
a sand and a sounding without a pore-pressure channel.

Every value is written in the text the sounding writer itself produces (depth and speed
with two decimals, raw channel output with five, full-scale values as short numbers), so
that opening a sample and saving it again gives back the same bytes.

Usage: scripts/make_samples.py [DATA_FOLDER]   (default: data/ beside this script's folder)
"""

import math
import random
import sys
from pathlib import Path

NO_VALUE = "-32768"

# Unit factors as the channel definition files give them (base unit -> option).
UNIT_FACTORS = {"KPA": 1.0, "MPA": 0.001, "BAR": 0.01, "TSF": 0.01044272, "DEG": 1.0}


def right(text, width):
    return text.rjust(width)


def fixed(hundredths):
    """Depth or speed from a whole number of hundredths, as "##0.00" writes it."""
    sign = "-" if hundredths < 0 else ""
    hundredths = abs(hundredths)
    return f"{sign}{hundredths // 100}.{hundredths % 100:02d}"


def raw_text(units):
    """Raw output from a whole number of 0.00001 steps, as "####0.00000" writes it."""
    sign = "-" if units < 0 else ""
    units = abs(units)
    return f"{sign}{units // 100000}.{units % 100000:05d}"


def factor_text(factor):
    return f"{factor:.8f}"


class Channel:
    def __init__(self, type_code, name, full_scale_output, full_scale_value, base_unit,
                 unit, baseline_units, final_baseline_units, lag=0):
        self.type_code = type_code
        self.name = name
        self.full_scale_output = full_scale_output  # volts at full scale
        self.full_scale_value = full_scale_value  # base unit at full scale
        self.base_unit = base_unit
        self.unit = unit
        self.baseline_units = baseline_units  # zero reading before the sounding, 0.00001 V
        self.final_baseline_units = final_baseline_units  # and after it
        self.lag = lag  # readings the channel trails the cone tip by

    def raw_units(self, value):
        """Raw output, in 0.00001 V steps, of an engineering value in the base unit."""
        volts = value / self.full_scale_value * self.full_scale_output
        return self.baseline_units + round(volts * 100000)


def sounding_text(header, channels, depths_cm, speeds, values, final_baseline):
    """The file's lines. values[c][n] is channel c's value (base unit) at reading n."""
    lines = ["Quillbrandt Sounding File"] + header + ["", ""]
    lead = " " * 13
    lines.append(lead + "".join(right(str(ch.type_code), 20) for ch in channels))
    lines.append(lead + "".join(right(ch.name, 20) for ch in channels))
    lines.append(lead + "".join(right(f"{ch.full_scale_output:g}", 20) for ch in channels))
    lines.append(lead + "".join(right(raw_text(ch.baseline_units), 20) for ch in channels))
    lines.append(lead + "".join(right(f"{ch.full_scale_value:g} {ch.base_unit}", 20)
                                for ch in channels))
    lines.append(lead + "".join(right(ch.unit, 20) for ch in channels))
    lines.append(lead + "".join(right(factor_text(UNIT_FACTORS[ch.unit]), 20)
                                for ch in channels))
    lines.append("   (m) (cm/s)")
    count = len(depths_cm)
    for n in range(count):
        line = right(fixed(depths_cm[n]), 6) + right(fixed(speeds[n]), 7)
        for c, ch in enumerate(channels):
            # A lagging channel's values stand early; its last positions have none.
            if n >= count - ch.lag:
                line += right(NO_VALUE, 20)
            else:
                line += right(raw_text(ch.raw_units(values[c][n + ch.lag])), 20)
        lines.append(line)
    if final_baseline:
        # Stored as the reader keeps it: the first value ends in column 33.
        fields = "".join(right(raw_text(ch.final_baseline_units), 20) for ch in channels)
        lines.append(" " * 13 + fields)
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def speeds_for(count, step_cm, rng, stops=()):
    """About 2 cm/s; 0 at the first reading after each rod change (every metre) and at
    the given extra stops."""
    speeds = []
    for n in range(count):
        depth_cm = (n + 1) * step_cm
        if (depth_cm % 100 == step_cm and depth_cm > 100) or n in stops:
            speeds.append(0)
        elif depth_cm % 100 == 2 * step_cm and depth_cm > 100:
            speeds.append(round(rng.uniform(80, 140)))  # picking up speed again
        else:
            speeds.append(round(rng.gauss(200, 8)))
    return speeds


def smooth_noise(rng, count, scale, length):
    """Noise that drifts over `length` readings rather than jumping from reading to reading."""
    out, level = [], 0.0
    keep = math.exp(-1.0 / length)
    for _ in range(count):
        level = keep * level + math.sqrt(1 - keep * keep) * rng.gauss(0, scale)
        out.append(level)
    return out


def clay_sample(rng):
    step = 2
    depths = [(n + 1) * step for n in range(600)]  # 0.02 m to 12.00 m
    count = len(depths)
    channels = [
        Channel(1, "Qc", 10, 50000, "KPA", "MPA", 1234, 1302),
        Channel(2, "Fs", 10, 1000, "KPA", "KPA", 873, 871, lag=5),
        Channel(3, "U2", 10, 2000, "KPA", "KPA", 2011, 2015),
    ]
    qc_noise = smooth_noise(rng, count, 0.08, 6)
    fs_noise = smooth_noise(rng, count, 0.10, 8)
    qc, fs, u2 = [], [], []
    water_table = 1.8
    for n, d_cm in enumerate(depths):
        d = d_cm / 100
        if d < 1.0:  # dry crust
            q = 1800 - 700 * d
        elif 6.1 <= d < 6.9:  # sand lens
            q = 9000 + 5000 * math.sin(math.pi * (d - 6.1) / 0.8)
        else:  # soft clay getting firmer with depth
            q = 550 + 70 * d
        q *= math.exp(qc_noise[n])
        f = (0.012 if 6.1 <= d < 6.9 else 0.03) * q * math.exp(fs_noise[n]) + 4
        hydrostatic = max(0.0, (d - water_table) * 9.81)
        if d < water_table:  # above the water table the filter sees next to nothing
            u = 3 * rng.random()
        elif 6.1 <= d < 6.9:
            u = hydrostatic + 15 * rng.random()
        else:
            u = hydrostatic + 0.35 * q * (1 + 0.05 * rng.gauss(0, 1))
        qc.append(q), fs.append(f), u2.append(u)
    speeds = speeds_for(count, step, rng, stops=(187, 402))
    header = [
        "Brackwater Site Investigation Ltd",
        "M. Sørensen",
        "C10-0457",
        "Harbour Road extension, test location CPT-04",
        "BW-2214",
        "CPT-04",
        "14/03/2024 09:42",
        "Soft clay; sand lens at about 6 m",
        "Pre-drilled to 0.0 m; cone saturated with glycerine",
        "Refusal not reached; stopped at design depth",
        "N 53.21874 E 6.56702",
        "1.80",
    ]
    return sounding_text(header, channels, depths, speeds, [qc, fs, u2], final_baseline=True)


def sand_sample(rng):
    step = 5
    depths = [(n + 1) * step for n in range(500)]  # 0.05 m to 25.00 m
    count = len(depths)
    channels = [
        Channel(1, "Qc", 10, 100000, "KPA", "MPA", -275, -312),
        Channel(2, "Fs", 10, 1500, "KPA", "KPA", 1042, 1050),
        Channel(3, "U2", 10, 2000, "KPA", "BAR", 1507, 1498),
        Channel(6, "Ix", 10, 20, "DEG", "DEG", 50000, 50011),
        Channel(7, "Iy", 10, 20, "DEG", "DEG", 49987, 49990),
    ]
    qc_noise = smooth_noise(rng, count, 0.12, 4)
    fs_noise = smooth_noise(rng, count, 0.12, 5)
    tilt_x = smooth_noise(rng, count, 0.15, 60)
    tilt_y = smooth_noise(rng, count, 0.15, 60)
    qc, fs, u2, ix, iy = [], [], [], [], []
    water_table = 1.2
    for n, d_cm in enumerate(depths):
        d = d_cm / 100
        if d < 2.0:  # fill
            q = 3000 + 2500 * d
        elif 11.0 <= d < 13.5:  # clay layer
            q = 1200 + 150 * (d - 11.0)
        else:  # dense sand, denser with depth
            q = 9000 + 800 * (d - 2.0) + 4000 * math.sin(d * 1.7)
        q = min(29500.0, q * math.exp(qc_noise[n]))
        ratio = 0.035 if 11.0 <= d < 13.5 else 0.008
        f = min(300.0, ratio * q * math.exp(fs_noise[n]) + 5)
        hydrostatic = max(0.0, (d - water_table) * 9.81)
        if 11.0 <= d < 13.5:
            u = hydrostatic + 0.25 * q
        elif d > 15.0:  # dense sand dilates: pore pressure below hydrostatic
            u = hydrostatic - 0.6 * hydrostatic * (0.5 + 0.5 * math.sin(d))
        else:
            u = hydrostatic + 5 * rng.gauss(0, 1)
        qc.append(q), fs.append(f), u2.append(u)
        ix.append(0.2 + 0.04 * d + tilt_x[n]), iy.append(-0.1 + 0.03 * d + tilt_y[n])
    speeds = speeds_for(count, step, rng, stops=(91,))
    header = [
        "Brackwater Site Investigation Ltd",
        "J. de Vries",
        "C15-1180",
        "Dune road, wind farm access, location CPT-11",
        "BW-2230",
        "CPT-11",
        "02/05/2024 13:15",
        "Dense sand with a clay layer at 11 to 13.5 m",
        "Friction sleeve 0.10 m behind the cone tip",
        "Inclination within limits",
        "N 52.98410 E 4.71233",
        "1.20",
    ]
    return sounding_text(header, channels, depths, speeds, [qc, fs, u2, ix, iy],
                         final_baseline=True)


def no_pore_sample(rng):
    step = 2
    depths = [50 + (n + 1) * step for n in range(400)]  # 0.52 m to 8.50 m
    count = len(depths)
    channels = [
        Channel(1, "Qc", 10, 75000, "KPA", "BAR", 1880, 1880),
        Channel(2, "Fs", 10, 1000, "KPA", "KPA", 944, 944),
        Channel(6, "Ix", 10, 20, "DEG", "DEG", 50000, 50000),
        Channel(7, "Iy", 10, 20, "DEG", "DEG", 50000, 50000),
    ]
    qc_noise = smooth_noise(rng, count, 0.1, 5)
    tilt = smooth_noise(rng, count, 0.1, 40)
    qc, fs, ix, iy = [], [], [], []
    for n, d_cm in enumerate(depths):
        d = d_cm / 100
        if d < 3.0:
            q = 2500 + 1500 * d
        elif d < 5.0:  # peat
            q = 450 + 30 * d
        else:
            q = 6000 + 1500 * (d - 5.0)
        q *= math.exp(qc_noise[n])
        f = (0.06 if 3.0 <= d < 5.0 else 0.012) * q + 6
        qc.append(q), fs.append(f)
        ix.append(0.5 + tilt[n]), iy.append(0.3 - tilt[n] / 2)
    speeds = speeds_for(count, step, rng, stops=(250, 251))
    header = [
        "Polder Geotechniek",
        "R. Bakker",
        "C10-0388",
        "Dike reinforcement km 12.4, inner toe",
        "PG-0931",
        "S-17",
        "21/09/2023 08:05",
        "Cone without pore-pressure filter",
        "Pre-excavated to 0.50 m",
        "",
        "",
        "unknown",
    ]
    return sounding_text(header, channels, depths, speeds, [qc, fs, ix, iy],
                         final_baseline=False)


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "data"
    samples = {
        "sample_clay_002.cpt": clay_sample,
        "sample_sand_005.cpt": sand_sample,
        "sample_no_pore.cpt": no_pore_sample,
    }
    for seed, (name, make) in enumerate(samples.items(), start=1):
        (folder / name).write_bytes(make(random.Random(seed)))
        print(folder / name)


if __name__ == "__main__":
    main()
