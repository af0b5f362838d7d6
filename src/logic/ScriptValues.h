// The check made before any install file is written: can the script carry these values?
#pragma once

#include <string>

// Raises EScriptValueError, naming the value, when the script could not name the product
// folder correctly: a chosen folder without a usable short form, a quotation mark in the
// product folder's name, or a character that the command processor's code page lacks.
void CheckScriptValues(const std::string& longFolder, const std::string& shortFolder,
                       const std::string& subFolder);
