#!/usr/bin/env python3
"""Kills partwell-cli at its system calls while it registers, deletes, creates and renames, and checks
what each kill leaves in the library.

Usage: crash_sweep.py PARTWELL_CLI SOURCE_DIR [STRIDE]

For each operation the cli first runs once under strace, uncut: its trace lists every system call in
order, and the library it leaves is the "new" state. Then, for each chosen call, the operation runs
again on a fresh copy of the library with strace delivering SIGKILL on entry to that call
(-e inject=NAME:signal=KILL:when=N, N counting calls of that name). After each kill:
  - every file of the library is its old bytes or its new bytes (or absent where it was absent);
  - parts.ini is never half-applied: it is old or new, and when it is new the folder's directory and
    catalog are there;
  - a follow-up run (after the leftovers are made older than ten minutes) succeeds and leaves no
    temporary file anywhere in the library, and the index it leaves is the new one.
Every call from the first one that changes the library (an open for writing, mkdir, rename, unlink
naming it) to the last one (and the folder sync after it) is a kill point. The calls outside that
stretch (start-up, reading the index, shape and catalog, rendering; or only exit after it) change
nothing, so they are sampled: every STRIDE-th (default 25). That keeps the sweep within a few minutes
on two cores.
Prints the number of kill points checked; exits 1 on the first inconsistency.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

CLI, SOURCE = sys.argv[1], sys.argv[2]
STRIDE = int(sys.argv[3]) if len(sys.argv) > 3 else 25
SAMPLES = os.path.join(SOURCE, "data", "samples")
ENV = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")  # LeakSanitizer cannot run under ptrace
TEMP = re.compile(r"^\..*\.partwell-[A-Za-z0-9]{6}$")
CALL = re.compile(r"^([a-z0-9_]+)\((.*)")
# Calls that change the library when they name it (the fsyncs and fchmods between them fall inside).
CHANGE = re.compile(r"^(mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|rmdir)\(|^openat\(.*O_(WRONLY|RDWR|CREAT)")


def blank_catalog(back=0x734A9B):
    """512 x 384, 8 bits, grey ramp with entry 255 the background, every pixel 255."""
    palette = b"".join(bytes((i, i, i, 0)) for i in range(255)) + bytes((back & 255, back >> 8 & 255, back >> 16 & 255, 0))
    pixels = b"\xff" * (512 * 384)
    offset = 14 + 40 + 1024
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, 512, 384, 1, 8, 0, len(pixels), 0, 0, 256, 0)
    return header + info + palette + pixels


def make_base(root):
    lib = os.path.join(root, "base")
    shutil.copytree(os.path.join(SOURCE, "data", "library"), lib)
    for name in ("basic", "machine", "signs"):
        with open(os.path.join(lib, "common", "catalog", name + ".BMP"), "wb") as f:
            f.write(blank_catalog())
    shutil.copy(os.path.join(SAMPLES, "cube.suf"), os.path.join(lib, "common", "parts", "basic", "basic01.SUF"))
    return lib


def snapshot(lib):
    state, temps = {}, []
    for folder, dirs, files in os.walk(lib):
        for name in dirs + files:
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, lib)
            if TEMP.match(name):
                temps.append(path)
            elif os.path.isdir(path):
                state[rel] = "<dir>"
            else:
                with open(path, "rb") as f:
                    state[rel] = f.read()
    return state, temps


def cli(lib, args, strace=()):
    command = list(strace) + [CLI, "--cga", lib] + args
    return subprocess.run(command, env=ENV, stdin=subprocess.DEVNULL, capture_output=True)


OPS = {
    "register": ["register", os.path.join(SAMPLES, "gear.suf"), "--folder", "1", "--slot", "1", "--yes"],
    "delete": ["delete", "--folder", "1", "--slot", "1", "--yes"],
    "new-folder": ["new-folder", "ships", "--name", "Ships", "--jpn", "船"],
    "rename-folder": ["rename-folder", "2", "--name", "Gears", "--jpn", "歯車"],
}


def follow_up(op, lib, killed, new):
    """A run that must succeed from whatever the kill left."""
    if op == "new-folder" and killed.get("common/parts/parts.ini") == new["common/parts/parts.ini"]:
        return ["rename-folder", "4", "--name", "Ships", "--jpn", "船"]
    if op == "delete" and "common/parts/basic/basic01.SUF" not in killed:
        return OPS["register"]
    return OPS[op]


def check(op, lib, old, new, where):
    killed, _ = snapshot(lib)
    for rel in set(old) | set(new) | set(killed):
        if killed.get(rel) not in (old.get(rel), new.get(rel)):
            sys.exit(f"{op} killed at {where}: {rel} is neither its old nor its new bytes")
    index = "common/parts/parts.ini"
    if op == "new-folder" and killed.get(index) == new[index] and old[index] != new[index]:
        for rel in ("common/parts/ships", "common/catalog/ships.BMP"):
            if killed.get(rel) != new[rel]:
                sys.exit(f"new-folder killed at {where}: the index names ships before {rel} is made")
    # Leftovers of the killed run are made stale, as if ten minutes had passed.
    _, temps = snapshot(lib)
    past = time.time() - 11 * 60
    for path in temps:
        os.utime(path, (past, past))
    args = follow_up(op, lib, killed, new)
    result = cli(lib, args)
    if result.returncode != 0:
        sys.exit(f"{op} killed at {where}: the follow-up {args[0]} failed: {result.stderr.decode(errors='replace')}")
    after, temps = snapshot(lib)
    if temps:
        sys.exit(f"{op} killed at {where}: temporary files left after the follow-up: {temps}")
    if after.get(index) != new[index]:
        sys.exit(f"{op} killed at {where}: the index after the follow-up is not the operation's")


def calls_of(trace, lib):
    """(name, N, changes the library) for each call of the trace, N counting calls of that name."""
    seen, calls = {}, []
    with open(trace, errors="replace") as f:
        for line in f:
            m = CALL.match(line)
            if not m:
                continue
            name = m.group(1)
            seen[name] = seen.get(name, 0) + 1
            calls.append((name, seen[name], lib in line and CHANGE.match(line) is not None))
    return calls


def sweep(op, base, scratch):
    lib = os.path.join(scratch, "lib")
    old, _ = snapshot(base)
    shutil.copytree(base, lib)
    trace = os.path.join(scratch, "trace")
    result = cli(lib, OPS[op], ["strace", "-qq", "-o", trace])
    if result.returncode != 0:
        sys.exit(f"{op} fails without a kill: {result.stderr.decode(errors='replace')}")
    new, temps = snapshot(lib)
    if temps or new == old:
        sys.exit(f"{op}: the uncut run left temporary files or changed nothing")
    calls = calls_of(trace, lib)
    changing = [i for i, c in enumerate(calls) if c[2]]
    first, last = changing[0], changing[-1] + 2  # the folder's fsync follows the last rename
    points = [c for i, c in enumerate(calls) if first <= i <= last or i % STRIDE == 0]
    for name, n, _ in points:
        shutil.rmtree(lib)
        shutil.copytree(base, lib)
        inject = ["strace", "-qq", "-o", "/dev/null", "-e", f"trace={name}", "-e", f"inject={name}:signal=KILL:when={n}"]
        result = cli(lib, OPS[op], inject)
        if result.returncode == 0:
            continue  # the call was not reached this time (a run may make fewer calls): nothing cut
        check(op, lib, old, new, f"{name} #{n}")
    shutil.rmtree(lib)
    return len(points), len(calls), (first, last)


def main():
    total = 0
    with tempfile.TemporaryDirectory(prefix="partwell-sweep-") as scratch:
        base = make_base(scratch)
        for op in OPS:
            checked, calls, (first, last) = sweep(op, base, scratch)
            print(f"{op}: {checked} kill points of {calls} calls (every call {first + 1} to {last + 1}, "
                  f"every {STRIDE}th elsewhere)", flush=True)
            total += checked
    print(f"{total} kill points checked")


main()
