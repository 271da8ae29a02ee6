#include <gtest/gtest.h>

#include "ModelSpace.h"
#include "PlatformFixture.h"

class EditorInput : public PlatformFixture {
protected:
    void Script(const wchar_t* text) { ASSERT_TRUE(vplat::Script::Get().Load(text)); }
};

TEST_F(EditorInput, IntegersFollowTheOneShotInitGetRules) {
    const struct {
        int flags;
        const wchar_t* keywords;
        const wchar_t* script;
        int code;
        int value;
        size_t linesLeft;
    } cases[] = {
        {0, nullptr, L"int 12\n", RTNORM, 12, 0},
        {0, nullptr, L"int <enter>\n", RTNONE, -1, 0},
        {RSG_NONULL, nullptr, L"int <enter>\nint 3\n", RTNORM, 3, 0},
        {RSG_NOZERO, nullptr, L"int 0\nint 4\n", RTNORM, 4, 0},
        {RSG_NONEG, nullptr, L"int -2\nint 5\n", RTNORM, 5, 0},
        {0, nullptr, L"int abc\nint 40000\nint 6\n", RTNORM, 6, 0},
        {0, L"Tutti Nessuno", L"int tu\n", RTKWORD, -1, 0},
        {0, nullptr, L"int <cancel>\n", RTCAN, -1, 0},
        {RSG_NONULL, nullptr, L"int <enter>\n", RTCAN, -1, 0},  // the script ends
        {0, nullptr, L"real 2.5\n", RTCAN, -1, 1},              // wrong kind: stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(vplat::WideToUtf8(c.script));
        Script(c.script);
        acedInitGet(c.flags, c.keywords);
        int value = -1;
        EXPECT_EQ(acedGetInt(L"\nValore: ", &value), c.code);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(vplat::Script::Get().Remaining().size(), c.linesLeft);
        EXPECT_FALSE(vplat::PendingInput().pending);
    }
}

// LF, CR LF and a lone CR all end a line, in any mix.
TEST_F(EditorInput, EveryLineEndEndsALine) {
    Script(L"# a comment\rint 12\r\nstring Via Roma\nint 14\r\rkword Si");
    std::vector<vplat::ScriptLine> righe = vplat::Script::Get().Remaining();
    ASSERT_EQ(righe.size(), 4u);
    const int numeri[] = {2, 3, 4, 6};
    const wchar_t* risposte[] = {L"12", L"Via Roma", L"14", L"Si"};
    for (size_t i = 0; i < righe.size(); ++i) {
        EXPECT_EQ(righe[i].number, numeri[i]);
        EXPECT_EQ(righe[i].answer, risposte[i]);
    }
    int value = -1;
    EXPECT_EQ(acedGetInt(L"\nValore: ", &value), RTNORM);
    EXPECT_EQ(value, 12);
}

TEST_F(EditorInput, InitGetGovernsTheNextInputOnly) {
    Script(L"int 0\nint 0\n");
    acedInitGet(RSG_NOZERO, nullptr);
    int a = -1, b = -1;
    EXPECT_EQ(acedGetInt(L"a: ", &a), RTCAN);  // both zeros refused, script ends
    Script(L"int 0\n");
    EXPECT_EQ(acedGetInt(L"b: ", &b), RTNORM);
    EXPECT_EQ(b, 0);
}

TEST_F(EditorInput, PromptAndAnswerAppearOnTheCommandLine) {
    Script(L"string Via Roma 12\nkword n\nstring <cancel>\n");
    wchar_t text[64];
    EXPECT_EQ(acedGetString(1, L"\nNome: ", text), RTNORM);
    EXPECT_STREQ(text, L"Via Roma 12");
    acedInitGet(0, L"Si No");
    EXPECT_EQ(acedGetKword(L"\nConferma [Si/No]: ", text), RTNORM);
    EXPECT_STREQ(text, L"No");
    EXPECT_EQ(acedGetString(0, L"\nAltro: ", text), RTCAN);
    EXPECT_EQ(CommandLine(), L"\nNome: Via Roma 12\n\nConferma [Si/No]: n\n\nAltro: *Cancel*\n");
    EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
}

TEST_F(EditorInput, AnswersFollowTheirPromptsAsOnACommandLine) {
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    AcDbObjectId line = AppendToBlock(&db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    const std::wstring handle = AcDbHandle(line.stub()->handle).text();
    Script((L"point 10,20\nreal <enter>\nentsel " + handle + L"\nentsel <enter>\nentsel <cancel>\nselect " +
            handle + L"\n")
               .c_str());
    ads_point p;
    ads_real r = 0;
    ads_name e, ss;
    EXPECT_EQ(acedGetPoint(nullptr, L"Punto di inserimento del blocco", p), RTNORM);
    EXPECT_EQ(acedGetReal(L"\nScala: ", &r), RTNONE);
    EXPECT_EQ(acedEntSel(L"\nSelezionare la polilinea da cancellare", e, p), RTNORM);
    EXPECT_EQ(acedEntSel(L"\nSelezionare la polilinea da aggiornare", e, p), RTERROR);
    EXPECT_EQ(acedEntSel(L"\nAltra", e, p), RTCAN);
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    acedSSFree(ss);
    EXPECT_EQ(MessageBoxW(nullptr, L"Errore!\r\n", L"Vortana", MB_OK), IDOK);
    EXPECT_EQ(CommandLine(), L"Punto di inserimento del blocco 10,20\n\nScala: \n\nSelezionare la polilinea da "
                             L"cancellare " + handle + L"\n\nSelezionare la polilinea da aggiornare\n\nAltra *Cancel*\n"
                             L"Select objects: " + handle + L"\n1 found\n");
    const std::string t = vplat::Transcript::Get().Render();
    EXPECT_NE(t.find("[messagebox] \"Vortana\" OK: Errore! -> OK (default)\n"), std::string::npos) << t;
    EXPECT_EQ(t.find("<enter>"), std::string::npos) << t;
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

TEST_F(EditorInput, NumbersThatAreNotFiniteAreAskedAgain) {
    for (const wchar_t* bad : {L"nan", L"inf", L"-INFINITY", L"1e999", L"NAN(0)"}) {
        SCOPED_TRACE(vplat::WideToUtf8(bad));
        vplat::Transcript::Get().Clear();
        Script((std::wstring(L"real ") + bad + L"\nreal 2.5\npoint " + bad + L",0\npoint 3," + bad +
                L"\npoint 1,2\n")
                   .c_str());
        ads_real r = 0;
        ads_point p = {0, 0, 0};
        EXPECT_EQ(acedGetReal(L"r: ", &r), RTNORM);
        EXPECT_EQ(r, 2.5);
        EXPECT_EQ(acedGetPoint(nullptr, L"p: ", p), RTNORM);
        EXPECT_EQ(p[0], 1);
        EXPECT_EQ(p[1], 2);
        EXPECT_NE(CommandLine().find(L"Requires numeric value or option keyword."), std::wstring::npos);
        EXPECT_TRUE(vplat::Script::Get().Remaining().empty());
    }
}

TEST_F(EditorInput, StringsStopAtABlankUnlessSpacesAreAllowedAndAreCutToTheBuffer) {
    Script(L"string due parole\nstring lunghissimo\n");
    wchar_t text[6];
    EXPECT_EQ(acedGetString(0, L"p: ", text, 6), RTNORM);
    EXPECT_STREQ(text, L"due");
    EXPECT_EQ(acedGetString(1, L"p: ", text, 6), RTINPUTTRUNCATED);
    EXPECT_STREQ(text, L"lungh");
}

TEST_F(EditorInput, PointsRealsAndKeywords) {
    Script(L"point 10,20\npoint 1,2,3\nreal 2.5\nreal Fine\nkword x\nkword Si\n");
    ads_point base = {0, 0, 7}, p;
    EXPECT_EQ(acedGetPoint(base, L"p: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 10);
    EXPECT_DOUBLE_EQ(p[2], 7);  // a 2D answer takes the base point's elevation
    EXPECT_EQ(acedGetPoint(nullptr, L"p: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[2], 3);
    double r = 0;
    EXPECT_EQ(acedGetReal(L"r: ", &r), RTNORM);
    EXPECT_DOUBLE_EQ(r, 2.5);
    acedInitGet(0, L"Fine");
    EXPECT_EQ(acedGetReal(L"r: ", &r), RTKWORD);
    wchar_t kw[32];
    EXPECT_EQ(acedGetInput(kw), RTNORM);
    EXPECT_STREQ(kw, L"Fine");
    acedInitGet(0, L"Si No");
    EXPECT_EQ(acedGetKword(L"k: ", kw), RTNORM);  // "x" is refused, "Si" taken
    EXPECT_STREQ(kw, L"Si");
}

TEST_F(EditorInput, MismatchIsRecordedAndPrinted) {
    Script(L"msgbox yes\n");
    wchar_t text[32];
    EXPECT_EQ(acedGetString(1, L"Nome: ", text), RTCAN);
    ASSERT_EQ(vplat::Script::Get().Mismatches().size(), 1u);
    EXPECT_NE(vplat::Script::Get().Mismatches()[0].find(L"does not answer the string request \"Nome: \""),
              std::wstring::npos);
}
