"""Writes Sheetor's sample drawings with ezdxf, an independent DXF writer:

    make_sheetor_samples.py SAMPLES_FOLDER

- Sheetor/Cartiglio.dwg: an A3 title block (420 x 297) whose fields are the
  attribute definitions "Progetto", "Tavola" (default "1") and "Scala", with a
  constant title;
- Sheetor/Nord.dwg: a north arrow, a closed triangle 15 units high and the
  letter N above it;
- tavole-innesto.dxf: the road drawing strade-innesto.dxf with one sheet
  outline along the main road, made as the outline command makes it
  (400 x 220 plotted millimetres at 1:500).

Both .dwg files are DXF text, as the host reads them. A drawing that
ezdxf's audit finds errors in stops the run with status 1.

The files are the same on every run: ezdxf writes its fixed dates
(1 January 2000), identifiers and version marker instead of the time of the
run and new GUIDs, so that rewriting the samples leaves the tree unchanged.
"""
import os
import sys

import ezdxf

# Before any document is made: the creation marker is written by ezdxf.new.
ezdxf.options.write_fixed_meta_data_for_testing = True


def audited(doc, path):
    doc.saveas(path)
    check = ezdxf.readfile(path).audit()
    if check.has_errors:
        sys.exit("%s: %d audit errors" % (path, len(check.errors)))
    print(path)


def cartiglio(path):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for layer in ("CARTIGLIO", "CARTIGLIO-TESTI"):
        doc.layers.add(layer)
    frame = {"layer": "CARTIGLIO"}
    msp.add_lwpolyline([(0, 0), (420, 0), (420, 297), (0, 297)], close=True, dxfattribs=frame)
    msp.add_lwpolyline([(10, 10), (410, 10), (410, 287), (10, 287)], close=True, dxfattribs=frame)
    # The title box along the lower edge, under the drawing area.
    msp.add_line((10, 60), (410, 60), dxfattribs=frame)
    for x in (170, 300, 360):
        msp.add_line((x, 10), (x, 60), dxfattribs=frame)
    labels = [((172, 52), "Progetto"), ((302, 52), "Scala"), ((362, 52), "Tavola")]
    for (x, y), text in labels:
        msp.add_text(text, dxfattribs={"layer": "CARTIGLIO-TESTI", "height": 3.5, "insert": (x, y)})
    texts = {"layer": "CARTIGLIO-TESTI", "height": 7}
    title = msp.add_attdef("TITOLO", (15, 35), "Vortana - tavole di progetto", dxfattribs=texts)
    title.dxf.flags = 2  # constant
    title.dxf.prompt = "Titolo"
    for tag, prompt, default, at in (("PROGETTO", "Progetto", "", (175, 25)), ("SCALA", "Scala", "", (305, 25)),
                                     ("TAVOLA", "Tavola", "1", (370, 25))):
        a = msp.add_attdef(tag, at, default, dxfattribs=texts)
        a.dxf.prompt = prompt
    audited(doc, path)


def nord(path):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    doc.layers.add("NORD")
    msp.add_polyline2d([(-5, 0), (5, 0), (0, 15)], close=True, dxfattribs={"layer": "NORD"})
    msp.add_text("N", dxfattribs={"layer": "NORD", "height": 6, "insert": (-2, 17)})
    audited(doc, path)


def outline(doc, msp, at, width_mm, height_mm, scale):
    """A sheet outline as the outline command makes it."""
    w, h = width_mm * scale / 1000, height_mm * scale / 1000
    for layer in ("QV_LAYOUT_CONTOUR", "QV_LAYOUT_SCALE"):
        if layer not in doc.layers:
            doc.layers.add(layer)
    block = doc.blocks.new_anonymous_block("U", base_point=(0, 0))
    block.add_polyline2d([(0, 0), (w, 0), (w, h), (0, h)], close=True, dxfattribs={"layer": "QV_LAYOUT_CONTOUR"})
    a = block.add_attdef("SCALEDISTR", (0, 0), "", dxfattribs={"layer": "QV_LAYOUT_SCALE", "height": h / 20})
    a.dxf.prompt = "Scala: "
    ref = msp.add_blockref(block.name, at, dxfattribs={"layer": "QV_LAYOUT_CONTOUR"})
    ref.add_auto_attribs({"SCALEDISTR": "%f" % scale})


def tavole(samples, path):
    doc = ezdxf.readfile(os.path.join(samples, "strade-innesto.dxf"))
    outline(doc, doc.modelspace(), (-195, -55), 400, 220, 500)
    audited(doc, path)


def main():
    samples = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    cartiglio(os.path.join(samples, "Sheetor", "Cartiglio.dwg"))
    nord(os.path.join(samples, "Sheetor", "Nord.dwg"))
    tavole(samples, os.path.join(samples, "tavole-innesto.dxf"))


if __name__ == "__main__":
    main()
