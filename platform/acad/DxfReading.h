// The two passes of a drawing's reading, for the files that share them: the
// shape of the whole file checked first, then its objects read one by one.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "DxfCursor.h"

class AcDbDatabase;

namespace vplat::dxfread {

// A whole pass over the groups, before anything is made: the file is DXF
// text from 0 SECTION to 0 EOF. Gives how many objects it holds, the groups
// of its header (their values owned: the text read is gone by then) and
// where its 0 EOF ends.
struct FileShape {
    size_t records = 0;
    std::vector<Tok> header;
    std::deque<std::string> headerValues;
    uint64_t end = 0;
};

// The first pass: the shape, or the failure naming the line.
FileShape CheckShape(const DxfSource& source);

// Reads the drawing of `source` into `db`; `sameFile`, for a file, tells once
// it is read whether the file is still the one opened. False with the
// message naming the line.
bool ReadSource(const DxfSource& source, AcDbDatabase* db, std::wstring* error, std::vector<std::wstring>* skipped,
                const std::function<bool()>& sameFile = {});

}  // namespace vplat::dxfread
