#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Errors.h"
#include "InstallFiles.h"
#include "ScratchFolder.h"
#include "SystemErrorText.h"
#include "VectorLineHolder.h"

namespace fs = std::filesystem;

namespace {

InstallFileTexts ExampleTexts() {
    return {"C:\\Audio Tools\\Plugins\\My Product\\Audio\\demo.wav",
            "C:\\Audio Tools\\Plugins\\My Product\\face.bmp",
            {"MD \"C:\\AUDIOT~1\\Plugins\\My Product\"", "L1", "L2", "L3", "L4", "CD Audio", "L6"}};
}

// The holders' texts before any folder was clicked.
InstallFileTexts PlaceholderTexts() {
    InstallFileTexts texts{"Memo1\r\n", "Memo1\r\n", {}};
    texts.ScriptLines.fill("Label23");
    return texts;
}

std::string ScriptOf(const InstallFileTexts& texts) {
    std::string script;
    for (const std::string& line : texts.ScriptLines) script += line + "\r\n";
    return script;
}

class InstallFilesTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    VectorLineHolder holder;
};

}  // namespace

TEST_F(InstallFilesTest, FilesHoldTheTextsByteForByte) {
    InstallFileTexts texts = ExampleTexts();
    WriteInstallFiles(texts, holder);

    EXPECT_EQ(ReadBytes("ini.8da"), texts.AudioPathText);  // no BOM, no final line break
    EXPECT_EQ(ReadBytes("ini.8db"), texts.BitmapPathText);
    std::string script = ReadBytes("RUN.bat");
    EXPECT_EQ(script, ScriptOf(texts));
    EXPECT_EQ(script.rfind("MD \"C:\\AUDIOT~1\\Plugins\\My Product\"\r\n", 0), 0u);
    EXPECT_EQ(holder.lines, std::vector<std::string>(texts.ScriptLines.begin(), texts.ScriptLines.end()));
}

TEST_F(InstallFilesTest, PlaceholderTextsGiveTheirKnownSizes) {
    WriteInstallFiles(PlaceholderTexts(), holder);
    EXPECT_EQ(fs::file_size("ini.8da"), 7u);
    EXPECT_EQ(fs::file_size("ini.8db"), 7u);
    EXPECT_EQ(fs::file_size("RUN.bat"), 63u);
}

TEST_F(InstallFilesTest, ASecondConfirmationReplacesEverythingOfTheFirst) {
    WriteBytes("ini.8da", std::string(500, 'z'));
    WriteInstallFiles(ExampleTexts(), holder);
    InstallFileTexts second{"", "D:\\x\\b.bmp", {"a", "b", "c", "d", "e", "f", "g"}};
    WriteInstallFiles(second, holder);

    EXPECT_TRUE(fs::exists("ini.8da"));
    EXPECT_EQ(fs::file_size("ini.8da"), 0u);  // emptied memo: an empty file
    EXPECT_EQ(ReadBytes("ini.8db"), "D:\\x\\b.bmp");
    EXPECT_EQ(ReadBytes("RUN.bat"), "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\n");
    EXPECT_EQ(holder.lines.size(), 7u);
    EXPECT_EQ(holder.lines[6], "g");
}

TEST_F(InstallFilesTest, BytesAbove127AreWrittenAsTheyAre) {
    InstallFileTexts texts = ExampleTexts();
    texts.AudioPathText = "C:\\Produ\xE7\xE3o\\\xFF\x80.wav";
    WriteInstallFiles(texts, holder);
    EXPECT_EQ(ReadBytes("ini.8da"), texts.AudioPathText);
}

TEST_F(InstallFilesTest, AnUncreatableFirstFileStopsEverything) {
    fs::create_directory("ini.8da");  // a folder of that name cannot be created as a file
    try {
        WriteInstallFiles(ExampleTexts(), holder);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        std::string fullPath = (fs::current_path() / "ini.8da").string();
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + fullPath + "\". ", 0), 0u) << e.Message();
    }
    EXPECT_FALSE(fs::exists("ini.8db"));
    EXPECT_FALSE(fs::exists("RUN.bat"));
    EXPECT_TRUE(holder.lines.empty());
}

TEST_F(InstallFilesTest, AnUncreatableScriptKeepsItsOldContentAfterTheListIsFilled) {
    WriteInstallFiles(PlaceholderTexts(), holder);
    fs::remove("RUN.bat");
    fs::create_directory("RUN.bat");
    InstallFileTexts texts = ExampleTexts();
    EXPECT_THROW(WriteInstallFiles(texts, holder), EFCreateError);
    EXPECT_EQ(ReadBytes("ini.8da"), texts.AudioPathText);
    EXPECT_EQ(ReadBytes("ini.8db"), texts.BitmapPathText);
    EXPECT_EQ(holder.lines[0], texts.ScriptLines[0]);
}

TEST_F(InstallFilesTest, AFullListStopsBeforeTheScript) {
    VectorLineHolder small(3);
    try {
        WriteInstallFiles(ExampleTexts(), small);
        FAIL() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), "Unable to insert a line");
    }
    EXPECT_TRUE(fs::exists("ini.8db"));
    EXPECT_FALSE(fs::exists("RUN.bat"));
}

#ifndef _WIN32
TEST_F(InstallFilesTest, AFullDiskGivesAWriteErrorAndLeavesTheFile) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    fs::create_symlink("/dev/full", "ini.8da");
    try {
        WriteInstallFiles(ExampleTexts(), holder);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
    }
    EXPECT_TRUE(fs::exists("ini.8da"));
    EXPECT_FALSE(fs::exists("ini.8db"));
}
#endif

#ifdef _WIN32
// Another process holding RUN.bat open: the first two files are rewritten, the list is
// filled, and the error quotes the system's sharing-violation text.
TEST_F(InstallFilesTest, AScriptInUseGivesTheSharingViolationText) {
    WriteBytes("RUN.bat", "old");
    HANDLE held = CreateFileA("RUN.bat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    InstallFileTexts texts = ExampleTexts();
    try {
        WriteInstallFiles(texts, holder);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        std::string fullPath = (fs::current_path() / "RUN.bat").string();
        EXPECT_EQ(e.Message(), "Cannot create file \"" + fullPath + "\". " + TrimmedSystemMessage(ERROR_SHARING_VIOLATION));
    }
    CloseHandle(held);
    EXPECT_EQ(ReadBytes("ini.8db"), texts.BitmapPathText);
    EXPECT_EQ(holder.lines.size(), 7u);
    EXPECT_EQ(ReadBytes("RUN.bat"), "old");
}
#endif
