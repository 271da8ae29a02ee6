#include <cstdlib>
#include <filesystem>
#include <functional>

#include <CConstrStylesMgr.h>
#include <TranslatorBinding.h>

#include "../../junctor/ui/CDlgErrs.h"
#include "../../junctor/ui/CDlgSaveStyleAs.h"
#include "../../junctor/ui/CDlgSettings.h"
#include "JunctorUiFixture.h"

namespace {

class JunctorDialogs : public JunctorUiFixture {
protected:
    // A settings dialog as the main dialog fills it.
    static void Fill(CDlgSettings& dlg, int decimals = 0, double increment = 1.0, bool useAutoCAD = false) {
        dlg.SetDecimali(decimals);
        dlg.SetIncremento(increment);
        dlg.SetUseAutoCAD(useAutoCAD);
        dlg.SetNomeUnitaAutoCAD(L"gradi decimali");
        dlg.SetNomeUnitaPersonalizzata(L"radianti");
        CStringArray names;
        for (const wchar_t* n : {L"gradi centesimali", L"gradi decimali", L"radianti"}) names.Add(n);
        dlg.AggiungiNomiUnita(names);
    }
    // What the dialog shows before each scripted action, read by `look`.
    std::vector<std::wstring>& Watch(std::function<std::wstring(HWND)> look) {
        seen.clear();
        vplat::ModalLoop::SetIdleHook([this, look](HWND dlg, int) { seen.push_back(look(dlg)); });
        return seen;
    }
    static std::function<std::wstring(HWND)> TextOf(int id) {
        return [id](HWND dlg) { return Text(GetDlgItem(dlg, id)); };
    }
    static std::function<std::wstring(HWND)> FocusId() {
        return [](HWND) { return std::to_wstring(GetDlgCtrlID(GetFocus())); };
    }
    std::vector<std::wstring> seen;
};

}  // namespace

TEST_F(JunctorDialogs, TypingDecimalsShowsTheIncrementAgainAtOnce) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* shown;
    } cases[] = {{L"2", L"1.00"}, {L"0", L"1"}, {L"20", L"1.000000000000000"}, {L"-3", L"1"}};
    for (const Case& c : cases) {
        CDlgSettings dlg;
        Fill(dlg, 3);
        auto& shown = Watch(TextOf(7026));
        Script(std::wstring(L"dialog 7008 set 7025 ") + c.typed + L"\ndialog 7008 key ESCAPE\n");
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0], L"1.000");
        EXPECT_EQ(shown[1], c.shown) << c.typed;
        EXPECT_TRUE(Mismatches().empty());
    }
}

TEST_F(JunctorDialogs, IncrementConfirmedWithOk) {
    CDlgSettings dlg;
    Fill(dlg);
    Script(L"dialog 7008 set 7026 0.5\ndialog 7008 click 1\n");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.GetIncremento(), 0.5);
    EXPECT_EQ(dlg.GetDecimali(), 0);
    EXPECT_TRUE(Mismatches().empty());
}

// The field shows the increment rounded to the decimals; only an increment
// the user typed is read back, a comma being the decimal mark, and one that
// is no number above 0 is refused with a message, the focus back in the field.
TEST_F(JunctorDialogs, IncrementIsKeptUnlessTypedAndMustBeAboveZero) {
    const std::wstring refuse = L"dialog 7008 click 1\nmsgbox ok\ndialog 7008 key ESCAPE\n";
    struct Case {
        std::wstring script;
        INT_PTR result;
        double increment;
    } cases[] = {
        {L"dialog 7008 set 7025 0\ndialog 7008 click 1\n", IDOK, 0.5},  // shown as 0
        {L"dialog 7008 set 7026 0,25\ndialog 7008 click 1\n", IDOK, 0.25},
        {L"dialog 7008 set 7026 0,25\ndialog 7008 set 7025 0\ndialog 7008 click 1\n", IDOK, 0.25},
        {L"dialog 7008 set 7026 2\ndialog 7008 click 1\n", IDOK, 2.0},
        {L"dialog 7008 set 7026 0\n" + refuse, IDCANCEL, 0.5},
        {L"dialog 7008 set 7026 -1\n" + refuse, IDCANCEL, 0.5},
        {L"dialog 7008 set 7026 1e400\n" + refuse, IDCANCEL, 0.5},
        {L"dialog 7008 set 7026 nan\n" + refuse, IDCANCEL, 0.5},
        {L"dialog 7008 set 7026 abc\n" + refuse, IDCANCEL, 0.5},
    };
    for (const Case& c : cases) {
        vplat::MessageBoxes::Clear();
        CDlgSettings dlg;
        Fill(dlg, 1, 0.5);
        auto& focus = Watch(FocusId());
        Script(c.script);
        EXPECT_EQ(dlg.DoModal(), c.result) << c.script;
        EXPECT_TRUE(Mismatches().empty()) << c.script;
        if (c.result == IDOK) {
            EXPECT_DOUBLE_EQ(dlg.GetIncremento(), c.increment) << c.script;
            EXPECT_TRUE(vplat::MessageBoxes::All().empty()) << c.script;
            continue;
        }
        ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u) << c.script;
        EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"L'incremento deve essere un numero maggiore di 0.");
        EXPECT_EQ(focus.back(), L"7026") << c.script;
    }
}

TEST_F(JunctorDialogs, RadioButtonsEnableTheUnitCombo) {
    CDlgSettings dlg;
    Fill(dlg);
    auto& enabled = Watch([](HWND d) { return std::to_wstring(IsWindowEnabled(GetDlgItem(d, 7033))); });
    Script(L"dialog 7008 click 7031\n"
           L"dialog 7008 select 7033 gradi decimali\n"  // disabled: the user cannot choose
           L"dialog 7008 click 7032\n"
           L"dialog 7008 click 7031\n"
           L"dialog 7008 click 1\n");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(enabled, (std::vector<std::wstring>{L"1", L"0", L"0", L"1", L"0"}));
    EXPECT_TRUE(dlg.GetUseAutoCAD());
    EXPECT_EQ(dlg.GetNomeUnita(), L"gradi decimali");
    ASSERT_EQ(Mismatches().size(), 1u);
    EXPECT_NE(Mismatches()[0].find(L"disabled"), std::wstring::npos);
}

TEST_F(JunctorDialogs, CustomUnitFromTheCombo) {
    CDlgSettings dlg;
    Fill(dlg);
    auto& shown = Watch(TextOf(7033));
    Script(L"dialog 7008 select 7033 gradi centesimali\ndialog 7008 click 1\n");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown.front(), L"radianti");
    EXPECT_EQ(dlg.GetNomeUnita(), L"gradi centesimali");
    EXPECT_FALSE(dlg.GetUseAutoCAD());
}

// Enter with the focus on an edit reaches OnOK, which does nothing; Enter on
// the button itself closes.
TEST_F(JunctorDialogs, EnterClosesOnlyFromTheOkButton) {
    CDlgSettings dlg;
    Fill(dlg);
    auto& focus = Watch(FocusId());
    Script(L"dialog 7008 set 7025 2\n"
           L"dialog 7008 key RETURN\n"
           L"dialog 7008 set 7026 3\n"
           L"dialog 7008 key RETURN\n"
           L"dialog 7008 focus 1\n"
           L"dialog 7008 key RETURN\n");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(focus, (std::vector<std::wstring>{L"7025", L"7025", L"7025", L"7026", L"7026", L"1"}));
    EXPECT_EQ(dlg.GetDecimali(), 2);
    EXPECT_DOUBLE_EQ(dlg.GetIncremento(), 3);
    EXPECT_TRUE(Mismatches().empty());
}

TEST_F(JunctorDialogs, DecimalsOutsideTheFormatsAreRefused) {
    for (const wchar_t* typed : {L"16", L"-1"}) {
        vplat::MessageBoxes::Clear();
        CDlgSettings dlg;
        Fill(dlg);
        auto& focus = Watch(FocusId());
        Script(std::wstring(L"dialog 7008 set 7025 ") + typed + L"\ndialog 7008 click 1\ndialog 7008 key ESCAPE\n");
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
        EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Il numero di cifre decimali deve essere compreso tra 0 e 15.");
        EXPECT_EQ(focus.back(), L"7025") << typed;
    }
}

TEST_F(JunctorDialogs, ScriptThatRunsOutCancels) {
    CDlgSettings dlg;
    Fill(dlg);
    Script(L"dialog 7008 set 7025 4\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(Mismatches().size(), 1u);
    EXPECT_NE(Mismatches()[0].find(L"dialog 7008"), std::wstring::npos);
    // A line for another dialog is not taken by this one.
    CDlgSettings other;
    Fill(other);
    Script(L"dialog 7017 click 1\n");
    EXPECT_EQ(other.DoModal(), IDCANCEL);
    EXPECT_EQ(vplat::Script::Get().Remaining().size(), 1u);
}

TEST_F(JunctorDialogs, ResourcesOfAnotherModuleFailVisibly) {
    AfxSetResourceHandle(GetModuleHandleW(nullptr));
    CDlgErrs dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    auto events = vplat::Transcript::Get().Events("resource");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].find(L"dialog 7003 not found in "), 0u);
}

TEST_F(JunctorDialogs, SaveAsAnswers) {
    struct Case {
        const wchar_t* name;
        const wchar_t* answer;  // to the overwrite question, or null when none is asked
        INT_PTR result;
        bool overwrite;
        size_t boxes;
        const wchar_t* stored;  // the name given back
    } cases[] = {
        {L"Nuovo", nullptr, IDOK, false, 0, L"Nuovo"},
        {L"DEFAULT", L"yes", IDOK, true, 1, L"DEFAULT"},
        {L"DEFAULT", L"no", IDCANCEL, false, 1, nullptr},
        {L"DEFAULT", L"cancel", IDCANCEL, false, 1, nullptr},
        // Names differing only in case are one style, as the style combo finds them:
        // the stored name is overwritten.
        {L"default", L"yes", IDOK, true, 1, L"DEFAULT"},
        {L"Default", L"no", IDCANCEL, false, 1, nullptr},
        {L"", nullptr, IDCANCEL, false, 1, nullptr},
    };
    CConstrStylesMgr styles;
    styles.Aggiungi(L"DEFAULT", L"stile di base");
    for (const Case& c : cases) {
        vplat::MessageBoxes::Clear();
        CDlgSaveStyleAs dlg;
        dlg.SetStili(&styles);
        auto& focus = Watch(FocusId());
        std::wstring script = std::wstring(L"dialog 7017 set 7025 ") + c.name + L"\ndialog 7017 set 7026 Rotatoria urbana\n" +
                              L"dialog 7017 click 1\n";
        if (c.answer) script += std::wstring(L"msgbox ") + c.answer + L"\n";
        if (c.result == IDCANCEL) script += L"dialog 7017 key ESCAPE\n";
        Script(script);
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(dlg.GetSovrascrivi(), c.overwrite) << c.name;
        EXPECT_EQ(vplat::MessageBoxes::All().size(), c.boxes) << c.name;
        EXPECT_EQ(focus.front(), L"7025");
        if (c.result == IDOK) {
            EXPECT_EQ(dlg.GetNome(), c.stored);
            EXPECT_EQ(dlg.GetDescrizione(), L"Rotatoria urbana");
        }
        if (c.boxes && c.answer) {
            EXPECT_EQ(vplat::MessageBoxes::All()[0].caption, L"Messaggio");
            EXPECT_EQ(vplat::MessageBoxes::All()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
        }
        if (c.answer) {
            EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Nome di stile esistente: sovrascrivere?") << c.name;
        }
        if (c.answer && std::wstring(c.answer) == L"no") {
            EXPECT_EQ(focus.back(), L"7025");
        }
        EXPECT_TRUE(Mismatches().empty()) << c.name;
    }
}

TEST_F(JunctorDialogs, ErrorLogScrollsAndClosesWithEnterOrEsc) {
    CString log;
    for (int i = 1; i <= 40; ++i) {
        CString line;
        line.Format(L" - Ramo %d: raggio di raccordo troppo piccolo\r\n", i);
        log += line;
    }
    struct Case {
        const wchar_t* key;
        INT_PTR result;
    } cases[] = {{L"RETURN", IDOK}, {L"ESCAPE", IDCANCEL}};
    for (const Case& c : cases) {
        CDlgErrs dlg;
        dlg.SetTesto(log);
        auto& state = Watch([](HWND d) {
            HWND e = GetDlgItem(d, 7015);
            SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
            GetScrollInfo(e, SB_VERT, &si);
            return std::to_wstring(si.nMax) + L"/" + std::to_wstring(si.nPage) + L"/" +
                   std::to_wstring(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0));
        });
        Script(std::wstring(L"dialog 7003 scroll 7015 down\ndialog 7003 scroll 7015 pagedown\ndialog 7003 key ") + c.key +
               L"\n");
        EXPECT_EQ(dlg.DoModal(), c.result);
        // 40 lines and the empty one after the last line break, 18 shown (241
        // pixels of 13, above the OK button); a page down from line 1 stops at
        // the last full page.
        ASSERT_EQ(state.size(), 3u);
        EXPECT_EQ(state[0], L"40/18/0");
        EXPECT_EQ(state[1], L"40/18/1");
        EXPECT_EQ(state[2], L"40/18/19");
        EXPECT_TRUE(Mismatches().empty());
    }
}

// One reason a line: a line feed or a carriage return alone, as the tangent
// circle's reasons came, breaks the line like a whole line end.
TEST_F(JunctorDialogs, ErrorLogShowsOneReasonALine) {
    CDlgErrs dlg;
    dlg.SetTesto(L"Costruzione dell'isola a goccia...\r\n\nNessuna soluzione. Comando annullato\n"
                 L" - Numero di intersezioni insufficienti in fase di costruzione.\rErrore!\r\n");
    auto& righe = Watch([](HWND d) {
        HWND e = GetDlgItem(d, 7015);
        std::wstring out;
        const LRESULT n = SendMessageW(e, EM_GETLINECOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            wchar_t riga[256] = {255};  // the room, in the buffer's first word
            const LRESULT k = SendMessageW(e, EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(riga));
            out += std::wstring(riga, static_cast<size_t>(k)) + L"|";
        }
        return out;
    });
    Script(L"dialog 7003 click 1\n");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0], L"Costruzione dell'isola a goccia...||Nessuna soluzione. Comando annullato|"
                        L" - Numero di intersezioni insufficienti in fase di costruzione.|Errore!||");
}

// The log dialog has a visible OK and a close box; it opens with the focus on
// OK, so the log is not shown selected.
TEST_F(JunctorDialogs, ErrorLogClosesWithOkOrTheCloseBoxAndOpensUnselected) {
    struct Case {
        const wchar_t* action;
        INT_PTR result;
    } cases[] = {{L"click 1", IDOK}, {L"close", IDCANCEL}, {L"key RETURN", IDOK}};
    for (const Case& c : cases) {
        CDlgErrs dlg;
        dlg.SetTesto(L" - Ramo 1: raggio di raccordo troppo piccolo\r\n - Ramo 2: isola troppo corta\r\n");
        auto& state = Watch([](HWND d) {
            HWND ok = GetDlgItem(d, IDOK), log = GetDlgItem(d, 7015);
            DWORD start = 0, end = 0;
            SendMessageW(log, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            RECT r1, r2, i;
            GetWindowRect(ok, &r1);
            GetWindowRect(log, &r2);
            return std::to_wstring(IsWindowVisible(ok)) + std::to_wstring((GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU) != 0) +
                   std::to_wstring(GetFocus() == ok) + std::to_wstring(start == end) +
                   std::to_wstring(IntersectRect(&i, &r1, &r2) != 0) + std::to_wstring(IsWindowVisible(GetDlgItem(d, IDCANCEL)));
        });
        Script(std::wstring(L"dialog 7003 ") + c.action + L"\n");
        EXPECT_EQ(dlg.DoModal(), c.result) << c.action;
        EXPECT_TRUE(Mismatches().empty()) << c.action;
        ASSERT_EQ(state.size(), 1u);
        EXPECT_EQ(state[0], L"111100") << c.action;
    }
}

TEST_F(JunctorDialogs, DialogTextsGoThroughTheTranslationService) {
    setenv("VORTANA_TRANSLATOR_MARK", "1", 1);
    ASSERT_TRUE(LoadTranslatorDll(L"Junctor.arx"));
    CDlgSettings dlg;
    Fill(dlg);
    std::vector<std::wstring> texts;
    vplat::ModalLoop::SetShownHook([&](HWND d, int) {
        texts = {Text(d), Text(GetDlgItem(d, 7048)), Text(GetDlgItem(d, 1)), Text(GetDlgItem(d, 7025))};
    });
    Script(L"dialog 7008 key ESCAPE\n");
    dlg.DoModal();
    FreeTranslatorDll();
    unsetenv("VORTANA_TRANSLATOR_MARK");
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"\u00abImpostazioni di editazione\u00bb",
                                                L"\u00abNumero di cifre decimali per gli edit\u00bb",
                                                L"\u00abOk\u00bb", L"0"}));
}

// The three dialogs laid out from their templates, as pictures.
TEST_F(JunctorDialogs, Snapshots) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(VORTANA_BIN).parent_path() / "snapshots";
    fs::create_directories(dir);
    std::vector<std::pair<int, HWND>> shown;
    vplat::ModalLoop::SetShownHook([&](HWND d, int id) {
        EXPECT_TRUE(vplat::SnapshotWindow(d, (dir / ("dialog-" + std::to_string(id) + ".png")).string()));
        RECT r;
        GetClientRect(d, &r);
        shown.push_back({id, d});
        // Client sizes from the template's dialog units: 4 units a base width of 6, 8 a height of 13.
        if (id == 7008) {
            EXPECT_EQ(r.right * 1000 + r.bottom, 395 * 1000 + 257);
        }
        if (id == 7017) {
            EXPECT_EQ(r.right * 1000 + r.bottom, 327 * 1000 + 185);
        }
        if (id == 7003) {
            EXPECT_EQ(r.right * 1000 + r.bottom, 561 * 1000 + 302);
        }
        // The dialog's face colour inside, the frame's edge outside.
        EXPECT_EQ(vplat::SnapshotPixel(d, 5, 40), GetSysColor(COLOR_BTNFACE));
    });
    Script(L"dialog 7008 key ESCAPE\ndialog 7017 key ESCAPE\ndialog 7003 key ESCAPE\n");
    CDlgSettings s;
    Fill(s, 2, 0.25);
    s.DoModal();
    CConstrStylesMgr styles;
    CDlgSaveStyleAs a;
    a.SetStili(&styles);
    a.DoModal();
    CDlgErrs e;
    CString log;
    for (int i = 1; i <= 30; ++i) log.AppendFormat(L" - Ramo %d: impossibile costruire l'isola a goccia\r\n", i);
    e.SetTesto(log);
    e.DoModal();
    EXPECT_EQ(shown.size(), 3u);
    for (int id : {7008, 7017, 7003}) EXPECT_TRUE(fs::exists(dir / ("dialog-" + std::to_string(id) + ".png")));
}
