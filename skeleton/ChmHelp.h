// Opens the suite's help file at a topic; constructing the object does it all.
#pragma once

#include <afx.h>

class CChmHelp {
public:
    // folder: the module folder, ending in a backslash; topic: a page of the file.
    CChmHelp(LPCWSTR folder, LPCWSTR topic);

    static constexpr size_t kLength = 500;
    wchar_t m_szHelpFile[kLength];
    wchar_t m_szTopic[kLength];
};
