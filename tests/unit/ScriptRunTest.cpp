// The generated script, run for real by the command processor, makes exactly the product
// folder whatever characters the chosen folder and the product folder's name hold.
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "InstallFiles.h"
#include "InstallPlan.h"
#include "Platform.h"
#include "ScratchFolder.h"
#include "ScriptValues.h"
#include "Errors.h"
#include "VectorLineHolder.h"

namespace fs = std::filesystem;

namespace {

// Runs `cmd /c RUN.bat` in the current folder and waits for it.
DWORD RunScript() {
    char commandLine[] = "cmd.exe /c RUN.bat";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// The names of everything under `folder`, recursively, relative to it.
std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.push_back(fs::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

struct NameCase {
    const char* chosenFolder;
    const char* subFolder;
    bool validFolderName;
};

// Several hide a command that must never run: it would make a folder named CANARY.
const NameCase NameCases[] = {
    {"Audio Tools", "My Product", true},
    {"a&b", "Synth & MD CANARY", true},
    {"Tools & MD CANARY", "Synth", true},
    {"5%x%", "100%cd%", true},
    {"a^b", "x^y", true},
    {"(x)", "(y) z)", true},
    {"bang!", "Bang! Box", true},
    // No Windows folder name holds |: MD fails, and nothing else may happen.
    {"pipe", "x | MD CANARY", false},
};

// Makes a working folder with a product's files and a chosen folder, both under `scratch`,
// and makes the working folder current.
void LayOutProduct(const fs::path& work, const fs::path& chosen) {
    fs::create_directories(chosen);
    fs::create_directories(work / "Audio");
    WriteBytes(work / "smp.ini", "x\r\n");
    WriteBytes(work / "readme.txt", "hello");
    WriteBytes(work / "Audio" / "demo.wav", "RIFF");
    fs::current_path(work);
}

// Composes, checks and writes the install files for `subFolder`, then runs the script.
// `chosen` is ANSI text, as the folder tree gives it.
void InstallInto(const std::string& chosen, const std::string& subFolder) {
    ProductSettings settings{subFolder, "demo.wav", "face.bmp", "Demo"};
    InstallPlan plan = ComposeInstallPlan(chosen, settings);
    CheckScriptValues(plan.LongFolder, plan.ShortFolder, settings.SubFolder);
    VectorLineHolder holder;
    WriteInstallFiles({plan.AudioPathText, plan.BitmapPathText, plan.ScriptLines}, holder);
    RunScript();
}

}  // namespace

TEST(ScriptRunTest, CommandProcessorMakesExactlyTheProductFolder) {
    for (const NameCase& c : NameCases) {
        SCOPED_TRACE(std::string(c.chosenFolder) + " / " + c.subFolder);
        ScratchFolder scratch;
        const fs::path chosen = scratch.Path() / "targets" / c.chosenFolder;
        LayOutProduct(scratch.Path() / "work", chosen);
        InstallInto(chosen.string(), c.subFolder);

        for (const auto& entry : fs::recursive_directory_iterator(scratch.Path()))
            EXPECT_NE(entry.path().filename(), "CANARY") << entry.path();
        if (!c.validFolderName) {
            EXPECT_TRUE(fs::is_empty(chosen));
            continue;
        }
        const std::string sub = c.subFolder;
        std::vector<std::string> expected = {
            sub,
            sub + "\\Audio",
            sub + "\\Audio\\demo.wav",
            sub + "\\RUN.bat",
            sub + "\\ini.8da",
            sub + "\\ini.8db",
            sub + "\\readme.txt",
            sub + "\\smp.ini",
        };
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Listing(chosen), expected);
        EXPECT_EQ(ReadBytes(chosen / sub / "Audio" / "demo.wav"), "RIFF");
    }
}

// The command processor reads the script in the console code page; ANSI letters above 127
// must reach it as the same letters, in the product folder's name and in the chosen folder.
TEST(ScriptRunTest, AccentedNamesKeepTheirLetters) {
    struct AccentCase {
        const char* chosenAnsi;  // code page 1252, as the tree gives it
        const wchar_t* chosenWide;
        const char* subAnsi;     // code page 1252, as smp.ini holds it
        const wchar_t* subWide;
    };
    const AccentCase cases[] = {
        {"targets", L"targets", "Fa\xE7" "ade", L"Fa\u00E7ade"},
        {"targets", L"targets", "Produ\xE7\xE3o", L"Produ\u00E7\u00E3o"},
        {"Pl\xE1gios \xE3", L"Pl\u00E1gios \u00E3", "Synth", L"Synth"},
    };
    if (GetACP() != 1252) GTEST_SKIP() << "the cases are written in code page 1252";
    for (const AccentCase& c : cases) {
        SCOPED_TRACE(std::string(c.chosenAnsi) + " / " + c.subAnsi);
        ScratchFolder scratch;
        const std::wstring chosenWide = scratch.Path().wstring() + L"\\" + c.chosenWide;
        ASSERT_TRUE(CreateDirectoryW(chosenWide.c_str(), nullptr));
        // Not through fs::path, which would take the ANSI bytes for UTF-8.
        const std::string chosen = scratch.Path().string() + "\\" + c.chosenAnsi;
        LayOutProduct(scratch.Path() / "work", scratch.Path() / "unused");
        std::string oem;
        if (!platform::ToConsoleCodePage(c.subAnsi, oem)) {
            // This console code page lacks a letter: refused before anything is written.
            EXPECT_THROW(InstallInto(chosen, c.subAnsi), EScriptValueError);
            EXPECT_FALSE(fs::exists("ini.8da"));
            continue;
        }
        InstallInto(chosen, c.subAnsi);
        const std::wstring product = chosenWide + L"\\" + c.subWide;
        EXPECT_NE(GetFileAttributesW((product + L"\\Audio\\demo.wav").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_NE(GetFileAttributesW((product + L"\\readme.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

#endif  // _WIN32
