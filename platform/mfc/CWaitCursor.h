// The hourglass shown while a long operation runs. Headless, it only keeps
// count of how many are showing, so that tests can see it shown and gone.
#pragma once

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

namespace vplat {
// Wait cursors showing now.
int WaitCursors();
}  // namespace vplat
