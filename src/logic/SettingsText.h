// Reading the product settings file into the text that the main window keeps.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The most text the settings holder takes. A real settings file is a few hundred bytes;
// a megabyte leaves room for any hand-made file while refusing a file picked by mistake.
constexpr std::size_t SettingsTextCapacity = 1024 * 1024;

// Every line break (CR LF, lone LF, lone CR) made CR LF, then the text cut at its first NUL.
std::string NormalizeSettingsText(std::string_view raw);

// Line `index` (from 0) of a text, without its break; empty when the text has fewer lines.
std::string LineAt(std::string_view text, int index);

// Reads `fileName` (relative to the current folder) into the settings text.
// Raises EFOpenError when the file cannot be opened and EInvalidOperation when the text
// is larger than SettingsTextCapacity.
std::string ReadProductSettings(const std::string& fileName = "smp.ini");
