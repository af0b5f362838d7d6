#include "SystemErrorText.h"

std::string TrimmedSystemMessage(platform::ErrorCode code) {
    std::string text = platform::SystemMessage(code);
    while (!text.empty()) {
        unsigned char last = static_cast<unsigned char>(text.back());
        if (last > ' ' && last != '.') break;
        text.pop_back();
    }
    return text;
}

std::string FileErrorMessage(const std::string& verb, const std::string& fileName, platform::ErrorCode code) {
    return "Cannot " + verb + " file \"" + platform::FullPath(fileName) + "\". " + TrimmedSystemMessage(code);
}
