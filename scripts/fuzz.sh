#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) into build-fuzz/ and
# runs each for a while, starting from seeds generated here.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONORELLE_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(sed -n 's/^sonorelle_add_fuzzer(\([A-Za-z0-9_]*\).*/\1/p' "$root/fuzz/CMakeLists.txt")
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSONORELLE_BUILD_FUZZ=ON -DSONORELLE_BUILD_TESTS=OFF -DSONORELLE_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target addon2 "${targets[@]}"

# seed_<target> CORPUS: writes starting inputs for one target.
seed_archive_directory_fuzz() {
  local corpus=$1 work
  work=$(mktemp -d)
  printf 'song list' > "$work/songlist.bin"
  printf '' > "$work/empty name.sng"
  "$build/bin/addon2" -c "$work/one.big" "$work/songlist.bin" "$work/empty name.sng"
  cp "$work/one.big" "$corpus/created.big"
  printf 'new song list' > "$work/songlist.bin"
  "$build/bin/addon2" -ar "$work/one.big" "$work/songlist.*"
  cp "$work/one.big" "$corpus/replaced.big"
  # The bare directory of the created archive, which sits at its end.
  python3 - "$corpus/created.big" "$corpus/directory.bin" <<'PY'
import struct, sys
image = open(sys.argv[1], 'rb').read()
_, offset, length = struct.unpack_from('<QQQ', image, 4096)
open(sys.argv[2], 'wb').write(image[offset:offset + length])
PY
  rm -rf "$work"
}

for target in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$target
  mkdir -p "$corpus"
  if declare -F "seed_$target" > /dev/null; then
    "seed_$target" "$corpus"
  fi
  echo "== $target for ${seconds}s"
  "$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$corpus"
done
