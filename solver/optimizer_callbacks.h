// The callbacks the plug-in registers on each optimizer problem, and the module-wide state that
// connects them to the solver and to the client.
#ifndef CORVANE_SOLVER_OPTIMIZER_CALLBACKS_H
#define CORVANE_SOLVER_OPTIMIZER_CALLBACKS_H

#include "optimizer/xprs.h"

class ZOLXpress;
class IZOL_XpressControlCallBack;
class IZOL_XpressControlMsgCallBack;

extern IZOL_XpressControlCallBack* clientControlCallBack;
extern IZOL_XpressControlMsgCallBack* clientMessageCallBack;
extern bool nullClientCallBack;
// True while the MIP search of the latest integer solve runs on several threads.
extern bool parallelMipMessages;
// The solver whose optimizer problem was created last; the callbacks report to it.
extern ZOLXpress* currentSolver;

void setCurrentSolver(ZOLXpress* solver);

namespace corvane {

int XPRS_CC lpLogCallback(XPRSprob problem, void* data);
void XPRS_CC messageCallback(XPRSprob problem, void* data, const char* text, int length, int type);

}  // namespace corvane

#endif
