// The host's side of a solve: the providers through which the solver sees a LinearModel, and the
// evaluations its request codes ask for.
//
// Equations. Equation e (1-based) for e <= rows is model row e-1; a ranged row becomes two
// equations, its lower end at its own place and its upper end after the model's rows, in the
// order of the ranged rows. Residual = activity - right-hand side; every multiplier is 1.0.
//
// Objective. The provider reports the linear coefficients (the gradient at the origin) and the
// quadratic diagonal in minimisation form, with sense -1 for a maximisation: the solver multiplies
// both by the sense and so gets the model's own coefficients back. The constant stays here.
#ifndef CORVANE_PLATFORM_HOST_MODEL_HOST_MODEL_H
#define CORVANE_PLATFORM_HOST_MODEL_HOST_MODEL_H

#include <string_view>
#include <vector>

#include "host/providers.h"
#include "platform/host/model/linear_model.h"

namespace corvane::host {

// Every host name carries a four-character prefix that the solver drops.
constexpr std::string_view kVariablePrefix = "var_";
constexpr std::string_view kEquationPrefix = "equ_";
// The upper end of a ranged row is named after the row with this suffix.
constexpr std::string_view kRangeUpperSuffix = "_up";
// The solver's basis status of a basic column or row.
constexpr int kBasicStatus = 1;

class HostModel;

class ModelVars : public VarProvider {
  public:
    explicit ModelVars(HostModel& host) : host_(host) {}
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    int inqNumVars() override;
    double* valueArray() override;
    double* lowerArray() override;
    double* upperArray() override;
    double* reducedCostArray() override;
    int* typeArray() override;
    int inqNames(int first, int last, int maxLen, char* buffer) override;
    int* basisArray() override;

  private:
    HostModel& host_;
};

class ModelEqns : public EqnProvider {
  public:
    explicit ModelEqns(HostModel& host) : host_(host) {}
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    int inqNumEqns() override;
    double* residualArray() override;
    double* multiplierArray() override;
    int* typeArray() override;
    double* dualArray() override;
    int inqNames(int first, int last, int maxLen, char* buffer) override;
    int* basisArray() override;

  private:
    HostModel& host_;
};

class ModelDerivs : public DerivProvider {
  public:
    explicit ModelDerivs(HostModel& host) : host_(host) {}
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    int inqNumElements() override;
    int* rowArray() override;
    int* colArray() override;
    double* valueArray() override;

  private:
    HostModel& host_;
};

class ModelObjective : public ObjProvider {
  public:
    explicit ModelObjective(HostModel& host) : host_(host) {}
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    int prepare(int* status) override;
    int inqNumTerms() override;
    int inqVarIndices(int* indices) override;
    int inqSense() override;
    int inqDerivatives(double* first, double* second, int* status) override;

  private:
    HostModel& host_;
};

class ModelSets : public SetProvider {
  public:
    explicit ModelSets(const LinearModel& model) : model_(model) {}
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    int inqNumSets() override;
    int inqNumSetsOfType(int type) override;
    int inqSetType(int set) override;
    int inqNumMembers(int set) override;
    int inqMembers(int set, int* members) override;

  private:
    bool validSet(int set) const { return set >= 0 && set < model_.numSets(); }
    const LinearModel& model_;
};

class HostModel {
  public:
    // The model must outlive this object.
    explicit HostModel(const LinearModel& model);
    HostModel(const HostModel&) = delete;
    HostModel& operator=(const HostModel&) = delete;

    VarProvider& vars() { return vars_; }
    EqnProvider& eqns() { return eqns_; }
    DerivProvider& derivs() { return derivs_; }
    ObjProvider& objective() { return objective_; }
    SetProvider& sets() { return sets_; }

    // Request code 1: the residuals at the point in the variables' value array.
    void evaluateResiduals();
    // Request code 9: the Jacobian and the objective derivatives there (constant for this model).
    void evaluateDerivatives();

    const LinearModel& model() const { return model_; }
    int numEquations() const { return static_cast<int>(eqnRow_.size()); }
    const std::vector<double>& values() const { return values_; }
    std::vector<double>& values() { return values_; }
    const std::vector<double>& reducedCosts() const { return reducedCosts_; }
    const std::vector<int>& columnBasis() const { return colBasis_; }
    // Per model row, from the current values and the equations' answers.
    const std::vector<double>& rowActivities();
    double rowDual(int row) const;
    int rowBasis(int row) const;
    // The model's objective at the current values, constant included.
    double objectiveAt() const;

  private:
    friend class ModelVars;
    friend class ModelEqns;
    friend class ModelDerivs;
    friend class ModelObjective;

    void layOutEquations();
    void layOutJacobian();
    void layOutObjective();
    void computeActivities();
    int copyName(std::string_view prefix, std::string_view name, std::string_view suffix,
                 int maxLen, char* buffer) const;

    const LinearModel& model_;
    ModelVars vars_{*this};
    ModelEqns eqns_{*this};
    ModelDerivs derivs_{*this};
    ModelObjective objective_{*this};
    ModelSets sets_;

    std::vector<double> values_, lower_, upper_, reducedCosts_;
    std::vector<int> varTypes_, colBasis_;

    std::vector<int> eqnRow_;         // model row of each equation
    std::vector<int> upperEquation_;  // per model row: equation of its upper end, or -1
    std::vector<double> eqnRhs_, residuals_, multipliers_, duals_;
    std::vector<int> eqnTypes_, eqnBasis_;

    std::vector<int> jacRows_, jacCols_;
    std::vector<double> jacValues_;

    std::vector<int> objIndices_;
    std::vector<double> objFirst_, objSecond_;
    int objSense_ = 1;

    std::vector<double> activities_;
};

}  // namespace corvane::host

#endif
