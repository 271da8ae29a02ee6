// The first pass of a drawing's reading: the file is DXF text from 0 SECTION
// to 0 EOF, every section named, and no group is malformed in its syntax.
#include "DxfReading.h"

namespace vplat::dxfread {

FileShape CheckShape(const DxfSource& source) {
    TagCursor cursor(source, false);
    FileShape shape;
    Tok t{}, first{};
    std::string firstValue;
    bool any = false, inHeader = false;
    int sectionAt = 0;  // the line of a 0 SECTION whose name is still to come
    while (cursor.Next(t)) {
        if (!any) {
            firstValue = t.value;
            first = {t.code, t.line, firstValue};
        }
        any = true;
        // A section is known by its name alone: without one, all it holds would be lost.
        if (sectionAt && (t.code != 2 || Trim(t.value).empty()))
            Fail(sectionAt, L"a SECTION without its name: 0 SECTION must be followed by group 2 and the name");
        sectionAt = 0;
        if (t.code == 0) {
            ++shape.records;
            inHeader = Trim(t.value) == "SECTION";
            if (inHeader) sectionAt = t.line;
        } else if (inHeader && shape.header.back().code == 0 && Trim(t.value) != "HEADER") {
            // A section is the header when its first group names it so.
            shape.header.pop_back();
            shape.headerValues.pop_back();
            inHeader = false;
            continue;
        }
        if (inHeader) shape.header.push_back({t.code, t.line, shape.headerValues.emplace_back(t.value)});
    }
    if (!any) Fail(1, L"not a DXF file: it is empty");
    if (first.code != 0 || Trim(first.value) != "SECTION")
        Fail(first.line, L"not a DXF file: expected 0 SECTION, found " + Quote(first.value));
    if (!cursor.Done()) Fail(cursor.Line(), L"the file ends before 0 EOF: truncated");
    shape.end = cursor.Offset();
    return shape;
}

}  // namespace vplat::dxfread
