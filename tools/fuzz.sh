#!/usr/bin/env bash
# Builds the portable core's libFuzzer targets with clang under ASan and UBSan
# and runs each for SECONDS (default 60), starting from its seeds in
# tests/fuzz/seeds/. Findings are saved in build/fuzz/findings/. Exits non-zero
# on the first target that finds something.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds=${1:-60}

# clang has no GBK execution character set, so the folders it builds must not
# hold a non-ASCII literal that only -fexec-charset=GBK would make GBK: they
# write such texts as escapes (comments may hold anything).
fuzzed_sources=$(find "$repo"/text "$repo"/tracking "$repo"/couriers "$repo"/batch -path '*/win' -prune -o \
  -name '*.cpp' -print -o -name '*.h' -print)
# shellcheck disable=SC2086
if perl -ne 'if ((s{//.*}{}r) =~ /[^\x00-\x7F]/) { print "$ARGV:$.: $_"; $bad = 1 } close ARGV if eof; END { exit !$bad }' \
  $fuzzed_sources; then
  echo "error: non-ASCII text outside comments in the sources above; write it as GBK escapes" >&2
  exit 1
fi

dir=$repo/build/fuzz
CC=clang-14 CXX=clang++-14 configure_and_build "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON

# target, then its options: pages up to 1 MiB from the start (no slow growth
# of the input length), and no input may take 2 s.
targets=(
  "ini_file -max_len=65536"
  "import_line_reader -max_len=65536"
  "page_pipeline -max_len=1048576 -len_control=0 -timeout=2"
  "query_url -max_len=4096"
)
mkdir -p "$dir/findings"
for entry in "${targets[@]}"; do
  read -r name options <<<"$entry"
  corpus=$dir/corpus/$name
  mkdir -p "$corpus"
  echo "== fuzz $name for ${seconds}s"
  # shellcheck disable=SC2086
  "$dir/tests/fuzz/fuzz_$name" "$corpus" "$repo/tests/fuzz/seeds/$name" -max_total_time="$seconds" \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$dir/findings/$name-" $options \
    2>"$dir/$name.log" || { tail -n 60 "$dir/$name.log" >&2; exit 1; }
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^#[0-9]+ *DONE' "$dir/$name.log" || true
done
