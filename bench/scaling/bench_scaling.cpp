// The plug-in's own cost on transportation problems of growing size: the host's providers over a
// generated model, the solver's three calls against the optimizer test double, and the heap the
// plug-in holds at its peak.
//
// The third call includes the test double's copying of the arrays and names it is handed; the
// double times every call it answers, and that time is subtracted: what remains is the
// plug-in's assembly and write-back.
//
// usage: bench_scaling NONZEROS   (prints one Markdown table row; --header prints the header)
#include <dlfcn.h>
#include <link.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "platform/host/driver/solve_driver.h"
#include "platform/host/model/host_model.h"
#include "platform/xprs-double/xprs_double.h"
#include "solver/zol_xpress.h"

// ---- Heap accounting ------------------------------------------------------------------------
// Every operator new of the process comes here (the executable's definition takes precedence
// over the C++ library's). A block is charged to the plug-in when the code that asked for it lies
// in the plug-in's text; its header remembers that, so the release is charged back.

namespace {

struct Text {
    uintptr_t begin = 0, end = 0;
};
Text pluginText[4];
int pluginSegments = 0;
std::atomic<bool> accounting{false};
std::atomic<long long> pluginLive{0}, pluginPeak{0};

constexpr size_t kHeader = 16;  // keeps the alignment of what follows

bool inPlugin(const void* caller) {
    const auto address = reinterpret_cast<uintptr_t>(caller);
    for (int i = 0; i < pluginSegments; ++i)
        if (address >= pluginText[i].begin && address < pluginText[i].end) return true;
    return false;
}

void* allocate(size_t size, const void* caller) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    const bool charged = accounting.load(std::memory_order_relaxed) && inPlugin(caller);
    auto* header = reinterpret_cast<size_t*>(block);
    header[0] = size;
    header[1] = charged ? 1 : 0;
    if (charged) {
        const long long live = pluginLive += static_cast<long long>(size);
        long long peak = pluginPeak.load();
        while (live > peak && !pluginPeak.compare_exchange_weak(peak, live)) {
        }
    }
    return block + kHeader;
}

void release(void* pointer) {
    if (!pointer) return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    const auto* header = reinterpret_cast<const size_t*>(block);
    if (header[1]) pluginLive -= static_cast<long long>(header[0]);
    std::free(block);
}

int findPluginText(dl_phdr_info* info, size_t, void*) {
    const std::string name = info->dlpi_name ? info->dlpi_name : "";
    if (name.find("libcorvane") == std::string::npos) return 0;
    for (int i = 0; i < info->dlpi_phnum && pluginSegments < 4; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || !(segment.p_flags & PF_X)) continue;
        pluginText[pluginSegments].begin = info->dlpi_addr + segment.p_vaddr;
        pluginText[pluginSegments].end = info->dlpi_addr + segment.p_vaddr + segment.p_memsz;
        ++pluginSegments;
    }
    return 1;
}

}  // namespace

void* operator new(size_t size) {
    return allocate(size, __builtin_return_address(0));
}
void* operator new[](size_t size) {
    return allocate(size, __builtin_return_address(0));
}
void operator delete(void* pointer) noexcept {
    release(pointer);
}
void operator delete[](void* pointer) noexcept {
    release(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
    release(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
    release(pointer);
}

// ---- The benchmark --------------------------------------------------------------------------

namespace {

using corvane::host::LinearModel;

// Sources i = 0..m-1 with supply rows (<=), sinks j = 0..n-1 with demand rows (>=), one column
// per route with its two elements: 2·m·n nonzeros, n = 2m.
LinearModel transportation(long long nonzeros) {
    const int m = std::max(1, static_cast<int>(std::lround(std::sqrt(nonzeros / 4.0))));
    const int n = 2 * m;
    LinearModel model;
    model.name = "TRANSPORT";
    std::mt19937 random(20240601);
    std::uniform_real_distribution<double> cost(1.0, 100.0);
    const long long columns = static_cast<long long>(m) * n;
    model.colLower.assign(columns, 0.0);
    model.colUpper.assign(columns, corvane::host::kInfinity);
    model.start.assign(columns, 0.0);
    model.kind.assign(columns, corvane::host::ColumnKind::Continuous);
    model.cost.resize(columns);
    model.colStart.resize(columns + 1);
    model.rowIndex.resize(2 * columns);
    model.value.assign(2 * columns, 1.0);
    model.colNames.reserve(columns, columns * 12);
    long long k = 0;
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            const long long c = static_cast<long long>(i) * n + j;
            model.colStart[c] = static_cast<int>(k);
            model.rowIndex[k++] = i;
            model.rowIndex[k++] = m + j;
            model.cost[c] = cost(random);
            model.colNames.add("x" + std::to_string(i) + "_" + std::to_string(j));
        }
    }
    model.colStart[columns] = static_cast<int>(k);
    model.rowNames.reserve(m + n, (m + n) * 8);
    for (int i = 0; i < m; ++i) {
        model.relation.push_back('L');
        model.rhs.push_back(2.0 * n);
        model.rangeHigh.push_back(0.0);
        model.rowNames.add("s" + std::to_string(i));
    }
    for (int j = 0; j < n; ++j) {
        model.relation.push_back('G');
        model.rhs.push_back(m);
        model.rangeHigh.push_back(0.0);
        model.rowNames.add("d" + std::to_string(j));
    }
    return model;
}

// The test double's own share of the solve: every optimizer call it recorded, timed from entry
// to return.
double doubleSeconds() {
    double seconds = 0.0;
    const int calls = xdbl_call_count(nullptr);
    for (int i = 0; i < calls; ++i) seconds += xdbl_call_seconds(i);
    return seconds;
}

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--header") {
        std::printf(
            "| nonzeros | rows | columns | iterate 1+2 (ms) | iterate 3 (ms) | double's calls (ms) "
            "| assembly + write-back (ms) | ns/nonzero | fresh pages in the solve (MB) | plug-in "
            "heap peak (MB) | bytes/nonzero | matrix handed over (MB) | peak/matrix | process peak "
            "RSS (MB) |\n");
        std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_scaling NONZEROS | --header\n");
        return 2;
    }
    dl_iterate_phdr(findPluginText, nullptr);
    if (pluginSegments == 0) {
        std::fprintf(stderr, "bench_scaling: the plug-in's text was not found\n");
        return 1;
    }
    char logDir[] = "/tmp/corvane-scaling-XXXXXX";
    if (!mkdtemp(logDir)) return 1;

    const LinearModel model = transportation(std::atoll(argv[1]));
    corvane::host::HostModel host(model);
    xdbl_reset();
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    corvane::host::SolveRun run;
    long faults = 0;
    {
        ZOLXpress solver;
        solver.setStringParam("LOGDIR", logDir);
        const long faultsBefore = minorFaults();
        accounting = true;
        run = corvane::host::runSolve(solver, host);
        accounting = false;
        faults = minorFaults() - faultsBefore;
    }
    const int load = xdbl_call_index("XPRSloadlp", 1);
    if (load < 0 || run.solveDone != 1) {
        std::fprintf(stderr, "bench_scaling: the solve did not load the problem\n");
        return 1;
    }
    const long long handed = xdbl_arg_int_array(load, 0, nullptr) * 4LL +
                             xdbl_arg_int_array(load, 2, nullptr) * 4LL +
                             xdbl_arg_double_array(load, 3, nullptr) * 8LL;
    const double copies = doubleSeconds();
    xdbl_reset();
    std::filesystem::remove_all(logDir);

    const double nnz = static_cast<double>(model.numNonzeros());
    const double own = run.iterateSeconds[2] - copies;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double freshMegabytes = static_cast<double>(faults) * sysconf(_SC_PAGESIZE) / 1e6;
    std::printf(
        "| %d | %d | %d | %.1f | %.1f | %.1f | %.1f | %.1f | %.0f | %.1f | %.1f | %.1f | %.2f | "
        "%.0f |\n",
        model.numNonzeros(), model.numRows(), model.numCols(),
        (run.iterateSeconds[0] + run.iterateSeconds[1]) * 1e3, run.iterateSeconds[2] * 1e3,
        copies * 1e3, own * 1e3, own * 1e9 / nnz, freshMegabytes, pluginPeak / 1e6,
        pluginPeak / nnz, handed / 1e6, static_cast<double>(pluginPeak) / handed,
        usage.ru_maxrss / 1024.0);
    return 0;
}
