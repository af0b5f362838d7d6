// Everything an installation into one chosen folder needs, composed as text.
#pragma once

#include <array>
#include <string>

#include "ProductSettings.h"

constexpr int ScriptLineCount = 7;

struct InstallPlan {
    std::string LongFolder;      // the chosen folder as the tree gives it
    std::string ShortFolder;     // its 8.3 form; empty when that cannot be had
    std::string AudioPathText;   // content of ini.8da
    std::string BitmapPathText;  // content of ini.8db
    std::array<std::string, ScriptLineCount> ScriptLines;  // the lines of RUN.bat
};

// Composes the plan for `longFolder`; touches no file and never fails.
InstallPlan ComposeInstallPlan(const std::string& longFolder, const ProductSettings& settings);

// A path as one argument of a batch line: in double quotes, each % doubled so that the
// command processor reads it as a letter and not as the start of a variable.
std::string ScriptPathArgument(const std::string& path);
