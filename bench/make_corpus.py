#!/usr/bin/env python3
"""Writes a deterministic folder tree shaped like a home folder, for benchmarking duplicate finders.

The tree holds many small files and some large ones, exact copies in other folders (backups, downloads,
the trash, caches), same-size near copies that differ in the first block, in the middle or only in the
last byte, unrelated files that happen to share a size, zero-length files, hidden files and folders, and
hard links. The same preset and seed always give the same names, sizes, contents and times.

    bench/make_corpus.py OUT [--preset medium|small-files] [--seed N]

OUT must not exist or be empty. Names are plain UTF-8 without newlines, so that every finder's
line-based output can be read back.
"""

import argparse
import math
import os
import random
import sys

PRESETS = {
    # About 20,000 files and 1.5 GB: mostly documents, photos and music, some large files.
    "medium": dict(files=20000, large_share=0.008, large_min=2 << 20, large_max=6 << 20,
                   small_median=6000, small_sigma=1.6, small_max=1 << 20,
                   zero_share=0.01, link_share=0.01, copy_share=0.16, near_share=0.06, large_copy_weight=2.0),
    # About 200,000 mostly small files: source trees, caches, mail and version-control objects.
    "small-files": dict(files=200000, large_share=0.0003, large_min=2 << 20, large_max=6 << 20,
                        small_median=1000, small_sigma=1.3, small_max=256 << 10,
                        zero_share=0.02, link_share=0.01, copy_share=0.18, near_share=0.05, large_copy_weight=3.0),
}

# Sizes that many unrelated files share: icons, thumbnails, fixed-size records and config stubs.
COMMON_SIZES = [1, 2, 12, 64, 100, 128, 256, 512, 1024, 1078, 2048, 3126, 4096, 8192, 16384, 32768]
COMMON_SIZE_SHARE = 0.08
BLOCK = 4096
EPOCH = 1_500_000_000  # mid 2017
YEAR = 365 * 86400

WORDS = ("report notes invoice letter draft summary budget photo holiday meeting plan todo recipe contract "
         "scan receipt thesis slides backup export data chart minutes agenda resume cover final old new "
         "copy version review family trip garden house car school work project readme changelog config").split()
EXT_DOC = ["pdf", "docx", "odt", "txt", "md", "xlsx", "ods", "csv", "pptx"]
EXT_PIC = ["jpg", "jpeg", "png", "heic", "gif"]
EXT_MUSIC = ["mp3", "flac", "ogg", "m4a"]
EXT_SRC = ["c", "h", "cpp", "hpp", "py", "js", "ts", "rs", "go", "java", "sh", "json", "toml", "yml", "css", "html"]
EXT_BIG = ["mp4", "mkv", "iso", "zip", "tar.gz", "deb", "AppImage", "wav", "raw"]
LANGS = ["Ärger", "café", "naïve", "Øresund", "日本語", "résumé", "Ελλάδα", "über"]


class Tree:
    """Folders of the tree, grouped by the kind of file they hold, and the names already used in each."""

    def __init__(self, rng, scale):
        self.rng = rng
        self.kinds = {}  # kind -> list of folders (relative paths)
        self.used = {}  # folder -> set of names
        self.build(scale)

    def add(self, kind, folder):
        self.kinds.setdefault(kind, []).append(folder)
        self.used.setdefault(folder, set())

    def build(self, scale):
        rng = self.rng
        n = lambda base: max(1, int(base * scale))
        for year in range(2012, 2025):
            for month in range(1, 13):
                if rng.random() < 0.6:
                    self.add("pic", f"Pictures/{year}/{year}-{month:02d}")
            if rng.random() < 0.5:
                self.add("pic", f"Pictures/Phone/Camera/{year}")
        for i in range(n(12)):
            self.add("pic", f"Pictures/Albums/{rng.choice(WORDS).title()} {rng.choice(LANGS)} {i}")
        for a in range(n(40)):
            artist = f"Artist {a:03d} {rng.choice(LANGS)}"
            for b in range(rng.randint(1, 4)):
                self.add("music", f"Music/{artist}/Album {b + 1}")
        for d in ["Work", "Personal", "Taxes/2019", "Taxes/2020", "Taxes/2021", "Taxes/2022", "School",
                  "Scans", "Letters", "Recipes", "House"]:
            self.add("doc", f"Documents/{d}")
            for s in range(n(3)):
                self.add("doc", f"Documents/{d}/{rng.choice(WORDS)} {s}")
        self.add("doc", "Desktop")
        self.add("doc", "Downloads")
        self.add("big", "Downloads")
        self.add("big", "Videos")
        self.add("big", "Videos/Holidays")
        self.add("big", "VirtualMachines")
        for p in range(n(25)):
            root = f"projects/{rng.choice(WORDS)}-{p}"
            self.add("src", root)
            for sub in ["src", "src/core", "src/util", "include", "tests", "docs", "build/obj"]:
                if rng.random() < 0.7:
                    self.add("src", f"{root}/{sub}")
            for x in range(n(6)):
                self.add("git", f"{root}/.git/objects/{rng.randrange(256):02x}")
            self.add("src", f"{root}/.git")
        for app in ["gtk-3.0", "autostart", "libreoffice/4/user", "Code/User", "pulse", "fontconfig"]:
            self.add("config", f".config/{app}")
        for app in ["thumbnails/normal", "thumbnails/large", "mozilla/firefox/x1.default/cache2/entries",
                    "pip/http/a/b", "fontconfig", "mesa_shader_cache/3f"]:
            for i in range(n(4)):
                self.add("cache", f".cache/{app}/{i:02x}")
        for d in [".local/share/Trash/files", ".local/share/recently-used", ".local/share/fonts",
                  ".thunderbird/abc.default/Mail/Local Folders", ".ssh", ".mozilla/firefox/x1.default"]:
            self.add("hidden", d)
        for d in ["Backup/Documents", "Backup/Pictures", "Backup/Old laptop/Desktop", "Backup/Old laptop/Music",
                  "USB stick copy", "Downloads/unzipped", "Documents/Work/shared copy", ".local/share/Trash/files"]:
            self.add("copy", d)
            for s in range(n(4)):
                self.add("copy", f"{d}/{rng.choice(WORDS)} {s}")

    def folder(self, kind):
        return self.rng.choice(self.kinds[kind])

    def place(self, folder, name):
        """A path in the folder under this name, or the name with " (2)", " (3)" ... when it is taken."""
        used = self.used.setdefault(folder, set())
        stem, dot, ext = name.partition(".")
        candidate, k = name, 1
        while candidate in used:
            k += 1
            candidate = f"{stem} ({k}){dot}{ext}"
        used.add(candidate)
        return f"{folder}/{candidate}"


def pick_kind(rng, large):
    if large:
        return "big"
    r = rng.random()
    for kind, p in [("src", 0.30), ("git", 0.16), ("pic", 0.14), ("doc", 0.12), ("cache", 0.12),
                    ("music", 0.06), ("config", 0.05), ("hidden", 0.05)]:
        if r < p:
            return kind
        r -= p
    return "doc"


def make_name(rng, kind, index):
    w = rng.choice(WORDS)
    if kind == "pic":
        return f"IMG_{index:05d}.{rng.choice(EXT_PIC)}"
    if kind == "music":
        return f"{rng.randint(1, 18):02d} {w.title()} {rng.choice(WORDS)}.{rng.choice(EXT_MUSIC)}"
    if kind == "src":
        r = rng.random()
        if r < 0.05:
            return rng.choice([".gitignore", ".clang-format", ".editorconfig", "Makefile", "LICENSE"])
        return f"{w}_{index % 997}.{rng.choice(EXT_SRC)}"
    if kind in ("git", "cache"):
        return "%038x" % rng.getrandbits(152)
    if kind == "config":
        return rng.choice(["settings.ini", "config", ".lock", "user.js", "keys.json", f"{w}.conf"])
    if kind == "hidden":
        return f".{w}-{index}" if rng.random() < 0.5 else f"{w} {index}.dat"
    if kind == "big":
        return f"{w}-{index}.{rng.choice(EXT_BIG)}"
    r = rng.random()
    if r < 0.1:
        return f"{w} {rng.choice(LANGS)} {index}.{rng.choice(EXT_DOC)}"
    if r < 0.15:
        return f".~lock.{w}-{index}.{rng.choice(EXT_DOC)}#"
    return f"{w}_{rng.choice(WORDS)}_{index}.{rng.choice(EXT_DOC)}"


def small_size(rng, p):
    if rng.random() < COMMON_SIZE_SHARE:
        return rng.choice(COMMON_SIZES)
    size = int(rng.lognormvariate(math.log(p["small_median"]), p["small_sigma"]))
    return max(1, min(size, p["small_max"]))


def copy_folder(tree, rng, source_path):
    """Where a copy of a file goes: a backup, download or trash folder, or another folder of its kind."""
    if rng.random() < 0.6:
        return tree.folder("copy")
    kind = rng.choice(list(tree.kinds))
    folder = tree.folder(kind)
    if folder == os.path.dirname(source_path):
        folder = tree.folder("copy")
    return folder


def write(out, rel, data, mtime):
    path = os.path.join(out, rel)
    with open(path, "wb") as f:
        f.write(data)
    os.utime(path, (mtime, mtime))


def generate(out, preset, seed):
    p = PRESETS[preset]
    rng = random.Random(f"{preset}:{seed}")
    tree = Tree(rng, p["files"] / 20000)
    for folders in tree.kinds.values():
        for folder in folders:
            os.makedirs(os.path.join(out, folder), exist_ok=True)

    total = p["files"]
    originals = []  # (path, size): files whose content a copy or a hard link may take
    by_weight = {}  # weight -> the originals of that weight, for a weighted pick in constant time
    stats = dict(files=0, bytes=0, originals=0, copies=0, near_first=0, near_middle=0, near_last=0,
                 zero=0, hard_links=0, large=0)

    def add_original(rel, size, weight):
        originals.append((rel, size))
        by_weight.setdefault(weight, []).append((rel, size))

    # A file's content is only read back from disk for copies, so contents are not kept in memory.
    for index in range(total):
        r = rng.random()
        mtime = EPOCH + rng.randrange(7 * YEAR)
        if r < p["zero_share"]:
            kind = pick_kind(rng, False)
            rel = tree.place(tree.folder(kind), make_name(rng, kind, index))
            write(out, rel, b"", mtime)
            stats["zero"] += 1
        elif originals and r < p["zero_share"] + p["link_share"]:
            src = rng.choice(originals)[0]
            rel = tree.place(copy_folder(tree, rng, src), os.path.basename(src))
            os.link(os.path.join(out, src), os.path.join(out, rel))
            stats["hard_links"] += 1
            continue
        elif originals and r < p["zero_share"] + p["link_share"] + p["copy_share"] + p["near_share"]:
            near = r >= p["zero_share"] + p["link_share"] + p["copy_share"]
            weights = sorted(by_weight)
            bucket = rng.choices(weights, weights=[w * len(by_weight[w]) for w in weights])[0]
            src, size = rng.choice(by_weight[bucket])
            with open(os.path.join(out, src), "rb") as f:
                data = f.read()
            name = os.path.basename(src)
            if rng.random() < 0.2:
                stem, dot, ext = name.partition(".")
                name = f"{stem} - Copy{dot}{ext}" if rng.random() < 0.5 else f"{stem}(1){dot}{ext}"
            rel = tree.place(copy_folder(tree, rng, src), name)
            if near:
                where = rng.choice(["first", "middle", "last"])
                offset = {"first": rng.randrange(min(size, BLOCK)), "middle": size // 2, "last": size - 1}[where]
                data = bytearray(data)
                data[offset] ^= 1 + rng.randrange(255)
                data = bytes(data)
                stats["near_" + where] += 1
                # A near copy is a distinct file that later copies may take in turn.
                add_original(rel, size, 1.0)
            else:
                stats["copies"] += 1
                if rng.random() < 0.3:
                    add_original(rel, size, 0.5)
            write(out, rel, data, mtime if rng.random() < 0.5 else mtime + rng.randrange(YEAR))
            stats["bytes"] += size
        else:
            large = rng.random() < p["large_share"] / max(1e-9, 1 - p["zero_share"] - p["link_share"]
                                                           - p["copy_share"] - p["near_share"])
            size = rng.randint(p["large_min"], p["large_max"]) if large else small_size(rng, p)
            kind = pick_kind(rng, large)
            rel = tree.place(tree.folder(kind), make_name(rng, kind, index))
            write(out, rel, rng.randbytes(size), mtime)
            add_original(rel, size, p["large_copy_weight"] if large else 1.0)
            stats["originals"] += 1
            stats["large"] += large
            stats["bytes"] += size
        stats["files"] += 1
    stats["files"] += stats["hard_links"]
    stats["folders"] = len(tree.used)
    return stats


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("out", help="folder to create (must not exist or be empty)")
    ap.add_argument("--preset", choices=sorted(PRESETS), default="medium")
    ap.add_argument("--seed", type=int, default=1)
    args = ap.parse_args()
    if os.path.exists(args.out) and os.listdir(args.out):
        sys.exit(f"make_corpus: {args.out} exists and is not empty")
    os.makedirs(args.out, exist_ok=True)
    stats = generate(args.out, args.preset, args.seed)
    print(f"{args.out}: preset {args.preset}, seed {args.seed}: " +
          ", ".join(f"{k.replace('_', ' ')} {v}" for k, v in stats.items()) +
          f" ({stats['bytes'] / 1e9:.2f} GB)")


if __name__ == "__main__":
    main()
