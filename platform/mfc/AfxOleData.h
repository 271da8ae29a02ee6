// Data offered for the clipboard or a drag (COleDataSource) and data read from
// them (COleDataObject), as global memory blocks by clipboard format; and the
// shared-memory file that builds such a block.
#pragma once

#include <map>

#include "WinClipboard.h"

#define DROPEFFECT_NONE 0u
#define DROPEFFECT_COPY 1u
#define DROPEFFECT_MOVE 2u
#define DROPEFFECT_LINK 4u
#define DROPEFFECT_SCROLL 0x80000000u

class COleDataSource {
public:
    COleDataSource() = default;
    virtual ~COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // The source takes the block.
    void CacheGlobalData(UINT format, HGLOBAL block);
    // Hands the data to the clipboard, which then owns this object.
    void SetClipboard();
    // Whether the process's data source is what the clipboard holds now.
    static BOOL OwnsClipboard();
    // Leaves the data on the clipboard without the source behind them.
    static void FlushClipboard();
    // A copy of the block cached for the format (the caller frees it), or null.
    HGLOBAL CopyGlobalData(UINT format) const;
    BOOL Offers(UINT format) const { return m_data.count(format) > 0; }
    // A modal drag over the queued input: each move finds the registered target
    // under the pointer (enter, over, leave), the button's release drops, Esc or
    // an input queue that runs dry cancels. The effect of the drop, or none.
    DWORD DoDragDrop(DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE);

private:
    std::map<UINT, HGLOBAL> m_data;
};

class COleDataObject {
public:
    COleDataObject() = default;
    // Reads the clipboard from now on.
    BOOL AttachClipboard();
    // Reads a data source (a drag's data) from now on; the source stays the caller's.
    void Attach(COleDataSource* source) { m_source = source; m_clipboard = false; }
    void Release() { m_source = nullptr; m_clipboard = false; }
    BOOL IsDataAvailable(UINT format) const;
    // A copy of the data in the format that the caller frees, or null.
    HGLOBAL GetGlobalData(UINT format) const;

private:
    bool m_clipboard = false;
    COleDataSource* m_source = nullptr;
};

// A file in movable global memory that grows by a given step.
class CSharedFile {
public:
    explicit CSharedFile(UINT allocFlags = GMEM_MOVEABLE, UINT growBytes = 4096)
        : m_flags(allocFlags), m_grow(growBytes ? growBytes : 1) {}
    ~CSharedFile();
    CSharedFile(const CSharedFile&) = delete;
    CSharedFile& operator=(const CSharedFile&) = delete;

    // False when the memory cannot be had.
    BOOL Write(const void* data, UINT count);
    SIZE_T GetLength() const { return m_length; }
    // The block (its size rounded up to the step); the file is empty again.
    HGLOBAL Detach();

private:
    UINT m_flags;
    UINT m_grow;
    HGLOBAL m_block = nullptr;
    SIZE_T m_length = 0;
};

class CWnd;
class CPoint;

// A window's side of drag and drop: registered for its window, it hears a
// drag enter, move over, leave and drop.
class COleDropTarget {
public:
    COleDropTarget() = default;
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    virtual BOOL Register(CWnd* wnd);
    virtual void Revoke();
    virtual DWORD OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual DWORD OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DWORD dropEffect, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);
    virtual DWORD OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point);

    // The target registered for a window, or null.
    static COleDropTarget* For(HWND hwnd);

protected:
    HWND m_hWnd = nullptr;
};
