#!/usr/bin/env python3
"""Kills tessaly-cli with SIGKILL at random moments of a store operation and
checks what the next command finds.

For each run a fresh copy of a prepared program folder gets the operation,
which is killed after a random delay (0 to 1.3 times the operation's usual
length, so that some runs finish first). Then "cases list" runs, which
recovers whatever the killed process left, and the whole folder (every
file's bytes and mode, every folder and link) must be the folder before the
operation or the folder after it completed: nothing else is accepted.

  tools/kill_store_test.py --cli build/tessaly-cli --op add|import|clear|open|rename-category|repair [--runs 1000]

A repair keeps no journal: it is idempotent instead. For --op repair (of a
data file cut short in the middle of a record) the next command is another
repair, and the store after it must be the repaired store; the folders of
kept files (dat/damaged-*) and the generation (which only has to have
advanced) are left out of the comparison.

With --faults, the operation is instead stopped or failed at each call of
each system call that changes files, one at a time, by strace: SIGKILL,
ENOSPC and EIO at the 1st, 2nd, … rename, unlink, pwrite64, write, openat,
fsync, ftruncate and mkdir. A failed operation must leave the old store,
or the new one and say that the change stands ("已经生效"); one that
exits 0 must leave the new one.

Prints one line per operation: runs, how many were killed before they
finished (and how many of those in the middle of changing the store: they
left a journal or a temporary file behind), and how many ended in the old
store, in the new store, and in neither (inconsistent; those folders are
kept for inspection and named).
Not part of the test suite: it takes minutes and depends on timing.
"""

import argparse
import hashlib
import os
import random
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PERSON_A = "name=张三;sex=M;date=1990-05-12 08:30;prov=北京市;city=0"
PERSON_B = "name=李梅;sex=F;date=1992-03-04 10:00"


REPAIR = False  # --op repair: kept files and the generation are compared apart


def generation(root):
    try:
        with open(os.path.join(root, "dat", "bazi.generation")) as f:
            return int(f.read())
    except FileNotFoundError:
        return 0


def manifest(root):
    """Every entry under root: kind, mode, and the bytes' hash or the link target."""
    out = {}
    for dirpath, dirnames, filenames in os.walk(root):
        for name in dirnames + filenames:
            path = os.path.join(dirpath, name)
            rel = os.path.relpath(path, root)
            if REPAIR and (rel.startswith(os.path.join("dat", "damaged-")) or rel == os.path.join("dat", "bazi.generation")):
                continue
            st = os.lstat(path)
            if os.path.islink(path):
                out[rel] = ("link", os.readlink(path))
            elif os.path.isdir(path):
                out[rel] = ("dir", st.st_mode & 0o777)
            else:
                with open(path, "rb") as f:
                    out[rel] = ("file", st.st_mode & 0o777, hashlib.sha256(f.read()).hexdigest())
    return out


def make_store(cli, out, count, seeds):
    subprocess.run([sys.executable, os.path.join(HERE, "make_case_store.py"), "--cli", cli, "--out", out,
                    "--count", str(count), "--seeds", str(seeds)], check=True)


def op_command(cli, op, home, work):
    base = [cli, "--home", home]
    if op == "add":
        return base + ["cases", "add", "--a", PERSON_A, "--b", PERSON_B, "--category", "同事", "--note", "备注"]
    if op == "import":
        return base + ["cases", "import", os.path.join(work, "history", "bazi0.dat")]
    if op == "clear":
        return base + ["cases", "clear", "--yes"]
    if op == "rename-category":
        return base + ["cases", "rename-category", "同事", "新同事"]
    if op == "repair":
        return base + ["cases", "repair"]
    return base + ["cases", "list"]  # open: the first command on a folder without a store


def list_store(cli, home):
    if REPAIR:  # the next repair finishes what a stopped one left
        subprocess.run([cli, "--home", home, "cases", "repair"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    return subprocess.run([cli, "--home", home, "cases", "list"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True)


def prepare(cli, op, work):
    base = os.path.join(work, "base")
    if op == "open":
        os.makedirs(os.path.join(base, "dat"))
        shutil.copy(os.path.join(HERE, "..", "data", "dat", "dili.ini"), os.path.join(base, "dat"))
    else:
        make_store(cli, base, 200, 60)
    if op == "rename-category":
        with open(os.path.join(base, "dat", "bzinit.ini"), "wb") as f:
            f.write("[classes]\r\ncount=3\r\n1=临时保存\r\n2=同事\r\n3=朋友\r\n".encode("gbk"))
    if op == "repair":
        # Cut in the middle of slot 150: 50 and a half records gone, and the
        # deleted count off by one mark.
        header = os.path.join(base, "dat", "bazi0.dat")
        os.truncate(header, 20 + 150 * 1296 + 100)
        with open(header, "r+b") as f:
            f.seek(8)
            f.write((7).to_bytes(4, "little"))
    if op == "import":
        other = os.path.join(work, "other")
        make_store(cli, other, 150, 40)
        subprocess.run([cli, "--home", other, "cases", "export", os.path.join(work, "history")], check=True,
                       stdout=subprocess.DEVNULL)
    return base


def fresh_copy(base, home):
    shutil.rmtree(home, ignore_errors=True)
    shutil.copytree(base, home, symlinks=True)


FAULT_CALLS = ["rename", "unlink", "pwrite64", "write", "openat", "fsync", "ftruncate", "mkdir"]
FAULTS = ["signal=KILL", "error=ENOSPC", "error=EIO"]


def count_calls(cli, op, base, home, work, call):
    fresh_copy(base, home)
    log = os.path.join(work, "strace.log")
    subprocess.run(["strace", "-f", "-qq", "-e", "trace=" + call, "-o", log] + op_command(cli, op, home, work),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(log) as f:
        return sum(1 for line in f if call + "(" in line and "resumed" not in line)


def run_faults(cli, op, base, home, work, old, new):
    runs = bad_count = 0
    killed = failed = 0
    bad = []
    for call in FAULT_CALLS:
        calls = count_calls(cli, op, base, home, work, call)
        for fault in FAULTS:
            for n in range(1, calls + 1):
                fresh_copy(base, home)
                proc = subprocess.run(["strace", "-f", "-qq", "-o", "/dev/null",
                                       "--inject=%s:%s:when=%d" % (call, fault, n)] + op_command(cli, op, home, work),
                                      stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
                runs += 1
                rc = proc.returncode
                killed += rc in (-signal.SIGKILL, 128 + signal.SIGKILL, 137)
                failed += rc not in (0, -signal.SIGKILL, 137)
                listed = list_store(cli, home)
                got = manifest(home)
                stands = "已经生效" in proc.stderr
                if listed.returncode != 0 or got not in (old, new):
                    why = "neither old nor new"
                elif REPAIR and generation(home) <= generation(base):
                    why = "the generation did not advance"
                elif rc == 0 and got != new:
                    why = "exit 0 but the old store"
                elif REPAIR:
                    continue  # a failed repair says what failed; the next one finishes it
                elif fault.startswith("error") and rc != 0 and got == new and not stands:
                    why = "exit %d, the change stands, and the message does not say so" % rc
                elif fault.startswith("error") and rc != 0 and got == old and stands:
                    why = "says the change stands, but the old store is there"
                else:
                    continue
                bad_count += 1
                bad.append("%s %s when=%d: %s (exit %d: %s)" % (call, fault, n, why, rc, proc.stderr.strip()[:160]))
    print("%-6s fault runs %d  killed %d  failed with a message %d  bad %d"
          % (op, runs, killed, failed, bad_count))
    for b in bad[:20]:
        print("  bad:", b)
    return 1 if bad else 0


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--cli", required=True)
    p.add_argument("--op", required=True, choices=["add", "import", "clear", "open", "rename-category", "repair"])
    p.add_argument("--faults", action="store_true", help="stop or fail each system call in turn (strace)")
    p.add_argument("--runs", type=int, default=1000)
    p.add_argument("--seed", type=int, default=1)
    a = p.parse_args()
    global REPAIR
    REPAIR = a.op == "repair"
    cli = os.path.abspath(a.cli)
    rng = random.Random(a.seed)
    work = tempfile.mkdtemp(prefix="tessaly_kill_%s_" % a.op)
    base = prepare(cli, a.op, work)
    home = os.path.join(work, "home")

    # The folder before and after, as the next command sees them.
    fresh_copy(base, home)
    if a.op not in ("open", "repair"):
        assert list_store(cli, home).returncode == 0
    old = manifest(home)
    old_generation = generation(home)
    durations = []
    for _ in range(5):
        fresh_copy(base, home)
        start = time.monotonic()
        subprocess.run(op_command(cli, a.op, home, work), check=True, stdout=subprocess.DEVNULL)
        durations.append(time.monotonic() - start)
    assert list_store(cli, home).returncode == 0
    new = manifest(home)
    length = statistics.median(durations)
    if a.faults:
        rc = run_faults(cli, a.op, base, home, work, old, new)
        if rc == 0:
            shutil.rmtree(work)
        return rc

    killed = finished = midway = old_seen = new_seen = 0
    bad = []
    for run in range(a.runs):
        fresh_copy(base, home)
        proc = subprocess.Popen(op_command(cli, a.op, home, work), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        time.sleep(rng.uniform(0, 1.3 * length))
        proc.send_signal(signal.SIGKILL)
        proc.wait()
        if proc.returncode == -signal.SIGKILL:
            killed += 1
        else:
            finished += 1
        # Killed in the middle of changing the store: it left a journal or a
        # file of its own for the next command to deal with.
        left = [n for d in ("dat", "bazi_f") if os.path.isdir(os.path.join(home, d))
                for n in os.listdir(os.path.join(home, d)) if n.startswith(".tessaly-") or n.endswith(".journal")]
        midway += bool(left)
        listed = list_store(cli, home)
        got = manifest(home)
        if REPAIR and generation(home) <= old_generation:
            got = {"generation": "not advanced"}
        if listed.returncode == 0 and got == old:
            old_seen += 1
        elif listed.returncode == 0 and got == new:
            new_seen += 1
        else:
            kept = os.path.join(work, "inconsistent-%d" % run)
            shutil.copytree(home, kept, symlinks=True)
            extra = sorted(k for k in set(got) | set(old) | set(new)
                           if got.get(k) != old.get(k) and got.get(k) != new.get(k))[:5]
            bad.append("%s (list exit %d %s; entries differing: %s)" %
                       (kept, listed.returncode, listed.stderr.strip()[:200], extra))
    print("%-6s runs %d  killed %d (%d in the middle of changing the store)  finished first %d  -> old store %d"
          "  new store %d  inconsistent %d  (operation %.0f ms)"
          % (a.op, a.runs, killed, midway, finished, old_seen, new_seen, len(bad), length * 1000))
    for b in bad[:10]:
        print("  inconsistent:", b)
    if not bad:
        shutil.rmtree(work)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
