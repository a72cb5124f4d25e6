// A message sink for the host's output function: a temporary file read back as text.
#ifndef CORVANE_TESTS_SUPPORT_CAPTURED_OUTPUT_H
#define CORVANE_TESTS_SUPPORT_CAPTURED_OUTPUT_H

#include <cstdio>
#include <string>

namespace corvane::test {

class CapturedOutput {
  public:
    CapturedOutput() : file_(std::tmpfile()) {}
    ~CapturedOutput() { std::fclose(file_); }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    void* sink() { return file_; }

    std::string text() {
        std::fflush(file_);
        std::rewind(file_);
        std::string content;
        char chunk[256];
        size_t read;
        while ((read = std::fread(chunk, 1, sizeof(chunk), file_)) > 0) content.append(chunk, read);
        std::fseek(file_, 0, SEEK_END);
        return content;
    }

  private:
    std::FILE* file_;
};

}  // namespace corvane::test

#endif
