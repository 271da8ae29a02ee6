"""Writes the sample road drawings with ezdxf, an independent DXF writer,
from the scenarios that road-samples prints as JSON.

    road-samples | /usr/bin/python3 make_road_samples.py OUTPUT_FOLDER
"""
import json
import os
import sys

import ezdxf


def write(drawing, folder):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for p in drawing["polilinee"]:
        if p["layer"] not in doc.layers:
            doc.layers.add(p["layer"])
        pl = msp.add_polyline2d([], dxfattribs={"layer": p["layer"]})
        pl.append_formatted_vertices([tuple(v) for v in p["vertici"]], format="xyb")
        tags = p["dati_estesi"]
        app = tags[0][1]
        if app not in doc.appids:
            doc.appids.add(app)
        pl.set_xdata(app, [(code, tuple(v) if isinstance(v, list) else v) for code, v in tags[1:]])
    path = os.path.join(folder, drawing["file"] + ".dxf")
    doc.saveas(path)
    check = ezdxf.readfile(path).audit()
    if check.has_errors:
        sys.exit("%s: %d audit errors" % (path, len(check.errors)))
    return path


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for drawing in json.load(sys.stdin):
        print(write(drawing, folder))


if __name__ == "__main__":
    main()
