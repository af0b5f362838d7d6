// A full disk during the write. full_disk.sh mounts a tiny file system, fills it, and runs
// this test with FULL_DISK_FOLDER naming a folder on it; elsewhere the test is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Errors.h"
#include "InstallFiles.h"
#include "ScratchFolder.h"
#include "VectorLineHolder.h"

namespace fs = std::filesystem;

TEST(FullDiskTest, WriteErrorLeavesThePartialFileAndWritesNothingLater) {
    const char* folder = std::getenv("FULL_DISK_FOLDER");
    if (!folder) GTEST_SKIP() << "run by full_disk.sh on a full file system";
    fs::current_path(folder);
    InstallFileTexts texts{std::string(64 * 1024, 'a'), "b", {"1", "2", "3", "4", "5", "6", "7"}};
    VectorLineHolder holder;
    try {
        WriteInstallFiles(texts, holder);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
    }
    ASSERT_TRUE(fs::exists("ini.8da"));
    EXPECT_LT(fs::file_size("ini.8da"), texts.AudioPathText.size());
    EXPECT_FALSE(fs::exists("ini.8db"));
    EXPECT_FALSE(fs::exists("RUN.bat"));
    EXPECT_TRUE(holder.lines.empty());
}
