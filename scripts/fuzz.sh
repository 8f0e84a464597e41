#!/usr/bin/env bash
# Builds every fuzz target with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/ (or $SONORELLE_FUZZ_BUILD_DIR) and runs each for SECONDS seconds,
# keeping its corpus in build-fuzz/corpus/<target> and using fuzz/<target>.dict when there
# is one. Exits non-zero when a target finds a fault; the input that shows it lands in
# build-fuzz/artifacts/.
set -euo pipefail
if [ $# -ne 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SONORELLE_FUZZ_BUILD_DIR:-$root/build-fuzz}

# clang brings the compiler; the libFuzzer and sanitizer runtimes come with
# libclang-rt-14-dev, which clang only recommends.
if ! command -v clang++ >/dev/null || ! [ -e "$(clang++ -print-runtime-dir 2>/dev/null)/libclang_rt.fuzzer-x86_64.a" ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends clang libclang-rt-14-dev
fi

# The libraries get coverage instrumentation and the sanitizers too, so the fuzzer
# sees into the parsers it drives. Only the fuzz targets and what they link are built.
sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DSONORELLE_BUILD_FUZZ=ON -DSONORELLE_BUILD_TESTS=OFF -DSONORELLE_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target fuzzers addon2

# seed_<target> CORPUS: writes starting inputs for a target that needs real files to start from.
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
  rm -rf "$work"
}

status=0
mkdir -p "$build/artifacts"
for target in "$build"/fuzzers/*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$build/corpus/$name
  mkdir -p "$corpus"
  if declare -F "seed_$name" > /dev/null; then
    "seed_$name" "$corpus"
  fi
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
           -artifact_prefix="$build/artifacts/$name-")
  if [ -f "$root/fuzz/$name.dict" ]; then
    options+=(-dict="$root/fuzz/$name.dict")
  fi
  echo "== $name for $seconds s"
  if ! "$target" "${options[@]}" "$corpus"; then
    echo "== $name found a fault" >&2
    status=1
  fi
done
exit $status
