#include <gtest/gtest.h>

#include <ChmHelp.h>

#include "PlatformFixture.h"

class ChmHelpTest : public PlatformFixture {};

TEST_F(ChmHelpTest, OpensTheTopicOfTheSuiteHelpFile) {
    CChmHelp help(L"C:\\Suite\\", L"Pagina.htm");
    EXPECT_STREQ(help.m_szHelpFile, L"Help\\QvHelp.chm");
    EXPECT_STREQ(help.m_szTopic, L"::/Pagina.htm");
    ASSERT_EQ(vplat::HelpCalls::All().size(), 1u);
    const vplat::HelpCall& call = vplat::HelpCalls::All()[0];
    EXPECT_EQ(call.file, L"C:\\Suite\\Help\\QvHelp.chm::/Pagina.htm");
    EXPECT_EQ(call.command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(call.caller, GetDesktopWindow());
}

TEST_F(ChmHelpTest, LongFolderAndTopicAreCut) {
    std::wstring folder = L"C:\\" + std::wstring(480, L'f') + L"\\";
    std::wstring topic(700, L't');
    CChmHelp help(folder.c_str(), topic.c_str());
    EXPECT_EQ(std::wcslen(help.m_szTopic), 499u);
    ASSERT_EQ(vplat::HelpCalls::All().size(), 1u);
    const std::wstring& path = vplat::HelpCalls::All()[0].file;
    EXPECT_EQ(path.size(), 499u);
    EXPECT_EQ(path.substr(0, folder.size()), folder);
}
