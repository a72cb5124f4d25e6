// Marks what the plug-in exports: its entry points, its solver class with the host bases it
// carries, and the client callback interfaces.
//
// Which of the marked symbols leave the library is decided by its export list (plugin/exports.map,
// plugin/corvane.def), so the Windows build of the plug-in marks nothing itself; programs that
// link the plug-in's objects statically (CORVANE_STATIC) import nothing.
#ifndef CORVANE_HOST_CORVANE_API_H
#define CORVANE_HOST_CORVANE_API_H

#if defined(CORVANE_STATIC) || (defined(_WIN32) && defined(CORVANE_BUILDING_PLUGIN))
#define CORVANE_API
#elif defined(_WIN32)
#define CORVANE_API __declspec(dllimport)
#else
#define CORVANE_API __attribute__((visibility("default")))
#endif

#endif
