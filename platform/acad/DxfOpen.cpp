// Where a drawing's text comes from: a text in memory, or a regular file
// opened once and read by both passes a piece at a time.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DxfFile.h"
#include "DxfReading.h"
#include "HostText.h"

namespace vplat {

using dxfread::DxfSource;
using dxfread::ReadSource;

bool ReadDxfText(const std::string& text, AcDbDatabase* db, std::wstring* error, std::vector<std::wstring>* skipped) {
    return ReadSource(DxfSource{text}, db, error, skipped);
}

bool ReadDxfFile(const std::string& path, AcDbDatabase* db, std::wstring* error, std::vector<std::wstring>* skipped) {
    // Both passes read the one file opened here, a piece at a time: a file
    // renamed or replaced meanwhile is still the one read, and one written
    // over meanwhile is refused.
    struct File {
        int fd;
        ~File() {
            if (fd >= 0) ::close(fd);
        }
    } file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    // Opened without waiting (a pipe nobody writes would wait for ever) and
    // read only when it is a file: a device or a pipe has no end to read to.
    struct stat opened {};
    bool read = file.fd >= 0 && fstat(file.fd, &opened) == 0;
    if (read && !S_ISREG(opened.st_mode) && !S_ISDIR(opened.st_mode)) {
        if (error) *error = Utf8ToWide(path) + L": not a regular file (a device, a pipe or a socket): not read";
        return false;
    }
    std::wstring e;
    if (read) {
        auto sameFile = [&] {
            struct stat now {};
            return fstat(file.fd, &now) == 0 && now.st_size == opened.st_size &&
                   now.st_mtim.tv_sec == opened.st_mtim.tv_sec && now.st_mtim.tv_nsec == opened.st_mtim.tv_nsec;
        };
        try {
            if (ReadSource(DxfSource{{}, file.fd}, db, &e, skipped, sameFile)) return true;
        } catch (const dxfread::FileError&) {
            read = false;
        }
    }
    if (!read) {
        if (error) *error = L"cannot open " + Utf8ToWide(path);
        return false;
    }
    if (error) *error = Utf8ToWide(path) + L": " + e;
    return false;
}

}  // namespace vplat
