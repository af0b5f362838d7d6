#include "ScriptValues.h"

#include "Errors.h"
#include "Platform.h"

namespace {

void CheckReadableByCommandProcessor(const std::string& value) {
    std::string oem;
    if (!platform::ToConsoleCodePage(value, oem))
        throw EScriptValueError("The name \"" + value +
                                "\" has characters that the command prompt's code page cannot show");
}

}  // namespace

void CheckScriptValues(const std::string& longFolder, const std::string& shortFolder,
                       const std::string& subFolder) {
    if (!longFolder.empty() && shortFolder.empty())
        throw EScriptValueError("The folder \"" + longFolder +
                                "\" cannot be reached by its short name; choose another folder");
    if (subFolder.find('"') != std::string::npos)
        throw EScriptValueError("The product folder name \"" + subFolder +
                                "\" contains a quotation mark, which no folder name can hold");
    CheckReadableByCommandProcessor(shortFolder);
    CheckReadableByCommandProcessor(subFolder);
}
