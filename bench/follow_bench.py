#!/usr/bin/env python3
"""Following a growing log: a writer appends LOG_RATE bytes a second of Japanese log lines
(EUC-JP) for SECONDS seconds while each follower writes what it shows to a file.  For every
write, the time until the follower's output held it (the output has the same size in Shift-JIS
as in EUC-JP: the text has no half-width katakana), and each follower's processor time.

Usage: follow_bench.py LINES_FILE WORK_DIR SECONDS NAME=COMMAND...   (COMMAND gets the log's path
appended; its standard output goes to a file)."""
import os
import shlex
import subprocess
import sys
import time

lines_file, work, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
followers = [arg.split("=", 1) for arg in sys.argv[4:]]
rate = 1 << 20
writes_per_second = 20
lines = open(lines_file, "rb").read().splitlines(keepends=True)
log = os.path.join(work, "follow.log")
open(log, "wb").close()
ticks = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / ticks


procs = []
for name, command in followers:
    out = open(os.path.join(work, f"follow-{name}.out"), "wb")
    procs.append((name, subprocess.Popen(shlex.split(command) + [log], stdout=out, stderr=subprocess.DEVNULL), out.name))
time.sleep(1.0)  # every follower is looking at the empty log
cpu_start = {name: cpu_seconds(p.pid) for name, p, _ in procs}

written = []  # (time written, total bytes)
total = 0
line_at = 0
start = time.monotonic()
samples = {name: [] for name, _, _ in procs}
next_write = start
with open(log, "ab", buffering=0) as f:
    while time.monotonic() - start < seconds:
        now = time.monotonic()
        if now >= next_write:
            chunk = bytearray()
            while len(chunk) < rate // writes_per_second:
                chunk += lines[line_at % len(lines)]
                line_at += 1
            f.write(chunk)
            total += len(chunk)
            written.append((time.monotonic(), total))
            next_write += 1.0 / writes_per_second
        for name, _, path in procs:
            samples[name].append((time.monotonic(), os.path.getsize(path)))
        time.sleep(0.01)
end = time.monotonic() + 3.0
while time.monotonic() < end:
    for name, _, path in procs:
        samples[name].append((time.monotonic(), os.path.getsize(path)))
    time.sleep(0.01)
elapsed = time.monotonic() - start

print(f"{'follower':<28} {'lines kept up':>13} {'lag mean s':>10} {'lag max s':>10} {'CPU %':>7}")
for name, p, path in procs:
    cpu = cpu_seconds(p.pid) - cpu_start[name]
    p.terminate()
    p.wait()
    lags, s = [], samples[name]
    i = 0
    for at, size in written:
        while i < len(s) and s[i][1] < size:
            i += 1
        lags.append(s[i][0] - at if i < len(s) else float("inf"))
    kept = sum(1 for lag in lags if lag <= 1.0)
    final = os.path.getsize(path)
    mean = sum(lags) / len(lags)
    print(f"{name:<28} {kept:>6}/{len(lags):<6} {mean:>10.3f} {max(lags):>10.3f} {100 * cpu / elapsed:>7.1f}")
    if final != total:
        print(f"  ({name} wrote {final} bytes of {total})")
print(f"({total} bytes of EUC-JP log lines in {len(written)} writes over {seconds:.0f} s)")
