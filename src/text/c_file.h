#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

namespace tressal {

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, CFileCloser>;

enum class CFileMode { Read, Write };

// Opens the file in binary mode, whatever the characters of its path; null on
// failure, with errno set.
inline CFile OpenCFile(const std::filesystem::path& path, CFileMode mode) {
#ifdef _WIN32
    return CFile(_wfopen(path.c_str(), mode == CFileMode::Read ? L"rb" : L"wb"));
#else
    return CFile(std::fopen(path.c_str(), mode == CFileMode::Read ? "rb" : "wb"));
#endif
}

} // namespace tressal
