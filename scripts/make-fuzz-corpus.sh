#!/bin/sh
# Writes the fuzz targets' seed corpus (tests/fuzz/corpus) with the project's own tool:
# configuration files, JSON and device images as veld23-tool makes and converts them,
# and one small text per measurement layout.
# Usage: scripts/make-fuzz-corpus.sh [path of veld23-tool]
set -eu

TOOL=${1:-build/release/src/tools/veld23-tool}
OUT=tests/fuzz/corpus
mkdir -p "$OUT/ConfigurationFileFuzz" "$OUT/ConfigurationJsonFuzz" "$OUT/DeviceImageFuzz" \
         "$OUT/MeasurementFuzz"

# New configurations of both topologies as each form, and each once opened (which selects
# every band).
for outputs in 2 3; do
    "$TOOL" new --outputs $outputs "$OUT/ConfigurationFileFuzz/new$outputs.v23"
    "$TOOL" new --outputs $outputs "$OUT/ConfigurationJsonFuzz/new$outputs.json"
    "$TOOL" new --outputs $outputs "$OUT/DeviceImageFuzz/new$outputs.bin"
    opened="$OUT/ConfigurationFileFuzz/opened$outputs.v23"
    "$TOOL" convert "$OUT/ConfigurationFileFuzz/new$outputs.v23" "$opened"
    "$TOOL" convert "$opened" "$OUT/ConfigurationJsonFuzz/opened$outputs.json"
    "$TOOL" convert "$opened" "$OUT/DeviceImageFuzz/opened$outputs.bin"
done
# An older, shorter file opens with the older-version warning.
head -c 1512 "$OUT/ConfigurationFileFuzz/opened3.v23" > "$OUT/ConfigurationFileFuzz/older1512.v13"

M="$OUT/MeasurementFuzz"
printf '    Freq\t      dB\t   Phase\n  118.00\t   93.00\t   90.00\n  693.00\t   87.50\t  -45.00\n 4078.00\t   80.00\t  180.00\n' > "$M/clio-a.txt"
printf 'Freq [Hz]       dBSPL           Phase [Deg]\n   118.00           93.00           90.00\n   693.00           87.50          -45.00\n' > "$M/clio-b.txt"
printf 'MLSSA frequency domain data\n      "Hz"  "Mag (dB)"       "deg"\n    118.00       93.00       90.00\n    693.00       87.50      -45.00\n' > "$M/mlssa.txt"
printf ' WinAIRR saved file\nwoofer on axis\n2 points\nHz dB deg\n    118.00       93.00       90.00\n    693.00       87.50      -45.00\n' > "$M/winairr.txt"
{
    printf 'Smaart transfer function export\n'
    for line in 1 2 3 4; do printf '; note\n'; done
    printf '; Frequency (Hz)\tMagnitude (dB)\tPhase (degrees)\n'
    for line in 6 7 8 9 10 11 12 13 14 15 16 17; do printf '; note\n'; done
    printf '118.00\t93.00\t90.00\n693.00\t87.50\t-45.00\n; end of data\n'
} > "$M/smaart.txt"
{
    printf '* LMS(TM) frequency response export\n'
    for line in 1 2 3 4 5 6 7 8 9 10; do printf '* header %s\n' $line; done
    printf '         118.00           93.00           90.00\n         693.00           87.50          -45.00\n'
} > "$M/lms.txt"
{
    printf 'CALSOD\n'
    for line in 1 2 3 4 5 6 7; do printf 'header %s\n' $line; done
    printf '   118.00   93.00   90.00\n   693.00   87.50  -45.00\n'
} > "$M/calsod.txt"
printf '* exported by a measurement tool\nFreq(Hz)  SPL(dB)  Phase(deg)\n118 93 90\n693\t87.5\t-45\n4078;80;180\n' > "$M/frd.txt"
