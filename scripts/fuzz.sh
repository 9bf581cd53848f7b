#!/usr/bin/env bash
# Builds the fuzz target of the file readers with clang and runs it for a
# while (default 60 seconds): scripts/fuzz.sh [seconds]. Crashes are kept in
# build-fuzz/crashes.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
bash "$root/scripts/install-deps.sh" --fuzz
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTOCKARA_FUZZ=ON -DTOCKARA_TESTS=OFF -DTOCKARA_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_readers

# Seeds: one small valid input per reader (the first byte picks the reader).
corpus="$build/corpus"
mkdir -p "$corpus" "$build/crashes"
python3 - "$corpus" <<'PY'
import struct, sys, os
out = sys.argv[1]
def seed(name, data):
    open(os.path.join(out, name), "wb").write(data)
clsid = bytes([1, 0x14, 2, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46])
flags = 0x01 | 0x02 | 0x10 | 0x20 | 0x80
header = struct.pack("<I", 0x4C) + clsid + struct.pack("<I", flags) + bytes(76 - 24)
volume = b"\x2fC:\\" + bytes(0x17 - 4)
items = struct.pack("<H", 20) + b"\x1f\x50" + bytes(16) + struct.pack("<H", len(volume) + 2) + volume + b"\0\0"
base = b"C:\\TOOLS\\EDIT.EXE\0\0"
info = struct.pack("<7I", 0x1C + len(base), 0x1C, 1, 0, 0x1C, 0, 0x1C + len(base) - 1) + base
def text(s): return struct.pack("<H", len(s)) + s.encode("utf-16-le")
seed("lnk", b"\0" + header + struct.pack("<H", len(items)) + items + info + text("C:\\TOOLS") + text("-a \"b c\""))
pif = bytearray(0x171); pif[0x24:0x2B] = b"GAM.EXE"; pif[0x65:0x68] = b"C:\\"
seed("pif", b"\1" + bytes(pif))
seed("desktop", b"\2[Desktop Entry]\nType=Application\nExec=\"/a b/c\" --x %F\nPath=/tmp\n")
seed("uri", b"\3# c\r\nfile:///home/u/a%20b.txt\r\nfile://localhost/x\r\n")
seed("xbel", b'\4<xbel><bookmark href="file:///a" modified="2024-01-01T10:00:00Z"/></xbel>')
seed("mounts", b"\5/dev/sda1 /media/u/USB\\040X vfat rw 0 0\nproc /proc proc rw 0 0\n")
PY
"$build/fuzz/fuzz_readers" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$build/crashes/" \
  -print_final_stats=1 "$corpus"
