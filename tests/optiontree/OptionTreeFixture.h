// A frame holding an option tree of 263 x 344 client pixels with its
// description pane: rows view 263 x 294, divider 150, rows 21 high. The frame
// is the notification target: it records every notification and answers the
// vetoes a test asks for.
#pragma once

#include <map>
#include <vector>

#include "../ui/UiFixture.h"
#include "CMyOptionTreeItemSpinnerDec.h"
#include "COptionTree.h"

struct Notification {
    int code;
    COptionTreeItem* item;
    bool operator==(const Notification& o) const { return code == o.code && item == o.item; }
};

inline std::vector<Notification> g_notifications;
inline std::map<int, LRESULT> g_vetoes;

inline LRESULT CALLBACK TreeFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* nm = reinterpret_cast<NMOPTIONTREE*>(lParam);
        int code = static_cast<int>(nm->hdr.code);
        g_notifications.push_back({code, nm->otiItem});
        auto it = g_vetoes.find(code);
        return it == g_vetoes.end() ? 0 : it->second;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class OptionTreeFixture : public UiFixture {
protected:
    static constexpr DWORD kOptions = OTS_INFOPANE | OTS_NOTIFY;

    void SetUp() override {
        UiFixture::SetUp();
        g_notifications.clear();
        g_vetoes.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = TreeFrameProc;
        wc.lpszClassName = L"TreeFrame";
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        frame = Keep(CreateWindowExW(0, L"TreeFrame", L"frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 400, nullptr,
                                     nullptr, nullptr, nullptr));
    }
    void TearDown() override {
        if (tree) {
            if (tree->m_hWnd) tree->DestroyWindow();
            delete tree;
            tree = nullptr;
        }
        UiFixture::TearDown();
    }

    // The tree, with one group and a row for each label under it.
    void Build(const std::vector<const wchar_t*>& labels, DWORD options = kOptions, bool spinners = false) {
        tree = new COptionTree;
        ASSERT_TRUE(tree->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 263, 344), CWnd::FromHandle(frame), options, 7013));
        tree->SetNotify((options & OTS_NOTIFY) != 0, CWnd::FromHandle(frame));
        group = tree->InsertItem(new COptionTreeItem);
        group->SetLabel(L"Gruppo");
        rows.clear();
        for (const wchar_t* label : labels) {
            COptionTreeItem* row = spinners ? new CMyOptionTreeItemSpinnerDec : new COptionTreeItem;
            tree->InsertItem(row, group);
            row->SetLabel(label);
            if (spinners)
                COptionTreeItemSpinnerDec::FromItem(row)->CreateSpinner(OTSB_EDITABLE, 2.5, -10000, 10000, 0.5, 3, 1);
            rows.push_back(row);
        }
        tree->ExpandAllItems();
        Paint();
        g_notifications.clear();
    }
    static std::vector<const wchar_t*> Labels(int n) { return std::vector<const wchar_t*>(static_cast<size_t>(n), L"r"); }

    void Paint() { vplat::UserInput::Pump(); }
    HWND RowsView() { return tree->GetRowsView()->m_hWnd; }
    void Click(int x, int y) {
        vplat::UserInput::Click(RowsView(), POINT{x, y});
        Paint();
    }
    void DoubleClick(int x, int y) {
        vplat::UserInput::DoubleClick(RowsView(), POINT{x, y});
        Paint();
    }
    // Past the double-click time.
    static void Later() { vplat::Clock::Get().Set(vplat::Clock::Get().Now() + 1000); }
    void Key(UINT vk) {
        vplat::UserInput::Key(vk);
        Paint();
    }
    static std::vector<int> Codes() {
        std::vector<int> out;
        for (const Notification& n : g_notifications) out.push_back(n.code);
        return out;
    }
    static int Count(int code) {
        int n = 0;
        for (const Notification& x : g_notifications) n += x.code == code;
        return n;
    }

    HWND frame = nullptr;
    COptionTree* tree = nullptr;
    COptionTreeItem* group = nullptr;
    std::vector<COptionTreeItem*> rows;
};
