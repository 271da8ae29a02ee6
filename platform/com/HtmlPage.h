// One page of the browser: the HTML text parsed, laid out for a width, drawn
// on a device context, searched, and cut into printed pages. A long page on
// the screen is made of parts, each an engine page of its own, built when it
// is first drawn or searched and dropped again when it is out of sight: the
// page costs what is looked at, not what it holds.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "HtmlContainer.h"

namespace vplat {

class HtmlPage {
public:
    // print: laid out with the print media's rules.
    HtmlPage(const std::string& html, bool print);
    ~HtmlPage();
    HtmlPage(const HtmlPage&) = delete;
    HtmlPage& operator=(const HtmlPage&) = delete;

    // Lays the page out for a viewport; answers the page's height.
    int Layout(int width, int viewportHeight);
    int Height() const;
    int Width() const { return m_width; }
    // Images and style sheets the page asked for; none is ever fetched.
    int RefusedLoads() const { return m_container.RefusedLoads(); }

    // Draws the page with its top-left corner at (x, y) of the context; only
    // what falls in clip (context coordinates) is drawn.
    void Draw(HDC hdc, int x, int y, const RECT& clip);

    // Matches of a text in the page's text, case ignored and runs of white
    // space taken as one blank. The first match is highlighted and its box
    // (page coordinates) given; no match clears the highlight.
    int Find(const std::wstring& text, RECT* firstBox);

    // The page cut into printed pages of at most pageHeight pixels: each
    // slice [top, bottom) ends between table rows and lines of text, and a
    // block that asks for a page break before it starts a new slice. An
    // empty page is one slice.
    std::vector<std::pair<int, int>> Slices(int pageHeight) const;

    // The page's text as find sees it (lower case, white space collapsed).
    const std::wstring& SearchText() const;

    // A page of at least kLongPage bytes of HTML is shown in parts of about
    // kPartBytes; for tests only, other sizes (0, 0: these).
    static constexpr size_t kLongPage = size_t(1) << 20;
    static constexpr size_t kPartBytes = size_t(256) << 10;
    static void SetPartSizes(size_t longPage, size_t partBytes);
    // The pages a page is shown or printed in: its parts when it is long,
    // else the page itself.
    static std::vector<std::string> Cut(const std::string& html);
    // How many parts the page has (1 for a page built whole), and how many are built now.
    size_t Parts() const { return m_parts.empty() ? 1 : m_parts.size(); }
    size_t BuiltParts() const;

private:
    struct Piece {
        size_t start;
        size_t end;
        litehtml::element* element;  // of a page built whole
        size_t part;                 // of a page in parts: the part, and the box in it
        litehtml::position box;
    };
    struct Part {
        std::string html;
        size_t bytes = 0;
        std::shared_ptr<litehtml::document> doc;
        int height = 0;
        bool measured = false;  // height is the part's own at the page's width
        int top = 0;
    };
    void BuildPart(Part& part) const;
    // Heights of the parts not measured estimated from those measured; tops.
    void Place() const;
    void IndexDocument(litehtml::document& doc, size_t part) const;
    void IndexText() const;
    // Marks the blocks wholly outside a band of the page (page coordinates)
    // to be skipped; the caller clears the marks.
    static std::vector<litehtml::element*> HideOutside(litehtml::document& doc, int top, int bottom);

    mutable HtmlContainer m_container;  // a search builds parts too
    std::shared_ptr<litehtml::document> m_doc;
    mutable std::vector<Part> m_parts;  // a long page: its parts, m_doc null
    int m_width = 0;
    int m_viewportHeight = 0;
    bool m_print = false;
    mutable bool m_indexed = false;
    mutable std::wstring m_text;
    mutable std::vector<Piece> m_pieces;
    std::vector<litehtml::position> m_highlight;
};

}  // namespace vplat
