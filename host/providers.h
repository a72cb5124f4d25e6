// The host's model providers as the plug-in sees them.
//
// Each provider is a host object reached only through its virtual table. Variables and equations
// are numbered from 1, arrays are owned by the host and written in place where noted. Slots that
// the plug-in never calls are kept as placeholders so every operation sits at its own slot. Slot 0
// is the one-entry deleting destructor of host/deleting_destructor.h, which the plug-in never
// calls: the host owns its providers.
#ifndef CORVANE_HOST_PROVIDERS_H
#define CORVANE_HOST_PROVIDERS_H

#include "host/deleting_destructor.h"

class VarProvider {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;  // slot 0
    virtual int inqNumVars() = 0;                              // slot 1
    virtual double* valueArray() = 0;                          // slot 2, read and written
    virtual double* lowerArray() = 0;        // slot 3, written back for semi-continuous columns
    virtual double* upperArray() = 0;        // slot 4
    virtual void unusedSlot5() {}            // slot 5
    virtual void unusedSlot6() {}            // slot 6
    virtual double* reducedCostArray() = 0;  // slot 7, written
    virtual int* typeArray() = 0;            // slot 8, descriptor words
    virtual void unusedSlot9() {}            // slot 9
    // Copies the NUL-ended name of variables first..last (the plug-in asks for one at a time) into
    // buffer, at most maxLen characters. The first four characters are a host prefix.
    virtual int inqNames(int first, int last, int maxLen, char* buffer) = 0;  // slot 10
    virtual void unusedSlot11() {}                                            // slot 11
    virtual int* basisArray() = 0;                                            // slot 12, written

  protected:
    ~VarProvider() = default;
};

class EqnProvider {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;                 // slot 0
    virtual int inqNumEqns() = 0;                                             // slot 1
    virtual double* residualArray() = 0;                                      // slot 2
    virtual double* multiplierArray() = 0;                                    // slot 3
    virtual int* typeArray() = 0;                                             // slot 4
    virtual double* dualArray() = 0;                                          // slot 5, written
    virtual void unusedSlot6() {}                                             // slot 6
    virtual int inqNames(int first, int last, int maxLen, char* buffer) = 0;  // slot 7
    virtual int* basisArray() = 0;                                            // slot 8, written

  protected:
    ~EqnProvider() = default;
};

class DerivProvider {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;  // slot 0
    virtual int inqNumElements() = 0;                          // slot 1
    virtual int* rowArray() = 0;       // slot 2, 1-based equation of each element
    virtual int* colArray() = 0;       // slot 3, 1-based variable of each element
    virtual double* valueArray() = 0;  // slot 4

  protected:
    ~DerivProvider() = default;
};

class ObjProvider {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;  // slot 0
    virtual int prepare(int* status) = 0;                      // slot 1
    virtual int inqNumTerms() = 0;                             // slot 2
    virtual int inqVarIndices(int* indices) = 0;               // slot 3, ascending 1-based indices
    virtual void unusedSlot4() {}                              // slot 4
    virtual int inqSense() = 0;    // slot 5: >0 minimise, <0 maximise, 0 none
    virtual void unusedSlot6() {}  // slot 6
    virtual void unusedSlot7() {}  // slot 7
    virtual int inqDerivatives(double* first, double* second, int* status) = 0;  // slot 8

  protected:
    ~ObjProvider() = default;
};

class SetProvider {
  public:
    virtual void* deletingDestructor(unsigned int flags) = 0;  // slot 0
    virtual void unusedSlot1() {}                              // slot 1
    virtual void unusedSlot2() {}                              // slot 2
    virtual int inqNumSets() = 0;                              // slot 3, sets of every type
    virtual int inqNumSetsOfType(int type) = 0;                // slot 4
    virtual int inqSetType(int set) = 0;                // slot 5, set counted from 0; types 1 and 2
    virtual void unusedSlot6() {}                       // slot 6
    virtual int inqNumMembers(int set) = 0;             // slot 7
    virtual int inqMembers(int set, int* members) = 0;  // slot 8, 1-based variable indices

  protected:
    ~SetProvider() = default;
};

#endif
