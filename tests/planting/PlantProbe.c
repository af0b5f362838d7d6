/* Loads a DLL by its bare name, as an unprotected program would: the control that shows a
   planted DLL beside the exe really is picked up in this environment. */
#include <windows.h>

int main(int argc, char** argv) {
    return argc > 1 && LoadLibraryA(argv[1]) ? 0 : 1;
}
