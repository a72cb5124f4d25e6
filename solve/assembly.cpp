// Problem assembly: the sets, rows, columns, entities, objective and names of the optimizer's
// column-wise problem, and its load.
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "host/host_codes.h"
#include "host/providers.h"
#include "host/vrim.h"
#include "solve/solve_context.h"
#include "solver/run_arrays.h"
#include "solver/zol_xpress.h"

using corvane::allocateRunArray;
using corvane::allocateZeroedRunArray;
using corvane::DataError;
using corvane::dataError;
using corvane::isEntityKind;
using corvane::kNamePrefixLength;
using corvane::SolveContext;

namespace {

constexpr double kInfinity = 1e20;
constexpr double kQuadraticLimit = 1e12;
constexpr int kRequestedNameLength = 64;

char rowTypeOf(int relation) {
    switch (relation) {
        case VRIM_REL_EQUAL:
            return 'E';
        case VRIM_REL_LESS:
        case VRIM_REL_LESS_STRICT:
            return 'L';
        case VRIM_REL_GREATER:
        case VRIM_REL_GREATER_STRICT:
            return 'G';
        default:  // free, and any relation the host does not define
            return 'N';
    }
}

// A block of packed names that grows by doubling. Each name is written by the host into the room
// at the block's end and then stripped of its prefix in place.
class NamePacker {
  public:
    NamePacker(size_t length, size_t expected) : length_(length) { reserve(expected); }

    template <typename Write>
    void append(Write write) {
        reserve(size_ + length_ + 1);
        char* room = block_.get() + size_;
        room[0] = '\0';
        write(room, static_cast<int>(length_));
        room[length_] = '\0';
        const size_t size = std::strlen(room);
        const size_t prefix = static_cast<size_t>(kNamePrefixLength);
        const size_t kept = size > prefix ? size - prefix : 0;
        if (kept > 0) std::memmove(room, room + prefix, kept);
        room[kept] = '\0';
        size_ += kept + 1;
    }

    void appendLiteral(const char* name) {
        const size_t size = std::min(std::strlen(name), length_);
        reserve(size_ + size + 1);
        std::memcpy(block_.get() + size_, name, size);
        block_[size_ + size] = '\0';
        size_ += size + 1;
    }

    void keep(char*& names) {
        allocateRunArray(names, static_cast<long long>(size_));
        if (size_ > 0) std::memcpy(names, block_.get(), size_);
        size_ = 0;
    }

  private:
    void reserve(size_t needed) {
        if (needed <= capacity_) return;
        const size_t capacity = std::max(needed, capacity_ * 2);
        std::unique_ptr<char[]> block(new char[capacity]);
        if (size_ > 0) std::memcpy(block.get(), block_.get(), size_);
        block_ = std::move(block);
        capacity_ = capacity;
    }

    size_t length_;
    std::unique_ptr<char[]> block_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace

// Special ordered sets of types 1 and 2; sets of other types are left out. Without a set provider
// the problem simply has no sets.
DataError ZOLXpress::readSets() {
    numSets = 0;
    setMembers.clear();
    setCols.clear();
    if (!setProvider) return {};
    const int sets = setProvider->inqNumSets();
    if (sets <= 0) return {};
    std::vector<int> types(static_cast<size_t>(sets));
    int ordered = 0;
    for (int k = 0; k < sets; ++k) {
        types[k] = setProvider->inqSetType(k);
        if (types[k] == 1 || types[k] == 2) ++ordered;
    }
    const long long reported =
        static_cast<long long>(setProvider->inqNumSetsOfType(1)) + setProvider->inqNumSetsOfType(2);
    if (reported <= 0) return {};
    if (reported != ordered)
        return dataError("the set provider counts " + std::to_string(reported) +
                         " sets of types 1 and 2 but lists " + std::to_string(ordered));
    numSets = ordered;
    return readSetMembers(types);
}

DataError ZOLXpress::readSetMembers(const std::vector<int>& types) {
    allocateRunArray(setType, numSets);
    std::vector<int> sizes(types.size(), 0);
    long long members = 0;
    for (size_t k = 0, t = 0; k < types.size(); ++k) {
        if (types[k] != 1 && types[k] != 2) continue;
        setType[t++] = types[k] == 1 ? '1' : '2';
        sizes[k] = setProvider->inqNumMembers(static_cast<int>(k));
        if (sizes[k] < 0)
            return dataError("set " + std::to_string(k + 1) + " has " + std::to_string(sizes[k]) +
                             " members");
        members += sizes[k];
    }
    // Member positions are the optimizer's ints.
    if (members > std::numeric_limits<int>::max())
        return dataError("the sets have " + std::to_string(members) + " members, more than " +
                         std::to_string(std::numeric_limits<int>::max()));
    allocateRunArray(setStart, numSets + 1LL);
    setMembers.resize(static_cast<size_t>(members));
    setCols.resize(static_cast<size_t>(members));
    allocateRunArray(setRef, members);
    int position = 0;
    int set = 0;
    for (size_t k = 0; k < types.size(); ++k) {
        if (types[k] != 1 && types[k] != 2) continue;
        setStart[set++] = position;
        if (sizes[k] > 0)
            setProvider->inqMembers(static_cast<int>(k), setMembers.data() + position);
        for (int c = position; c < position + sizes[k]; ++c) {
            const int column = setMembers[c] - 1;
            if (column < 0 || column >= numVars)
                return dataError("set " + std::to_string(k + 1) + " has member " +
                                 std::to_string(column + 1) + " outside 1.." +
                                 std::to_string(numVars));
            setMembers[c] = column;
            setCols[c] = column;
            setRef[c] = c - position + 1;
        }
        position += sizes[k];
    }
    setStart[numSets] = position;
    return {};
}

// Columns of an integer kind: at most this many become entities.
int ZOLXpress::countEntityCandidates(VarProvider* vars) const {
    const int* descriptors = vars->typeArray();
    int candidates = 0;
    for (int j = 0; j < numVars; ++j)
        if (isEntityKind(varInqType(descriptors[j]))) ++candidates;
    return candidates;
}

// The arrays filled while the columns and rows are read. The objective entries, the matrix and the
// result arrays are allocated only when they are filled, so the largest of them are never held
// at the same time as the ones already released.
void ZOLXpress::allocateProblemArrays(int entityCandidates) {
    const long long n = numVars;
    allocateRunArray(objCoef, n);
    allocateRunArray(colLower, n);
    allocateRunArray(colUpper, n);
    allocateRunArray(rowType, static_cast<long long>(numRows));
    allocateRunArray(entityType, entityCandidates);
    allocateRunArray(entityCols, entityCandidates);
    allocateRunArray(entityLimit, entityCandidates);
}

// The optimizer holds its own copy of the problem once it is loaded; what the plug-in still needs
// is room for the answers.
void ZOLXpress::allocateResultArrays() {
    const long long n = numVars;
    const long long rows = numRows;
    allocateZeroedRunArray(solution, n);
    allocateZeroedRunArray(rowDual, rows);
    allocateZeroedRunArray(rowSlack, rows);
    allocateZeroedRunArray(colBasis, n);
    allocateZeroedRunArray(rowBasis, rows);
}

void ZOLXpress::releaseLoadedMatrix() {
    corvane::releaseRunArray(colStart);
    corvane::releaseRunArray(rowIndex);
    corvane::releaseRunArray(matValue);
}

// Names without the host's four-character prefix, at most `length` characters, packed one after
// another, each ended by a NUL. The host writes each name straight into the packed block, which is
// then kept in an array of its exact size: names are mostly far shorter than the longest the
// optimizer allows.
void ZOLXpress::packNames(VarProvider* vars, EqnProvider* eqns) {
    XPRSsetintcontrol(problemHandle, XPRS_MPSNAMELENGTH, kRequestedNameLength);
    int length = kRequestedNameLength;
    XPRSgetintcontrol(problemHandle, XPRS_MPSNAMELENGTH, &length);
    if (length < 0) length = 0;
    NamePacker packer(static_cast<size_t>(length),
                      static_cast<size_t>(std::max(numVars, numRows)) * 16);
    for (int i = 1; i <= numVars; ++i)
        packer.append([&](char* room, int maxLen) { vars->inqNames(i, i, maxLen, room); });
    packer.keep(colNames);
    packer.appendLiteral("ObjRow");
    for (int i = 1; i < numRows; ++i)
        packer.append([&](char* room, int maxLen) { eqns->inqNames(i, i, maxLen, room); });
    packer.keep(rowNames);
}

void ZOLXpress::assembleRows(EqnProvider* eqns) {
    if (numRows > 0) rowType[0] = 'N';
    const int* descriptors = eqns->typeArray();
    for (int i = 1; i < numRows; ++i) {
        const int word = descriptors[i - 1];
        rowType[i] = u3rinc_c(word) == 0 ? 'N' : rowTypeOf(u3rgmt_c(word));
    }
}

void ZOLXpress::assembleColumns(VarProvider* vars) {
    const double* values = vars->valueArray();
    const double* lower = vars->lowerArray();
    const double* upper = vars->upperArray();
    const int* descriptors = vars->typeArray();
    std::vector<char> inSet;
    if (fixMip == 1) {
        inSet.assign(static_cast<size_t>(numVars), 0);
        for (int member : setMembers) inSet[member] = 1;
    }
    for (int j = 0; j < numVars; ++j) {
        colUpper[j] = upper[j] < kInfinity ? upper[j] / colScale[j] : kInfinity;
        colLower[j] = lower[j] > -kInfinity ? lower[j] / colScale[j] : -kInfinity;
        const int word = descriptors[j];
        const int kind = varInqType(word);
        const bool fixed = varIsFixed(word) != 0;
        if (fixed) colLower[j] = colUpper[j] = values[j];
        if (isEntityKind(kind) && !fixed && colUpper[j] > colLower[j]) {
            if (fixMip == 1) {
                fixAtCurrentValue(j, kind, values[j]);
                continue;
            }
            addEntity(j, kind, lower[j], upper[j]);
        }
        if (fixMip == 1 && inSet[j] && values[j] == 0.0) colLower[j] = colUpper[j] = 0.0;
    }
}

void ZOLXpress::fixAtCurrentValue(int column, int kind, double value) {
    if (kind == VRIM_VAR_SEMICONTINUOUS) {
        if (value == 0.0) colLower[column] = colUpper[column] = 0.0;
        return;
    }
    // Rounding a value in (-1.5, -0.5] gives -0.0, which would reach the bounds and the problem
    // file as "-0".
    const double rounded = std::trunc(value + 0.5);
    colLower[column] = colUpper[column] = rounded == 0.0 ? 0.0 : rounded;
}

void ZOLXpress::addEntity(int column, int kind, double hostLower, double hostUpper) {
    const int t = numEntities++;
    entityCols[t] = column;
    entityLimit[t] = 0.0;
    if (hostLower == 0.0 && hostUpper == 1.0) {
        entityType[t] = 'B';
    } else if (kind == VRIM_VAR_BINARY) {
        entityType[t] = 'B';
    } else if (kind == VRIM_VAR_SEMICONTINUOUS) {
        entityType[t] = 'S';
        entityLimit[t] = colLower[column];
        colLower[column] = 0.0;
    } else {
        entityType[t] = 'I';
    }
}

DataError ZOLXpress::assembleObjective(SolveContext& context) {
    ObjProvider* obj = context.obj;
    context.sense = obj->inqSense();
    allocateZeroedRunArray(objVarIndex, numObjTerms);
    allocateZeroedRunArray(objFirstDeriv, numObjTerms);
    allocateZeroedRunArray(objSecondDeriv, numObjTerms);
    if (numObjTerms > 0) {
        obj->inqVarIndices(objVarIndex);
        int status = 0;
        obj->inqDerivatives(objFirstDeriv, objSecondDeriv, &status);
    }
    const DataError error = checkObjectiveIndices();
    if (error.found) return error;
    assembleQuadraticTerms(context.sense);
    corvane::releaseRunArray(objSecondDeriv);
    assembleLinearObjective(context.sense);
    return {};
}

// Diagonal terms only. The objective is stated in the scaled columns, so a term in x = s·y gains
// the factor s².
void ZOLXpress::assembleQuadraticTerms(int sense) {
    const auto isTerm = [](double second) {
        return second != 0.0 && std::fabs(second) < kQuadraticLimit;
    };
    numQuadTerms = 0;
    for (int k = 0; k < numObjTerms; ++k)
        if (isTerm(objSecondDeriv[k])) ++numQuadTerms;
    isQuadratic = numQuadTerms > 0;
    if (!isQuadratic) return;
    allocateRunArray(quadCol1, numQuadTerms);
    allocateRunArray(quadCol2, numQuadTerms);
    allocateRunArray(quadCoef, numQuadTerms);
    for (int k = 0, t = 0; k < numObjTerms; ++k) {
        if (!isTerm(objSecondDeriv[k])) continue;
        const int column = objVarIndex[k] - 1;
        const double scale = colScale[column];
        quadCol1[t] = quadCol2[t] = column;
        quadCoef[t] = sense * objSecondDeriv[k] * scale * scale;
        ++t;
    }
}

// One merge pass: the objective entries are in ascending variable order.
void ZOLXpress::assembleLinearObjective(int sense) {
    int k = 0;
    for (int c = 0; c < numVars; ++c) {
        if (k < numObjTerms && objVarIndex[k] == c + 1) {
            objCoef[c] = sense * objFirstDeriv[k] * colScale[c];
            ++k;
        } else {
            objCoef[c] = 0.0;
        }
    }
}

int ZOLXpress::loadAsQpMipOrLp() {
    if (isQuadratic)
        return XPRSloadqp(problemHandle, "xpress", numVars, numRows, rowType, rhs, nullptr, objCoef,
                          colStart, nullptr, rowIndex, matValue, colLower, colUpper, numQuadTerms,
                          quadCol1, quadCol2, quadCoef);
    if (solveAsMip)
        return XPRSloadglobal(problemHandle, "xpress", numVars, numRows, rowType, rhs, nullptr,
                              objCoef, colStart, nullptr, rowIndex, matValue, colLower, colUpper,
                              numEntities, numSets, entityType, entityCols, entityLimit, setType,
                              setStart, setCols.data(), setRef);
    return XPRSloadlp(problemHandle, "xpress", numVars, numRows, rowType, rhs, nullptr, objCoef,
                      colStart, nullptr, rowIndex, matValue, colLower, colUpper);
}

// A quadratic objective is loaded without the integer entities and sets. What is loaded is then a
// continuous problem, and it is solved and reported as one: a MIP search on it would claim an
// integer solution that the answer need not be.
void ZOLXpress::reportDroppedEntities() {
    logLine(
        " *** Warning: XPRESS solves the quadratic problem without its integer entities "
        "and sets. Entities and sets not passed: ",
        numEntities + numSets);
}

void ZOLXpress::reportLoadFailure(int* resultCode) {
    const int code = optimizerErrorCode();
    *resultCode = corvane::result::kNotLoaded;
    setStatus(corvane::status::kFailed);
    logLine(" *** Error loading problem to XPRESS solver. Error code ", code);
    logLastError();
}

int ZOLXpress::addNames() {
    XPRSaddnames(problemHandle, XPRS_NAMES_COLUMNS, colNames, 0, numVars - 1);
    return XPRSaddnames(problemHandle, XPRS_NAMES_ROWS, rowNames, 0, numRows - 1);
}
