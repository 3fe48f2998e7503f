/* A DLL whose name Windows lacks, put beside a copy of quorvane.exe as an attacker would
   put one beside the program. Loaded, it leaves a named event open in the process that
   loaded it, which outlives it there: COM frees a DLL without DllGetClassObject at once. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)self;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) CreateEventW(NULL, TRUE, FALSE, L"quorvane_planted_loaded");
    return TRUE;
}
