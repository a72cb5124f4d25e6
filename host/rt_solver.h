// The host framework's solver interface as the plug-in sees it.
//
// The host drives every solver through these virtual operations; their order is the order of the
// host's virtual table and must not change: slot k holds the operation numbered k below, slot 0
// being the one-entry deleting destructor of host/deleting_destructor.h.
#ifndef CORVANE_HOST_RT_SOLVER_H
#define CORVANE_HOST_RT_SOLVER_H

#include "host/corvane_api.h"
#include "host/deleting_destructor.h"

struct rt_cvgsum;
typedef struct rt_cvgsum rt_cvgsum_t;

class VarProvider;
class EqnProvider;
class DerivProvider;
class ObjProvider;
class SetProvider;

class CORVANE_API RTSolver {
  public:
    // The host's parameter kinds.
    enum parameterType {
        NO_PARAMETER = 0,
        INT_PARAMETER = 1,
        REAL_PARAMETER = 2,
        STRING_PARAMETER = 3
    };

    // slot 0: destroys the solver, frees its storage when flags has kFreeStorage.
    virtual void* deletingDestructor(unsigned int flags);
    virtual void release() = 0;               // slot 1
    virtual const char* inqName() const = 0;  // slot 2
    virtual int inqNumIntParam() const = 0;
    virtual int inqNumRealParam() const = 0;
    virtual int inqNumStringParam() const = 0;
    virtual parameterType validParam(const char* name) const = 0;
    virtual void inqIntParam(int index, char* name, int& value) const = 0;
    virtual int inqIntParam(const char* name) const = 0;
    virtual void setIntParam(const char* name, int value) = 0;
    virtual void inqRealParam(int index, char* name, double& value) const = 0;
    virtual double inqRealParam(const char* name) const = 0;
    virtual void setRealParam(const char* name, double value) = 0;
    virtual void inqStringParam(int index, char* name, char* value) const = 0;
    virtual const char* inqStringParam(const char* name) const = 0;
    virtual void setStringParam(const char* name, const char* value) = 0;
    virtual const char* Description(const char* name) const = 0;
    virtual void setConvergenceSummary(rt_cvgsum_t* summary) = 0;
    virtual void setSetProvider(SetProvider* provider) = 0;
    virtual void preSolve() = 0;
    virtual void postSolve() = 0;
    virtual int writesIterationHistory() const = 0;
    virtual void setStartFlag(int value) = 0;
    virtual int inqStartFlag() const = 0;  // slot 23

  protected:
    // Destruction goes through slot 0.
    ~RTSolver();
};

// The host's base for mixed-integer solvers: defaults for every operation and the reverse
// communication entry point `iterate`.
class CORVANE_API RTMILSolver : public RTSolver {
  public:
    explicit RTMILSolver(const char* name);

    // The base's own slot 0 destroys only the base: a solver class implements slot 0 for itself
    // with corvane::destroyObject, as ZOLXpress does.
    void* deletingDestructor(unsigned int flags) override;
    // Destroys the solver through slot 0 and frees its storage.
    void release() override;
    const char* inqName() const override;
    int inqNumIntParam() const override;
    int inqNumRealParam() const override;
    int inqNumStringParam() const override;
    parameterType validParam(const char* name) const override;
    void inqIntParam(int index, char* name, int& value) const override;
    int inqIntParam(const char* name) const override;
    void setIntParam(const char* name, int value) override;
    void inqRealParam(int index, char* name, double& value) const override;
    double inqRealParam(const char* name) const override;
    void setRealParam(const char* name, double value) override;
    void inqStringParam(int index, char* name, char* value) const override;
    const char* inqStringParam(const char* name) const override;
    void setStringParam(const char* name, const char* value) override;
    const char* Description(const char* name) const override;
    void setConvergenceSummary(rt_cvgsum_t* summary) override;
    void setSetProvider(SetProvider* provider) override;
    void preSolve() override;
    void postSolve() override;
    int writesIterationHistory() const override;
    void setStartFlag(int value) override;
    int inqStartFlag() const override;

    // slot 24
    virtual void iterate(VarProvider* vars, EqnProvider* eqns, DerivProvider* derivs,
                         ObjProvider* obj, int* requestCode, int* solveDone, int* resultCode) = 0;

    // Sentinels of a solver without parameters.
    static constexpr int kNoIntValue = 99999999;
    static constexpr double kNoRealValue = 1.0e35;

    const char* solverName;  // not copied: the caller passes a literal
    int startFlag;
    SetProvider* setProvider;

  protected:
    ~RTMILSolver();
};

#endif
