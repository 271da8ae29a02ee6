// One run of the host: what to set up, which modules to load, which commands
// to run, and the checks at the end.
#pragma once

#include <string>
#include <vector>

#include "DrawingStep.h"

struct HostOptions {
    std::vector<std::string> sysvars;  // NAME=VALUE
    std::vector<std::string> lisp;     // NAME=VALUE
    std::vector<std::string> modules;  // file names in the host's folder, or paths
    std::vector<std::string> commands;
    std::vector<std::string> managed;  // files of managed calls, run after the commands
    std::string script;                // input script, or empty
    std::string snapshots;             // folder for pictures of the dialogs, or empty
    std::string project;               // the project's settings file, or empty
    DrawingOptions drawing;            // --drawing, --save, --dump, --render, --layout
};

class HostSession {
public:
    explicit HostSession(HostOptions options) : m_options(std::move(options)) {}
    // Runs every step in order; false with a one-line reason at the first failure.
    // Loaded modules are always unloaded at the end.
    bool Run(std::string* reason);

private:
    bool Setup(std::string* reason);
    bool LoadModules(std::string* reason);
    bool RunCommands(std::string* reason);
    bool RunManagedCalls(std::string* reason);
    bool CheckScript(std::string* reason);

    HostOptions m_options;
    int m_snapshotCount = 0;
};
