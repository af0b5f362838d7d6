#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Errors.h"
#include "Platform.h"
#include "ProductSettings.h"
#include "ScratchFolder.h"
#include "SettingsText.h"
#include "SystemErrorText.h"

using namespace std::string_literals;

namespace {

struct SettingsCase {
    const char* name;
    std::string raw;
    ProductSettings expected;
};

const ProductSettings BDFH{"b", "d", "f", "h"};

const SettingsCase SettingsCases[] = {
    {"CR LF", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\n", BDFH},
    {"LF alone", "a\nb\nc\nd\ne\nf\ng\nh\n", BDFH},
    {"CR alone", "a\rb\rc\rd\re\rf\rg\rh\r", BDFH},
    {"mixed, no final break", "a\r\nb\nc\rd\r\ne\nf\rg\nh", BDFH},
    {"CR CR LF is two breaks", "a\r\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh", {"", "c", "e", "g"}},
    {"five lines", "a\nb\nc\nd\ne\n", {"b", "d", "", ""}},
    {"empty file", "", {"", "", "", ""}},
    {"kept blanks", "0\n\t My Product \n2\n demo.wav\t\n", {"\t My Product ", " demo.wav\t", "", ""}},
    {"NUL ends the text", "a\nb\nc\nde\0mo.wav\nf\ng\nh\n"s, {"b", "de", "", ""}},
    {"lines after 7 change nothing", "a\nb\nc\nd\ne\nf\ng\nh\ni\r\nj\0k"s, BDFH},
    {"bytes above 127 unchanged", "\n\xE7\xE3o\n\n\xFF.wav\n", {"\xE7\xE3o", "\xFF.wav", "", ""}},
};

class SettingsFileTest : public ::testing::Test {
protected:
    ScratchFolder folder;
};

}  // namespace

TEST_F(SettingsFileTest, ValuesComeFromLines1357WhateverTheBreaks) {
    for (const SettingsCase& c : SettingsCases) {
        SCOPED_TRACE(c.name);
        WriteBytes("smp.ini", c.raw);
        ProductSettings s = ExtractProductSettings(ReadProductSettings());
        EXPECT_EQ(s.SubFolder, c.expected.SubFolder);
        EXPECT_EQ(s.AudioFileName, c.expected.AudioFileName);
        EXPECT_EQ(s.BitmapFileName, c.expected.BitmapFileName);
        EXPECT_EQ(s.ProductName, c.expected.ProductName);
    }
}

TEST_F(SettingsFileTest, TextHasOnlyCrLfBreaksAndStopsBeforeNul) {
    WriteBytes("smp.ini", "a\rb\nc\r\n\r\rd\0e\n"s);
    EXPECT_EQ(ReadProductSettings(), "a\r\nb\r\nc\r\n\r\n\r\nd");
}

TEST_F(SettingsFileTest, LongLinesAreReadWholeAndLaterLinesKeepTheirNumbers) {
    for (std::size_t length : {200u, 5000u}) {
        std::string longLine(length, 'x');
        WriteBytes("smp.ini", "0\n" + longLine + "\n2\nd\n4\nf\n6\nh\n");
        ProductSettings s = ExtractProductSettings(ReadProductSettings());
        EXPECT_EQ(s.SubFolder, longLine);
        EXPECT_EQ(s.AudioFileName, "d");
        EXPECT_EQ(s.ProductName, "h");
    }
}

TEST_F(SettingsFileTest, CaptionIsProductNameThenInstall) {
    EXPECT_EQ(InstallerCaption({"b", "d", "f", "h"}), "h Install");
    EXPECT_EQ(InstallerCaption({}), " Install");
    // The holder's text before any read yields four empty values.
    EXPECT_EQ(InstallerCaption(ExtractProductSettings("Memo1\r\n")), " Install");
}

TEST_F(SettingsFileTest, MissingFileNamesItsFullPathAndTheSystemsReason) {
    const platform::ErrorCode fileNotFound = 2;  // ERROR_FILE_NOT_FOUND and ENOENT alike
    const std::string reason = platform::SystemMessage(fileNotFound);
    const std::string trimmed = TrimmedSystemMessage(fileNotFound);
    // The system's own words, without the trailing period and line break that end them.
    ASSERT_FALSE(trimmed.empty());
    EXPECT_EQ(reason.compare(0, trimmed.size(), trimmed), 0);
    EXPECT_TRUE(trimmed.back() != '.' && static_cast<unsigned char>(trimmed.back()) > ' ');

    try {
        ReadProductSettings();
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        std::string fullPath = (std::filesystem::current_path() / "smp.ini").string();
        EXPECT_EQ(e.Message(), "Cannot open file \"" + fullPath + "\". " + trimmed);
    }
}

TEST_F(SettingsFileTest, AFolderNamedLikeTheFileCannotBeOpened) {
    std::filesystem::create_directory("smp.ini");
    EXPECT_THROW(ReadProductSettings(), EFOpenError);
}

TEST_F(SettingsFileTest, TextBeyondTheHolderCapacityIsRefused) {
    WriteBytes("smp.ini", std::string(SettingsTextCapacity, 'x'));
    EXPECT_EQ(ReadProductSettings().size(), SettingsTextCapacity);
    // The same size of lone LFs doubles when the breaks become CR LF.
    WriteBytes("smp.ini", std::string(SettingsTextCapacity / 2 + 1, '\n'));
    try {
        ReadProductSettings();
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Text exceeds memo capacity");
    }
}

#ifdef _WIN32
TEST_F(SettingsFileTest, AFileBeingWrittenByAnotherProcessCannotBeOpened) {
    WriteBytes("smp.ini", "a\nb\n");
    HANDLE writer = CreateFileA("smp.ini", GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    try {
        ReadProductSettings();
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + platform::FullPath("smp.ini") + "\". " +
                                   TrimmedSystemMessage(ERROR_SHARING_VIOLATION));
    }
    CloseHandle(writer);
    // Readers are welcome meanwhile.
    HANDLE reader = CreateFileA("smp.ini", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ExtractProductSettings(ReadProductSettings()).SubFolder, "b");
    CloseHandle(reader);
}
#endif
