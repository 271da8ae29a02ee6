// One page of the browser: the HTML text parsed, laid out for a width, drawn
// on a device context, searched, and cut into printed pages.
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

private:
    struct Piece {
        size_t start;
        size_t end;
        litehtml::element* element;
    };
    void IndexText() const;
    // Marks the blocks wholly outside a band of the page (page coordinates)
    // to be skipped; the caller clears the marks.
    std::vector<litehtml::element*> HideOutside(int top, int bottom);

    HtmlContainer m_container;
    std::shared_ptr<litehtml::document> m_doc;
    int m_width = 0;
    bool m_print = false;
    mutable bool m_indexed = false;
    mutable std::wstring m_text;
    mutable std::vector<Piece> m_pieces;
    std::vector<litehtml::position> m_highlight;
};

}  // namespace vplat
