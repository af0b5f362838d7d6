// The last resort when a window cannot even be created: the box for an error nobody handled.
#pragma once

#include <exception>

// Shows "Application Error" with the error's class, the program's file name and its message.
void ShowUnhandledError(const std::exception& error);
