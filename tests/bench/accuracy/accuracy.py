#!/usr/bin/env python3
"""How closely waktuna-cli matches official timetables.

usage: accuracy.py PATH/TO/waktuna-cli [TABLE.tsv ...] [-- EXTRA CLI OPTIONS]

Each table (default: every *.tsv beside this script) names its source, the
authority preset (method), the place with its elevation and the clock's
offset, then one row a day of published times ("-" where none was printed).
Every day is computed with the preset and the elevation, as HH:mm, and the
script prints for each table the share of times equal to the minute and
within one minute, and the mean signed difference of each prayer (computed
minus published) that shows a correction an authority applies.
Run by hand; it is not a test.
"""
import os
import subprocess
import sys

COLUMNS = ["fajr", "sunrise", "dhuhr", "asr", "maghrib", "isha"]
CLI_NAMES = {"Shubuh": "fajr", "Terbit": "sunrise", "Dhuhur": "dhuhr",
             "Asar": "asr", "Maghrib": "maghrib", "Isya": "isha"}


def read_table(path):
    settings, rows, header = {}, [], None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            if cells[0] == "date":
                header = cells
            elif header is None:
                settings[cells[0]] = cells[1]
            else:
                rows.append(dict(zip(header, cells)))
    return settings, rows


def minutes(text):
    h, m = text.split(":")[:2]
    return int(h) * 60 + int(m)


def computed(cli, settings, date, extra):
    args = [cli, "times", "--date", date, "--lat", settings["lat"], "--lon", settings["lon"],
            "--alt", settings.get("alt", "0"), "--tz", settings["tz"],
            "--method", settings["method"], "--time-format", "HH:mm"] + extra
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    return {CLI_NAMES[k]: v for k, v in (l.split("\t") for l in out.splitlines())}


def main():
    argv = sys.argv[1:]
    extra = []
    if "--" in argv:
        extra = argv[argv.index("--") + 1:]
        argv = argv[:argv.index("--")]
    if not argv:
        sys.exit(__doc__)
    cli, tables = argv[0], argv[1:]
    if not tables:
        here = os.path.dirname(os.path.abspath(__file__))
        tables = sorted(os.path.join(here, n) for n in os.listdir(here) if n.endswith(".tsv"))
    total = equal_all = within_all = 0
    print(f"{'table':28} {'method':12} {'times':>5} {'equal':>7} {'<=1 min':>8}  mean difference (min)")
    for path in tables:
        settings, rows = read_table(path)
        diffs = {c: [] for c in COLUMNS}
        for row in rows:
            ours = computed(cli, settings, row["date"], extra)
            for c in COLUMNS:
                if row.get(c, "-") != "-":
                    diff = (minutes(ours[c]) - minutes(row[c]) + 720) % 1440 - 720
                    diffs[c].append(diff)
        all_diffs = [d for c in COLUMNS for d in diffs[c]]
        n = len(all_diffs)
        equal = sum(d == 0 for d in all_diffs)
        within = sum(abs(d) <= 1 for d in all_diffs)
        total, equal_all, within_all = total + n, equal_all + equal, within_all + within
        means = " ".join(f"{c}:{sum(d) / len(d):+.1f}" for c, d in diffs.items() if d)
        print(f"{os.path.basename(path):28} {settings['method']:12} {n:5} "
              f"{100 * equal / n:6.1f}% {100 * within / n:7.1f}%  {means}")
    print(f"{'all tables':28} {'':12} {total:5} {100 * equal_all / total:6.1f}% "
          f"{100 * within_all / total:7.1f}%")


if __name__ == "__main__":
    main()
