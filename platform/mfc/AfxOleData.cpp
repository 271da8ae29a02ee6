#include "AfxOleData.h"

#include <cstring>

#include "CRect.h"
#include "CWnd.h"

namespace {

// The source whose data the clipboard holds, and the block it put there.
COleDataSource*& ClipboardSource() {
    static COleDataSource* source = nullptr;
    return source;
}
HGLOBAL& ClipboardBlock() {
    static HGLOBAL block = nullptr;
    return block;
}

HGLOBAL CopyBlock(HGLOBAL block) {
    SIZE_T size = GlobalSize(block);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    if (size) std::memcpy(GlobalLock(copy), GlobalLock(block), size);
    GlobalUnlock(block);
    GlobalUnlock(copy);
    return copy;
}

}  // namespace

COleDataSource::~COleDataSource() {
    for (auto& [format, block] : m_data) GlobalFree(block);
    if (ClipboardSource() == this) ClipboardSource() = nullptr;
}

void COleDataSource::CacheGlobalData(UINT format, HGLOBAL block) {
    auto it = m_data.find(format);
    if (it != m_data.end()) GlobalFree(it->second);
    m_data[format] = block;
}

HGLOBAL COleDataSource::CopyGlobalData(UINT format) const {
    auto it = m_data.find(format);
    return it == m_data.end() ? nullptr : CopyBlock(it->second);
}

void COleDataSource::SetClipboard() {
    if (!OpenClipboard(nullptr)) {
        delete this;
        return;
    }
    EmptyClipboard();
    HGLOBAL last = nullptr;
    for (auto& [format, block] : m_data) last = SetClipboardData(format, CopyBlock(block));
    CloseClipboard();
    delete ClipboardSource();
    ClipboardSource() = this;
    ClipboardBlock() = last;
}

BOOL COleDataSource::OwnsClipboard() {
    if (!ClipboardSource() || !OpenClipboard(nullptr)) return FALSE;
    bool owns = false;
    for (UINT format : {CF_TEXT, CF_UNICODETEXT})
        if (IsClipboardFormatAvailable(format) && GetClipboardData(format) == ClipboardBlock()) owns = true;
    CloseClipboard();
    return owns;
}

void COleDataSource::FlushClipboard() {
    delete ClipboardSource();
    ClipboardSource() = nullptr;
    ClipboardBlock() = nullptr;
}

BOOL COleDataObject::AttachClipboard() {
    m_source = nullptr;
    m_clipboard = true;
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(UINT format) const {
    if (m_source) return m_source->Offers(format);
    return m_clipboard && IsClipboardFormatAvailable(format);
}

HGLOBAL COleDataObject::GetGlobalData(UINT format) const {
    if (m_source) return m_source->CopyGlobalData(format);
    if (!m_clipboard || !OpenClipboard(nullptr)) return nullptr;
    HGLOBAL block = GetClipboardData(format);
    HGLOBAL copy = block ? CopyBlock(block) : nullptr;
    CloseClipboard();
    return copy;
}

CSharedFile::~CSharedFile() {
    if (m_block) GlobalFree(m_block);
}

BOOL CSharedFile::Write(const void* data, UINT count) {
    SIZE_T need = m_length + count;
    if (!m_block || need > GlobalSize(m_block)) {
        SIZE_T size = (need + m_grow - 1) / m_grow * m_grow;
        HGLOBAL grown = m_block ? GlobalReAlloc(m_block, size, m_flags) : GlobalAlloc(m_flags, size);
        if (!grown) return FALSE;
        m_block = grown;
    }
    if (count) {
        std::memcpy(static_cast<char*>(GlobalLock(m_block)) + m_length, data, count);
        GlobalUnlock(m_block);
    }
    m_length = need;
    return TRUE;
}

HGLOBAL CSharedFile::Detach() {
    HGLOBAL block = m_block;
    m_block = nullptr;
    m_length = 0;
    return block;
}

namespace {

std::map<HWND, COleDropTarget*>& Targets() {
    static std::map<HWND, COleDropTarget*> targets;
    return targets;
}

}  // namespace

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* wnd) {
    if (!wnd || !wnd->GetSafeHwnd() || Targets().count(wnd->m_hWnd)) return FALSE;
    m_hWnd = wnd->m_hWnd;
    Targets()[m_hWnd] = this;
    return TRUE;
}

void COleDropTarget::Revoke() {
    auto it = Targets().find(m_hWnd);
    if (it != Targets().end() && it->second == this) Targets().erase(it);
    m_hWnd = nullptr;
}

COleDropTarget* COleDropTarget::For(HWND hwnd) {
    auto it = Targets().find(hwnd);
    return it == Targets().end() ? nullptr : it->second;
}

DWORD COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DWORD COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DWORD, CPoint) { return FALSE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
DWORD COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DWORD COleDataSource::DoDragDrop(DWORD allowed) {
    COleDataObject data;
    data.Attach(this);
    HWND over = nullptr;
    DWORD effect = DROPEFFECT_NONE;
    auto leave = [&] {
        if (COleDropTarget* t = over ? COleDropTarget::For(over) : nullptr) t->OnDragLeave(CWnd::FromHandle(over));
        over = nullptr;
    };
    auto keys = [] {
        DWORD k = MK_LBUTTON;
        if (GetKeyState(VK_CONTROL) < 0) k |= MK_CONTROL;
        if (GetKeyState(VK_SHIFT) < 0) k |= MK_SHIFT;
        return k;
    };
    // The target under the pointer: the window there or the nearest parent registered.
    auto targetAt = [](POINT screen) {
        for (HWND h = WindowFromPoint(screen); h; h = GetParent(h))
            if (COleDropTarget::For(h)) return h;
        return static_cast<HWND>(nullptr);
    };
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        POINT screen;
        GetCursorPos(&screen);
        HWND now = targetAt(screen);
        POINT client = screen;
        if (now) ScreenToClient(now, &client);
        if (now != over) {
            leave();
            over = now;
            effect = now ? COleDropTarget::For(now)->OnDragEnter(CWnd::FromHandle(now), &data, keys(), CPoint(client))
                         : DROPEFFECT_NONE;
        } else if (now) {
            effect = COleDropTarget::For(now)->OnDragOver(CWnd::FromHandle(now), &data, keys(), CPoint(client));
        }
        effect &= allowed;
        if (msg.message == WM_LBUTTONUP) {
            if (!now || effect == DROPEFFECT_NONE) break;
            COleDropTarget* target = COleDropTarget::For(now);
            over = nullptr;
            ReleaseCapture();
            return target->OnDrop(CWnd::FromHandle(now), &data, effect, CPoint(client)) ? effect : DROPEFFECT_NONE;
        }
    }
    leave();
    ReleaseCapture();
    return DROPEFFECT_NONE;
}
