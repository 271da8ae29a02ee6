#include <gtest/gtest.h>

#include <cstring>

#include "PlatformFixture.h"

class Runtime : public PlatformFixture {};

TEST_F(Runtime, SystemVariablesKeepTheirTypes) {
    resbuf* rb = acutNewRb(RTSTR);
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", rb), RTERROR);
    resbuf text{nullptr, RTSTR, {}};
    text.resval.rstring = const_cast<ACHAR*>(L"QV-PX");
    EXPECT_EQ(acedSetVar(L"users1", &text), RTNORM);  // names without regard to case
    ASSERT_EQ(acedGetVar(L"USERS1", rb), RTNORM);
    EXPECT_EQ(rb->restype, RTSTR);
    EXPECT_STREQ(rb->resval.rstring, L"QV-PX");
    EXPECT_EQ(acedSetVar(L"AUNITS", &text), RTERROR);  // a text for a short
    resbuf shortValue{nullptr, RTSHORT, {}};
    shortValue.resval.rint = 3;
    EXPECT_EQ(acedSetVar(L"AUNITS", &shortValue), RTNORM);
    ASSERT_EQ(acedGetVar(L"AUNITS", rb), RTNORM);
    EXPECT_EQ(rb->restype, RTSHORT);
    EXPECT_EQ(rb->resval.rint, 3);
    EXPECT_EQ(acedSetVar(L"DWGNAME", &text), RTERROR);  // read-only
    acutRelRb(rb);
}

TEST_F(Runtime, LispSymbolsAnswerCopiesAndNilWhenUnbound) {
    vplat::LispSymbols::SetText(L"qv-cpath", L"C:\\Suite\\");
    resbuf* v = nullptr;
    ASSERT_EQ(acedGetSym(L"qv-cpath", &v), RTNORM);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->restype, RTSTR);
    EXPECT_STREQ(v->resval.rstring, L"C:\\Suite\\");
    acutRelRb(v);
    ASSERT_EQ(acedGetSym(L"unbound", &v), RTNORM);
    EXPECT_EQ(v->restype, RTNIL);
    acutRelRb(v);
    vplat::LispSymbols::Clear();
}

TEST_F(Runtime, BuildListTakesTheValueOfEachGroupCode) {
    ads_point p = {1, 2, 3};
    resbuf* list = acutBuildList(RTDXF0, L"LWPOLYLINE", 8, L"QV-CIGLI", -4, L"<or", 10, p, 40, 2.5, 62, 3, 1071,
                                 123456, -3, 1001, L"QV-VORTANA-NPOLI", RTNONE);
    std::vector<int> types;
    for (resbuf* r = list; r; r = r->rbnext) types.push_back(r->restype);
    EXPECT_EQ(types, (std::vector<int>{RTDXF0, 8, -4, 10, 40, 62, 1071, -3, 1001}));
    resbuf* r = list->rbnext->rbnext->rbnext;
    EXPECT_DOUBLE_EQ(r->resval.rpoint[2], 3);
    EXPECT_DOUBLE_EQ(r->rbnext->resval.rreal, 2.5);
    EXPECT_EQ(r->rbnext->rbnext->resval.rint, 3);
    EXPECT_EQ(r->rbnext->rbnext->rbnext->resval.rlong, 123456);
    EXPECT_STREQ(r->rbnext->rbnext->rbnext->rbnext->rbnext->resval.rstring, L"QV-VORTANA-NPOLI");
    resbuf* copy = vplat::CopyChain(list);
    acutRelRb(list);
    EXPECT_STREQ(copy->resval.rstring, L"LWPOLYLINE");
    acutRelRb(copy);
}

TEST_F(Runtime, CommandGroupsRegisterAndRemove) {
    AcEdCommandStack* stack = acedRegCmds;
    ASSERT_NE(stack, nullptr);
    auto fn = [] {};
    EXPECT_EQ(stack->addCommand(L"G1", L"UNO", L"UNO", ACRX_CMD_MODAL, fn), Acad::eOk);
    EXPECT_EQ(stack->addCommand(L"G1", L"uno", L"uno", ACRX_CMD_MODAL, fn), Acad::eDuplicateKey);
    EXPECT_EQ(stack->addCommand(L"G2", L"DUE", L"DUE", ACRX_CMD_MODAL, fn), Acad::eOk);
    EXPECT_EQ(vplat::Commands::Groups(), (std::vector<std::wstring>{L"G1", L"G2"}));
    EXPECT_NE(vplat::Commands::Find(L"due"), nullptr);
    EXPECT_EQ(stack->removeGroup(L"G1"), Acad::eOk);
    EXPECT_EQ(stack->removeGroup(L"G1"), Acad::eKeyNotFound);
    EXPECT_EQ(vplat::Commands::RemoveGroupCalls(L"G1"), 2);
    EXPECT_EQ(vplat::Commands::Find(L"UNO"), nullptr);
    AcRxObject* linker = acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER);
    ASSERT_NE(linker, nullptr);
    EXPECT_TRUE(linker->isA()->isDerivedFrom(AcRxDynamicLinker::desc()));
    EXPECT_FALSE(linker->isA()->isDerivedFrom(AcEdCommandStack::desc()));
}

TEST_F(Runtime, MessageBoxesTakeScriptedAnswersOrTheirDefault) {
    ASSERT_TRUE(vplat::Script::Get().Load(L"msgbox no\nmsgbox retry\n"));
    EXPECT_EQ(AfxMessageBox(L"Sovrascrivere?", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(AfxMessageBox(L"Errore", MB_YESNO), IDYES);  // "retry" is not offered: a mismatch
    EXPECT_EQ(vplat::Script::Get().Mismatches().size(), 1u);
    EXPECT_EQ(AfxMessageBox(L"Fatto"), IDOK);  // nothing left: the default
    EXPECT_EQ(MessageBoxW(nullptr, L"x", L"Vortana", MB_YESNO | MB_DEFBUTTON2), IDNO);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 4u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].caption, L"vortana-cad");
    EXPECT_EQ(vplat::MessageBoxes::All()[3].caption, L"Vortana");
}

TEST_F(Runtime, ClockMovesOnlyWhenTheScriptSaysSo) {
    DWORD start = timeGetTime();
    EXPECT_EQ(GetTickCount(), start);
    ASSERT_TRUE(vplat::Script::Get().Load(L"clock advance 25\nint 1\nclock set 4000000000\n"));
    int v;
    acedGetInt(L"n: ", &v);
    EXPECT_EQ(timeGetTime(), start + 25);
    EXPECT_TRUE(vplat::Script::Get().Remaining().empty());  // the trailing directive ran
    EXPECT_EQ(timeGetTime(), 4000000000u);
    ASSERT_TRUE(vplat::Script::Get().Load(L"clock forward 3\n"));
    vplat::Script::Get().Remaining();
    EXPECT_EQ(vplat::Script::Get().Mismatches().size(), 1u);
    vplat::Clock::Get().Set(start);
}
