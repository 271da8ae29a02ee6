// A drawing as JSON, for tests and tools: every entity with its handle, kind,
// layer, owner block, groups and extended data; the symbol tables; layouts.
#pragma once

#include <string>

class AcDbDatabase;

namespace vplat {
std::string DumpDrawingJson(const AcDbDatabase* db);
bool DumpDrawingFile(const std::string& path, const AcDbDatabase* db, std::wstring* error);
}  // namespace vplat
