#include <gtest/gtest.h>

#include <ArxEntry.h>

#include "PlatformFixture.h"

namespace {

// What the callbacks of the test table saw.
struct Calls {
    int init = 0;
    int unload = 0;
    int loadDwg = 0;
    int unloadDwg = 0;
    int save = 0;
    int commandsAtInit = -1;
    CArxAppContext* unloadContext = nullptr;
    bool failInit = false;
};
Calls g_calls;

void OnInit() {
    ++g_calls.init;
    g_calls.commandsAtInit = static_cast<int>(vplat::Commands::All().size());
    if (g_calls.failInit) GetArxAppContext()->m_bLoadFailed = 1;
}
void OnUnload(CArxAppContext* c) {
    ++g_calls.unload;
    g_calls.unloadContext = c;
}
void OnLoadDwg(CArxAppContext*) { ++g_calls.loadDwg; }
void OnUnloadDwg(CArxAppContext*) { ++g_calls.unloadDwg; }
void OnSave() { ++g_calls.save; }
void CommandOne() {}
void CommandTwo() {}

}  // namespace

ArxCmdEntry g_ArxCmdTable[] = {
    {L"TEST_GROUP", nullptr},
    {nullptr, OnInit},
    {nullptr, ARX_CONTEXT_CALLBACK(OnUnload)},
    {nullptr, ARX_CONTEXT_CALLBACK(OnLoadDwg)},
    {nullptr, ARX_CONTEXT_CALLBACK(OnUnloadDwg)},
    {L"UNO", CommandOne},
    {L"DUE", CommandTwo},
    {L".save", OnSave},
};

class ArxEntry : public PlatformFixture {
protected:
    void SetUp() override {
        PlatformFixture::SetUp();
        g_calls = Calls{};
        g_ArxCmdTable[5] = {L"UNO", CommandOne};
    }
    void TearDown() override { acrxEntryPoint(AcRx::kUnloadAppMsg, this); }
};

TEST_F(ArxEntry, InitialisationRegistersTheTableThenRunsTheInitCallback) {
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, this), AcRx::kRetOK);
    auto cmds = vplat::Commands::All();
    ASSERT_EQ(cmds.size(), 2u);
    for (const auto& c : cmds) {
        EXPECT_EQ(c.group, L"TEST_GROUP");
        EXPECT_EQ(c.globalName, c.localName);
        EXPECT_EQ(c.flags, ACRX_CMD_MODAL);
        EXPECT_EQ(c.functionCode, -1);
    }
    EXPECT_EQ(cmds[0].globalName, L"UNO");
    EXPECT_EQ(cmds[1].function, &CommandTwo);
    EXPECT_EQ(g_calls.init, 1);
    EXPECT_EQ(g_calls.commandsAtInit, 2);
    vplat::ArxAppState state = vplat::ArxAppStateOf(this);
    EXPECT_TRUE(state.unlocked);
    EXPECT_TRUE(state.mdiAware);
    ASSERT_NE(GetArxAppContext(), nullptr);
    EXPECT_EQ(GetArxAppContext()->m_bCommandActive, 0);
}

TEST_F(ArxEntry, TableWithoutCommandsStillRunsInit) {
    g_ArxCmdTable[5] = {L".", nullptr};
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, this), AcRx::kRetOK);
    EXPECT_TRUE(vplat::Commands::All().empty());
    EXPECT_EQ(g_calls.init, 1);
    // The end marker's function is the save callback.
    acrxEntryPoint(AcRx::kSaveMsg, this);
    EXPECT_EQ(g_calls.save, 0);
}

TEST_F(ArxEntry, FailedBindingAnswersErrorAndLeavesNothingBehind) {
    g_calls.failInit = true;
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, this), AcRx::kRetError);
    EXPECT_TRUE(vplat::Commands::All().empty());
    EXPECT_EQ(GetArxAppContext(), nullptr);
    // A stray unload afterwards does nothing.
    acrxEntryPoint(AcRx::kUnloadAppMsg, this);
    EXPECT_EQ(g_calls.unload, 0);
}

TEST_F(ArxEntry, UnloadAndQuitUnregisterOnce) {
    for (auto order : {std::pair{AcRx::kUnloadAppMsg, AcRx::kQuitMsg}, std::pair{AcRx::kQuitMsg, AcRx::kUnloadAppMsg}}) {
        g_calls = Calls{};
        vplat::Commands::Clear();
        ASSERT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, this), AcRx::kRetOK);
        CArxAppContext* context = GetArxAppContext();
        EXPECT_EQ(acrxEntryPoint(order.first, this), AcRx::kRetOK);
        EXPECT_EQ(acrxEntryPoint(order.second, this), AcRx::kRetOK);
        EXPECT_EQ(g_calls.unload, 1);
        EXPECT_EQ(g_calls.unloadContext, context);
        EXPECT_EQ(vplat::Commands::RemoveGroupCalls(L"TEST_GROUP"), 1);
        EXPECT_TRUE(vplat::Commands::All().empty());
        EXPECT_EQ(GetArxAppContext(), nullptr);
    }
}

TEST_F(ArxEntry, DrawingAndSaveMessagesReachTheirCallbacks) {
    ASSERT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, this), AcRx::kRetOK);
    EXPECT_EQ(acrxEntryPoint(AcRx::kLoadDwgMsg, this), AcRx::kRetOK);
    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadDwgMsg, this), AcRx::kRetOK);
    EXPECT_EQ(acrxEntryPoint(AcRx::kSaveMsg, this), AcRx::kRetOK);
    EXPECT_EQ(g_calls.loadDwg, 1);
    EXPECT_EQ(g_calls.unloadDwg, 1);
    EXPECT_EQ(g_calls.save, 1);
}

TEST_F(ArxEntry, OtherMessagesDoNothing) {
    ASSERT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, this), AcRx::kRetOK);
    size_t events = vplat::Transcript::Get().Entries().size();
    for (int msg : {5, 6, 7, 10, 11, 16, 99}) {
        EXPECT_EQ(acrxEntryPoint(static_cast<AcRx::AppMsgCode>(msg), this), AcRx::kRetOK) << msg;
    }
    EXPECT_EQ(vplat::Transcript::Get().Entries().size(), events);
    EXPECT_EQ(g_calls.unload + g_calls.loadDwg + g_calls.unloadDwg + g_calls.save, 0);
    EXPECT_NE(GetArxAppContext(), nullptr);
}

TEST_F(ArxEntry, LibraryEntryAttachesTheExtensionModuleOnce) {
    HINSTANCE__ fake{};
    auto mine = [&] {
        int n = 0;
        for (HMODULE m : vplat::ExtensionModules::Chain()) n += m == &fake;
        return n;
    };
    EXPECT_TRUE(DllMain(&fake, DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(DllMain(&fake, DLL_PROCESS_ATTACH, nullptr));
    EXPECT_EQ(mine(), 1);
    EXPECT_EQ(GetModuleInstance(), &fake);
    EXPECT_TRUE(DllMain(&fake, DLL_THREAD_ATTACH, nullptr));
    EXPECT_TRUE(DllMain(&fake, DLL_PROCESS_DETACH, nullptr));
    EXPECT_EQ(mine(), 0);
}

TEST_F(ArxEntry, FailedExtensionStartKeepsNoInstance) {
    HINSTANCE__ fake{};
    vplat::ExtensionModules::FailNextInit();
    EXPECT_TRUE(DllMain(&fake, DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(vplat::ExtensionModules::Chain().empty());
    EXPECT_NE(GetModuleInstance(), &fake);
    EXPECT_TRUE(DllMain(&fake, DLL_PROCESS_DETACH, nullptr));
}
