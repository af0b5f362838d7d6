#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Errors.h"
#include "Platform.h"
#include "ScriptValues.h"

namespace {

std::string CheckMessage(const std::string& longFolder, const std::string& shortFolder, const std::string& sub) {
    try {
        CheckScriptValues(longFolder, shortFolder, sub);
    } catch (const EScriptValueError& e) {
        return e.Message();
    }
    return "";
}

}  // namespace

TEST(ScriptValuesTest, OrdinaryNamesPass) {
    EXPECT_EQ(CheckMessage("C:\\Audio Tools", "C:\\AUDI~1", "My Product & (x) 5% ^!"), "");
    EXPECT_EQ(CheckMessage("", "", "My Product"), "");
}

TEST(ScriptValuesTest, RefusalsNameTheValue) {
    EXPECT_EQ(CheckMessage("C:\\Plugins", "C:\\PLUG~1", "My \"Product\""),
              "The product folder name \"My \"Product\"\" contains a quotation mark, which no folder name can hold");
    EXPECT_EQ(CheckMessage("C:\\Gone", "", "My Product"),
              "The folder \"C:\\Gone\" cannot be reached by its short name; choose another folder");
}

#ifdef _WIN32
TEST(ScriptValuesTest, ALetterTheConsoleCodePageLacksIsRefused) {
    // U+20AC, the euro sign, is in the ANSI code page 1252 but in no common OEM code page.
    std::string oem;
    if (GetACP() != 1252 || platform::ToConsoleCodePage("\x80", oem)) GTEST_SKIP() << "code pages differ here";
    EXPECT_EQ(CheckMessage("C:\\Plugins", "C:\\PLUG~1", "Price \x80"),
              "The name \"Price \x80\" has characters that the command prompt's code page cannot show");
}
#endif
