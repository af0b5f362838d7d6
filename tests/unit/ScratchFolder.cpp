#include "ScratchFolder.h"

#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() : previous_(fs::current_path()) {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("logic-test-" + std::to_string(random()));
    fs::create_directories(path_);
    fs::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
