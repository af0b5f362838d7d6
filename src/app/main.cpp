// Entry of install.exe: the application object, the language chooser (the main window, as
// it is created first), the installer window, and the message loop.
#include <windows.h>
#include <ole2.h>

#include "Application.h"
#include "CommonControls.h"
#include "DllSearch.h"
#include "Main.h"
#include "StartupError.h"
#include "Unit2.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    // The folder tree works through the shell's COM interfaces on this thread.
    OleInitialize(nullptr);
    toolkit::comctl::Initialize();
    int exitCode = 0;
    {
        toolkit::TApplication application;
        application.SetTitle("install");
        try {
            application.CreateForm<TForm2>();
            application.CreateForm<TForm1>();
        } catch (const std::exception& error) {
            // A window that cannot be made at all (no drive for the folder tree): nothing to run.
            ShowUnhandledError(error);
            exitCode = 1;
        }
        if (exitCode == 0) application.Run();
    }
    OleUninitialize();
    return exitCode;
}
