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

# Little-endian words and zero padding for the binary seeds below.
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
zeros() { head -c "$1" /dev/zero; }
# zero_padded TEXT WIDTH: the text's bytes padded with zero bytes to the width.
zero_padded() { local LC_ALL=C; printf '%s' "$1"; zeros $(($2 - ${#1})); }

seed_reg_file_fuzz() {
  local corpus=$1
  printf '%s\n' 'WINE REGISTRY Version 2' ';; All keys relative to \\User\\S-1-5-21' '' \
    '[Software\\Sonorelle\\Settings] 1700000000' '#time=1d9f0e2a4b3c5d6' \
    '"Language"="English"' '@="default"' '"Escapes"="tab\there \"quoted\" \\x41 \x00e9\x2603 \033"' \
    '"Count"=dword:00000014' '"Path"=str(2):"C:\\Games\\Kickvale"' \
    '"List"=hex(7):41,00,00,00,\' '  42,00,00,00,00,00' '"Raw"=hex:de,ad,be,ef' \
    '"Wide"=hex(1):4b,00,69,00' '' '[Software\\Wine\\Drives] 1700000001' '"c:"="hd"' > "$corpus/wine.reg"
  printf 'WINE REGISTRY Version 2\r\n\r\n[Software\\\\Sonorelle] 1\r\n"Folder"="/home/user/game"\r\n' > "$corpus/crlf.reg"
}

seed_ini_document_fuzz() {
  local corpus=$1
  printf '\xef\xbb\xbf[Sonorelle]\nLanguage = English\n; a comment\nFolder="C:\\Games\\Kickvale"\n' > "$corpus/bom.ini"
  printf '[Game]\r\nPath=C:\\Kickvale\r\npath=second\r\n[game]\r\nPath=ignored\r\n[Other]\r\nName='"'"'quoted'"'"'\r\n' > "$corpus/repeated.ini"
  printf '[Caf\xe9]\nName=Latin-1 \xe9t\xe9\n' > "$corpus/latin1.ini"
}

# song_record STREAM ARTIST TITLE ALBUM: one 140-byte record of songlist.bin.
song_record() {
  le32 20070100
  zero_padded "$1" 8; zero_padded "$2" 40; zero_padded "$3" 40; zero_padded "$4" 40
  le32 0; le32 0
}

seed_song_list_fuzz() {
  local corpus=$1
  { song_record sng00001 'Artist' 'Title' 'Album'
    song_record ' sng2 ' 'Ärtist with a name longer than twenty' 'Tïtle' ''
  } > "$corpus/two.bin"
  { song_record sng00003 'Künstler' 'Lied' 'Platte'; printf 'cut'; } > "$corpus/trailing.bin"
}

# blank_padded TEXT WIDTH: a text field of the tag record.
blank_padded() { printf "%-$2.$2s" "$1"; }

seed_tag_record_fuzz() {
  local corpus=$1
  { printf TAG; blank_padded Title 30; blank_padded Artist 30; blank_padded Album 30
    blank_padded 2009 4; blank_padded Comment 30; printf 7; } > "$corpus/slot.tag"
  { printf tag; printf 'Caf\xe9'; zeros 26; zeros 94; printf '\xff'; } > "$corpus/latin1.tag"
}

# ima_stream CHANNELS BLOCK_BYTES BLOCKS [FACT_FRAMES]: an IMA ADPCM WAVE of silence.
ima_stream() {
  local channels=$1 block=$2 blocks=$3 frames=$((1 + ($2 - 4 * $1) / (4 * $1) * 8))
  local fact=${4:-$((frames * blocks))} data=$(($2 * $3))
  printf RIFF; le32 $((4 + 28 + 12 + 8 + data)); printf WAVE
  printf 'fmt '; le32 20; le16 17; le16 "$channels"; le32 22050; le32 11100
  le16 "$block"; le16 4; le16 2; le16 "$frames"
  printf fact; le32 4; le32 "$fact"
  printf data; le32 "$data"
  zeros "$data"
}

seed_game_stream_fuzz() {
  local corpus=$1
  ima_stream 2 64 3 > "$corpus/stereo.wav"
  ima_stream 1 36 4 100 > "$corpus/mono-fact.wav"
  { ima_stream 2 2048 1; printf TAG; zeros 125; } > "$corpus/tagged.wav"
}

seed_playlist_fuzz() {
  local corpus=$1
  printf '#EXTM3U\r\n#EXTINF:215,Artist - Song\r\nMusic\\song.mp3\r\n#EXTINF:-1,Radio\r\nhttp://host/stream\r\n' > "$corpus/extended.m3u"
  printf '\xef\xbb\xbf#extm3u\n#EXTGRP:Rock\n\nC:\\Music\\Caf\xc3\xa9.mp3\nfile:///home/p/a%%20b.mp3\n../up.mp3\n#EXTINF:12.5,last\n' > "$corpus/bom.m3u"
  printf 'Caf\xe9.mp3\n/abs/path.mp3\n' > "$corpus/latin1.m3u"
  printf '[playlist]\nFile1=song.mp3\nTitle1=Song\nLength1=215\nFile3=D:\\x.mp3\nNumberOfEntries=2\nVersion=2\n' > "$corpus/list.pls"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<playlist version="1" xmlns="http://xspf.org/ns/0/"><trackList><track><location>file:///music/a%%20b.mp3</location><title>Song</title><creator>Artist</creator><duration>215500</duration></track><track><location>rel/c.mp3</location></track></trackList></playlist>\n' > "$corpus/list.xspf"
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
