// The screen's density and the text conversion that layouts need.
#pragma once

#include <string>

namespace toolkit {

// Layouts are drawn for this density.
constexpr int LayoutPixelsPerInch = 96;
// The density the screen reports; read once.
int ScreenPixelsPerInch();

// UTF-8 text of a layout in the ANSI code page of the current thread's locale; a letter the
// code page lacks becomes the system's substitute character.
std::string Utf8ToAnsi(const std::string& utf8);

}  // namespace toolkit
