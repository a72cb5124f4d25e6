// Lines of a model file, as the model readers take them: one at a time, numbered from 1, each
// without its line end, with a hard limit on its length. The readers never see the whole file at
// once, so a model of any size is read through a fixed buffer.
#ifndef CORVANE_PLATFORM_HOST_MODEL_LINE_SOURCE_H
#define CORVANE_PLATFORM_HOST_MODEL_LINE_SOURCE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::host {

// A line longer than this is refused rather than read.
constexpr size_t kMaxLineLength = 1 << 20;
// Row, column and set names longer than this are refused.
constexpr size_t kMaxNameLength = 255;

// What is wrong with a file, and where: line 0 means the file as a whole (it cannot be opened, its
// compressed stream is corrupt, it ends too early).
struct ReadError {
    size_t line = 0;
    std::string message;
};

class LineSource {
  public:
    virtual ~LineSource() = default;

    // The next line, valid until the following call; a trailing '\r' is dropped. False at the end
    // of the input, or when the input cannot be read further: error() then says why.
    virtual bool next(std::string_view& line) = 0;
    // The number of the line last returned by next(), from 1.
    virtual size_t lineNumber() const = 0;
    // Set once next() has failed for a reason other than the end of the input.
    virtual const ReadError* error() const = 0;
    // The number of bytes the lines come from when it is known beforehand, else 0: a reader may
    // reserve address space by it, never more than it needs to touch.
    virtual size_t sizeHint() const { return 0; }
};

// Lines over bytes that are already in memory (tests and fuzzing).
class MemoryLineSource : public LineSource {
  public:
    explicit MemoryLineSource(std::string_view bytes) : rest_(bytes) {}

    bool next(std::string_view& line) override {
        if (failed_ || rest_.empty()) return false;
        const size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        ++line_;
        if (line.size() > kMaxLineLength) {
            failed_ = true;
            error_ = {line_, "line longer than " + std::to_string(kMaxLineLength) + " characters"};
            return false;
        }
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }
    size_t lineNumber() const override { return line_; }
    const ReadError* error() const override { return failed_ ? &error_ : nullptr; }
    size_t sizeHint() const override { return size_; }

  private:
    std::string_view rest_;
    size_t size_ = rest_.size();
    size_t line_ = 0;
    bool failed_ = false;
    ReadError error_;
};

}  // namespace corvane::host

#endif
