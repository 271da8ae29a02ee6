#!/usr/bin/env bash
# The demonstration run: the host loads the modules as the CAD host does,
# builds a whole intersection on each bundled road drawing with the
# new-intersection command (the person's answers come from a script: "Selezione
# tracciati", the main road, the secondary road, "Disegna"), then deletes one
# leg and updates another by its id. Usage: samples/demo.sh BIN_FOLDER
set -euo pipefail
BIN=$(cd "${1:?usage: demo.sh BIN_FOLDER}" && pwd)
SAMPLES=$(cd "$(dirname "$0")" && pwd)

echo "== vortana-cad: loading Junctor and Sheetor =="
"$BIN/vortana-cad" --set USERS1=QV-PX --load Junctor.arx --load Sheetor.arx

OUT=${VORTANA_DEMO_OUT:-$(dirname "$BIN")/demo}
mkdir -p "$OUT"

# "Disegna" saves the style file in the module folder: the demo runs from an
# installation of its own, with a copy of the module folder's data.
INST="$OUT/installazione"
rm -rf "$INST"
mkdir -p "$INST"
for f in "$BIN"/*; do
    case "$(basename "$f")" in
        vortana-cad) cp "$f" "$INST/" ;;  # the host finds its folder from its own file
        Junctor | DEFAULTSETTINGS.INI) cp -r "$f" "$INST/" ;;
        *) ln -s "$f" "$INST/" ;;
    esac
done
BIN="$INST"

# The main and the secondary road of each sample drawing.
declare -A STRADE=(
    [strade-innesto]="SS 16|SP 5"
    [strade-incrocio-curva]="SS 9|SP 21"
    [strade-apparente]="SS 1|SP 40"
)

for drawing in "$SAMPLES"/strade-*.dxf; do
    name=$(basename "$drawing" .dxf)
    IFS='|' read -r principale secondaria <<<"${STRADE[$name]}"
    script="$OUT/$name.script"
    printf 'dialog 7001 click 7002\ntracciato %s\ntracciato %s\ndialog 7001 click 1\n' \
        "$principale" "$secondaria" >"$script"
    echo
    echo "== vortana-cad: $name, a new intersection of $principale and $secondaria (into $OUT) =="
    "$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$drawing" --load Junctor.arx --script "$script" \
        --run Junctor --save "$OUT/$name.dxf" --dump "$OUT/$name.json" --render "$OUT/$name.png"
done

# Whether two dumps hold the same drawing (the handle seed apart); the label
# and the answer are printed, and a changed drawing stops the demo.
uguale() {
    /usr/bin/python3 - "$1" "$2" "$3" <<'PY'
import json, sys
a, b = (json.load(open(f)) for f in sys.argv[2:4])
for d in (a, b):
    d.pop("handseed")
print(sys.argv[1], "as it was" if a == b else "CHANGED")
sys.exit(0 if a == b else 1)
PY
}

# On the crossing: delete the Out leg and update the In leg, each picked by
# the handle of its drop island's edge in the dump.
name=strade-incrocio-curva
maniglia() {  # the leg built first (0, In) or second (1, Out)
    /usr/bin/python3 - "$OUT/$name.json" "$1" <<'PY'
import json, sys
legs = {}
for e in json.load(open(sys.argv[1]))["entities"]:
    for g in e.get("xdata", []):
        items = [v for _, v in g["items"]]
        if g["app"] == "QV-VORTANA-INTERS-T" and len(items) > 1 and items[1] == "rCIG":
            legs.setdefault(int(items[0]), e["handle"])
print(legs[sorted(legs)[int(sys.argv[2])]])
PY
}
OUTLEG=$(maniglia 1)
INLEG=$(maniglia 0)
printf 'entsel %s\n' "$OUTLEG" >"$OUT/$name-cancella.script"
printf 'clock set 2000000\nentsel %s\n' "$INLEG" >"$OUT/$name-aggiorna.script"
echo
echo "== vortana-cad: $name, the Out leg deleted (JunctorCanc) =="
"$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$OUT/$name.dxf" --load Junctor.arx \
    --script "$OUT/$name-cancella.script" --run JunctorCanc \
    --save "$OUT/$name-cancella.dxf" --dump "$OUT/$name-cancella.json" --render "$OUT/$name-cancella.png"
echo
echo "== vortana-cad: $name, the In leg updated (JunctorAgg) =="
"$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$OUT/$name-cancella.dxf" --load Junctor.arx \
    --script "$OUT/$name-aggiorna.script" --run JunctorAgg \
    --save "$OUT/$name-aggiorna.dxf" --dump "$OUT/$name-aggiorna.json" --render "$OUT/$name-aggiorna.png"

# On the T junction, island values the leg cannot hold. An h beyond the leg
# axis (150 m long) is refused where it is typed, with the reason, and the
# leg is drawn with the last h that builds. A b2 of 150 m leaves no whole
# island: "Disegna" refuses the leg and shows why; its update fails the same
# way and leaves the drawing exactly as it was, and so does "Disegna" with it
# over the intersection drawn whole.
name=strade-innesto
printf 'dialog 7001 click 7002\ntracciato SS 16\ntracciato SP 5\ndialog 7001 click 7013/30000 at 60,31\ndialog 7001 set 7013/30000/2/1000 150\ndialog 7001 click 1\n' \
    >"$OUT/$name-h150.script"
echo
echo "== vortana-cad: $name, h = 150 typed in the style tree =="
"$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$SAMPLES/$name.dxf" --load Junctor.arx \
    --script "$OUT/$name-h150.script" --run Junctor --save "$OUT/$name-h150.dxf"
printf 'dialog 7001 click 7002\ntracciato SS 16\ntracciato SP 5\ndialog 7001 click 7013/30000 at 60,94\ndialog 7001 set 7013/30000/5/1000 150\ndialog 7001 click 1\ndialog 7003 click 1\n' \
    >"$OUT/$name-b2.script"
echo
echo "== vortana-cad: $name, b2 = 150 typed in the style tree, then the refused leg updated =="
"$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$SAMPLES/$name.dxf" --load Junctor.arx \
    --script "$OUT/$name-b2.script" --run Junctor --save "$OUT/$name-b2.dxf" --dump "$OUT/$name-b2.json" \
    --snapshots "$OUT/$name-b2"
PEZZO=$(/usr/bin/python3 - "$OUT/$name-b2.json" <<'PY'
import json, sys
for e in json.load(open(sys.argv[1]))["entities"]:
    if any(g["app"] == "QV-VORTANA-INTERS-T" for g in e.get("xdata", [])):
        print(e["handle"])
        break
PY
)
printf 'clock set 2000000\nentsel %s\ndialog 7003 click 1\n' "$PEZZO" >"$OUT/$name-b2-aggiorna.script"
"$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$OUT/$name-b2.dxf" --load Junctor.arx \
    --script "$OUT/$name-b2-aggiorna.script" --run JunctorAgg --dump "$OUT/$name-b2-aggiorna.json"
uguale "the drawing after the failed update:" "$OUT/$name-b2.json" "$OUT/$name-b2-aggiorna.json"

# "Disegna" again on the T junction drawn whole above, with the same b2 of
# 150 m: the new leg is refused and taken away again, and the intersection
# drawn before keeps its polylines and lane records exactly as they were.
echo
echo "== vortana-cad: $name drawn again with b2 = 150: the earlier intersection stays =="
"$BIN/vortana-cad" --set USERS1=QV-PX --drawing "$OUT/$name.dxf" --load Junctor.arx \
    --script "$OUT/$name-b2.script" --run Junctor --dump "$OUT/$name-ridisegno-b2.json"
uguale "the drawing after the refused redraw:" "$OUT/$name.json" "$OUT/$name-ridisegno-b2.json"

# Sheetor on the sample road: a second sheet outline along the main road, the
# north arrows, then the layout of every outline into its own sheet with the
# sample title block, rendered sheet by sheet (PNG) and into one PDF.
BINABS=$(cd "$BIN" && pwd)
SHEETS="$OUT/tavole-innesto"
echo
echo "== vortana-cad: tavole-innesto, outlines and north arrows =="
cat > "$OUT/tavole-contorni.txt" <<SCRIPT
# BlkDisTr: a sheet of 400 x 220 plotted millimetres at 1:500, after the first one
point 5,-55
int 400
int 220
real 500
# BlkNord: the sample arrow, 30 and 20 units in from the top-right corner
openfile $BINABS/Sheetor/Nord.dwg
int 30
int 20
SCRIPT
"$BIN/vortana-cad" --set USERS1=QV-PX --lisp "qv-cpath=$BINABS/" --drawing "$SAMPLES/tavole-innesto.dxf" \
    --load Sheetor.arx --script "$OUT/tavole-contorni.txt" --run BlkDisTr --run BlkNord \
    --save "$SHEETS-contorni.dxf"

# The alignment "SS 16" and the outlines, by their handles in the saved drawing.
read -r AXIS OUTLINES < <(/usr/bin/python3 - "$SHEETS-contorni.dxf" <<'PY'
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
axis = next(e.dxf.handle for e in msp.query("POLYLINE") if e.has_xdata("QV-TRACCIATO")
            and ("SS 16" in [v for _, v in e.get_xdata("QV-TRACCIATO")]))
outlines = [e.dxf.handle for e in msp.query('INSERT[layer=="QV_LAYOUT_CONTOUR"]')]
print(axis, " ".join(outlines))
PY
)
echo
echo "== vortana-cad: tavole-innesto, sheet layout (saved, dumped and rendered into $OUT) =="
cat > "$OUT/tavole-layout.txt" <<SCRIPT
# DisTr: alignment SS 16, prefix T, both outlines, no profile, the sample title block
entsel $AXIS
string T
select $OUTLINES
string <enter>
openfile $BINABS/Sheetor/Cartiglio.dwg
# the title block's fields (rows Progetto, Scala, Tavola): "Tavola" counts
# from 7, one sheet after the other
dialog 101 click 1003 at 212,77
dialog 101 click 1003 at 170,33
dialog 101 type SS 16 - Innesto con la SP 5
dialog 101 key RETURN
dialog 101 click 1003 at 170,55
dialog 101 type 1:500
dialog 101 key RETURN
dialog 101 click 1003 at 170,77
dialog 101 type 7
dialog 101 key RETURN
dialog 101 click 1
# the drawing area starts 10 mm from the left edge and 65 mm from the bottom
int 10
int 65
SCRIPT
"$BIN/vortana-cad" --set USERS1=QV-PX --lisp "qv-cpath=$BINABS/" --drawing "$SHEETS-contorni.dxf" \
    --load Sheetor.arx --script "$OUT/tavole-layout.txt" --run DisTr \
    --save "$SHEETS.dxf" --dump "$SHEETS.json" \
    --render "$SHEETS.png" --layout Model --render "$SHEETS.png" --layout "*" --render "$SHEETS.pdf" --layout "*"
/usr/bin/python3 - "$SHEETS.dxf" <<'PY'
import sys
import ezdxf
auditor = ezdxf.readfile(sys.argv[1]).audit()
print("%s: %d audit errors" % (sys.argv[1], len(auditor.errors)))
sys.exit(1 if auditor.has_errors else 0)
PY

# Gyroform on the sample plan roundabout, driven through its managed API by a
# file of calls: read into a 3D model, computed, drawn in 3D, exported;
# saved, dumped and rendered in axonometry with the elevations ten times over.
ROT="$OUT/rotatoria-tre-rami"
echo
echo "== vortana-cad: rotatoria-tre-rami, the 3D model through the managed calls (into $OUT) =="
"$BIN/vortana-cad" --drawing "$SAMPLES/rotatoria-tre-rami.dxf" --project "$SAMPLES/rotatoria.ini" \
    --load Gyroform.dll --managed "$SAMPLES/rotatoria.calls" \
    --save "$ROT.dxf" --dump "$ROT.json" --render "$ROT.png" --view iso --zscale 10
# The saved drawing in plan: the model's sections and the exported profile sheets.
"$BIN/vortana-cad" --drawing "$ROT.dxf" --render "$ROT-pianta.png"
# The same calls again on the drawing they made: the plan read again replaces
# its model, so the drawing still holds one model and each alignment once.
"$BIN/vortana-cad" --drawing "$ROT.dxf" --project "$SAMPLES/rotatoria.ini" \
    --load Gyroform.dll --managed "$SAMPLES/rotatoria.calls" --save "$ROT-di-nuovo.dxf"
/usr/bin/python3 - "$ROT-di-nuovo.dxf" <<'PY'
import collections, sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
models = [e for e in msp.query("INSERT") if e.has_xdata("QV-VORTANA-INTERS-ROT_3D")]
names = collections.Counter()
for e in msp.query("POLYLINE"):
    if not e.has_xdata("QV-TRACCIATO"):
        continue
    items = list(e.get_xdata("QV-TRACCIATO"))
    for a, b in zip(items, items[1:]):
        if a.code == 1071 and a.value == 22400:
            names[b.value] += 1
print("%s: %d model of the roundabout, alignments %s" % (sys.argv[1], len(models), dict(names)))
sys.exit(0 if len(models) == 1 and all(n == 1 for n in names.values()) else 1)
PY

# Large drawings: the new-intersection command on the sample alone, with
# 100 000 unrelated entities added and amid a road network of 10 000 and
# 100 000 entities (other roads' edges, other intersections: about the same
# time every way), the whole host process on that road network with and
# without the command (open and load alone; peak memory), then a drawing
# of 100 000 polylines with extended data (72 MB of DXF) opened, saved, and
# opened by a fresh process that only opens it (its time: the first open;
# and its peak memory).
echo
echo "== large drawings: the command beside 100 000 entities and amid a road network, a 72 MB drawing opened and saved =="
BIG=$(mktemp -d)
TMPDIR="$BIG" "$BIN/command_bench" --benchmark_counters_tabular=true
TMPDIR="$BIG" "$BIN/drawing_bench" --benchmark_filter='^(Open|Save|OpenPeakMemory)/' --benchmark_counters_tabular=true
# A style file of 1 000 styles more than the shipped ones in the style
# viewer: the page is built a part at a time, where it is looked at.
echo
echo "== a large style file: the style viewer on 1 000 styles more (transform, first part, first paint) =="
TMPDIR="$BIG" "$BIN/browser_bench" --benchmark_filter='^BM_NavigateAndFirstPaint/1000$'
rm -rf "$BIG"
