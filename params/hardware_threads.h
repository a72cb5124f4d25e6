// The hardware thread count that caps the solver's thread budget ("IBARTHREAD" and its default).
// It is read once when the module is loaded; a test stands in for another machine by setting it.
// Not exported: programs that use it link the plug-in's objects.
#ifndef CORVANE_PARAMS_HARDWARE_THREADS_H
#define CORVANE_PARAMS_HARDWARE_THREADS_H

namespace corvane {

// The count seen from now on; 0 or less reads the machine's own count again.
void setHardwareThreads(int threads);

}  // namespace corvane

#endif
