// The document container through which the HTML engine lays out and paints a
// page: fonts and text widths come from the fixed text metric model, drawing
// goes through GDI onto whatever device context the page is drawn on (a
// window's or a printer's). Nothing is ever fetched: images, style sheets and
// links are refused.
#pragma once

#include <litehtml.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "WinGdi.h"

namespace vplat {

class HtmlContainer : public litehtml::document_container {
public:
    HtmlContainer();
    virtual ~HtmlContainer();

    // The viewport the page is laid out for, and whether it is printed.
    void SetViewport(int width, int height, bool print);
    // The device context the next drawing goes to.
    void SetTarget(HDC hdc) { m_hdc = hdc; }
    // Words placed at these boxes (page coordinates) are shown highlighted
    // when the page is drawn with this offset.
    void SetHighlight(std::vector<litehtml::position> boxes, POINT offset);

    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr font) override;
    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) override;
    void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr font,
                   litehtml::web_color color, const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const litehtml::tchar_t* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool redraw_on_ready) override;
    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, litehtml::size& sz) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& draw_pos,
                      bool root) override;
    void set_caption(const litehtml::tchar_t* caption) override;
    void set_base_url(const litehtml::tchar_t* base_url) override;
    void link(const std::shared_ptr<litehtml::document>& doc, const litehtml::element::ptr& el) override;
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
    void set_cursor(const litehtml::tchar_t* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& bdr_radius, bool valid_x,
                  bool valid_y) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element> create_element(const litehtml::tchar_t* tag_name,
                                                      const litehtml::string_map& attributes,
                                                      const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;

    // Requests for outside resources the container refused (images, style sheets).
    int RefusedLoads() const { return m_refused; }

private:
    struct Font {
        HFONT handle = nullptr;
        LOGFONTW logfont{};
    };
    HDC Dc(litehtml::uint_ptr hdc) const;

    HDC m_hdc = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_print = false;
    int m_refused = 0;
    std::vector<int> m_clips;  // saved states of the device context
    std::set<std::pair<int, int>> m_highlight;
    std::vector<std::unique_ptr<Font>> m_fonts;
};

// The rules every page starts from (the user agent's style sheet).
const char* HtmlMasterCss();

}  // namespace vplat
