// Running Debian's ezdxf from the tests: scripts written beside the test's
// files, run with the system Python that sees Debian's packages.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace ezdxf_support {

inline const char* kPython = "/usr/bin/python3";

inline bool HaveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

// Standard output (and error, when the command sends it there) of a command.
inline std::string RunCommand(const std::string& cmd, int* rc) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    *rc = pclose(p);
    return out;
}

// Written beside under a name of this process and moved into place, so that
// tests running side by side with the same script never read it half written.
inline std::string Script(const char* name, const char* body) {
    std::string path = ::testing::TempDir() + name;
    std::string part = path + "." + std::to_string(::getpid());
    std::ofstream(part) << body;
    std::rename(part.c_str(), path.c_str());
    return path;
}

// Runs a Python script (saved under `name`) with the arguments given.
inline std::string RunPython(const char* name, const char* body, const std::string& args, int* rc) {
    return RunCommand(std::string(kPython) + " " + Script(name, body) + " " + args + " 2>&1", rc);
}

// The errors ezdxf's audit finds in a drawing file, one a line; `rc` is 0
// when there are none.
inline std::string AuditErrors(const std::string& dxf, int* rc) {
    return RunPython("audit.py",
                     "import ezdxf, sys\nd = ezdxf.readfile(sys.argv[1])\na = d.audit()\n"
                     "print('\\n'.join(str(e.message) for e in a.errors))\nsys.exit(1 if a.has_errors else 0)\n",
                     dxf, rc);
}

}  // namespace ezdxf_support
