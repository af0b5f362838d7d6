// install.exe runs from a folder the user downloaded: a DLL planted there must never load.
#pragma once

// From here on, DLLs named without a path load from the system folder only, and the
// libraries that system DLLs load on demand are loaded now, from there. Call it first,
// before anything can load a DLL that is not already part of the process.
void RestrictDllSearchToSystemFolder();
