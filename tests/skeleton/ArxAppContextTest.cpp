#include <gtest/gtest.h>

#include <ArxAppContext.h>

#include "PlatformFixture.h"

class ArxAppContextTest : public PlatformFixture {};

TEST_F(ArxAppContextTest, FolderOfTheModuleKeepsItsBackslash) {
    CArxAppContext context;
    std::wstring want = vplat::ToWindowsPath(VORTANA_BIN) + L"\\";
    EXPECT_EQ(std::wstring(context.GetAppDir()), want);
    EXPECT_EQ(context.m_bCommandActive, 0);
    EXPECT_EQ(context.m_bLoadFailed, 0);
}

TEST_F(ArxAppContextTest, FolderThatDoesNotFitIsLeftEmpty) {
    vplat::Modules::SetHostPath("/" + std::string(300, 'd') + "/vortana-cad");
    CArxAppContext context;
    EXPECT_STREQ(context.GetAppDir(), L"");
    vplat::Modules::SetHostPath("vortana-cad");  // no folder at all
    CArxAppContext bare;
    EXPECT_STREQ(bare.GetAppDir(), L"");
}

TEST_F(ArxAppContextTest, GuardMatchesTheWholeCodeExactly) {
    const struct {
        const wchar_t* users1;
        int mask;
        int go;
    } cases[] = {
        {L"QV-PX", 2, 1},    {L"qv-px", 2, 0},  {L"QV-PX ", 2, 0}, {L"INIZIOQV", 2, 0}, {L"INIZIOQV", 1, 1},
        {L"QV-RR", 4, 1},    {L"QV-PS", 8, 1},  {L"QV-SE", 16, 1}, {L"QV-SE", 15, 0},   {L"", 31, 0},
        {L"QV-PXX", 2, 0},   {L"QV-RR", 6, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << vplat::WideToUtf8(c.users1) << " mask " << c.mask);
        vplat::Transcript::Get().Clear();
        SetUsers1(c.users1);
        CArxAppContext context;
        EXPECT_EQ(context.EnterCommand(c.mask), c.go);
        EXPECT_EQ(context.m_bCommandActive, c.go);
        EXPECT_EQ(CommandLine(), c.go ? L"" : L"\nFunzione non abilitata per l'oggetto attivo");
    }
}

TEST_F(ArxAppContextTest, RunningCommandRefusesAnyOther) {
    SetUsers1(L"QV-PX");
    CArxAppContext context;
    ASSERT_EQ(context.EnterCommand(2), 1);
    EXPECT_EQ(context.EnterCommand(2), 0);
    EXPECT_EQ(context.EnterCommand(31), 0);
    EXPECT_EQ(CommandLine(), L"\nIl comando o un comando collegato è già attivo in un altro disegno"
                             L"\nIl comando o un comando collegato è già attivo in un altro disegno");
    EXPECT_EQ(context.m_bCommandActive, 1);
    context.LeaveCommand();
    EXPECT_EQ(context.EnterCommand(2), 1);
}

TEST_F(ArxAppContextTest, VariableTextsAreReadCutOrEmpty) {
    CArxAppContext context;
    wchar_t buf[256];
    // An unknown variable leaves an empty text.
    std::wmemcpy(buf, L"stale", 6);
    context.GetVarString(L"NOSUCHVAR", buf);
    EXPECT_STREQ(buf, L"");
    // A text longer than the buffer is cut, never overflows.
    SetUsers1(std::wstring(400, L'Q').c_str());
    wchar_t small[8];
    context.GetVarString(L"USERS1", small, 8);
    EXPECT_STREQ(small, L"QQQQQQQ");
    // A long USERS1 is cut to 255 characters by the guard and refused.
    EXPECT_EQ(context.EnterCommand(31), 0);
}

TEST_F(ArxAppContextTest, NoMemoryForTheResultLeavesTheBufferAndRefuses) {
    SetUsers1(L"QV-PX");
    CArxAppContext context;
    wchar_t buf[256] = L"previous";
    vplat::FailNextNewRb();
    context.GetVarString(L"USERS1", buf);
    EXPECT_STREQ(buf, L"previous");
    EXPECT_EQ(CommandLine(), L"\nImpossibile allocare memoria");
    vplat::Transcript::Get().Clear();
    vplat::FailNextNewRb();
    EXPECT_EQ(context.EnterCommand(2), 0);
    EXPECT_EQ(CommandLine(), L"\nImpossibile allocare memoria\nFunzione non abilitata per l'oggetto attivo");
}

TEST_F(ArxAppContextTest, MessagesArePrintedLiterallyAndCut) {
    CArxAppContext context;
    context.PrintMessage(L"\n100% %s %d");
    EXPECT_EQ(CommandLine(), L"\n100% %s %d");
    vplat::Transcript::Get().Clear();
    PrintTranslated(std::wstring(600, L'm').c_str());
    EXPECT_EQ(CommandLine(), std::wstring(255, L'm'));
}
