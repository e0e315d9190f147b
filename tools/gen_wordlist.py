#!/usr/bin/env python3
"""Builds app/data/wordlist.txt, Lorvane's compiled-in word list, from WordNet 3.0.

Picks the most used nouns, verbs and adjectives (by the sense tag counts of
cntlist.rev), each with the gloss of its first sense, one "term|meaning" per
line, plus a few entries that exercise matching (names, apostrophes, hyphens,
multi-word terms, one term without a meaning). Needs Debian's wordnet-base.
Run: tools/gen_wordlist.py > app/data/wordlist.txt
"""
import collections
import re
import sys

WN = "/usr/share/wordnet"
POS = {"n": "noun", "v": "verb", "a": "adj"}
SS_TYPE = {"1": "n", "2": "v", "3": "a", "5": "a"}
COUNT = 2000
TARGET_BYTES = 126_000

# Entries that the matching rules need to meet: (lemma, pos) taken from WordNet too.
EXTRA = [("robert", "n"), ("rupert", "n"), ("smith", "n"), ("lloyd", "n"),
         ("jackson", "n"), ("lee", "n"), ("mississippi", "n"), ("o'neill", "n"),
         ("x-ray", "n"), ("de_la_mare", "n"), ("jack-o'-lantern", "n"),
         ("hang_glider", "n"), ("ice_cream", "n"), ("well-being", "n"),
         ("rock_'n'_roll", "n"), ("april_fools'", "n")]
NO_MEANING = "lorvane"
AVOIDED = re.compile(r"\bspecification", re.I)


def usage_counts():
    counts = collections.Counter()
    with open(f"{WN}/cntlist.rev") as f:
        for line in f:
            key, _sense, tags = line.split()
            lemma, rest = key.split("%", 1)
            pos = SS_TYPE.get(rest[0])
            if pos:
                counts[(lemma, pos)] += int(tags)
    return counts


def first_offsets():
    offsets = {}
    for pos, name in POS.items():
        with open(f"{WN}/index.{name}") as f:
            for line in f:
                if line.startswith(" "):
                    continue
                fields = line.split()
                lemma, synsets, pointers = fields[0], int(fields[2]), int(fields[3])
                first = 4 + pointers + 2
                offsets[(lemma, pos)] = fields[first:first + synsets][0]
    return offsets


def gloss(pos, offset):
    with open(f"{WN}/data.{POS[pos]}", "rb") as f:
        f.seek(int(offset))
        line = f.readline().decode("utf-8")
    text = line.split(" | ", 1)[1].strip()
    text = re.sub(r"\s+", " ", text.replace("|", "/"))
    return text


def main():
    counts = usage_counts()
    offsets = first_offsets()
    ranked = [k for k, _ in counts.most_common() if k in offsets and k[0].isascii()
              and re.fullmatch(r"[a-z][a-z_'-]*", k[0])]
    chosen, seen = [], set()
    for key in EXTRA + ranked:
        lemma = key[0]
        # Glosses using words this project keeps out of its texts are skipped.
        if key in offsets and lemma not in seen and not AVOIDED.search(gloss(key[1], offsets[key])):
            seen.add(lemma)
            chosen.append(key)
        if len(chosen) == COUNT - 1:
            break
    entries = []
    for lemma, pos in chosen:
        definition, *examples = gloss(pos, offsets[(lemma, pos)]).split('; "')
        entries.append([lemma.replace("_", " "), definition, ['"' + e for e in examples]])
    # Every entry keeps its whole definition; usage examples are added, one round
    # at a time over the whole list, while the list stays within its size.
    size = sum(len(f"{t}|{d}\n".encode()) for t, d, _ in entries)
    shown = [0] * len(entries)
    grew = True
    while grew:
        grew = False
        for i, (term, definition, examples) in enumerate(entries):
            if shown[i] < len(examples):
                extra = len(("; " + examples[shown[i]]).encode())
                if size + extra <= TARGET_BYTES:
                    size += extra
                    shown[i] += 1
                    grew = True
    lines = [f"{t}|" + "; ".join([d] + e[:n]) for (t, d, e), n in zip(entries, shown)]
    lines.append(NO_MEANING)
    lines.sort(key=lambda l: l.split("|")[0].lower())
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
