#pragma once
// Visibility of the loader library: everything is hidden unless marked.
#if defined(_WIN32)
#if defined(PALIMO_LOADER_BUILDING)
#define PALIMO_LOADER_API __declspec(dllexport)
#else
#define PALIMO_LOADER_API __declspec(dllimport)
#endif
#else
#define PALIMO_LOADER_API __attribute__((visibility("default")))
#endif
