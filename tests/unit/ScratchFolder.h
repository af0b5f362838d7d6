// A fresh empty folder that is the current folder for the life of the object,
// as the installer's working folder is.
#pragma once

#include <filesystem>
#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Whole-file helpers for tests: raw bytes in, raw bytes out.
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);
