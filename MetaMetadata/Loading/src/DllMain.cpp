// The library's Windows entry point: the loader keeps no per-thread state,
// so thread attach and detach notifications are turned off.
#ifdef _WIN32
#include <windows.h>

BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(module);
    return TRUE;
}
#endif
