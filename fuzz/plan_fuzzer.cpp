// Whatever the chosen folder and the settings hold, every script line is one command of
// the expected form, and each path argument is quoted with no % left for the command
// processor to expand. Values the check before writing refuses (a quotation mark in the
// product folder's name) are refused, not composed into a broken line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Errors.h"
#include "InstallPlan.h"
#include "ScriptValues.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Reads `line` from `pos` as one quoted argument; returns its inside.
std::string QuotedArgument(const std::string& line, std::size_t& pos) {
    Require(pos < line.size() && line[pos] == '"');
    std::size_t end = line.find('"', pos + 1);
    Require(end != std::string::npos);
    std::string inside = line.substr(pos + 1, end - pos - 1);
    pos = end + 1;
    return inside;
}

void CheckArgument(const std::string& inside) {
    // Percent signs come in pairs: the command processor reads each pair as one letter.
    for (std::size_t i = 0; i < inside.size(); ++i) {
        if (inside[i] != '%') continue;
        Require(i + 1 < inside.size() && inside[i + 1] == '%');
        ++i;
    }
}

// The command word(s) and then exactly `arguments` quoted arguments separated by spaces.
void CheckLine(const std::string& line, const std::string& command, int arguments) {
    Require(line.compare(0, command.size(), command) == 0);
    Require(line.find_first_of("\r\n") == std::string::npos);
    std::size_t pos = command.size();
    for (int i = 0; i < arguments; ++i) {
        if (i > 0) Require(line[pos++] == ' ');
        CheckArgument(QuotedArgument(line, pos));
    }
    Require(pos == line.size());
}

// Splits the input at NUL bytes into the folder and the three values.
std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> fields(4);
    std::size_t field = 0;
    for (std::size_t i = 0; i < size && field < fields.size(); ++i) {
        if (data[i] == 0)
            ++field;
        else
            fields[field] += static_cast<char>(data[i]);
    }
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> fields = Fields(data, size);
    // Settings values never hold line breaks, and no folder path does.
    for (const std::string& field : fields)
        if (field.find_first_of("\r\n") != std::string::npos) return 0;
    ProductSettings settings{fields[1], fields[2], fields[3], ""};
    InstallPlan plan = ComposeInstallPlan(fields[0], settings);
    try {
        CheckScriptValues(plan.LongFolder, plan.ShortFolder, settings.SubFolder);
    } catch (const EScriptValueError&) {
        return 0;
    }
    CheckLine(plan.ScriptLines[0], "MD ", 1);
    CheckLine(plan.ScriptLines[1], "MD ", 1);
    CheckLine(plan.ScriptLines[2], "COPY ", 2);
    CheckLine(plan.ScriptLines[3], "COPY ", 2);
    CheckLine(plan.ScriptLines[4], "COPY *.* ", 1);
    Require(plan.ScriptLines[5] == "CD Audio");
    CheckLine(plan.ScriptLines[6], "COPY *.wav ", 1);
    // The plug-in reads the path files as plain paths.
    Require(plan.AudioPathText == plan.LongFolder + "\\" + settings.SubFolder + "\\Audio\\" + settings.AudioFileName);
    return 0;
}
