// Marks what the plug-in exports: its entry points, its solver class with the host bases it
// carries, and the client callback interfaces.
#ifndef CORVANE_PLUGIN_CORVANE_API_H
#define CORVANE_PLUGIN_CORVANE_API_H

#if defined(_WIN32)
#if defined(CORVANE_BUILDING_PLUGIN)
#define CORVANE_API __declspec(dllexport)
#else
#define CORVANE_API __declspec(dllimport)
#endif
#else
#define CORVANE_API __attribute__((visibility("default")))
#endif

#endif
