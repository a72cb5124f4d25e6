// A linear (or separable quadratic) model as the host holds it: columns, rows, a column-wise
// matrix, the objective and special ordered sets. Arrays are sized once when a model is read.
#ifndef CORVANE_PLATFORM_HOST_MODEL_LINEAR_MODEL_H
#define CORVANE_PLATFORM_HOST_MODEL_LINEAR_MODEL_H

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::host {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Bounds of this magnitude or more mean "no bound", as the solver reads them.
constexpr double kInfiniteBound = 1.0e20;

inline bool isFiniteBound(double value) {
    return value > -kInfiniteBound && value < kInfiniteBound;
}

// Names packed into one buffer, so that a model of any size costs two allocations for its names.
class NameTable {
  public:
    void reserve(size_t count, size_t characters);
    void add(std::string_view name);
    std::string_view operator[](size_t index) const {
        return std::string_view(text_.data() + start_[index], start_[index + 1] - start_[index]);
    }
    size_t size() const { return start_.size() - 1; }

  private:
    std::vector<char> text_;
    std::vector<size_t> start_{0};
};

enum class ColumnKind { Continuous, Integer, SemiContinuous };
enum class ObjectiveSense { Minimize, Maximize };

// 'E' equal, 'L' at most, 'G' at least, 'N' free, 'R' ranged: rhs <= activity <= rangeHigh.
using RowRelation = char;

struct LinearModel {
    std::string name;

    // Columns.
    std::vector<double> colLower, colUpper, start;
    std::vector<ColumnKind> kind;
    NameTable colNames;

    // Rows.
    std::vector<RowRelation> relation;
    std::vector<double> rhs;
    std::vector<double> rangeHigh;  // upper end of a ranged row, 0 for the others
    NameTable rowNames;

    // Column-wise matrix: column j holds rowIndex/value[colStart[j] .. colStart[j+1]).
    std::vector<int> colStart{0};
    std::vector<int> rowIndex;
    std::vector<double> value;

    // Objective in the model's own sense: sense(cost'x + 1/2 sum quadDiagonal_j x_j^2 + constant).
    ObjectiveSense sense = ObjectiveSense::Minimize;
    std::vector<double> cost;
    std::vector<double> quadDiagonal;  // empty for a linear objective
    double objConstant = 0.0;

    // Special ordered sets: set k has type setType[k] (1 or 2) and the 0-based columns
    // setMembers[setStart[k] .. setStart[k+1]) with their weights.
    std::vector<int> setType;
    std::vector<int> setStart{0};
    std::vector<int> setMembers;
    std::vector<double> setWeights;

    int numCols() const { return static_cast<int>(colLower.size()); }
    int numRows() const { return static_cast<int>(rhs.size()); }
    int numNonzeros() const { return static_cast<int>(value.size()); }
    int numSets() const { return static_cast<int>(setType.size()); }
    int numRanged() const;
    bool hasIntegers() const;
    bool isQuadratic() const { return !quadDiagonal.empty(); }
};

// The row relation that the bounds lower <= activity <= upper describe.
RowRelation relationOfBounds(double lower, double upper);

}  // namespace corvane::host

#endif
