#include "SettingsText.h"

#include "Errors.h"
#include "Platform.h"
#include "SystemErrorText.h"

namespace {

const char* const TooLargeMessage = "Text exceeds memo capacity";

// A file larger than this cannot shrink under the capacity unless a NUL cuts it early;
// it is refused before reading so that a huge file costs no memory.
constexpr std::int64_t LargestReadableFile = 64 * static_cast<std::int64_t>(SettingsTextCapacity);

// Trail bytes of every double-byte code page lie at 0x40 or above; a lead byte followed by
// a break or a NUL is a broken character, and the break still counts.
bool IsTrailByte(char c) { return static_cast<unsigned char>(c) >= 0x40; }

}  // namespace

std::string NormalizeSettingsText(std::string_view raw) {
    std::string text;
    text.reserve(raw.size() + raw.size() / 16);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\0') break;
        // A two-byte character is copied whole, so its second byte is never read as a break.
        if (platform::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < raw.size() && IsTrailByte(raw[i + 1])) {
            text += c;
            text += raw[++i];
        } else if (c == '\r') {
            text += "\r\n";
            if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

std::string LineAt(std::string_view text, int index) {
    std::size_t start = 0;
    for (int line = 0; line < index; ++line) {
        std::size_t brk = text.find("\r\n", start);
        if (brk == std::string_view::npos) return {};
        start = brk + 2;
    }
    std::size_t end = text.find("\r\n", start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string ReadProductSettings(const std::string& fileName) {
    std::string raw;
    {
        platform::File file(fileName, platform::File::Mode::ReadSharedForReading);
        if (!file.IsOpen()) throw EFOpenError(FileErrorMessage("open", fileName, file.OpenError()));
        std::int64_t size = file.Size();
        if (size > LargestReadableFile) throw EInvalidOperation(TooLargeMessage);
        raw.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
        raw.resize(file.Read(raw.data(), raw.size()));
    }
    std::string text = NormalizeSettingsText(raw);
    if (text.size() > SettingsTextCapacity) throw EInvalidOperation(TooLargeMessage);
    return text;
}
