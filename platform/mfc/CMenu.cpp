#include "CMenu.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "AfxModule.h"
#include "CWnd.h"

namespace {

struct TempMenu : CMenu {
    ~TempMenu() override { Detach(); }
};

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::LoadMenu(UINT id) { return Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id))); }

CMenu* CMenu::FromHandle(HMENU menu) {
    static std::unordered_map<HMENU, std::unique_ptr<TempMenu>> temporaries;
    if (!menu) return nullptr;
    auto& slot = temporaries[menu];
    if (!slot) {
        slot = std::make_unique<TempMenu>();
        slot->Attach(menu);
    }
    return slot.get();
}

BOOL CMenu::Attach(HMENU menu) {
    if (!menu) return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu) return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    int n = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
    std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
    int copied = ::GetMenuStringW(m_hMenu, item, buf.data(), n + 1, flags);
    text = buf.data();
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, rect);
}
