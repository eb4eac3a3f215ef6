#!/bin/sh
# Compares the directory walker with find(1) on the same tree, both after a
# warm-up so that the folder and inode caches are full. Prints each one's best
# wall time of RUNS runs and walker time / find time.
#   bench/walker_vs_find.sh [walker_bench binary] [folder] [runs]
set -eu

BENCH=${1:-build/release/bench/walker_bench}
ROOT=${2:-/usr}
RUNS=${3:-5}

[ -x "$BENCH" ] || { echo "no walker_bench at $BENCH; build it first" >&2; exit 1; }

now() { date +%s.%N; }

# Warm the caches.
find "$ROOT" -type f -printf '%s %T@ %p\n' > /dev/null 2>&1 || true
"$BENCH" "$ROOT" 1 > /dev/null

best_find=""
i=0
while [ "$i" -lt "$RUNS" ]; do
    start=$(now)
    find "$ROOT" -type f -printf '%s %T@ %p\n' > /dev/null 2>&1 || true
    end=$(now)
    best_find=$(echo "$start $end ${best_find:-1e9}" | awk '{t = $2 - $1; print (t < $3 ? t : $3)}')
    i=$((i + 1))
done

# The bench repeats the walk itself and reports its best run.
best_walker=$("$BENCH" "$ROOT" "$RUNS" | awk '/^best of/ {print $(NF - 1)}')
"$BENCH" "$ROOT" 1 | head -1

awk -v f="$best_find" -v w="$best_walker" 'BEGIN {
    printf "find:   %.3f s\nwalker: %.3f s\nwalker / find: %.2f\n", f, w, w / f
}'
