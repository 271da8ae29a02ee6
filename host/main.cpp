// vortana-cad: plays the CAD host. Opens a drawing, loads modules as the host
// loads them, runs commands with an input script, and shows the transcript.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "HostSession.h"
#include "HostTranscript.h"
#include "WinModule.h"

int main(int argc, char** argv) {
    CLI::App app{"vortana-cad: the CAD host for the Vortana modules"};
    HostOptions options;
    std::string transcriptFile;
    bool trace = false;
    app.add_option("--set", options.sysvars, "set a system variable before anything runs (NAME=VALUE)");
    app.add_option("--lisp", options.lisp, "bind an AutoLISP symbol to a text (NAME=VALUE)");
    app.add_option("--load", options.modules, "load a module from the host's folder or a path");
    app.add_option("--script", options.script, "the input script that answers every request");
    app.add_option("--run", options.commands, "run a registered or exported command by name, in order");
    app.add_option("--managed", options.managed,
                   "run a file of calls of the roundabout module's managed API after the commands (repeatable)");
    app.add_option("--snapshots", options.snapshots, "write a PNG picture of every dialog opened into this folder");
    app.add_option("--project", options.project, "the project's settings file the suite's project manager answers");
    app.add_option("--transcript", transcriptFile, "write the transcript to this file (default: standard output)");
    app.add_flag("--trace", trace,
                 "show the host's own tracing in the transcript too: [module], [linker], [translator], [commands], "
                 "[lorvent] and [debug] lines");
    app.add_option("--drawing", options.drawing.drawing, "open this DXF drawing before anything loads");
    app.add_option("--save", options.drawing.save, "save the drawing as DXF at the end");
    app.add_option("--dump", options.drawing.dump, "write the drawing as JSON at the end");
    app.add_option("--render", options.drawing.render,
                   "draw the drawing at the end into a PNG, or a PDF for a name ending in .pdf (repeatable)");
    app.add_option("--layout", options.drawing.layout,
                   "the layout the --render of the same rank draws (default: model space; \"*\": every "
                   "paper-space layout)");
    app.add_option("--view", options.drawing.view,
                   "how every --render looks at model space: plan (default), iso, or a direction x,y,z towards "
                   "the eye");
    app.add_option("--zscale", options.drawing.zscale,
                   "the vertical scale of a --view other than plan (default 1; 10 makes a roundabout's elevations "
                   "readable)");
    CLI11_PARSE(app, argc, argv);

    std::ofstream file;
    if (!transcriptFile.empty()) {
        file.open(transcriptFile, std::ios::binary);
        if (!file) {
            std::cerr << "vortana-cad: cannot write the transcript " << transcriptFile << "\n";
            return 1;
        }
    }
    std::ostream& out = transcriptFile.empty() ? std::cout : file;
    vplat::Transcript::Get().SetTracing(trace);
    vplat::Transcript::Get().SetSink([&out](const std::string& text) { out << text << std::flush; });

    std::string reason;
    bool ok = false;
    // Nothing that goes wrong inside may end the host as an abort: it is
    // reported like any failure. Files are written whole or not at all.
    try {
        HostSession session(std::move(options));
        ok = session.Run(&reason);
    } catch (const std::exception& e) {
        reason = std::string("internal error: ") + e.what();
    } catch (...) {
        reason = "internal error";
    }
    vplat::Transcript::Get().SetSink(nullptr);
    if (!ok) {
        std::cerr << "vortana-cad: " << reason << "\n";
        return 1;
    }
    return 0;
}
