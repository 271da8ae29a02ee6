// The drawing's files: the project's own DXF tag reader and writer.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class AcDbDatabase;

namespace vplat {

// Reads a DXF file into an empty database (no default drawing). False with a
// message that names the line for a file that is not DXF, is truncated or
// holds a malformed value. Entities of kinds the database does not keep are
// skipped and listed in `skipped` ("KIND xN").
bool ReadDxfFile(const std::string& path, AcDbDatabase* db, std::wstring* error,
                 std::vector<std::wstring>* skipped = nullptr);
bool ReadDxfText(const std::string& text, AcDbDatabase* db, std::wstring* error,
                 std::vector<std::wstring>* skipped = nullptr);
// For tests only: the size of the pieces a file is read in (0: the usual
// megabyte), and a call made between the two passes of every read (there a
// test changes the file being read).
void SetDxfReadPieceSize(size_t bytes);
void SetDxfReadBetweenPasses(std::function<void()> call);
// Writes the drawing as DXF (UTF-8, release 2007 tags).
bool WriteDxfFile(const std::string& path, const AcDbDatabase* db, std::wstring* error);
std::string WriteDxfText(const AcDbDatabase* db);

// The message of the last failed dxfIn / dxfOut, for the host to show.
void SetLastDxfError(const std::wstring& error);
const std::wstring& LastDxfError();
// What the last successful dxfIn skipped.
const std::vector<std::wstring>& LastDxfSkipped();
// What the last successful read repaired ("line N: ..."), for the transcript.
const std::vector<std::wstring>& LastDxfRepairs();

}  // namespace vplat
