#include "HostRunner.h"

#include <sys/wait.h>
#include <unistd.h>

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
