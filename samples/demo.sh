#!/usr/bin/env bash
# The demonstration run: the host loads the modules as the CAD host does and
# shows its transcript. Usage: samples/demo.sh BIN_FOLDER
set -euo pipefail
BIN=${1:?usage: demo.sh BIN_FOLDER}
SAMPLES=$(cd "$(dirname "$0")" && pwd)

echo "== vortana-cad: loading Junctor and Sheetor =="
"$BIN/vortana-cad" --set USERS1=QV-PX --load Junctor.arx --load Sheetor.arx
