#include "HostSession.h"

#include <arx.h>
#include <windows.h>

#include <filesystem>

#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "ICQvLorvent.h"
#include "ManagedCalls.h"
#include "WinInput.h"

namespace {

bool SplitAssignment(const std::string& text, std::wstring* name, std::wstring* value) {
    size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    *name = vplat::Utf8ToWide(text.substr(0, eq));
    *value = vplat::Utf8ToWide(text.substr(eq + 1));
    return true;
}

}  // namespace

bool HostSession::Setup(std::string* reason) {
    for (const std::string& s : m_options.sysvars) {
        std::wstring name, value, error;
        if (!SplitAssignment(s, &name, &value)) {
            *reason = "--set takes NAME=VALUE, not \"" + s + "\"";
            return false;
        }
        if (!vplat::SysVars::SetFromText(name, value, &error)) {
            *reason = vplat::WideToUtf8(error);
            return false;
        }
    }
    for (const std::string& s : m_options.lisp) {
        std::wstring name, value;
        if (!SplitAssignment(s, &name, &value)) {
            *reason = "--lisp takes NAME=VALUE, not \"" + s + "\"";
            return false;
        }
        vplat::LispSymbols::SetText(name, value);
    }
    if (!m_options.snapshots.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(m_options.snapshots, ec);
        if (ec) {
            *reason = "cannot make the snapshot folder " + m_options.snapshots;
            return false;
        }
        // Every dialog, as it first shows itself to the user: dialog-<template>-<n>.png.
        vplat::ModalLoop::SetShownHook([this](HWND dialog, int templateId) {
            std::string file = m_options.snapshots + "/dialog-" + std::to_string(templateId) + "-" +
                               std::to_string(++m_snapshotCount) + ".png";
            bool ok = vplat::SnapshotWindow(dialog, file);
            vplat::Transcript::Get().Event("snapshot", (ok ? L"" : L"could not write ") + vplat::Utf8ToWide(file));
        });
    }
    if (!DrawingStep::CheckView(m_options.drawing, reason)) return false;
    if (!m_options.project.empty()) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(m_options.project, ec)) {
            *reason = "--project: no settings file " + m_options.project;
            return false;
        }
        vplat::SetProjectFile(std::filesystem::absolute(m_options.project, ec).string());
    }
    if (!m_options.script.empty()) {
        std::wstring error;
        if (!vplat::Script::Get().LoadFile(m_options.script, &error)) {
            *reason = vplat::WideToUtf8(error);
            return false;
        }
    }
    return true;
}

bool HostSession::LoadModules(std::string* reason) {
    for (const std::string& m : m_options.modules) {
        std::wstring error;
        if (!vplat::ArxApps::Load(vplat::Utf8ToWide(m), &error)) {
            *reason = vplat::WideToUtf8(error);
            return false;
        }
    }
    return true;
}

bool HostSession::RunCommands(std::string* reason) {
    for (const std::string& c : m_options.commands) {
        std::wstring error;
        if (!vplat::ArxApps::Run(vplat::Utf8ToWide(c), &error)) {
            *reason = vplat::WideToUtf8(error);
            return false;
        }
    }
    return true;
}

bool HostSession::RunManagedCalls(std::string* reason) {
    for (const std::string& file : m_options.managed)
        if (!ManagedCalls::Run(file, reason)) return false;
    return true;
}

bool HostSession::CheckScript(std::string* reason) {
    vplat::Script& script = vplat::Script::Get();
    for (const vplat::ScriptLine& line : script.Remaining())
        script.Mismatch(L"line " + std::to_wstring(line.number) + L" (" + line.kind + L") was never asked for");
    if (!script.Mismatches().empty()) {
        *reason = "script: " + vplat::WideToUtf8(script.Mismatches().front());
        return false;
    }
    return true;
}

bool HostSession::Run(std::string* reason) {
    bool ok = Setup(reason) && DrawingStep::Open(m_options.drawing, reason) && LoadModules(reason) &&
              RunCommands(reason) && RunManagedCalls(reason);
    vplat::ArxApps::UnloadAll();
    vplat::ModalLoop::SetShownHook(nullptr);
    if (ok) ok = CheckScript(reason);
    if (ok) ok = DrawingStep::Finish(m_options.drawing, reason);
    return ok;
}
