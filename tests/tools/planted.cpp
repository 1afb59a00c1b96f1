// A library that does nothing: the tests put it beside a program, where a planted
// library would lie, and see whether it can be loaded by its name alone.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
