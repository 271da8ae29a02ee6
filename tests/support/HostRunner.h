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
