#include "platform/host/model/linear_model.h"

#include <algorithm>

namespace corvane::host {

void NameTable::reserve(size_t count, size_t characters) {
    start_.reserve(count + 1);
    text_.reserve(characters);
}

void NameTable::add(std::string_view name) {
    text_.insert(text_.end(), name.begin(), name.end());
    start_.push_back(text_.size());
}

int LinearModel::numRanged() const {
    return static_cast<int>(std::count(relation.begin(), relation.end(), 'R'));
}

bool LinearModel::hasIntegers() const {
    return std::any_of(kind.begin(), kind.end(),
                       [](ColumnKind k) { return k != ColumnKind::Continuous; });
}

RowRelation relationOfBounds(double lower, double upper) {
    const bool hasLower = isFiniteBound(lower);
    const bool hasUpper = isFiniteBound(upper);
    if (hasLower && hasUpper) return lower == upper ? 'E' : 'R';
    if (hasLower) return 'G';
    if (hasUpper) return 'L';
    return 'N';
}

}  // namespace corvane::host
