// Error messages that quote the system's own words about a failed file operation.
#pragma once

#include <string>

#include "Platform.h"

// The system's text for `code` without its trailing blanks, control characters and periods,
// so that it can end a sentence of ours.
std::string TrimmedSystemMessage(platform::ErrorCode code);

// "Cannot <verb> file "<full path>". <system text>", the text of the open and create errors.
std::string FileErrorMessage(const std::string& verb, const std::string& fileName, platform::ErrorCode code);
