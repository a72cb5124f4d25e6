// A host process that defines the solver base classes itself, as a framework that implements
// them does. The plug-in's solver must keep its own base operations: were the host's definitions
// to replace them, the solver would answer with the host's name and could not be found, removed
// or destroyed.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "host/rt_solver.h"
#include "platform/host/plugin_loader.h"
#include "platform/host/solver_registry.h"

// The host's own body of the base's name inquiry, exported from this program.
const char* RTMILSolver::inqName() const {
    return "HOST BASE";
}

namespace {

using corvane::host::PluginLoader;
using corvane::host::SolverRegistry;

TEST(Interposition, ThePluginsSolverKeepsItsOwnBaseOperations) {
    // The conflicting definition is visible to the libraries the process loads.
    ASSERT_NE(dlsym(RTLD_DEFAULT, "_ZNK11RTMILSolver7inqNameEv"), nullptr);

    PluginLoader loader;
    ASSERT_TRUE(loader.open(CORVANE_PLUGIN_PATH)) << loader.error();
    SolverRegistry library;
    ASSERT_EQ(loader.entryPoints().init(nullptr, nullptr, nullptr, nullptr, nullptr, &library), 0);
    RTSolver* solver = library.findSolver("XPRESS");
    ASSERT_NE(solver, nullptr);
    EXPECT_STREQ(solver->inqName(), "XPRESS");
    EXPECT_EQ(loader.entryPoints().unload(nullptr, nullptr, nullptr, nullptr, nullptr, &library),
              0);
    EXPECT_EQ(library.findSolver("XPRESS"), nullptr);
}

}  // namespace
