#!/usr/bin/env python3
"""Builds a large case store for benchmarks and output comparisons.

First a few hundred real cases are made by tessaly-cli itself ("cases add":
a real matching run and its report each), then they are repeated, record by
record, into a store of any size written straight by the file layout:

  dat/bazi0.dat    header (20 bytes) + records 0..49 999
  dat/bazi1.dat..  records 50 000.. (50 000 a file, no header)
  bazi_f/N.rtf     the report of slot N (a hard link to the seed's report)

Header, little-endian: kind u8, 3 reserved, count i32, deletedCount i32,
reuseFlag u8, 1 reserved, fileCount i16, 4 reserved. Record: 1296 bytes, the
slot (i32) at offset 0 and the deletion mark (u8) at offset 4; every other
byte is copied from the seed record.

Usage:
  tools/make_case_store.py --cli build/tessaly-cli --out DIR [--count 100000]
                           [--seeds 300] [--deleted-every 53] [--no-reports]

DIR must not exist yet or be empty. The seeds are kept in DIR/.seeds only
while the script runs. Deterministic: the same arguments give the same bytes.
"""

import argparse
import os
import random
import shutil
import struct
import subprocess
import sys

HEADER = 20
RECORD = 1296
PER_FILE = 50000
REUSE_THRESHOLD = 30

SURNAMES = ("张" * 7 + "王" * 7 + "李" * 7 + "刘" * 5 + "陈" * 5 + "杨" * 3 + "赵" * 2 +
            "黄" * 2 + "周" * 2 + "吴" * 2 + "徐孙胡朱高林何郭马罗梁宋郑谢韩唐冯于董萧程曹袁邓许傅沈曾彭吕")
GIVEN = ["伟", "芳", "娜", "秀英", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛",
         "明", "超", "秀兰", "霞", "平", "刚", "桂英", "建华", "小张", "文", "华", "红", "志强", "晓明"]
CATEGORIES = ["临时保存", "同事", "同学", "亲戚", "客户", "朋友", "ABC", "abc", "旧友"]
PROVINCES = 34  # indices 0..33 have cities in dat/dili.ini; 34 is 未知地


def seed_person(rng, male, year):
    name = rng.choice(SURNAMES) + rng.choice(GIVEN)
    lunar = rng.random() < 0.1
    month = rng.randint(1, 12)
    day = rng.randint(1, 28)
    hour, minute = rng.randint(0, 23), rng.randint(0, 59)
    parts = ["name=" + name, "sex=" + ("M" if male else "F"),
             "date=%d-%02d-%02d %02d:%02d" % (year, month, day, hour, minute)]
    if lunar:
        parts.append("cal=lunar")
    if rng.random() < 0.8:
        parts.append("prov=%d" % rng.randrange(PROVINCES))
        parts.append("city=0")
    return ";".join(parts)


def make_seeds(cli, home, count, rng):
    os.makedirs(os.path.join(home, "dat"))
    here = os.path.dirname(os.path.abspath(__file__))
    shutil.copy(os.path.join(here, "..", "data", "dat", "dili.ini"), os.path.join(home, "dat"))
    for i in range(count):
        male_a = rng.random() < 0.5
        year_a = rng.randint(1920, 2009)
        year_b = year_a + rng.randint(-6, 6)
        note = "备注:第%d例" % i + ("\r\n第二行" if rng.random() < 0.2 else "")
        cmd = [cli, "--home", home, "cases", "add",
               "--a", seed_person(rng, male_a, year_a),
               "--b", seed_person(rng, not male_a, year_b),
               "--category", rng.choice(CATEGORIES), "--note", note]
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)


def read_seed_records(home):
    with open(os.path.join(home, "dat", "bazi0.dat"), "rb") as f:
        data = f.read()
    count = struct.unpack_from("<i", data, 4)[0]
    return [data[HEADER + i * RECORD:HEADER + (i + 1) * RECORD] for i in range(count)]


def write_store(out, seeds, seed_home, count, deleted_every, reports):
    dat = os.path.join(out, "dat")
    report_dir = os.path.join(out, "bazi_f")
    os.makedirs(dat, exist_ok=True)
    os.makedirs(report_dir, exist_ok=True)
    shutil.copy(os.path.join(seed_home, "dat", "dili.ini"), dat)
    files = max(1, (count - 1) // PER_FILE + 1)
    deleted = sum(1 for i in range(count) if deleted_every and i % deleted_every == deleted_every - 1)
    header = struct.pack("<B3xiiBxh4x", 0, count, deleted, 1 if deleted >= REUSE_THRESHOLD else 0, files)
    for k in range(files):
        with open(os.path.join(dat, "bazi%d.dat" % k), "wb") as f:
            if k == 0:
                f.write(header)
            for slot in range(k * PER_FILE, min(count, (k + 1) * PER_FILE)):
                rec = bytearray(seeds[slot % len(seeds)])
                gone = deleted_every and slot % deleted_every == deleted_every - 1
                struct.pack_into("<iB", rec, 0, slot, 1 if gone else 0)
                f.write(rec)
                if reports and not gone:
                    seed = os.path.join(seed_home, "bazi_f", "%d.rtf" % (slot % len(seeds)))
                    os.link(seed, os.path.join(report_dir, "%d.rtf" % slot))


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--cli", required=True, help="the tessaly-cli that makes the seed cases")
    p.add_argument("--out", required=True, help="program folder to create (dat/, bazi_f/)")
    p.add_argument("--count", type=int, default=100000)
    p.add_argument("--seeds", type=int, default=300)
    p.add_argument("--deleted-every", type=int, default=53, help="every Nth slot is deleted (0: none)")
    p.add_argument("--no-reports", action="store_true", help="leave bazi_f/ empty")
    a = p.parse_args()
    if os.path.exists(a.out) and os.listdir(a.out):
        sys.exit("make_case_store: %s is not empty" % a.out)
    seed_home = os.path.join(a.out, ".seeds")
    rng = random.Random(20240607)
    make_seeds(os.path.abspath(a.cli), seed_home, a.seeds, rng)
    write_store(a.out, read_seed_records(seed_home), seed_home, a.count, a.deleted_every, not a.no_reports)
    shutil.rmtree(seed_home)


if __name__ == "__main__":
    main()
