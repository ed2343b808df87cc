#!/usr/bin/env bash
# Usage: check_demo.sh VEKS_DEMO WORK_DIR
# The synthesised tones' amplitudes are estimated to 0.5 %. A valid 16-bit
# WAV is analysed; missing, empty, truncated, non-PCM and
# unreadable files and directories each give exactly one line on stderr and
# exit status 1.
set -uo pipefail
demo=$1 work=$2
rm -rf "$work"; mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }

wav() { # wav FILE FORMAT BITS NSAMPLES: mono 8 kHz, a short ramp
  local f=$1 fmt=$2 bits=$3 n=$4 data=$(( $4 * 2 ))
  {
    printf 'RIFF'; printf "%08x" $((36 + data)) | sed 's/\(..\)\(..\)\(..\)\(..\)/\\x\4\\x\3\\x\2\\x\1/' | xargs -0 printf
    printf 'WAVEfmt '; printf '\x10\x00\x00\x00'
    printf "\\x$(printf %02x "$fmt")\\x00\\x01\\x00\\x40\\x1f\\x00\\x00\\x80\\x3e\\x00\\x00\\x02\\x00\\x$(printf %02x "$bits")\\x00"
    printf 'data'; printf "%08x" "$data" | sed 's/\(..\)\(..\)\(..\)\(..\)/\\x\4\\x\3\\x\2\\x\1/' | xargs -0 printf
    for ((i = 0; i < n; i++)); do printf "\\x$(printf %02x $((i % 256)))\\x01"; done
  } > "$f"
}

# The synthesised 440 Hz tone (amplitude 12000) lies between bins; its
# reported amplitude, and the 3 kHz tone's (3000), are within 0.5 %.
"$demo" > "$work/synth.out" 2>&1 || fail "synthesised signal: $(cat "$work/synth.out")"
for tone in "440.0 12000" "3000.0 3000"; do
  set -- $tone
  awk -v f="$1" -v a="$2" '$1 == f && $2 == "Hz" { found = 1; if ($4 < a * 0.995 || $4 > a * 1.005) bad = $4 }
      END { exit !(found && bad == "") }' "$work/synth.out" || fail "tone $1 Hz: amplitude not within 0.5 % of $2"
done

wav "$work/good.wav" 1 16 400
"$demo" "$work/good.wav" > "$work/good.out" 2>&1 || fail "valid WAV rejected: $(cat "$work/good.out")"
grep -q "1 channel(s), 400 samples" "$work/good.out" || fail "valid WAV not analysed"

wav "$work/float.wav" 3 32 10
: > "$work/empty.wav"
head -c 30 "$work/good.wav" > "$work/truncated.wav"
echo "not audio at all" > "$work/text.wav"
bad=("$work/missing.wav" "$work/empty.wav" "$work/truncated.wav" "$work/text.wav" "$work/float.wav" "$work")
# /proc files report size 0 and then read as text: a size that changes while read
bad+=(/proc/self/status)
if [ "$(id -u)" != 0 ]; then # root reads any file
  cp "$work/good.wav" "$work/unreadable.wav"; chmod 000 "$work/unreadable.wav"; bad+=("$work/unreadable.wav")
fi
for f in "${bad[@]}"; do
  "$demo" "$f" > "$work/out" 2> "$work/err"; rc=$?
  [ "$rc" -eq 1 ] || fail "$f: exit status $rc"
  [ "$(wc -l < "$work/err")" -eq 1 ] || fail "$f: expected one error line, got: $(cat "$work/err")"
done
echo "demo input checks passed"
