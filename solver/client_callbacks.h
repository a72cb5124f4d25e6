// What a client program sees of the optimizer while a solve runs: it is asked at every LP log
// point whether to go on, and it receives every optimizer message.
//
// The plug-in stores the registered objects and never deletes them: the client keeps them alive
// while they are registered. Slot 0 of each interface is the one-entry deleting destructor of
// host/deleting_destructor.h, slot 1 its operation; a client class implements slot 0 for itself
// with corvane::destroyObject when anything destroys its objects through the interface.
#ifndef CORVANE_SOLVER_CLIENT_CALLBACKS_H
#define CORVANE_SOLVER_CLIENT_CALLBACKS_H

#include "host/corvane_api.h"
#include "host/deleting_destructor.h"

class CORVANE_API IZOL_XpressControlCallBack {
  public:
    IZOL_XpressControlCallBack();
    IZOL_XpressControlCallBack(const IZOL_XpressControlCallBack& other);
    IZOL_XpressControlCallBack& operator=(const IZOL_XpressControlCallBack& other);
    virtual void* deletingDestructor(unsigned int flags);  // slot 0
    // Slot 1. true: go on; false: stop the optimizer.
    virtual bool onIteration() = 0;

  protected:
    // Not virtual: slot 0 is the deleting destructor. Protected, so that nothing deletes a
    // client's object through this interface and with the wrong type.
    ~IZOL_XpressControlCallBack();
};

class CORVANE_API IZOL_XpressControlMsgCallBack {
  public:
    IZOL_XpressControlMsgCallBack();
    IZOL_XpressControlMsgCallBack(const IZOL_XpressControlMsgCallBack& other);
    IZOL_XpressControlMsgCallBack& operator=(const IZOL_XpressControlMsgCallBack& other);
    virtual void* deletingDestructor(unsigned int flags);  // slot 0
    // Slot 1: one optimizer message as the optimizer passed it; parallelMip tells whether the MIP
    // search of the solve runs on several threads.
    virtual void onMessage(const char* text, int length, int type, bool parallelMip) = 0;

  protected:
    ~IZOL_XpressControlMsgCallBack();  // as for the control callback
};

// Registering replaces an earlier object; a null object is refused with false.
CORVANE_API bool ZOLXpressRegisterClientCallBack(IZOL_XpressControlCallBack* callBack);
CORVANE_API bool ZOLXpressRegisterClientMsgCallBack(IZOL_XpressControlMsgCallBack* callBack);
// Silences both forwardings without forgetting the registrations, and brings them back.
CORVANE_API void ZOLXpressRegisterNullClientCallBack();
CORVANE_API void ZOLXpressUnRegisterNullClientCallBack();

#endif
