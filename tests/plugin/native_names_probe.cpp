// The plug-in's exported classes and functions as a program built with the target platform's
// native compiler declares them, and a use of every exported member. Compiled for
// i686-pc-windows-msvc (never linked), its undefined `__imp_` symbols are the decorated names under
// which such a program looks the members up in corvane.dll.
//
// Only declarations of the plug-in's own classes: names depend on the class, the member, its
// arguments, its qualifiers, its access and its virtuality, not on the order of the virtual table.
// WriteSolverParam is left out: its std::string argument cannot cross between two standard
// libraries, so the plug-in does not export it under a native name.

inline void* operator new(unsigned int, void* storage) noexcept {
    return storage;
}

struct rt_cvgsum;
typedef struct rt_cvgsum rt_cvgsum_t;
class VarProvider;
class EqnProvider;
class DerivProvider;
class ObjProvider;
class SetProvider;

#define IMPORTED __declspec(dllimport)

class IMPORTED RTSolver {
  public:
    enum parameterType { NO_PARAMETER, INT_PARAMETER, REAL_PARAMETER, STRING_PARAMETER };
    virtual ~RTSolver();
    virtual void release() = 0;
    virtual const char* inqName() const = 0;
};

class IMPORTED RTMILSolver : public RTSolver {
  public:
    RTMILSolver(const char* name);
    virtual ~RTMILSolver();
    virtual void release();
    virtual const char* inqName() const;
    virtual int inqNumIntParam() const;
    virtual int inqNumRealParam() const;
    virtual int inqNumStringParam() const;
    virtual parameterType validParam(const char* name) const;
    virtual void inqIntParam(int index, char* name, int& value) const;
    virtual int inqIntParam(const char* name) const;
    virtual void setIntParam(const char* name, int value);
    virtual void inqRealParam(int index, char* name, double& value) const;
    virtual double inqRealParam(const char* name) const;
    virtual void setRealParam(const char* name, double value);
    virtual void inqStringParam(int index, char* name, char* value) const;
    virtual const char* inqStringParam(const char* name) const;
    virtual void setStringParam(const char* name, const char* value);
    virtual const char* Description(const char* name) const;
    virtual void setConvergenceSummary(rt_cvgsum_t* summary);
    virtual void setSetProvider(SetProvider* provider);
    virtual void preSolve();
    virtual void postSolve();
    virtual int writesIterationHistory() const;
    virtual void setStartFlag(int value);
    virtual int inqStartFlag() const;
    virtual void iterate(VarProvider*, EqnProvider*, DerivProvider*, ObjProvider*, int*, int*,
                         int*) = 0;

    const char* solverName;
    int startFlag;
    SetProvider* setProvider;
};

class IMPORTED ZOLXpress : public RTMILSolver {
  public:
    ZOLXpress();
    virtual ~ZOLXpress();
    virtual int inqNumIntParam() const;
    virtual int inqNumRealParam() const;
    virtual int inqNumStringParam() const;
    virtual parameterType validParam(const char* name) const;
    virtual void inqIntParam(int index, char* name, int& value) const;
    virtual int inqIntParam(const char* name) const;
    virtual void setIntParam(const char* name, int value);
    virtual void inqRealParam(int index, char* name, double& value) const;
    virtual double inqRealParam(const char* name) const;
    virtual void setRealParam(const char* name, double value);
    virtual void inqStringParam(int index, char* name, char* value) const;
    virtual const char* inqStringParam(const char* name) const;
    virtual void setStringParam(const char* name, const char* value);
    virtual const char* Description(const char* name) const;
    virtual void setConvergenceSummary(rt_cvgsum_t* summary);
    virtual void preSolve();
    virtual void postSolve();
    virtual int writesIterationHistory() const;
    virtual void iterate(VarProvider* vars, EqnProvider* eqns, DerivProvider* derivs,
                         ObjProvider* obj, int* requestCode, int* solveDone, int* resultCode);
    void CleanUp();
    int InitializeXpress();
    void InitDefSolverParameters();
    void XPRSCompressJacobian(DerivProvider* derivs, EqnProvider* eqns);
    void SetSolverParametersNew();
};

class IMPORTED IZOL_XpressControlCallBack {
  public:
    IZOL_XpressControlCallBack();
    IZOL_XpressControlCallBack(const IZOL_XpressControlCallBack& other);
    IZOL_XpressControlCallBack& operator=(const IZOL_XpressControlCallBack& other);
    virtual ~IZOL_XpressControlCallBack();
    virtual bool onIteration() = 0;
};

class IMPORTED IZOL_XpressControlMsgCallBack {
  public:
    IZOL_XpressControlMsgCallBack();
    IZOL_XpressControlMsgCallBack(const IZOL_XpressControlMsgCallBack& other);
    IZOL_XpressControlMsgCallBack& operator=(const IZOL_XpressControlMsgCallBack& other);
    virtual ~IZOL_XpressControlMsgCallBack();
    virtual void onMessage(const char* text, int length, int type, bool parallelMip) = 0;
};

IMPORTED bool ZOLXpressRegisterClientCallBack(IZOL_XpressControlCallBack* callBack);
IMPORTED bool ZOLXpressRegisterClientMsgCallBack(IZOL_XpressControlMsgCallBack* callBack);
IMPORTED void ZOLXpressRegisterNullClientCallBack();
IMPORTED void ZOLXpressUnRegisterNullClientCallBack();

// The abstract classes' constructors are reached through classes derived from them.
struct Solver : RTMILSolver {
    Solver() : RTMILSolver("PROBE") {}
    void iterate(VarProvider*, EqnProvider*, DerivProvider*, ObjProvider*, int*, int*, int*) {}
};
struct Control : IZOL_XpressControlCallBack {
    Control() {}
    Control(const Control& other) : IZOL_XpressControlCallBack(other) {}
    bool onIteration() { return true; }
};
struct Messages : IZOL_XpressControlMsgCallBack {
    Messages() {}
    Messages(const Messages& other) : IZOL_XpressControlMsgCallBack(other) {}
    void onMessage(const char*, int, int, bool) {}
};

// Qualified calls name each member itself rather than a virtual table slot.
void useEveryMember(ZOLXpress* x, Solver* s, void* storage) {
    char name[64];
    int intValue = 0;
    double realValue = 0.0;

    new (storage) Solver();
    s->RTMILSolver::~RTMILSolver();
    s->RTSolver::~RTSolver();
    s->RTMILSolver::release();
    s->RTMILSolver::inqName();
    s->RTMILSolver::inqNumIntParam();
    s->RTMILSolver::inqNumRealParam();
    s->RTMILSolver::inqNumStringParam();
    s->RTMILSolver::validParam(name);
    s->RTMILSolver::inqIntParam(0, name, intValue);
    s->RTMILSolver::inqIntParam(name);
    s->RTMILSolver::setIntParam(name, 0);
    s->RTMILSolver::inqRealParam(0, name, realValue);
    s->RTMILSolver::inqRealParam(name);
    s->RTMILSolver::setRealParam(name, 0.0);
    s->RTMILSolver::inqStringParam(0, name, name);
    s->RTMILSolver::inqStringParam(name);
    s->RTMILSolver::setStringParam(name, name);
    s->RTMILSolver::Description(name);
    s->RTMILSolver::setConvergenceSummary(nullptr);
    s->RTMILSolver::setSetProvider(nullptr);
    s->RTMILSolver::preSolve();
    s->RTMILSolver::postSolve();
    s->RTMILSolver::writesIterationHistory();
    s->RTMILSolver::setStartFlag(0);
    s->RTMILSolver::inqStartFlag();

    new (storage) ZOLXpress();
    x->ZOLXpress::~ZOLXpress();
    x->ZOLXpress::inqNumIntParam();
    x->ZOLXpress::inqNumRealParam();
    x->ZOLXpress::inqNumStringParam();
    x->ZOLXpress::validParam(name);
    x->ZOLXpress::inqIntParam(0, name, intValue);
    x->ZOLXpress::inqIntParam(name);
    x->ZOLXpress::setIntParam(name, 0);
    x->ZOLXpress::inqRealParam(0, name, realValue);
    x->ZOLXpress::inqRealParam(name);
    x->ZOLXpress::setRealParam(name, 0.0);
    x->ZOLXpress::inqStringParam(0, name, name);
    x->ZOLXpress::inqStringParam(name);
    x->ZOLXpress::setStringParam(name, name);
    x->ZOLXpress::Description(name);
    x->ZOLXpress::setConvergenceSummary(nullptr);
    x->ZOLXpress::preSolve();
    x->ZOLXpress::postSolve();
    x->ZOLXpress::writesIterationHistory();
    x->ZOLXpress::iterate(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    x->CleanUp();
    x->InitializeXpress();
    x->InitDefSolverParameters();
    x->XPRSCompressJacobian(nullptr, nullptr);
    x->SetSolverParametersNew();

    Control* control = new (storage) Control();
    Control copiedControl(*control);
    *control = copiedControl;
    control->IZOL_XpressControlCallBack::~IZOL_XpressControlCallBack();
    Messages* messages = new (storage) Messages();
    Messages copiedMessages(*messages);
    *messages = copiedMessages;
    messages->IZOL_XpressControlMsgCallBack::~IZOL_XpressControlMsgCallBack();

    ZOLXpressRegisterClientCallBack(control);
    ZOLXpressRegisterClientMsgCallBack(messages);
    ZOLXpressRegisterNullClientCallBack();
    ZOLXpressUnRegisterNullClientCallBack();
}
