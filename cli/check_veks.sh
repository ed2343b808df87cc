#!/usr/bin/env bash
# Usage: check_veks.sh VEKS WORK_DIR CASE
# Runs the veks tool end to end on files it writes itself with `veks tone`
# and checks what the other commands make of them. Levels and frequencies
# are read from `veks spectrum` (peaks refined between bins), lengths and
# formats from `veks info`.
set -uo pipefail
veks=$1 work=$2 case=$3
rm -rf "$work"; mkdir -p "$work"; cd "$work" || exit 1
fail() { echo "FAIL ($case): $*"; exit 1; }
run() { "$veks" "$@" --quiet > out.txt 2> err.txt || fail "veks $*: $(cat err.txt)"; }

# peak FILE FREQ [SPECTRUM OPTIONS]: "frequency level" of the listed peak
# nearest FREQ (within 2% of it), or nothing.
peak() {
  local f=$1 want=$2; shift 2
  "$veks" spectrum "$f" --peaks 20 --quiet "$@" 2> err.txt | awk -v w="$want" '
    $2 == "Hz" && $4 == "dBFS" { d = $1 - w; if (d < 0) d = -d; if (d <= 0.02 * w && (best == "" || d < bd)) { best = $1 " " $3; bd = d } }
    END { if (best != "") print best }'
}
level() { peak "$@" | awk '{ print $2 }'; }
freq() { peak "$@" | awk '{ print $1 }'; }
# near A B TOL: |A - B| <= TOL
near() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(a != "" && b != "" && d <= t) }'; }
# below A B MARGIN: A <= B - MARGIN (A empty: not found at all, which fails)
below() { awk -v a="$1" -v b="$2" -v m="$3" 'BEGIN { exit !(a != "" && a + m <= b) }'; }
frames() { "$veks" info "$1" | awk '$1 == "length" { print $2 }'; }
format_of() { "$veks" info "$1" | awk '$1 == "format" { $1 = ""; print substr($0, 2) }'; }

case $case in
demo)
  "$veks" > out.txt 2> err.txt || fail "demo exited $?: $(cat err.txt)"
  grep -q "strongest peaks" out.txt && grep -q "identical" out.txt || fail "demo report incomplete"
  # The synthesised 440 Hz tone (amplitude 12000) lies between bins; its
  # reported amplitude, and the 3 kHz tone's (3000), are within 0.5 %.
  for tone in "440.0 12000" "3000.0 3000"; do
    set -- $tone
    awk -v f="$1" -v a="$2" '$1 == f && $2 == "Hz" { found = 1; if ($4 < a * 0.995 || $4 > a * 1.005) bad = $4 }
        END { exit !(found && bad == "") }' out.txt || fail "tone $1 Hz: amplitude not within 0.5 % of $2"
  done
  ;;
help)
  for c in "" info spectrum filter resample tone; do
    "$veks" $c --help > out.txt 2> err.txt || fail "veks $c --help exited $?"
    grep -q "^usage: veks" out.txt || fail "veks $c --help has no usage line"
    [ -s err.txt ] && fail "veks $c --help wrote to stderr"
  done
  for opt in --taps --window --iir --format --quiet; do grep -q -- "$opt" <("$veks" filter --help) || fail "filter help lacks $opt"; done
  for opt in --seconds --rate --level --noise --format; do grep -q -- "$opt" <("$veks" tone --help) || fail "tone help lacks $opt"; done
  for opt in -o --size --window --log; do grep -q -- "$opt" <("$veks" spectrum --help) || fail "spectrum help lacks $opt"; done
  ;;
info)
  run tone 1000 st.wav --channels 2 --level -6
  "$veks" info st.wav > out.txt || fail "info failed"
  grep -q "WAV, 16-bit integer, 48000 Hz, 2 channels" out.txt || fail "format line: $(cat out.txt)"
  grep -q "48000 frames, 1.000 s" out.txt || fail "length line: $(cat out.txt)"
  [ "$(awk '$1 == 1 || $1 == 2 { print $3 }' out.txt | sort -u)" = "-9.01" ] || fail "RMS of a -6 dBFS sine: $(cat out.txt)"
  grep -q "channels 1 and 2: +1.0000" out.txt || fail "correlation: $(cat out.txt)"
  ;;
tone_formats)
  # Every sample format and container round-trips the tone's level.
  for spec in "t16.wav wav16" "t24.wav wav24" "t32.wav wav32" "tf.wav float" "t16.flac wav16" "t24.aiff wav24"; do
    set -- $spec
    run tone 997 "$1" --format "$2" --level -12 --seconds 0.5
    l=$(level "$1" 997); near "$l" -12 0.02 || fail "$1: level $l, expected -12"
  done
  [ "$(format_of t24.aiff)" = "AIFF, 24-bit integer, 48000 Hz, 1 channel" ] || fail "t24.aiff: $(format_of t24.aiff)"
  [ "$(format_of t16.flac)" = "FLAC, 16-bit integer, 48000 Hz, 1 channel" ] || fail "t16.flac: $(format_of t16.flac)"
  # Noise at -40 dBFS RMS over a -6 dBFS tone: the total RMS is the tone's.
  run tone 1000 n.wav --noise -40 --seconds 2
  "$veks" info n.wav | awk '$1 == 1 { exit !($3 > -9.1 && $3 < -8.9) }' || fail "tone with noise: $("$veks" info n.wav)"
  ;;
spectrum_two_tones)
  run tone 1000.3,3456.7 two.wav --level -10 --seconds 2 --noise -80
  bin=$(awk 'BEGIN { print 48000 / 4096 }')
  for f in 1000.3 3456.7; do
    got=$(freq two.wav $f); near "$got" $f "$(awk -v b="$bin" 'BEGIN { print b / 10 }')" || fail "tone $f Hz found at '$got'"
    l=$(level two.wav $f); near "$l" -10 0.1 || fail "tone $f Hz level $l"
  done
  [ "$("$veks" spectrum two.wav | grep -c ' Hz ')" -ge 2 ] || fail "peak list"
  # Only the two tones stand out of the noise: nothing else is listed.
  n=$("$veks" spectrum two.wav --window blackman | grep -c ' dBFS$'); [ "$n" -eq 2 ] || fail "$n peaks listed, expected 2"
  run spectrum two.wav -o lin.svg
  run spectrum two.wav -o log.svg --log --size 8192 --window kaiser
  for svg in lin.svg log.svg; do
    [ -s $svg ] || fail "$svg not written"
    if command -v xmllint > /dev/null; then xmllint --noout $svg || fail "$svg is not well-formed"
    elif command -v python3 > /dev/null; then python3 -c "import sys, xml.dom.minidom as m; m.parse(sys.argv[1])" $svg || fail "$svg is not well-formed"
    fi
    grep -q "<svg" $svg && grep -q "</svg>" $svg && grep -q "<polyline" $svg || fail "$svg has no plot"
    grep -q "Frequency (Hz" $svg && grep -q "Level (dB" $svg || fail "$svg axes are not labelled"
  done
  grep -q "logarithmic" log.svg || fail "--log plot"
  ;;
resample_48k_44k | resample_8k_48k)
  if [ $case = resample_48k_44k ]; then from=48000 to=44100; else from=8000 to=48000; fi
  run tone 1000 in.wav --rate $from --level -6 --seconds 1
  run resample $to in.wav out.wav
  [ "$(frames out.wav)" = "$to" ] || fail "$(frames out.wav) frames, expected $to"
  format_of out.wav | grep -q "16-bit integer, $to Hz" || fail "format $(format_of out.wav)"
  fi=$(freq in.wav 1000) fo=$(freq out.wav 1000) li=$(level in.wav 1000) lo=$(level out.wav 1000)
  near "$fo" 1000 "$(awk -v r=$to 'BEGIN { print r / 4096 / 10 }')" || fail "frequency $fi Hz became $fo Hz"
  near "$lo" "$li" 0.1 || fail "level $li dBFS became $lo dBFS"
  # Aliases: the output holds nothing else within 80 dB of the tone.
  "$veks" spectrum out.wav --peaks 3 | awk -v l="$lo" '$2 == "Hz" && ($1 < 990 || $1 > 1010) && $3 > l - 80 { bad = 1 } END { exit bad }' \
    || fail "spurious peaks: $("$veks" spectrum out.wav)"
  ;;
resample_round_trip)
  # 44.1 kHz -> 48 kHz -> 44.1 kHz, stereo 24-bit: format, channels, length,
  # level and channel correlation survive; the same rate copies 16-bit
  # samples exactly through the scaled conversions.
  run tone 1000 in.wav --rate 44100 --channels 2 --format wav24 --seconds 2 --level -3
  run resample 48000 in.wav up.wav
  [ "$(format_of up.wav)" = "WAV, 24-bit integer, 48000 Hz, 2 channels" ] || fail "format $(format_of up.wav)"
  [ "$(frames up.wav)" = 96000 ] || fail "$(frames up.wav) frames, expected 96000"
  run resample 44100 up.wav back.wav
  [ "$(frames back.wav)" = 88200 ] || fail "$(frames back.wav) frames, expected 88200"
  near "$(level back.wav 1000)" "$(level in.wav 1000)" 0.1 || fail "level $(level in.wav 1000) became $(level back.wav 1000)"
  "$veks" info back.wav | grep -q "channels 1 and 2: +1.0000" || fail "channels differ after the round trip"
  run tone 440 s16.wav --noise -20 --seconds 0.5
  run resample 48000 s16.wav same.wav
  cmp -s s16.wav same.wav || fail "resampling to the same rate changed the samples"
  ;;
lowpass_attenuation)
  # Default taps (255, Blackman): within 0.1 dB at 50 Hz, a tenth of the
  # cut-off (the window method's transition is wide).
  run tone 50,3000 in.wav --level -6 --format float --seconds 2
  run filter lowpass 500 in.wav out.wav
  format_of out.wav | grep -q "32-bit float" || fail "output format $(format_of out.wav)"
  [ "$(frames out.wav)" = 96000 ] || fail "frames $(frames out.wav)"
  near "$(level out.wav 50)" "$(level in.wav 50)" 0.1 || fail "50 Hz pass band: $(level in.wav 50) -> $(level out.wav 50)"
  below "$(level out.wav 3000)" "$(level in.wav 3000)" 60 || fail "3 kHz only down to $(level out.wav 3000) dBFS from $(level in.wav 3000)"
  ;;
highpass_bandpass)
  run tone 200,3000,12000 in.wav --level -12 --format wav24
  run filter highpass 1000 in.wav hp.wav
  [ "$(format_of hp.wav)" = "WAV, 24-bit integer, 48000 Hz, 1 channel" ] || fail "format not kept: $(format_of hp.wav)"
  below "$(level hp.wav 200)" -12 60 || fail "high-pass keeps 200 Hz at $(level hp.wav 200)"
  near "$(level hp.wav 3000)" -12 0.1 || fail "high-pass 3 kHz at $(level hp.wav 3000)"
  run filter bandpass 2000 5000 in.wav bp.wav --taps 511 --window hamming --format float
  below "$(level bp.wav 200)" -12 45 || fail "band-pass keeps 200 Hz at $(level bp.wav 200)"
  below "$(level bp.wav 12000)" -12 45 || fail "band-pass keeps 12 kHz at $(level bp.wav 12000)"
  near "$(level bp.wav 3000)" -12 0.1 || fail "band-pass 3 kHz at $(level bp.wav 3000)"
  run filter bandstop 2000 5000 in.wav bs.wav --taps 301 --format float
  below "$(level bs.wav 3000)" -12 60 || fail "band-stop keeps 3 kHz at $(level bs.wav 3000)"
  near "$(level bs.wav 200)" -12 0.1 && near "$(level bs.wav 12000)" -12 0.1 || fail "band-stop pass bands"
  ;;
iir_lowpass)
  run tone 100,4000 in.wav --level -6 --format float --channels 2
  run filter lowpass 500 in.wav out.wav --iir 6
  [ "$(format_of out.wav)" = "WAV, 32-bit float, 48000 Hz, 2 channels" ] || fail "format $(format_of out.wav)"
  near "$(level out.wav 100)" -6 0.1 || fail "100 Hz at $(level out.wav 100)"
  below "$(level out.wav 4000)" -6 80 || fail "4 kHz only down to $(level out.wav 4000)"
  run filter highpass 1000 in.wav hp.wav --iir 4
  below "$(level hp.wav 100)" -6 60 && near "$(level hp.wav 4000)" -6 0.1 || fail "IIR high-pass"
  ;;
bad_input)
  run tone 1000 ok.wav --seconds 0.2
  : > empty.wav
  echo "not audio at all" > text.wav
  head -c 30 ok.wav > truncated.wav
  # A-law samples: a real WAV, but not an encoding the tool converts.
  { printf 'RIFF\x2c\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x06\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00'
    printf 'data\x08\x00\x00\x00\xd5\xd5\xd5\xd5\xd5\xd5\xd5\xd5'; } > alaw.wav
  mkdir adir
  bad=(
    "info missing.wav" "info empty.wav" "info text.wav" "info truncated.wav" "info alaw.wav" "info adir"
    "info /proc/self/status"
    "info" "info ok.wav ok.wav" "info ok.wav --bogus"
    "spectrum missing.wav" "spectrum text.wav" "spectrum ok.wav --size 1000" "spectrum ok.wav --size 32"
    "spectrum ok.wav --window triangle" "spectrum ok.wav --peaks 0" "spectrum ok.wav -o nodir/plot.svg"
    "spectrum ok.wav --size"
    "filter lowpass 500 missing.wav OUT.wav" "filter lowpass 500 alaw.wav OUT.wav"
    "filter lowpass 24000 ok.wav OUT.wav" "filter lowpass 30000 ok.wav OUT.wav" "filter highpass 0 ok.wav OUT.wav"
    "filter lowpass -5 ok.wav OUT.wav" "filter lowpass abc ok.wav OUT.wav"
    "filter bandpass 3000 1000 ok.wav OUT.wav" "filter bandstop 1000 1000 ok.wav OUT.wav"
    "filter bandpass 1000 24000 ok.wav OUT.wav" "filter notch 1000 ok.wav OUT.wav" "filter lowpass 500 ok.wav"
    "filter lowpass 500 ok.wav OUT.wav --taps 4" "filter lowpass 500 ok.wav OUT.wav --iir 13"
    "filter bandpass 500 900 ok.wav OUT.wav --iir 2" "filter lowpass 500 ok.wav OUT.wav --window kaiser"
    "filter lowpass 500 ok.wav OUT.wav --bogus" "filter lowpass 500 ok.wav OUT.flac --format float"
    "filter lowpass 500 ok.wav OUT.wav --format mp3" "filter lowpass 500 ok.wav nodir/OUT.wav"
    "filter bandstop 500 900 ok.wav OUT.wav --taps 100"
    "resample 44100 missing.wav OUT.wav" "resample 44100 text.wav OUT.wav" "resample 500 ok.wav OUT.wav"
    "resample 1000000 ok.wav OUT.wav" "resample 44101 ok.wav OUT.wav" "resample fast ok.wav OUT.wav"
    "resample 44100 ok.wav OUT.wav --bogus" "resample 44100 ok.wav"
    "tone 24000 OUT.wav" "tone 0 OUT.wav" "tone 1000,x OUT.wav" "tone 1000 OUT.wav --rate 100"
    "tone 1000 OUT.wav --level 3" "tone 1000 OUT.wav --seconds 0" "tone 1000 OUT.wav --format wav12"
    "tone 1000 OUT.wav --channels 0" "tone 1000 OUT.wav --bogus" "tone 1000 OUT.wav --seconds"
    "tone 1000" "frobnicate ok.wav"
  )
  if [ "$(id -u)" != 0 ]; then # root reads any file
    cp ok.wav unreadable.wav; chmod 000 unreadable.wav; bad+=("info unreadable.wav" "filter lowpass 500 unreadable.wav OUT.wav")
  fi
  for args in "${bad[@]}"; do
    "$veks" $args > out.txt 2> err.txt; rc=$?
    [ $rc -eq 1 ] || fail "veks $args: exit status $rc"
    [ "$(wc -l < err.txt)" -eq 1 ] || fail "veks $args: expected one error line, got: $(cat err.txt)"
    grep -q '^veks: ' err.txt || fail "veks $args: error line $(cat err.txt)"
    [ -s out.txt ] && fail "veks $args: wrote to stdout: $(cat out.txt)"
    ls -A | grep -q -e '^OUT' -e 'veks-' -e '\.svg$' && fail "veks $args left a file: $(ls -A)"
  done
  # An existing output is replaced only on success.
  cp ok.wav keep.wav
  "$veks" filter lowpass 30000 ok.wav keep.wav 2> /dev/null
  cmp -s ok.wav keep.wav || fail "a failed command changed its output file"
  ;;
*) fail "unknown case" ;;
esac
echo "veks $case: passed"
