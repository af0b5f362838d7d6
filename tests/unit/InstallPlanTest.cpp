#include <gtest/gtest.h>

#include <filesystem>

#include "InstallPlan.h"
#include "Platform.h"
#include "ScratchFolder.h"

namespace {

const ProductSettings Example{"My Product", "demo.wav", "face.bmp", "Demo"};

// The seven lines for a given short folder and product folder name, quoted as the script needs.
std::array<std::string, ScriptLineCount> ExpectedLines(const std::string& s, const std::string& sub) {
    return {
        "MD \"" + s + "\\" + sub + "\"",
        "MD \"" + s + "\\" + sub + "\\Audio\"",
        "COPY \"" + s + "\\ini.8da\" \"" + s + "\\" + sub + "\"",
        "COPY \"" + s + "\\ini.8db\" \"" + s + "\\" + sub + "\"",
        "COPY *.* \"" + s + "\\" + sub + "\"",
        "CD Audio",
        "COPY *.wav \"" + s + "\\" + sub + "\\Audio\"",
    };
}

}  // namespace

TEST(InstallPlanTest, ExampleFolderWithSpaces) {
    ScratchFolder scratch;
    std::filesystem::create_directories("Audio Tools/Plugins");
    const std::string longFolder = (scratch.Path() / "Audio Tools" / "Plugins").string();

    InstallPlan plan = ComposeInstallPlan(longFolder, Example);

    EXPECT_EQ(plan.LongFolder, longFolder);
    ASSERT_FALSE(plan.ShortFolder.empty());
#ifdef _WIN32
    // Wine and Windows alike give a short form without the space.
    EXPECT_EQ(plan.ShortFolder.find(' '), std::string::npos) << plan.ShortFolder;
#endif
    EXPECT_EQ(plan.AudioPathText, longFolder + "\\My Product\\Audio\\demo.wav");
    EXPECT_EQ(plan.BitmapPathText, longFolder + "\\My Product\\face.bmp");
    EXPECT_EQ(plan.ScriptLines, ExpectedLines(plan.ShortFolder, "My Product"));
    EXPECT_EQ(plan.ScriptLines[0], "MD \"" + plan.ShortFolder + "\\My Product\"");
}

TEST(InstallPlanTest, NoFolderSelectedLeavesBothFormsEmpty) {
    InstallPlan plan = ComposeInstallPlan("", Example);
    EXPECT_EQ(plan.ShortFolder, "");
    EXPECT_EQ(plan.AudioPathText, "\\My Product\\Audio\\demo.wav");
    EXPECT_EQ(plan.ScriptLines[0], "MD \"\\My Product\"");
    EXPECT_EQ(plan.ScriptLines[2], "COPY \"\\ini.8da\" \"\\My Product\"");
}

TEST(InstallPlanTest, VanishedFolderHasNoShortForm) {
    InstallPlan plan = ComposeInstallPlan("C:\\no such folder here\\x", Example);
    EXPECT_EQ(plan.ShortFolder, "");
    EXPECT_EQ(plan.BitmapPathText, "C:\\no such folder here\\x\\My Product\\face.bmp");
}

TEST(InstallPlanTest, EmptySettingsLeaveDoubledAndTrailingBackslashes) {
    ScratchFolder scratch;
    const std::string longFolder = scratch.Path().string();
    InstallPlan plan = ComposeInstallPlan(longFolder, ProductSettings{});
    EXPECT_EQ(plan.AudioPathText, longFolder + "\\\\Audio\\");
    EXPECT_EQ(plan.BitmapPathText, longFolder + "\\\\");
    EXPECT_EQ(plan.ScriptLines, ExpectedLines(plan.ShortFolder, ""));
    EXPECT_EQ(plan.ScriptLines[0], "MD \"" + plan.ShortFolder + "\\\"");
}

#ifdef _WIN32
TEST(InstallPlanTest, DriveRootIsFollowedByASecondBackslash) {
    InstallPlan plan = ComposeInstallPlan("C:\\", Example);
    EXPECT_EQ(plan.ShortFolder, "C:\\");
    EXPECT_EQ(plan.AudioPathText, "C:\\\\My Product\\Audio\\demo.wav");
    EXPECT_EQ(plan.ScriptLines[0], "MD \"C:\\\\My Product\"");
}
#endif

TEST(InstallPlanTest, PercentSignsAreDoubledInTheScriptOnly) {
    ScratchFolder scratch;
    std::filesystem::create_directory("5%x%");
    const std::string longFolder = (scratch.Path() / "5%x%").string();
    InstallPlan plan = ComposeInstallPlan(longFolder, {"100%PATH%", "a.wav", "b.bmp", ""});
    EXPECT_EQ(plan.AudioPathText, longFolder + "\\100%PATH%\\Audio\\a.wav");
    EXPECT_NE(plan.ScriptLines[0].find("\\100%%PATH%%\""), std::string::npos) << plan.ScriptLines[0];
    for (const std::string& line : plan.ScriptLines) {
        // Outside the doubled pairs no % is left for the command processor to expand.
        std::string rest = line;
        for (std::size_t at; (at = rest.find("%%")) != std::string::npos;) rest.erase(at, 2);
        EXPECT_EQ(rest.find('%'), std::string::npos) << line;
    }
}

TEST(InstallPlanTest, ScriptPathArgumentQuotesAndDoublesPercent) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "\"\""},
        {"C:\\A & B", "\"C:\\A & B\""},
        {"%", "\"%%\""},
        {"a^b|c<d>e(f)!", "\"a^b|c<d>e(f)!\""},
    };
    for (const auto& [path, argument] : cases) EXPECT_EQ(ScriptPathArgument(path), argument) << path;
}
