// Any bytes as smp.ini: the text keeps only CR LF breaks and no NUL, reading it twice
// changes nothing more, and each value is one line without a break.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProductSettings.h"
#include "SettingsText.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string raw(reinterpret_cast<const char*>(data), size);
    std::string text = NormalizeSettingsText(raw);
    Require(text.find('\0') == std::string::npos);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') Require(i + 1 < text.size() && text[i + 1] == '\n');
        if (text[i] == '\n') Require(i > 0 && text[i - 1] == '\r');
    }
    Require(NormalizeSettingsText(text) == text);
    ProductSettings settings = ExtractProductSettings(text);
    for (const std::string* value :
         {&settings.SubFolder, &settings.AudioFileName, &settings.BitmapFileName, &settings.ProductName})
        Require(value->find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    return 0;
}
