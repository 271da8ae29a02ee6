#include "CWaitCursor.h"

namespace {
int g_attivi = 0;
}

CWaitCursor::CWaitCursor() { ++g_attivi; }
CWaitCursor::~CWaitCursor() { --g_attivi; }

namespace vplat {
int WaitCursors() { return g_attivi; }
}  // namespace vplat
