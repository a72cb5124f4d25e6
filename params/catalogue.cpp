#include "params/catalogue.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "params/hardware_threads.h"

namespace {

int readHardwareThreads() {
    // A platform that cannot tell reports 0; one thread is the budget that always exists.
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool sameKeyword(const char* name, const char* keyword) {
    return name && std::strcmp(name, keyword) == 0;
}

}  // namespace

int hardwareThreads = readHardwareThreads();

namespace corvane {

void setHardwareThreads(int threads) {
    hardwareThreads = threads > 0 ? threads : readHardwareThreads();
}

const IntParameter kIntParameters[kNumIntParameters] = {
    {"IALG", &ZOLXpress::algorithm, 1, false},
    {"IFPRES", &ZOLXpress::presolve, -1, false},
    {"IFSCAL", &ZOLXpress::scaling, 35, false},
    {"ITRLOG", &ZOLXpress::lpLog, 500, false},
    {"ICRASH", &ZOLXpress::crash, 2, false},
    {"WSTART", &ZOLXpress::warmStart, 0, false},
    {"DEVEX", &ZOLXpress::pricing, 0, false},
    {"REPORT", &ZOLXpress::writeProblemFile, 0, false},
    {"IPSLCT", &ZOLXpress::applyParameters, 1, false},
    {"RELMIP", &ZOLXpress::relaxMip, 0, false},
    {"FIXMIP", &ZOLXpress::fixMip, 0, false},
    {"MAXNODE", &ZOLXpress::maxNode, 100000, false},
    {"MAXMIPSOL", &ZOLXpress::maxMipSol, 100000000, false},
    {"NODESELECTION", &ZOLXpress::nodeSelection, 1, false},
    {"BACKTRACK", &ZOLXpress::backtrack, -1, false},
    {"MIPLOG", &ZOLXpress::mipLog, -100, false},
    {"CUTSTRATEGY", &ZOLXpress::cutStrategy, -1, false},
    {"PRESALG", &ZOLXpress::presolveOps, 511, false},
    {"XWRITE", &ZOLXpress::xwrite, 0, false},
    {"IBARTHREAD", &ZOLXpress::threads, 0, true},
    {"IVSCAL", &ZOLXpress::variableScaling, 1, false},
    {"RANKID", &ZOLXpress::rankId, -1, false},
    {"MAXLPITER", &ZOLXpress::maxLpIter, 100000, false},
    {"PARALLELMIP", &ZOLXpress::parallelMip, 1, false},
    {"MAXSCALEFACTOR", &ZOLXpress::maxScaleFactor, 64, false},
    {"MIPWARMSTART", &ZOLXpress::mipWarmStart, 1, false},
    {"MAXBBMIPTIME", &ZOLXpress::maxMipTime, 0, false},
    {"HEURSEARCHFREQ", &ZOLXpress::heurSearchFreq, -1, false},
};

const RealParameter kRealParameters[kNumRealParameters] = {
    {"ZTOLZE", &ZOLXpress::feasibilityTol, 1.0e-6},
    {"ZTCOST", &ZOLXpress::optimalityTol, 1.0e-6},
    {"ZTETA", &ZOLXpress::etaTol, 1.0e-13},
    {"ZTOLDA", &ZOLXpress::matrixTol, 1.0e-9},
    {"OPTCA", &ZOLXpress::mipAbsStop, 0.0},
    {"OPTCR", &ZOLXpress::mipRelStop, 1.0e-5},
    {"ZTOLIS", &ZOLXpress::integerTol, 1.0e-6},
    {"ZTOLPV", &ZOLXpress::pivotTol, 1.0e-9},
    {"ZTOLRP", &ZOLXpress::relPivotTol, 1.0e-6},
    {"ZTOLRI", &ZOLXpress::markowitzTol, 0.01},
    {"PERCUT", &ZOLXpress::mipRelCutoff, 1.0e-4},
    {"HEURSEARCHEFFORT", &ZOLXpress::heurSearchEffort, 1.0},
};

const IntParameter* findIntParameter(const char* name) {
    for (const IntParameter& parameter : kIntParameters)
        if (sameKeyword(name, parameter.name)) return &parameter;
    return nullptr;
}

const RealParameter* findRealParameter(const char* name) {
    for (const RealParameter& parameter : kRealParameters)
        if (sameKeyword(name, parameter.name)) return &parameter;
    return nullptr;
}

bool isStringParameter(const char* name) {
    return sameKeyword(name, kStringParameterName);
}

}  // namespace corvane
