// The page count of a PDF file, read from its page tree.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "FileBytes.h"

namespace test_files {

// The /Count of the first page-tree node; -1 when the file is no PDF or
// declares none.
inline int PdfPageCount(const std::filesystem::path& file) {
    const std::string pdf = ReadFile(file);
    if (pdf.rfind("%PDF-", 0) != 0) return -1;
    const std::string node = "/Type /Pages";
    for (size_t at = pdf.find(node); at != std::string::npos; at = pdf.find(node, at + 1)) {
        const size_t end = pdf.find('>', at);
        const size_t count = pdf.find("/Count ", at);
        if (count != std::string::npos && (end == std::string::npos || count < end))
            return std::atoi(pdf.c_str() + count + 7);
    }
    return -1;
}

}  // namespace test_files
