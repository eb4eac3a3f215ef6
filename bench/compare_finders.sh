#!/usr/bin/env bash
# Times twinsweep-cli against jdupes, rdfind, fdupes and rmlint on the same trees, on a warm cache, and
# checks that they find the same groups of identical files. See bench/README.md.
#
#   bench/compare_finders.sh [-b CLI] [-n RUNS] [-c DIR [-s SEED] [-k]] [-t SECONDS] [-w DIR] [TREE ...]
#
#   -b CLI      the twinsweep-cli to time (default: build/bench/cli/twinsweep-cli of this repository)
#   -n RUNS     timed runs of each tool on each tree, after one warm-up run (default 5)
#   -c DIR      generate the "medium" and "small-files" corpora in DIR and time them first; they are
#               removed at the end unless -k is given (an existing corpus there is reused and kept)
#   -s SEED     seed of the generated corpora (default 1)
#   -k          keep the generated corpora
#   -t SECONDS  a run that takes longer is stopped and counted as failed (default 900)
#   -w DIR      keep the tools' outputs and the per-run times in DIR (default: a temporary folder, removed)
#
# Every run of every tool, and a find(1) walk, are interleaved round by round, the order turning each
# round. Per tree and tool the table gives the median wall time, its ratio to the lower bound (median find
# walk + the time to read only the bytes that tell the candidates apart, from needed_bytes), the largest
# peak resident memory of the runs, and that memory per non-empty regular file of the tree.
set -u

here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
CLI=$repo/build/bench/cli/twinsweep-cli
RUNS=5
CORPUS_DIR=
SEED=1
KEEP=0
LIMIT=900
WORK=

usage() { sed -n '2,/^set -u/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
while getopts "b:n:c:s:kt:w:h" opt; do
    case $opt in
    b) CLI=$(realpath "$OPTARG") ;;  # the tools run in a scratch folder
    n) RUNS=$OPTARG ;;
    c) CORPUS_DIR=$OPTARG ;;
    s) SEED=$OPTARG ;;
    k) KEEP=1 ;;
    t) LIMIT=$OPTARG ;;
    w) WORK=$OPTARG ;;
    *) usage ;;
    esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || [ -n "$CORPUS_DIR" ] || usage

TOOLS=(twinsweep-cli jdupes rdfind fdupes rmlint)

# --- what the run needs ----------------------------------------------------------------------------
[ -x "$CLI" ] || {
    echo "no twinsweep-cli at $CLI; build it first:" >&2
    echo "  cmake -S $repo -B $repo/build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWINSWEEP_GUI=OFF" >&2
    echo "  ninja -C $repo/build/bench twinsweep-cli needed_bytes" >&2
    exit 1
}
missing=()
for program in jdupes rdfind fdupes rmlint; do command -v "$program" > /dev/null || missing+=("$program"); done
[ -x /usr/bin/time ] || missing+=(time)
command -v python3 > /dev/null || missing+=(python3)
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" = 0 ] && command -v apt-get > /dev/null; then
        echo "installing ${missing[*]}" >&2
        apt-get install -y -o DPkg::Lock::Timeout=300 "${missing[@]}" > /dev/null || exit 1
    else
        echo "missing ${missing[*]}; install with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
fi

cleanup_work=0
if [ -z "$WORK" ]; then
    WORK=$(mktemp -d /tmp/twinsweep-compare.XXXXXX)
    cleanup_work=1
fi
mkdir -p "$WORK/cwd"
WORK=$(cd "$WORK" && pwd)

NEEDED=$(dirname "$CLI")/../bench/needed_bytes
if [ ! -x "$NEEDED" ] || [ "$NEEDED" -ot "$here/needed_bytes.cpp" ]; then
    NEEDED=$WORK/needed_bytes
    ${CXX:-c++} -O2 -std=c++20 -o "$NEEDED" "$here/needed_bytes.cpp" || exit 1
fi

generated=()
cleanup() {
    if [ "$KEEP" = 0 ]; then for tree in "${generated[@]}"; do rm -rf "$tree"; done; fi
    if [ "$cleanup_work" = 1 ]; then rm -rf "$WORK"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

TREES=()
LABELS=()
if [ -n "$CORPUS_DIR" ]; then
    mkdir -p "$CORPUS_DIR"
    for preset in medium small-files; do
        tree=$CORPUS_DIR/$preset
        if [ ! -d "$tree" ]; then
            python3 "$here/make_corpus.py" "$tree" --preset "$preset" --seed "$SEED" >&2 || exit 1
            generated+=("$tree")
        fi
        TREES+=("$(cd "$tree" && pwd)")
        LABELS+=("$preset")
    done
fi
for tree in "$@"; do
    [ -d "$tree" ] || { echo "not a folder: $tree" >&2; exit 1; }
    TREES+=("$(cd "$tree" && pwd)")
    LABELS+=("$tree")
done

# --- one run ----------------------------------------------------------------------------------------
# Sets CMD (the command), OUT (where its standard output goes) and RESULT (the file the check reads).
command_for() {
    local tool=$1 tree=$2 dir=$3
    case $tool in
    walk) CMD=(find "$tree" -type f -printf '%s %i %p\n'); OUT=/dev/null; RESULT= ;;
    twinsweep-cli) CMD=("$CLI" --hidden --no-protect --format json --quiet "$tree"); OUT=$dir/twinsweep.json
        RESULT=twinsweep:$OUT ;;
    jdupes) CMD=(jdupes -r -q "$tree"); OUT=$dir/jdupes.txt; RESULT=lines:$OUT ;;
    # rdfind writes results.txt into the folder it runs in, which is $WORK/cwd.
    rdfind) CMD=(rdfind -dryrun true "$tree"); OUT=/dev/null; RESULT=rdfind:$dir/rdfind.txt ;;
    fdupes) CMD=(fdupes -r -q -n "$tree"); OUT=$dir/fdupes.txt; RESULT=lines:$OUT ;;
    # -o replaces the default outputs (a removal script and files in the current folder).
    rmlint) CMD=(rmlint -T df --hidden -F -o "json:$dir/rmlint.json" "$tree"); OUT=/dev/null
        RESULT=rmlint:$dir/rmlint.json ;;
    esac
}

# Runs a tool once; appends "tool seconds peak_kb exit_code" to $dir/runs.
run_once() {
    local tool=$1 tree=$2 dir=$3 start end rc kb
    command_for "$tool" "$tree" "$dir"
    rm -f "$WORK/rss"
    start=$(date +%s%N)
    (cd "$WORK/cwd" && exec /usr/bin/time -f %M -o "$WORK/rss" timeout "$LIMIT" "${CMD[@]}") \
        > "$OUT" 2> "$dir/$tool.err"
    rc=$?
    end=$(date +%s%N)
    kb=$(tail -1 "$WORK/rss" 2> /dev/null)
    [ "$tool" = rdfind ] && mv -f "$WORK/cwd/results.txt" "$dir/rdfind.txt" 2> /dev/null
    echo "$tool $(( (end - start) / 1000 )) ${kb:-0} $rc" >> "$dir/runs"
}

median() { sort -n | awk '{v[NR] = $1} END {if (NR == 0) print 0; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# --- versions ---------------------------------------------------------------------------------------
{
    echo "# $(uname -srm), $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo)"
    echo "# $("$CLI" --version | head -1); $(jdupes -v | head -1 | cut -d' ' -f1-2); rdfind $(rdfind -v | awk '{print $NF}');" \
        "$(fdupes --version | head -1); rmlint $(rmlint --version 2>&1 | head -1 | awk '{print $2}')"
    echo "# $RUNS timed runs after one warm-up, interleaved; medians"
} > "$WORK/header"
cat "$WORK/header" >&2

: > "$WORK/table"
: > "$WORK/check"
all_agree=0
for i in "${!TREES[@]}"; do
    tree=${TREES[$i]}
    label=${LABELS[$i]}
    dir=$WORK/tree$i
    mkdir -p "$dir"
    : > "$dir/runs"

    echo "== $label ($tree): reference and least reading" >&2
    "$NEEDED" "$tree" --runs "$RUNS" --groups "$dir/reference" > "$dir/needed" || exit 1
    fact() { awk -v k="$1" '$1 == k {print $2}' "$dir/needed"; }
    files=$(fact nonempty_files)

    echo "== $label: warm-up" >&2
    for tool in walk "${TOOLS[@]}"; do run_once "$tool" "$tree" "$dir"; done
    : > "$dir/runs"
    order=(walk "${TOOLS[@]}")
    for ((round = 0; round < RUNS; round++)); do
        echo "== $label: round $((round + 1)) of $RUNS" >&2
        for ((k = 0; k < ${#order[@]}; k++)); do
            run_once "${order[$(( (k + round) % ${#order[@]} ))]}" "$tree" "$dir"
        done
    done

    walk=$(awk '$1 == "walk" {print $2 / 1e6}' "$dir/runs" | median)
    read=$(fact read_median)
    bound=$(awk -v w="$walk" -v r="$read" 'BEGIN {print w + r}')
    {
        printf '%-16s %-24s %9.3f %8s %9s %9s\n' "$label" "lower bound" "$bound" 1.00 - -
        printf '%-16s %-24s %9.3f %8s %9s %9s\n' "" "  walk (find)" "$walk" - - -
        printf '%-16s %-24s %9.3f %8s %9s %9s\n' "" "  read $(awk -v b="$(fact needed_bytes)" 'BEGIN {printf "%.0f MB", b / 1e6}')" "$read" - - -
        for tool in "${TOOLS[@]}"; do
            seconds=$(awk -v t="$tool" '$1 == t {print $2 / 1e6}' "$dir/runs" | median)
            kb=$(awk -v t="$tool" '$1 == t && $3 > m {m = $3} END {print m + 0}' "$dir/runs")
            failed=$(awk -v t="$tool" '$1 == t && $4 != 0 {n++} END {print n + 0}' "$dir/runs")
            name=$tool
            [ "$failed" -gt 0 ] && name="$tool (exit!=0 x$failed)"
            awk -v l="" -v n="$name" -v s="$seconds" -v b="$bound" -v kb="$kb" -v f="$files" 'BEGIN {
                printf "%-16s %-24s %9.3f %8.2f %9.1f %9.0f\n", l, n, s, s / b, kb / 1024, kb * 1024 / f }'
        done
    } > "$dir/table"
    cat "$dir/table" >> "$WORK/table"
    cat "$dir/table" >&2

    results=()
    for tool in "${TOOLS[@]}"; do
        command_for "$tool" "$tree" "$dir"
        results+=("$tool:$RESULT")
    done
    {
        echo "== $label: $files non-empty files, $(fact inodes) inodes, $(fact candidate_inodes) of a shared size" \
            "($(fact candidate_bytes) bytes), needed $(fact needed_bytes) bytes"
        python3 "$here/compare_sets.py" "$dir/reference" "${results[@]}"
    } > "$dir/check"
    grep -q DISAGREES "$dir/check" && all_agree=1
    cat "$dir/check" >> "$WORK/check"
done

echo
cat "$WORK/header"
printf '%-16s %-24s %9s %8s %9s %9s\n' tree tool "median s" "x bound" "peak MB" "B/file"
cat "$WORK/table"
echo
echo "# identical-file groups, as sets of inodes, against needed_bytes' exact groups"
cat "$WORK/check"
exit $all_agree
