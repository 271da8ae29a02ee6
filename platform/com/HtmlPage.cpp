// A browser page over the HTML engine: layout, drawing, find and the cuts
// between printed pages. Walks over the element tree keep their own stack, so
// deeply nested pages cost no stack.
#include "HtmlPage.h"

#include <el_space.h>
#include <el_text.h>

#include <algorithm>
#include <cwctype>

#include "HostText.h"
#include "HtmlParts.h"

namespace vplat {

namespace {

litehtml::context& Context() {
    static litehtml::context* context = [] {
        auto* c = new litehtml::context();
        c->load_master_stylesheet(HtmlMasterCss());
        return c;
    }();
    return *context;
}

bool IsInline(const litehtml::element* e) {
    litehtml::style_display d = e->get_display();
    return d == litehtml::display_inline || d == litehtml::display_inline_text ||
           d == litehtml::display_inline_block;
}

// Visits every element below the root, parents first, skipping what is not shown.
template <class Visit>
void Walk(const litehtml::element::ptr& root, Visit visit) {
    if (!root) return;
    struct Frame {
        litehtml::element* e;
        size_t next;
    };
    std::vector<Frame> stack{{root.get(), 0}};
    visit(root.get(), true);
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next >= f.e->get_children_count()) {
            visit(f.e, false);
            stack.pop_back();
            continue;
        }
        litehtml::element::ptr child = f.e->get_child(static_cast<int>(f.next++));
        if (!child || child->get_display() == litehtml::display_none) continue;
        visit(child.get(), true);
        stack.push_back({child.get(), 0});
    }
}

void Collapse(const std::wstring& in, std::wstring& out) {
    for (wchar_t c : in) {
        if (std::iswspace(c)) {
            if (!out.empty() && out.back() != L' ') out.push_back(L' ');
        } else {
            out.push_back(static_cast<wchar_t>(std::towlower(c)));
        }
    }
}

size_t g_longPage = HtmlPage::kLongPage;
size_t g_partBytes = HtmlPage::kPartBytes;

}  // namespace

void HtmlPage::SetPartSizes(size_t longPage, size_t partBytes) {
    g_longPage = longPage ? longPage : kLongPage;
    g_partBytes = partBytes ? partBytes : kPartBytes;
}

std::vector<std::string> HtmlPage::Cut(const std::string& html) {
    std::vector<std::string> pages;
    if (html.size() >= g_longPage)
        for (HtmlPart& p : CutHtmlPage(html, g_partBytes)) pages.push_back(std::move(p.html));
    if (pages.size() < 2) return {html};
    return pages;
}

HtmlPage::HtmlPage(const std::string& html, bool print) : m_print(print) {
    m_container.SetViewport(0, 0, print);
    // A printed page is laid out whole, for its cuts between sheets (the
    // printing cuts a long page into parts first, with Cut).
    if (!print && html.size() >= g_longPage) {
        std::vector<HtmlPart> parts = CutHtmlPage(html, g_partBytes);
        for (HtmlPart& p : parts) {
            Part part;
            part.html = std::move(p.html);
            part.bytes = p.bytes;
            m_parts.push_back(std::move(part));
        }
        if (m_parts.size() > 1) return;
        m_parts.clear();
    }
    m_doc = litehtml::document::createFromString(html.c_str(), &m_container, &Context());
}

HtmlPage::~HtmlPage() = default;

size_t HtmlPage::BuiltParts() const {
    if (m_parts.empty()) return m_doc ? 1 : 0;
    return static_cast<size_t>(std::count_if(m_parts.begin(), m_parts.end(), [](const Part& p) { return p.doc; }));
}

void HtmlPage::BuildPart(Part& part) const {
    if (!part.doc) {
        part.doc = litehtml::document::createFromString(part.html.c_str(), &m_container, &Context());
        if (part.doc && m_width > 0) part.doc->render(m_width);
    }
    if (part.doc && m_width > 0 && !part.measured) {
        part.height = part.doc->height();
        part.measured = true;
        Place();
    }
}

void HtmlPage::Place() const {
    double height = 0, bytes = 0;
    for (const Part& p : m_parts)
        if (p.measured) height += p.height, bytes += static_cast<double>(p.bytes);
    const double perByte = bytes > 0 ? height / bytes : 0;
    int top = 0;
    for (Part& p : m_parts) {
        if (!p.measured) p.height = static_cast<int>(static_cast<double>(p.bytes) * perByte + 0.5);
        p.top = top;
        top += p.height;
    }
}

int HtmlPage::Layout(int width, int viewportHeight) {
    const bool wider = width != m_width;
    m_width = width;
    m_viewportHeight = viewportHeight;
    m_container.SetViewport(width, viewportHeight, m_print);
    if (m_doc) m_doc->render(std::max(1, width));
    if (!m_parts.empty()) {
        m_width = std::max(1, width);
        if (wider) {
            m_indexed = false;
            for (Part& p : m_parts) p.measured = false;
        }
        for (Part& p : m_parts)
            if (p.doc) {
                p.doc->render(m_width);
                p.height = p.doc->height();
                p.measured = true;
            }
        // The first part is always measured: what the page opens on is exact.
        BuildPart(m_parts.front());
        Place();
    }
    return Height();
}

int HtmlPage::Height() const {
    if (!m_parts.empty()) return m_parts.back().top + m_parts.back().height;
    return m_doc ? m_doc->height() : 0;
}

void HtmlPage::Draw(HDC hdc, int x, int y, const RECT& clip) {
    if (!m_doc && m_parts.empty()) return;
    litehtml::position c(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    m_container.SetTarget(hdc);
    m_container.SetHighlight(m_highlight, POINT{x, y});
    // The engine visits every element of the page on each drawing; the boxes
    // wholly above or below the band drawn are left out while it draws, so a
    // long page costs only what is shown.
    auto draw = [&](litehtml::document& doc, int top) {
        std::vector<litehtml::element*> hidden = HideOutside(doc, clip.top - y - top, clip.bottom - y - top);
        doc.draw(reinterpret_cast<litehtml::uint_ptr>(hdc), x, y + top, &c);
        for (litehtml::element* e : hidden) e->skip(false);
    };
    if (m_doc) {
        draw(*m_doc, 0);
    } else {
        // The parts in the band are built first (each measured moves those
        // after it), then drawn; those out of sight are dropped.
        const int bandTop = clip.top - y, bandBottom = clip.bottom - y;
        size_t first = 0, last = 0;
        for (bool settled = false; !settled;) {
            settled = true;
            first = m_parts.size(), last = 0;
            for (size_t i = 0; i < m_parts.size(); ++i) {
                const Part& p = m_parts[i];
                if (p.top + p.height <= bandTop || p.top >= bandBottom) continue;
                first = std::min(first, i), last = i;
                if (!p.doc || !p.measured) {
                    BuildPart(m_parts[i]);
                    settled = false;
                    break;
                }
            }
        }
        for (size_t i = first; i <= last && i < m_parts.size(); ++i)
            if (m_parts[i].doc) draw(*m_parts[i].doc, m_parts[i].top);
        for (size_t i = 0; i < m_parts.size(); ++i)
            if (first < m_parts.size() && (i + 1 < first || i > last + 1)) m_parts[i].doc.reset();
    }
    m_container.SetTarget(nullptr);
    RestoreDC(hdc, saved);
}

std::vector<litehtml::element*> HtmlPage::HideOutside(litehtml::document& doc, int top, int bottom) {
    std::vector<litehtml::element*> hidden;
    std::vector<litehtml::element*> open{doc.root().get()};
    while (!open.empty()) {
        litehtml::element* e = open.back();
        open.pop_back();
        for (size_t i = 0; i < e->get_children_count(); ++i) {
            litehtml::element::ptr child = e->get_child(static_cast<int>(i));
            if (!child || !child->is_visible()) continue;
            // Only boxes in the normal flow hold their content inside them.
            bool block = !IsInline(child.get()) && child->in_normal_flow();
            if (block && child->get_float() == litehtml::float_none) {
                litehtml::position p = child->get_placement();
                int boxTop = p.top() - child->content_margins_top();
                int boxBottom = p.bottom() + child->content_margins_bottom();
                if (boxBottom <= top || boxTop >= bottom) {
                    child->skip(true);
                    hidden.push_back(child.get());
                    continue;
                }
            }
            if (child->get_children_count() > 0) open.push_back(child.get());
        }
    }
    return hidden;
}

void HtmlPage::IndexDocument(litehtml::document& doc, size_t part) const {
    Walk(doc.root(), [&](litehtml::element* e, bool entering) {
        // Block boundaries separate words.
        if (!IsInline(e) && !m_text.empty() && m_text.back() != L' ') m_text.push_back(L' ');
        if (!entering || !dynamic_cast<litehtml::el_text*>(e)) return;
        litehtml::tstring t;
        e->get_text(t);
        size_t start = m_text.size();
        Collapse(Utf8ToWide(t), m_text);
        if (m_text.size() > start && !dynamic_cast<litehtml::el_space*>(e)) {
            // A part may be dropped: its words keep their boxes, not the elements.
            if (m_parts.empty()) m_pieces.push_back({start, m_text.size(), e, 0, {}});
            else m_pieces.push_back({start, m_text.size(), nullptr, part, e->get_placement()});
        }
    });
}

void HtmlPage::IndexText() const {
    if (m_indexed) return;
    m_indexed = true;
    m_text.clear();
    m_pieces.clear();
    if (m_doc) IndexDocument(*m_doc, 0);
    // Each part not built is built for its text, and dropped again.
    for (size_t i = 0; i < m_parts.size(); ++i) {
        Part& p = m_parts[i];
        const bool built = p.doc != nullptr;
        BuildPart(p);
        if (p.doc) IndexDocument(*p.doc, i);
        if (!built) p.doc.reset();
    }
}

const std::wstring& HtmlPage::SearchText() const {
    IndexText();
    return m_text;
}

int HtmlPage::Find(const std::wstring& text, RECT* firstBox) {
    IndexText();
    m_highlight.clear();
    std::wstring needle;
    Collapse(text, needle);
    while (!needle.empty() && needle.back() == L' ') needle.pop_back();
    if (!needle.empty() && needle.front() == L' ') needle.erase(0, 1);
    if (needle.empty()) return 0;
    int count = 0;
    size_t first = std::wstring::npos;
    for (size_t at = m_text.find(needle); at != std::wstring::npos; at = m_text.find(needle, at + needle.size())) {
        if (count++ == 0) first = at;
    }
    if (count == 0) return 0;
    RECT box{0, 0, 0, 0};
    bool any = false;
    for (const Piece& p : m_pieces) {
        if (p.end <= first || p.start >= first + needle.size()) continue;
        litehtml::position pos = p.element ? p.element->get_placement() : p.box;
        if (!p.element) pos.y += m_parts[p.part].top;
        m_highlight.push_back(pos);
        RECT r{pos.left(), pos.top(), pos.right(), pos.bottom()};
        if (!any) box = r;
        UnionRect(&box, &box, &r);
        any = true;
    }
    if (firstBox) *firstBox = box;
    return count;
}

std::vector<std::pair<int, int>> HtmlPage::Slices(int pageHeight) const {
    std::vector<std::pair<int, int>> slices;
    int height = Height();
    // Nothing to cut: one page, blank or short.
    if (!m_doc || height <= 0 || pageHeight <= 0) return {{0, std::max(0, height)}};
    // Spans a cut may not go through (table rows, words), and the forced breaks.
    std::vector<std::pair<int, int>> spans;
    std::vector<int> breaks;
    Walk(m_doc->root(), [&](litehtml::element* e, bool entering) {
        if (!entering) return;
        bool word = dynamic_cast<litehtml::el_text*>(e) && !dynamic_cast<litehtml::el_space*>(e);
        if (word || e->get_display() == litehtml::display_table_row) {
            litehtml::position p = e->get_placement();
            if (p.height > 0) spans.push_back({p.top(), p.bottom()});
        }
        const char* brk = e->get_style_property("page-break-before", false, nullptr);
        if (brk && std::string(brk) == "always") {
            litehtml::position p = e->get_placement();
            breaks.push_back(p.top() - e->padding_top() - e->border_top() - e->margin_top());
        }
    });
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& s : spans) {
        if (!merged.empty() && s.first < merged.back().second)
            merged.back().second = std::max(merged.back().second, s.second);
        else
            merged.push_back(s);
    }
    std::sort(breaks.begin(), breaks.end());
    int top = 0;
    while (top < height) {
        int limit = std::min(height, top + pageHeight);
        int cut = limit;
        auto forced = std::upper_bound(breaks.begin(), breaks.end(), top);
        if (forced != breaks.end() && *forced < limit) {
            cut = *forced;
        } else if (limit < height) {
            // The span holding the limit inside it moves whole to the next page,
            // unless it is taller than a page.
            auto it = std::upper_bound(merged.begin(), merged.end(), std::make_pair(limit, INT32_MAX));
            if (it != merged.begin()) {
                --it;
                if (it->first < limit && limit < it->second && it->first > top) cut = it->first;
            }
        }
        slices.push_back({top, cut});
        top = cut;
    }
    return slices;
}

}  // namespace vplat
