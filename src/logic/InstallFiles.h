// Writing the two path files and the install script into the current folder.
#pragma once

#include <array>
#include <string>

#include "InstallPlan.h"
#include "LineHolder.h"

// The texts that the holders carry at the moment of confirmation.
struct InstallFileTexts {
    std::string AudioPathText;
    std::string BitmapPathText;
    std::array<std::string, ScriptLineCount> ScriptLines;
};

// Makes or empties `fileName` and writes `content` in one write. Raises EFCreateError
// when the file cannot be created and EWriteError when fewer bytes were written.
void WriteWholeFile(const std::string& fileName, const std::string& content);

// Writes ini.8da, stores the script lines into `scriptLines`, then writes RUN.bat from it
// in the command processor's code page. Stops at the first error; what was written stays.
void WriteInstallFiles(const InstallFileTexts& texts, LineHolder& scriptLines);
