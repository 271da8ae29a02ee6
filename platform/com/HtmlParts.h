// A long HTML page cut into parts at its body's top-level children, each part
// a whole page of its own (the head, then some of the children), so that the
// engine builds only the parts that are looked at.
#pragma once

#include <string>
#include <vector>

namespace vplat {

struct HtmlPart {
    std::string html;  // a whole page
    size_t bytes = 0;  // of the body's content it holds
};

// The parts of at least `partBytes` of content each (the last one may be
// less); one part, the page as it is, when the page cannot be cut (no body,
// a body of one child, a page that does not parse).
std::vector<HtmlPart> CutHtmlPage(const std::string& html, size_t partBytes);

}  // namespace vplat
