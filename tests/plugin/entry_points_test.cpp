// The plug-in's entry points, reached the way the host reaches them: the library is loaded at run
// time and every entry point is bound by name.
#include <gtest/gtest.h>

#include <string>

#include "host/rt_solver.h"
#include "platform/host/plugin_loader.h"
#include "platform/host/solver_registry.h"
#include "tests/support/captured_output.h"

namespace {

using corvane::host::PluginEntryPoints;
using corvane::host::PluginLoader;
using corvane::host::SolverRegistry;
using corvane::test::CapturedOutput;

// A library that disposes of the solvers it refuses, which the plug-in leaves to it.
class DisposingRegistry : public SolverRegistry {
  public:
    int addSolver(RTSolver* solver) override {
        const int result = SolverRegistry::addSolver(solver);
        if (result != 0 && solver) solver->release();
        return result;
    }
};

class EntryPoints : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(loader.open(CORVANE_PLUGIN_PATH)) << loader.error(); }

    int init(SolverLibrary* library, void* sink = nullptr) {
        return plugin().init(sink, nullptr, nullptr, nullptr, nullptr, library);
    }
    int unload(SolverLibrary* library, void* sink = nullptr) {
        return plugin().unload(sink, nullptr, nullptr, nullptr, nullptr, library);
    }
    const PluginEntryPoints& plugin() const { return loader.entryPoints(); }

    PluginLoader loader;
};

TEST_F(EntryPoints, IdentityNamesTheLibraryAndItsVersion) {
    EXPECT_STREQ(plugin().identity(), "CORVANE solver library version 11.0");
}

TEST_F(EntryPoints, InterfaceTableRowsInOrder) {
    const char* expectedNames[] = {"ZOLDLL", "ZOLPIPE", "ZOLSOLVER"};
    const int expectedMajor[] = {11, 3, 11};
    for (int index = 0; index < 3; ++index) {
        const char* name = nullptr;
        int major = -1;
        int minor = -1;
        ASSERT_EQ(plugin().interface(index, &name, &major, &minor), 0);
        EXPECT_STREQ(name, expectedNames[index]);
        EXPECT_EQ(major, expectedMajor[index]);
        EXPECT_EQ(minor, 0);
    }
}

TEST_F(EntryPoints, InterfaceOutOfRangeWritesNothing) {
    for (int index : {-1, 3, 1000}) {
        const char* name = "untouched";
        int major = -7;
        int minor = -7;
        EXPECT_EQ(plugin().interface(index, &name, &major, &minor), 1) << index;
        EXPECT_STREQ(name, "untouched");
        EXPECT_EQ(major, -7);
        EXPECT_EQ(minor, -7);
    }
}

TEST_F(EntryPoints, InterfaceOutputsMayEachBeNull) {
    const char* name = nullptr;
    int minor = -1;
    EXPECT_EQ(plugin().interface(1, &name, nullptr, &minor), 0);
    EXPECT_STREQ(name, "ZOLPIPE");
    EXPECT_EQ(minor, 0);
    int major = -1;
    EXPECT_EQ(plugin().interface(2, nullptr, &major, nullptr), 0);
    EXPECT_EQ(major, 11);
    EXPECT_EQ(plugin().interface(0, nullptr, nullptr, nullptr), 0);
}

TEST_F(EntryPoints, VersionFindsEveryInterfaceByExactName) {
    int major = -1;
    int minor = -1;
    ASSERT_EQ(plugin().version("ZOLPIPE", &major, &minor), 0);
    EXPECT_EQ(major, 3);
    EXPECT_EQ(minor, 0);
    for (const char* name : {"ZOLDLL", "ZOLSOLVER"}) {
        major = minor = -1;
        ASSERT_EQ(plugin().version(name, &major, &minor), 0) << name;
        EXPECT_EQ(major, 11);
        EXPECT_EQ(minor, 0);
    }
}

TEST_F(EntryPoints, VersionRefusesOtherNamesAndNullOutputs) {
    int major = -7;
    int minor = -7;
    for (const char* name :
         {"zoldll", "ZOL", "", "ZOLDLLX", "ZOLSOLVERS", "ZOLPIPE ", "AAA", "ZZZ", "\xff"}) {
        EXPECT_EQ(plugin().version(name, &major, &minor), 1) << '"' << name << '"';
    }
    EXPECT_EQ(major, -7);
    EXPECT_EQ(minor, -7);
    EXPECT_EQ(plugin().version(nullptr, &major, &minor), 1);
    EXPECT_EQ(plugin().version("ZOLDLL", nullptr, &minor), 1);
    EXPECT_EQ(plugin().version("ZOLDLL", &major, nullptr), 1);
    EXPECT_EQ(minor, -7);
}

TEST_F(EntryPoints, ForceJitIsExportedAndDoesNothing) {
    auto forceJit = reinterpret_cast<void (*)()>(loader.symbol("_force_jit_corvane"));
    ASSERT_NE(forceJit, nullptr);
    forceJit();
}

TEST_F(EntryPoints, InitWithoutLibraryCreatesNothing) {
    EXPECT_EQ(init(nullptr), 1);
    CapturedOutput output;
    EXPECT_EQ(init(nullptr, output.sink()), 1);
    EXPECT_EQ(output.text(), "Can not add XPRESS solver: No solver library.\n");
}

TEST_F(EntryPoints, InitAddsOneSolverNamedXpress) {
    SolverRegistry library;
    CapturedOutput output;
    ASSERT_EQ(init(&library, output.sink()), 0);
    ASSERT_EQ(library.solvers().size(), 1u);
    RTSolver* solver = library.findSolver("XPRESS");
    ASSERT_NE(solver, nullptr);
    EXPECT_STREQ(solver->inqName(), "XPRESS");
    EXPECT_EQ(output.text(), "");
    EXPECT_EQ(unload(&library), 0);
    EXPECT_TRUE(library.solvers().empty());
}

TEST_F(EntryPoints, RefusedSecondSolverIsReportedAndNotCounted) {
    DisposingRegistry library;
    CapturedOutput output;
    ASSERT_EQ(init(&library, output.sink()), 0);
    EXPECT_EQ(init(&library, output.sink()), 1);
    EXPECT_EQ(output.text(), "Duplicate Xpress solver or invalid solver name.\n");
    EXPECT_EQ(library.solvers().size(), 1u);
    // The count stayed at 1: the one unload brings it to 0.
    EXPECT_EQ(unload(&library), 0);
}

TEST_F(EntryPoints, UnloadAnswersOneWhileAnotherLibraryHoldsASolver) {
    SolverRegistry first;
    SolverRegistry second;
    ASSERT_EQ(init(&first), 0);
    ASSERT_EQ(init(&second), 0);
    EXPECT_EQ(unload(&first), 1);
    EXPECT_EQ(first.findSolver("XPRESS"), nullptr);
    EXPECT_NE(second.findSolver("XPRESS"), nullptr);
    EXPECT_EQ(unload(&second), 0);
}

TEST_F(EntryPoints, UnloadWithoutLibraryKeepsTheCount) {
    SolverRegistry library;
    ASSERT_EQ(init(&library), 0);
    CapturedOutput output;
    EXPECT_EQ(unload(nullptr, output.sink()), -2);
    EXPECT_EQ(output.text(), "Unable to remove XPRESS solver from library.\n");
    EXPECT_EQ(unload(nullptr), -2);
    EXPECT_EQ(unload(&library), 0);
}

TEST_F(EntryPoints, UnloadWithoutSolverStillLowersTheCount) {
    SolverRegistry empty;
    EXPECT_EQ(unload(&empty), 0);  // the count is now -1
    SolverRegistry library;
    EXPECT_EQ(init(&library), 0);  // and back to 0
    SolverRegistry other;
    ASSERT_EQ(init(&other), 0);
    // Counted, not looked up: 0 although `library` still holds a solver.
    EXPECT_EQ(unload(&other), 0);
    RTSolver* solver = library.findSolver("XPRESS");
    ASSERT_NE(solver, nullptr);
    library.removeSolver(solver);
    solver->release();
}

}  // namespace
