// Runs the host program as a person would, and keeps what it printed.
#pragma once

#include <string>
#include <vector>

struct HostRun {
    int exitCode = -1;
    std::string transcript;  // standard output
    std::string errors;      // standard error
};

// Runs `host` with the arguments (each quoted for the shell) in `folder`.
HostRun RunHost(const std::string& host, const std::vector<std::string>& args);

// A temporary folder, removed with its contents at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    void Write(const std::string& name, const std::string& text) const;

private:
    std::string m_path;
};

// An installation of the host of its own in `folder`/bin, laid out like the
// build's `bin`: the host and the entries named in `copied` (folders whole)
// copied, so that a test may change them, everything else linked. The
// host's path.
std::string CopyInstallation(const TempFolder& folder, const std::string& bin, const std::vector<std::string>& copied);
