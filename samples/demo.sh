#!/usr/bin/env bash
# The demonstration run: the host loads the modules as the CAD host does and
# shows its transcript. Usage: samples/demo.sh BIN_FOLDER
set -euo pipefail
BIN=${1:?usage: demo.sh BIN_FOLDER}
SAMPLES=$(cd "$(dirname "$0")" && pwd)

echo "== vortana-cad: loading Junctor and Sheetor =="
"$BIN/vortana-cad" --set USERS1=QV-PX --load Junctor.arx --load Sheetor.arx

OUT=${VORTANA_DEMO_OUT:-$(dirname "$BIN")/demo}
mkdir -p "$OUT"
for drawing in "$SAMPLES"/strade-*.dxf; do
    name=$(basename "$drawing" .dxf)
    echo
    echo "== vortana-cad: $name (saved, dumped and rendered into $OUT) =="
    "$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$drawing" --load Junctor.arx \
        --save "$OUT/$name.dxf" --dump "$OUT/$name.json" --render "$OUT/$name.png"
done
