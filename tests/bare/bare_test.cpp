// The plug-in on a machine with none of the libraries it calls: no optimizer library and no host
// libraries. This program links none of them, and its tests run with an empty library path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "host/rt_solver.h"
#include "tests/support/library_names.h"
#include "platform/host/plugin_loader.h"
#include "platform/host/solver_registry.h"

namespace {

using corvane::host::PluginLoader;
using corvane::host::SolverRegistry;

class BarePlugin : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(loader.open(CORVANE_PLUGIN_PATH)) << loader.error(); }
    PluginLoader loader;
};

TEST_F(BarePlugin, IdentityAndInterfaceQueriesAnswer) {
    const auto& plugin = loader.entryPoints();
    EXPECT_STREQ(plugin.identity(), "CORVANE solver library version 11.0");
    const char* name = nullptr;
    int major = 0;
    int minor = -1;
    ASSERT_EQ(plugin.interface(2, &name, &major, &minor), 0);
    EXPECT_STREQ(name, "ZOLSOLVER");
    EXPECT_EQ(plugin.version("ZOLPIPE", &major, &minor), 0);
    EXPECT_EQ(major, 3);
}

TEST_F(BarePlugin, SolverLivesWithoutHostOrOptimizerLibraries) {
    const auto& plugin = loader.entryPoints();
    std::FILE* sink = std::tmpfile();
    testing::internal::CaptureStderr();
    // With no output library the message is dropped, and the loader says once what is missing.
    EXPECT_EQ(plugin.init(sink, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(plugin.init(sink, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
    const std::string diagnostics = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::ftell(sink), 0L);
    std::fclose(sink);
    EXPECT_NE(diagnostics.find(corvane::test::libraryFile("vrimutils")), std::string::npos) << diagnostics;
    EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 1) << diagnostics;

    SolverRegistry library;
    ASSERT_EQ(plugin.init(nullptr, nullptr, nullptr, nullptr, nullptr, &library), 0);
    RTSolver* solver = library.findSolver("XPRESS");
    ASSERT_NE(solver, nullptr);
    solver->setIntParam("MAXNODE", 5);
    EXPECT_EQ(solver->inqIntParam("MAXNODE"), 5);
    EXPECT_EQ(plugin.unload(nullptr, nullptr, nullptr, nullptr, nullptr, &library), 0);
}

}  // namespace
