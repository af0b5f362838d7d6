// Any text as a form's layout: the reader either gives a tree or refuses with its own error,
// never crashes, hangs or throws anything else.
#include <cstdint>
#include <string>

#include "LayoutText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        layout::ParseLayout(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const layout::LayoutError&) {
    }
    return 0;
}
