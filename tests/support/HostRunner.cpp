#include "HostRunner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

TempFolder::TempFolder() {
    static int count = 0;
    m_path = (fs::temp_directory_path() /
              ("vortana-test-" + std::to_string(::getpid()) + "-" + std::to_string(++count)))
                 .string();
    fs::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void TempFolder::Write(const std::string& name, const std::string& text) const {
    std::ofstream out(File(name), std::ios::binary);
    out << text;
}

HostRun RunHost(const std::string& host, const std::vector<std::string>& args) {
    TempFolder out;
    std::string cmd = Quote(host);
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " >" + Quote(out.File("stdout")) + " 2>" + Quote(out.File("stderr")) + " </dev/null";
    HostRun run;
    int status = std::system(cmd.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.transcript = ReadAll(out.File("stdout"));
    run.errors = ReadAll(out.File("stderr"));
    return run;
}

std::string CopyInstallation(const TempFolder& folder, const std::string& bin, const std::vector<std::string>& copied) {
    const fs::path dir = fs::path(folder.Path()) / "bin";
    fs::create_directories(dir);
    for (const auto& e : fs::directory_iterator(bin)) {
        const std::string name = e.path().filename().string();
        // The host finds its folder from its own file: always a copy.
        if (name == "vortana-cad" || std::find(copied.begin(), copied.end(), name) != copied.end())
            fs::copy(e.path(), dir / name, fs::copy_options::recursive);
        else
            fs::create_symlink(e.path(), dir / name);
    }
    return (dir / "vortana-cad").string();
}
