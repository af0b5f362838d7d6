#include "InstallFiles.h"

#include "Errors.h"
#include "Platform.h"
#include "SystemErrorText.h"

void WriteWholeFile(const std::string& fileName, const std::string& content) {
    platform::File file(fileName, platform::File::Mode::CreateExclusive);
    if (!file.IsOpen()) throw EFCreateError(FileErrorMessage("create", fileName, file.OpenError()));
    if (content.empty()) return;
    if (file.Write(content.data(), content.size()) != content.size()) throw EWriteError();
}

namespace {

void StoreLine(LineHolder& holder, int index, const std::string& text) {
    if (index < holder.Count())
        holder.Replace(index, text);
    else
        holder.Append(text);
}

// The script's bytes in the console code page: cmd reads batch files in it, so ANSI
// letters above 127 would otherwise name other folders.
std::string ScriptFileContent(const std::array<std::string, ScriptLineCount>& lines) {
    std::string ansi;
    for (const std::string& line : lines) ansi += line + "\r\n";
    std::string oem;
    if (!platform::ToConsoleCodePage(ansi, oem))
        throw EScriptValueError("The install script has characters that the command prompt's code page cannot show");
    return oem;
}

}  // namespace

void WriteInstallFiles(const InstallFileTexts& texts, LineHolder& scriptLines) {
    // Converted before anything is written, so that a script that cannot be written
    // leaves all three files as they were.
    const std::string script = ScriptFileContent(texts.ScriptLines);
    WriteWholeFile("ini.8da", texts.AudioPathText);
    WriteWholeFile("ini.8db", texts.BitmapPathText);
    // After storing, the holder carries exactly these seven lines, which the script repeats.
    for (int i = 0; i < ScriptLineCount; ++i) StoreLine(scriptLines, i, texts.ScriptLines[i]);
    WriteWholeFile("RUN.bat", script);
}
