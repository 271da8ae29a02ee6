// The page's document container over GDI and the text metric model.
#include "HtmlContainer.h"

#include <algorithm>
#include <cwctype>

#include "HostText.h"
#include "WinUser.h"

namespace vplat {

namespace {

COLORREF Colour(const litehtml::web_color& c) { return RGB(c.red, c.green, c.blue); }

void Fill(HDC hdc, int left, int top, int right, int bottom, COLORREF colour) {
    if (right <= left || bottom <= top) return;
    RECT r{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

// The first family of a font-family list, without quotes.
std::wstring FirstFamily(const char* list) {
    std::string s = list ? list : "";
    s = s.substr(0, s.find(','));
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    s.erase(std::remove(s.begin(), s.end(), '\''), s.end());
    size_t a = s.find_first_not_of(" \t");
    size_t b = s.find_last_not_of(" \t");
    return Utf8ToWide(a == std::string::npos ? std::string() : s.substr(a, b - a + 1));
}

}  // namespace

// What the engine applies to every page before the page's own rules: the
// display of each element the pages use, and the usual spacing of headings,
// paragraphs and tables.
const char* HtmlMasterCss() {
    return R"(
html, address, blockquote, body, dd, div, dl, dt, fieldset, form, frame, frameset, h1, h2, h3, h4, h5, h6,
noframes, ol, p, ul, center, dir, hr, menu, pre, header, footer, section, article, nav, main { display: block; }
head, style, script, title, meta, link, base, noscript, template { display: none; }
li { display: list-item; }
table { display: table; border-spacing: 2px; border-collapse: separate; }
thead { display: table-header-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-footer-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
th { font-weight: bold; text-align: center; }
caption { display: table-caption; text-align: center; }
body { margin: 8px; }
h1 { font-size: 2em; margin: .67em 0; font-weight: bold; }
h2 { font-size: 1.5em; margin: .75em 0; font-weight: bold; }
h3 { font-size: 1.17em; margin: .83em 0; font-weight: bold; }
h4, p, blockquote, ul, ol, dl { margin: 1em 0; }
h5 { font-size: .83em; margin: 1.5em 0; font-weight: bold; }
h6 { font-size: .75em; margin: 1.67em 0; font-weight: bold; }
h4 { font-weight: bold; }
b, strong { font-weight: bold; }
i, em, cite, var, address { font-style: italic; }
pre, code, tt, kbd, samp { font-family: monospace; }
pre { white-space: pre; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
ol, ul { padding-left: 40px; }
ol { list-style-type: decimal; }
ul { list-style-type: disc; }
hr { border: 1px inset; margin: .5em 0; }
center { text-align: center; }
br { display: block; }
)";
}

HtmlContainer::HtmlContainer() = default;

HtmlContainer::~HtmlContainer() {
    for (auto& f : m_fonts) DeleteObject(f->handle);
}

void HtmlContainer::SetViewport(int width, int height, bool print) {
    m_width = width;
    m_height = height;
    m_print = print;
}

void HtmlContainer::SetHighlight(std::vector<litehtml::position> boxes, POINT offset) {
    m_highlight.clear();
    for (const auto& b : boxes) m_highlight.insert({b.x + offset.x, b.y + offset.y});
}

HDC HtmlContainer::Dc(litehtml::uint_ptr hdc) const { return hdc ? reinterpret_cast<HDC>(hdc) : m_hdc; }

litehtml::uint_ptr HtmlContainer::create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                              litehtml::font_style italic, unsigned int decoration,
                                              litehtml::font_metrics* fm) {
    auto f = std::make_unique<Font>();
    LOGFONTW& lf = f->logfont;
    lf.lfHeight = -std::max(1, size);
    lf.lfWeight = weight;
    lf.lfItalic = italic == litehtml::fontStyleItalic;
    lf.lfUnderline = (decoration & litehtml::font_decoration_underline) != 0;
    lf.lfStrikeOut = (decoration & litehtml::font_decoration_linethrough) != 0;
    std::wstring face = FirstFamily(faceName).substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    f->handle = CreateFontIndirectW(&lf);
    if (fm) {
        TEXTMETRICW tm = TextMetrics::Metrics(lf);
        fm->height = tm.tmHeight;
        fm->ascent = tm.tmAscent;
        fm->descent = tm.tmDescent;
        fm->x_height = TextMetrics::EmOf(lf.lfHeight) / 2;
        fm->draw_spaces = lf.lfUnderline || lf.lfStrikeOut;
    }
    m_fonts.push_back(std::move(f));
    return reinterpret_cast<litehtml::uint_ptr>(m_fonts.back().get());
}

void HtmlContainer::delete_font(litehtml::uint_ptr font) {
    auto it = std::find_if(m_fonts.begin(), m_fonts.end(),
                           [&](const auto& f) { return reinterpret_cast<litehtml::uint_ptr>(f.get()) == font; });
    if (it == m_fonts.end()) return;
    DeleteObject((*it)->handle);
    m_fonts.erase(it);
}

int HtmlContainer::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) {
    const Font* f = reinterpret_cast<const Font*>(font);
    if (!f || !text) return 0;
    return TextMetrics::Extent(Utf8ToWide(text), f->logfont).cx;
}

void HtmlContainer::draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr font,
                              litehtml::web_color color, const litehtml::position& pos) {
    const Font* f = reinterpret_cast<const Font*>(font);
    HDC dc = Dc(hdc);
    if (!f || !text || !dc) return;
    std::wstring w = Utf8ToWide(text);
    COLORREF ink = Colour(color);
    if (m_highlight.count({pos.x, pos.y})) {
        Fill(dc, pos.left(), pos.top(), pos.right(), pos.bottom(), GetSysColor(COLOR_HIGHLIGHT));
        ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    HGDIOBJ old = SelectObject(dc, f->handle);
    SetTextColor(dc, ink);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, pos.x, pos.y, w.c_str(), static_cast<int>(w.size()));
    SelectObject(dc, old);
}

int HtmlContainer::pt_to_px(int pt) const { return MulDiv(pt, 96, 72); }

int HtmlContainer::get_default_font_size() const { return 16; }

const litehtml::tchar_t* HtmlContainer::get_default_font_name() const { return "Times New Roman"; }

void HtmlContainer::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) {
    HDC dc = Dc(hdc);
    const litehtml::position& p = marker.pos;
    COLORREF c = Colour(marker.color);
    if (marker.marker_type == litehtml::list_style_type_square) {
        Fill(dc, p.left(), p.top(), p.right(), p.bottom(), c);
    } else if (marker.marker_type == litehtml::list_style_type_disc ||
               marker.marker_type == litehtml::list_style_type_circle) {
        HBRUSH brush = marker.marker_type == litehtml::list_style_type_disc
                           ? CreateSolidBrush(c)
                           : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        HPEN pen = CreatePen(PS_SOLID, 1, c);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Ellipse(dc, p.left(), p.top(), p.right(), p.bottom());
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        DeleteObject(brush);
    }
}

void HtmlContainer::load_image(const litehtml::tchar_t*, const litehtml::tchar_t*, bool) { ++m_refused; }

void HtmlContainer::get_image_size(const litehtml::tchar_t*, const litehtml::tchar_t*, litehtml::size& sz) {
    sz.width = sz.height = 0;
}

void HtmlContainer::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) {
    if (bg.color.alpha == 0) return;
    const litehtml::position& b = bg.clip_box;
    Fill(Dc(hdc), b.left(), b.top(), b.right(), b.bottom(), Colour(bg.color));
}

void HtmlContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                                 const litehtml::position& p, bool) {
    HDC dc = Dc(hdc);
    auto visible = [](const litehtml::border& b) {
        return b.width > 0 && b.style != litehtml::border_style_none && b.style != litehtml::border_style_hidden;
    };
    if (visible(borders.top)) Fill(dc, p.left(), p.top(), p.right(), p.top() + borders.top.width, Colour(borders.top.color));
    if (visible(borders.bottom))
        Fill(dc, p.left(), p.bottom() - borders.bottom.width, p.right(), p.bottom(), Colour(borders.bottom.color));
    if (visible(borders.left))
        Fill(dc, p.left(), p.top(), p.left() + borders.left.width, p.bottom(), Colour(borders.left.color));
    if (visible(borders.right))
        Fill(dc, p.right() - borders.right.width, p.top(), p.right(), p.bottom(), Colour(borders.right.color));
}

void HtmlContainer::set_caption(const litehtml::tchar_t*) {}
void HtmlContainer::set_base_url(const litehtml::tchar_t*) {}
void HtmlContainer::link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) {}
void HtmlContainer::on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) {}
void HtmlContainer::set_cursor(const litehtml::tchar_t*) {}

void HtmlContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
    if (tt != litehtml::text_transform_uppercase && tt != litehtml::text_transform_lowercase &&
        tt != litehtml::text_transform_capitalize)
        return;
    std::wstring w = Utf8ToWide(text);
    for (size_t i = 0; i < w.size(); ++i) {
        bool first = i == 0 || std::iswspace(w[i - 1]);
        if (tt == litehtml::text_transform_uppercase || (tt == litehtml::text_transform_capitalize && first))
            w[i] = static_cast<wchar_t>(std::towupper(w[i]));
        else if (tt == litehtml::text_transform_lowercase)
            w[i] = static_cast<wchar_t>(std::towlower(w[i]));
    }
    text = WideToUtf8(w);
}

void HtmlContainer::import_css(litehtml::tstring& text, const litehtml::tstring&, litehtml::tstring&) {
    text.clear();
    ++m_refused;
}

void HtmlContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool, bool) {
    if (!m_hdc) return;
    m_clips.push_back(SaveDC(m_hdc));
    IntersectClipRect(m_hdc, pos.left(), pos.top(), pos.right(), pos.bottom());
}

void HtmlContainer::del_clip() {
    if (!m_hdc || m_clips.empty()) return;
    RestoreDC(m_hdc, m_clips.back());
    m_clips.pop_back();
}

void HtmlContainer::get_client_rect(litehtml::position& client) const {
    client = litehtml::position(0, 0, m_width, m_height);
}

std::shared_ptr<litehtml::element> HtmlContainer::create_element(const litehtml::tchar_t*, const litehtml::string_map&,
                                                                 const std::shared_ptr<litehtml::document>&) {
    return nullptr;
}

void HtmlContainer::get_media_features(litehtml::media_features& media) const {
    media.type = m_print ? litehtml::media_type_print : litehtml::media_type_screen;
    media.width = m_width;
    media.height = m_height;
    media.device_width = m_print ? 794 : 1920;
    media.device_height = m_print ? 1123 : 1080;
    media.color = 8;
    media.color_index = 0;
    media.monochrome = 0;
    media.resolution = 96;
}

void HtmlContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
    language = "it";
    culture = "";
}

}  // namespace vplat
