#include <arx.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "../../junctor/ui/CDlgErrs.h"
#include "HostSession.h"
#include "UiFixture.h"

extern "C" const vplat::ResourceTable vplatResourceSection;

namespace {

const HMODULE kJunctor = reinterpret_cast<HMODULE>(0x4B00);
INT_PTR g_result = 0;

// A command that shows the error log, with the module's resources current.
void ShowErrors() {
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(kJunctor);
    CDlgErrs dlg;
    dlg.SetTesto(L" - Ramo In: raggio troppo piccolo\r\n");
    g_result = dlg.DoModal();
    AfxSetResourceHandle(previous);
}

class HostDialogs : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        vplat::Commands::Clear();
        vplat::Resources::Register(kJunctor, &vplatResourceSection);
        acedRegCmds->addCommand(L"UI_TEST", L"MOSTRAERRORI", L"MOSTRAERRORI", ACRX_CMD_MODAL, &ShowErrors);
        g_result = 0;
    }
    void TearDown() override {
        vplat::Resources::Register(kJunctor, nullptr);
        vplat::Commands::Clear();
        UiFixture::TearDown();
    }
};

}  // namespace

// The host runs a command whose dialog finds no action in the script: the
// dialog is cancelled and the run fails, naming the mismatch.
TEST_F(HostDialogs, DialogWithoutScriptIsCancelledAndReported) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("vortana-ui-host-snapshots-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::path script = fs::temp_directory_path() / ("vortana-ui-host-script-" + std::to_string(::getpid()) + ".txt");
    struct Case {
        const char* lines;
        bool ok;
        INT_PTR result;
    } cases[] = {{"dialog 7003 key RETURN\n", true, IDOK}, {"", false, IDCANCEL}};
    for (const Case& c : cases) {
        {
            std::ofstream f(script);
            f << c.lines;
        }
        HostOptions options;
        options.script = script.string();
        options.snapshots = dir.string();
        options.commands = {"MOSTRAERRORI"};
        HostSession session(options);
        std::string reason;
        EXPECT_EQ(session.Run(&reason), c.ok) << reason;
        EXPECT_EQ(g_result, c.result);
        // The picture of the dialog as it opened, either way.
        EXPECT_TRUE(fs::exists(dir / "dialog-7003-1.png"));
        fs::remove_all(dir);
        if (!c.ok) {
            EXPECT_NE(reason.find("no script line answers the dialog request \"dialog 7003"), std::string::npos) << reason;
        }
    }
    fs::remove_all(dir);
    fs::remove(script);
}
