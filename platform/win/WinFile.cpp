#include "WinFile.h"

#include <filesystem>

#include "HostText.h"

DWORD GetFileAttributesW(LPCWSTR fileName) {
    if (!fileName || !*fileName) return INVALID_FILE_ATTRIBUTES;
    std::error_code ec;
    const std::filesystem::path path(vplat::ToPosixPath(fileName));
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return INVALID_FILE_ATTRIBUTES;
    return std::filesystem::is_directory(status) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}
