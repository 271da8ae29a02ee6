// XSL views of an XML file, for the browser control: the stylesheet is the one
// the file's xml-stylesheet instruction names, relative to the file. A
// transform may not read or write other files, create folders or reach the
// network.
#pragma once

#include <string>

namespace vplat {

struct XslResult {
    bool ok = false;
    std::string html;    // UTF-8, as the stylesheet's output method writes it
    std::wstring error;  // why it failed
};

class XslView {
public:
    static XslResult Transform(const std::wstring& xmlPath);
};

}  // namespace vplat
