// A headless top-level window holding a grid child whose client area has a
// given size, for the grid's tests and benchmark.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

// The top-level window's parent class: it keeps the notifications the grid
// sends, and answers LVN_GETDISPINFOW through a hook when one is set.
class GridHostWindow : public CWnd {
public:
    struct Notice {
        UINT code;
        int row;
        int col;
        int spanMinRow, spanMinCol, spanMaxRow, spanMaxCol;  // cache hints
    };
    std::vector<Notice> notices;
    // Called for every notification before it is kept (it may fill the record).
    std::function<void(NMHDR*)> onNotify;
    // The answer to a notification (0 when unset).
    std::function<LRESULT(NMHDR*)> answer;
    // Control ids of the WM_COMMAND messages the grid sent or posted.
    std::vector<UINT> commands;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (onNotify) onNotify(hdr);
        Notice n{hdr->code, -1, -1, -1, -1, -1, -1};
        const int* after = reinterpret_cast<const int*>(hdr + 1);
        if (hdr->code == LVN_ODCACHEHINT) {
            n.spanMinRow = after[0];
            n.spanMinCol = after[1];
            n.spanMaxRow = after[2];
            n.spanMaxCol = after[3];
        } else {
            n.row = after[0];
            n.col = after[1];
        }
        notices.push_back(n);
        if (answer) {
            *result = answer(hdr);
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, result);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

template <class Grid>
class GridHost {
public:
    // The grid is created as child id `id` of a new top-level window and sized
    // so that its client area (what the scroll bars it shows leave) is width x height.
    GridHost(Grid& grid, int width, int height, UINT id = 1003) : m_grid(grid) {
        static const wchar_t* kClass = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = AfxGetInstanceHandle();
            wc.lpszClassName = L"GridHostWindow";
            AfxRegisterClass(&wc);
            return L"GridHostWindow";
        }();
        m_top.CreateEx(0, kClass, L"Griglia", WS_POPUP | WS_VISIBLE, 0, 0, width + 100, height + 100, nullptr,
                       nullptr);
        grid.Create(CRect(0, 0, width, height), &m_top, id, WS_CHILD | WS_VISIBLE);
        Resize(width, height);
        Pump();
    }
    ~GridHost() {
        if (m_top.GetSafeHwnd()) m_top.DestroyWindow();
    }
    GridHost(const GridHost&) = delete;
    GridHost& operator=(const GridHost&) = delete;

    // Sets the client size with the scroll bars shown now.
    void Resize(int width, int height) {
        CRect window, client;
        m_grid.GetWindowRect(&window);
        m_grid.GetClientRect(&client);
        m_grid.MoveWindow(0, 0, width + window.Width() - client.Width(), height + window.Height() - client.Height());
    }

    // Hands out every queued message (paints included).
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    GridHostWindow& Top() { return m_top; }

private:
    Grid& m_grid;
    GridHostWindow m_top;
};
