#include "call_log.hpp"

namespace xdouble {

namespace {

template <typename T>
std::optional<std::vector<T>> copyArray(const T* data, int length) {
    if (!data) return std::nullopt;
    if (length <= 0) return std::vector<T>();
    return std::vector<T>(data, data + length);
}

}  // namespace

int CallRecord::count(int kind) const {
    switch (kind) {
        case XDBL_ARG_INT:
            return static_cast<int>(ints.size());
        case XDBL_ARG_DOUBLE:
            return static_cast<int>(doubles.size());
        case XDBL_ARG_STRING:
            return static_cast<int>(strings.size());
        case XDBL_ARG_POINTER:
            return static_cast<int>(pointers.size());
        case XDBL_ARG_INT_ARRAY:
            return static_cast<int>(intArrays.size());
        case XDBL_ARG_DOUBLE_ARRAY:
            return static_cast<int>(doubleArrays.size());
        case XDBL_ARG_CHAR_ARRAY:
            return static_cast<int>(charArrays.size());
        default:
            return -1;
    }
}

Args& Args::integer(int value) {
    record_.ints.push_back(value);
    return *this;
}

Args& Args::real(double value) {
    record_.doubles.push_back(value);
    return *this;
}

Args& Args::text(const char* value) {
    record_.strings.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    return *this;
}

Args& Args::pointer(const void* value) {
    record_.pointers.push_back(value);
    return *this;
}

Args& Args::ints(const int* data, int length) {
    record_.intArrays.push_back(copyArray(data, length));
    return *this;
}

Args& Args::doubles(const double* data, int length) {
    record_.doubleArrays.push_back(copyArray(data, length));
    return *this;
}

Args& Args::chars(const char* data, int length) {
    if (!data) {
        record_.charArrays.emplace_back(std::nullopt);
    } else {
        record_.charArrays.emplace_back(std::string(data, length > 0 ? length : 0));
    }
    return *this;
}

CallRecord& CallLog::append(CallRecord record, CallPosition& position) {
    std::vector<int>& same = byFunction_[slot(record.fn)];
    position.index = count();
    position.generation = generation_;
    same.push_back(position.index);
    position.occurrence = static_cast<int>(same.size());
    calls_.push_back(std::move(record));
    return calls_.back();
}

void CallLog::finish(const CallPosition& position, int result) {
    if (position.generation != generation_ || position.index >= count()) return;
    calls_[position.index].result = result;
    calls_[position.index].seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - position.started).count();
}

void CallLog::clear() {
    std::deque<CallRecord>().swap(calls_);
    for (std::vector<int>& indices : byFunction_) std::vector<int>().swap(indices);
    ++generation_;
}

int CallLog::indexOf(Fn fn, int occurrence) const {
    const std::vector<int>& same = byFunction_[slot(fn)];
    if (occurrence < 1 || occurrence > static_cast<int>(same.size())) return -1;
    return same[occurrence - 1];
}

int CallLog::indexOf(int occurrence) const {
    return occurrence >= 1 && occurrence <= count() ? occurrence - 1 : -1;
}

const CallRecord* CallLog::at(int index) const {
    return index >= 0 && index < count() ? &calls_[index] : nullptr;
}

}  // namespace xdouble
