// Client callback interfaces, their registration, and the optimizer's callbacks into the plug-in.
#include <iostream>

#include "host/host_codes.h"
#include "solver/client_callbacks.h"
#include "solver/optimizer_callbacks.h"
#include "solver/summary_items.h"
#include "solver/zol_xpress.h"

IZOL_XpressControlCallBack* clientControlCallBack = nullptr;
IZOL_XpressControlMsgCallBack* clientMessageCallBack = nullptr;
bool nullClientCallBack = false;
bool parallelMipMessages = false;
ZOLXpress* currentSolver = nullptr;

// The interfaces' own slot 0, for a client class that does not implement it: the destructor is
// protected, so it is run here and the storage freed by corvane::freeStorage.
IZOL_XpressControlCallBack::IZOL_XpressControlCallBack() = default;
IZOL_XpressControlCallBack::IZOL_XpressControlCallBack(const IZOL_XpressControlCallBack&) = default;
IZOL_XpressControlCallBack& IZOL_XpressControlCallBack::operator=(
    const IZOL_XpressControlCallBack&) {
    return *this;
}
IZOL_XpressControlCallBack::~IZOL_XpressControlCallBack() = default;
void* IZOL_XpressControlCallBack::deletingDestructor(unsigned int flags) {
    this->~IZOL_XpressControlCallBack();
    return corvane::freeStorage(this, flags);
}

IZOL_XpressControlMsgCallBack::IZOL_XpressControlMsgCallBack() = default;
IZOL_XpressControlMsgCallBack::IZOL_XpressControlMsgCallBack(const IZOL_XpressControlMsgCallBack&) =
    default;
IZOL_XpressControlMsgCallBack& IZOL_XpressControlMsgCallBack::operator=(
    const IZOL_XpressControlMsgCallBack&) {
    return *this;
}
IZOL_XpressControlMsgCallBack::~IZOL_XpressControlMsgCallBack() = default;
void* IZOL_XpressControlMsgCallBack::deletingDestructor(unsigned int flags) {
    this->~IZOL_XpressControlMsgCallBack();
    return corvane::freeStorage(this, flags);
}

bool ZOLXpressRegisterClientCallBack(IZOL_XpressControlCallBack* callBack) {
    if (!callBack) return false;
    clientControlCallBack = callBack;
    return true;
}

bool ZOLXpressRegisterClientMsgCallBack(IZOL_XpressControlMsgCallBack* callBack) {
    if (!callBack) return false;
    clientMessageCallBack = callBack;
    return true;
}

void ZOLXpressRegisterNullClientCallBack() {
    nullClientCallBack = true;
}

void ZOLXpressUnRegisterNullClientCallBack() {
    nullClientCallBack = false;
}

void setCurrentSolver(ZOLXpress* solver) {
    currentSolver = solver;
}

namespace corvane {

namespace {
constexpr int kStopOptimizer = -1;
}

int XPRS_CC lpLogCallback(XPRSprob, void*) {
    if (!clientControlCallBack || nullClientCallBack) return 0;
    if (clientControlCallBack->onIteration()) return 0;
    std::cout << " *** User interrupted the XPRESS solver" << std::endl;
    if (currentSolver) {
        corvane::setSummaryItem(currentSolver->convergenceSummary, corvane::summary_item::kStatus,
                                corvane::status::kFailed);
        currentSolver->interruptRequested = true;
    }
    return kStopOptimizer;
}

void XPRS_CC messageCallback(XPRSprob, void*, const char* text, int length, int type) {
    if (nullClientCallBack) return;
    if (clientMessageCallBack)
        clientMessageCallBack->onMessage(text, length, type, parallelMipMessages);
}

}  // namespace corvane
