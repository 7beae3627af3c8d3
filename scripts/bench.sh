#!/usr/bin/env bash
# Benchmark: builds a tree of 100,000 files in 1,000 folders inside the Wine
# prefix and, in one run, times the walk, the full extraction into the real
# list view plus the list file, and `cmd /c dir /s /b` over the same tree.
# Prints figures only. FILNOR_BENCH_FOLDERS / FILNOR_BENCH_FILES change the
# tree's shape.
source "$(dirname "$0")/common.sh"
setup_all
if [ "$ARCH" = i686 ]; then
  FILNOR_BUILD_TARGETS=filnor_bench configure_and_build "$BUILD" i686
else
  FILNOR_BUILD_TARGETS=filnor_bench configure_and_build "$RUN_BUILD" x86_64
fi
ensure_display
ensure_prefix
trap cleanup_session EXIT
start_wineserver

folders=${FILNOR_BENCH_FOLDERS:-1000}
per=${FILNOR_BENCH_FILES:-100}
tree="$WINEPREFIX/drive_c/filnor-bench/tree"
stamp="$tree.shape-$folders-$per"
if [ ! -e "$stamp" ]; then
  echo "Creating $((folders * per)) files in $folders folders..."
  rm -rf "$tree" "$tree".shape-*
  mkdir -p "$tree"
  python3 - "$tree" "$folders" "$per" <<'PY'
import os, sys
root, folders, per = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
for d in range(folders):
    p = os.path.join(root, "目录%04d" % d)
    os.mkdir(p)
    for f in range(per):
        open(os.path.join(p, "文件%05d.txt" % f), "w").close()
PY
  touch "$stamp"
fi
bench="$RUN_BUILD/tests/bench/filnor_bench.exe"
win_tree='C:\filnor-bench\tree'

timed() { # prints seconds taken by the command
  local t0 t1
  t0=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  t1=$(date +%s.%N)
  echo "$t1 - $t0" | bc -l
}

echo "Warming the file cache..."
"$WINE" cmd /c dir /s /b "$win_tree" >/dev/null 2>&1
dir_s=$(timed "$WINE" cmd /c dir /s /b "$win_tree")
walk_line=$("$WINE" "$bench" walk "$win_tree" | tr -d '\r')
extract_lines=$("$WINE" "$bench" extract "$win_tree" | tr -d '\r')
fill_line=$("$WINE" "$bench" fill "$((folders * per))" | tr -d '\r')
dir_s2=$(timed "$WINE" cmd /c dir /s /b "$win_tree")
dir_best=$(echo "if ($dir_s < $dir_s2) $dir_s else $dir_s2" | bc -l)

walk_s=$(echo "$walk_line" | sed -n 's/.*walk_seconds=\([0-9.]*\).*/\1/p')
total_s=$(echo "$extract_lines" | sed -n 's/.*total_seconds=\([0-9.]*\).*/\1/p')
echo "arch=$ARCH files=$((folders * per)) folders=$folders"
printf 'dir_s_b_seconds=%.3f (best of two runs: %.3f, %.3f)\n' "$dir_best" "$dir_s" "$dir_s2"
echo "$walk_line"
printf 'walk_vs_dir_ratio=%.2f (target <= 1.2)\n' "$(echo "$walk_s / $dir_best" | bc -l)"
echo "$extract_lines"
echo "list view alone: $fill_line"
printf 'extract_plus_export_vs_dir_ratio=%.2f (target <= 2.0)\n' "$(echo "$total_s / $dir_best" | bc -l)"
