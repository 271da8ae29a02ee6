#include "AfxOleData.h"

#include <cstring>

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
