#!/usr/bin/env python3
"""Runs our side and the peer side of each comparison, every run in a process of its
own and the two sides interleaved, and prints the ratios (peer time / ours: above 1
we are faster; for memory, peer MB / ours).

    bench/compare.py [--build build] [--rounds 5] [--only WORD] [--real]

Times are the processes' CPU times (kernel time included, so page faults and
unmapping count) unless --real asks for wall-clock times, which a loaded machine
distorts.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys

MIMALLOC = "/usr/lib/x86_64-linux-gnu/libmimalloc.so.2"
JEMALLOC = "/usr/lib/x86_64-linux-gnu/libjemalloc.so.2"
PEERS = [("glibc", None), ("mimalloc", MIMALLOC), ("jemalloc", JEMALLOC)]

# (label, our program, our benchmark, peer program, peer benchmark, allocators)
TIMED = [
    ("small blocks churn", "heap", "BM_SmallChurn_Qor", "heap_peer", "BM_SmallChurn_Malloc", PEERS),
    ("medium blocks churn", "heap", "BM_MediumChurn_Qor", "heap_peer", "BM_MediumChurn_Malloc", PEERS),
    ("mixed blocks up to 64 KiB", "heap", "BM_MixedChurn_Qor", "heap_peer", "BM_MixedChurn_Malloc", PEERS),
    ("word-list search vs libbz2 alone", "wordlist", "BM_Search/Contains", "wordlist",
     "BM_DecompressOnlyLibbz2", PEERS[:1]),
    ("DecompressBzip2 vs libbz2", "wordlist", "BM_DecompressBzip2", "wordlist", "BM_DecompressOnlyLibbz2",
     PEERS[:1]),
    ("KeyIndex add of 10^4 texts", "containers", "KeyIndexAddFewStrings", "containers_peer",
     "StdMapAddFewStrings", PEERS[:1]),
    ("KeyIndex add of 10^6 texts", "containers", "KeyIndexAddString", "containers_peer", "StdMapAddString",
     PEERS[:1]),
    ("String::Find in 200 bytes", "string", "Find/String/200", "string_peer", "Find/std/200", PEERS[:1]),
    ("String::Find in 4000 bytes", "string", "Find/String/4000", "string_peer", "Find/std/4000", PEERS[:1]),
    ("append 30 bytes in pieces", "string", "Append/String/30", "string_peer", "Append/std/30", PEERS[:1]),
    ("append 200 bytes in pieces", "string", "Append/String/200", "string_peer", "Append/std/200", PEERS[:1]),
    ("sorting 10^5 words", "string", "Sort/String", "string_peer", "Sort/std", PEERS[:1]),
    ("Format vs fmt::format", "format", "BM_Format", "format_peer", "BM_FmtFormat", PEERS[:1]),
    ("kernel up 2x Mitchell vs stb", "rescale", "KernelRescale/2/1/4", "rescale", "StbRescale/2/1/5",
     [("stb", None)]),
    ("Lanczos 3 up 2x vs stb Mitchell", "rescale", "KernelRescale/2/1/7", "rescale", "StbRescale/2/1/5",
     [("stb", None)]),
    ("box down 10x (4 samples/axis)", "rescale", "BoxRescale/1/10", "rescale", "StbRescale/1/10/1",
     [("stb", None)]),
    ("GetTextSize 10^4 chars, warm", "text_measure", "BM_GetTextSizeWarm", "text_measure",
     "BM_FreeTypeAdvanceWarm", [("FT+map", None)]),
    ("BMP decode 24-bit vs stb_image", "bmp", "DecodeQor/24", "bmp", "DecodeStb/24", PEERS[:1]),
    ("BMP decode 32-bit vs stb_image", "bmp", "DecodeQor/32", "bmp", "DecodeStb/32", PEERS[:1]),
    ("BMP encode 24-bit vs stb_image_write", "bmp", "EncodeQor/24", "bmp", "EncodeStb/24", PEERS[:1]),
    ("BMP encode 32-bit vs stb_image_write", "bmp", "EncodeQor/32", "bmp", "EncodeStb/32", PEERS[:1]),
]

FOOTPRINT = ("grow-then-free of 516 MB", "footprint", "GrowThenFree/Qor", "footprint_peer",
             "GrowThenFree/malloc", PEERS)

UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def run(build, program, name, preload, min_time):
    env = dict(os.environ)
    if preload:
        env["LD_PRELOAD"] = preload
    command = [os.path.join(build, "bench", "bench_" + program), "--benchmark_filter=^%s(/iterations:[0-9]+)?$" % name,
               "--benchmark_format=json"]
    if min_time:
        command.append("--benchmark_min_time=%g" % min_time)
    out = subprocess.run(command, env=env, check=True, capture_output=True, text=True).stdout
    found = [b for b in json.loads(out)["benchmarks"] if b["name"].split("/iterations:")[0] == name]
    if not found:
        sys.exit("no benchmark %s in bench_%s" % (name, program))
    return found[0]


def nanoseconds(result, key):
    return result[key] * UNIT_NS[result.get("time_unit", "ns")]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--min-time", type=float, default=0.2)
    parser.add_argument("--only", default="")
    parser.add_argument("--real", action="store_true")
    args = parser.parse_args()

    rows = [r for r in TIMED if args.only.lower() in r[0].lower()]
    times = {}
    for round_ in range(args.rounds):
        for label, ours, our_name, peer, peer_name, peers in rows:
            sides = [("Qor", ours, our_name, None)] + [(p, peer, peer_name, lib) for p, lib in peers]
            if round_ % 2:
                sides.reverse()
            for side, program, name, lib in sides:
                t = nanoseconds(run(args.build, program, name, lib, args.min_time),
                                "real_time" if args.real else "cpu_time")
                times.setdefault((label, side), []).append(t)

    # Ratios of the fastest runs and of the median runs of each side.
    print("%-34s %-9s %14s %14s %8s %8s" % ("workload", "peer", "ours ns", "peer ns", "min", "median"))
    for label, _, _, _, _, peers in rows:
        ours = statistics.median(times[(label, "Qor")])
        ours_min = min(times[(label, "Qor")])
        for p, _ in peers:
            theirs = statistics.median(times[(label, p)])
            theirs_min = min(times[(label, p)])
            print("%-34s %-9s %14.0f %14.0f %8.2f %8.2f" % (label, p, ours, theirs, theirs_min / ours_min,
                                                            theirs / ours))

    label, ours, our_name, peer, peer_name, peers = FOOTPRINT
    if args.only.lower() not in label.lower():
        return
    memory = {}
    for round_ in range(max(1, args.rounds // 2)):
        sides = [("Qor", ours, our_name, None)] + [(p, peer, peer_name, lib) for p, lib in peers]
        for side, program, name, lib in sides:
            r = run(args.build, program, name, lib, None)
            memory.setdefault(side, []).append((r["peak_MB"], r["after_free_MB"]))
    print()
    print("%-34s %-9s %10s %10s %12s %12s" % (label, "peer", "peak MB", "after MB", "peak ratio", "after ratio"))
    ours_peak = statistics.median(m[0] for m in memory["Qor"])
    ours_after = statistics.median(m[1] for m in memory["Qor"])
    print("%-34s %-9s %10.0f %10.0f" % ("", "Qor", ours_peak, ours_after))
    for p, _ in peers:
        peak = statistics.median(m[0] for m in memory[p])
        after = statistics.median(m[1] for m in memory[p])
        print("%-34s %-9s %10.0f %10.0f %12.2f %12.2f" % ("", p, peak, after, peak / ours_peak,
                                                          after / max(ours_after, 1e-9)))


if __name__ == "__main__":
    main()
