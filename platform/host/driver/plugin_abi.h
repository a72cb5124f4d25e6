// The plug-in's C++ members that a host reaches through the loaded library rather than by linking
// it: the optimizer start and the client-callback registration. This is the one place that knows
// their exported (Itanium C++ ABI) names and calling forms.
//
// InitializeXpress is a non-virtual member: it is called as a function whose first argument is the
// object. The solver object is the single-inheritance RTSolver the solver library hands out, so
// the RTSolver pointer is the object's address.
//
// The client callback interfaces are mirrored here with the plug-in's virtual layout (slot 0 the
// one-entry deleting destructor, slot 1 the operation), so the host derives from them without
// linking the plug-in's constructors. The plug-in only calls the operation through the virtual
// table.
#ifndef CORVANE_PLATFORM_HOST_DRIVER_PLUGIN_ABI_H
#define CORVANE_PLATFORM_HOST_DRIVER_PLUGIN_ABI_H

#include <string>

#include "host/deleting_destructor.h"

class RTSolver;

namespace corvane::host {

class PluginLoader;

class ControlCallBack {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;
    // true: go on; false: stop the optimizer.
    virtual bool onIteration() = 0;

  protected:
    ~ControlCallBack() = default;
};

class MessageCallBack {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;
    virtual void onMessage(const char* text, int length, int type, bool parallelMip) = 0;

  protected:
    ~MessageCallBack() = default;
};

struct PluginMembers {
    int (*initializeXpress)(RTSolver* solver) = nullptr;
    bool (*registerControlCallBack)(ControlCallBack* callBack) = nullptr;
    bool (*registerMessageCallBack)(MessageCallBack* callBack) = nullptr;
    void (*silenceCallBacks)() = nullptr;
    void (*restoreCallBacks)() = nullptr;
};

// Binds every member; false with `error` naming the first one the library does not export.
bool bindPluginMembers(const PluginLoader& loader, PluginMembers& members, std::string& error);

}  // namespace corvane::host

#endif
