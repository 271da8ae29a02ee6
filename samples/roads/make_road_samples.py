"""Writes the sample drawings (roads and plan roundabouts) with ezdxf, an
independent DXF writer, from the drawings that road-samples prints as JSON.

    road-samples | /usr/bin/python3 make_road_samples.py OUTPUT_FOLDER

A drawing that ezdxf's audit finds errors in stops the run with status 1.
"""
import json
import os
import sys

import ezdxf

# The same files on every run: ezdxf's fixed dates, identifiers and version
# marker instead of the time of the run and new GUIDs.
ezdxf.options.write_fixed_meta_data_for_testing = True


def add_entity(doc, msp, e):
    if e["layer"] not in doc.layers:
        doc.layers.add(e["layer"])
    attribs = {"layer": e["layer"]}
    if e["tipo"] == "CIRCLE":
        entity = msp.add_circle(tuple(e["centro"]), e["raggio"], dxfattribs=attribs)
    elif e["3d"]:
        entity = msp.add_polyline3d([(x, y, 0) for x, y, _ in e["vertici"]], dxfattribs=attribs)
    else:
        entity = msp.add_polyline2d([], dxfattribs=attribs)
        entity.append_formatted_vertices([tuple(v) for v in e["vertici"]], format="xyb")
    tags = e["dati_estesi"]
    app = tags[0][1]
    if app not in doc.appids:
        doc.appids.add(app)
    entity.set_xdata(app, [(code, tuple(v) if isinstance(v, list) else v) for code, v in tags[1:]])


def write(drawing, folder):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for e in drawing["entita"]:
        add_entity(doc, msp, e)
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
