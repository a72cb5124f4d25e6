// Lines of a model file on disk: plain, gzip or bzip2, told apart by the file's first bytes, read
// and decompressed through a buffer of fixed size whatever the size of the file.
#ifndef CORVANE_PLATFORM_HOST_MODEL_FILE_LINE_SOURCE_H
#define CORVANE_PLATFORM_HOST_MODEL_FILE_LINE_SOURCE_H

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/model/line_source.h"

namespace corvane::host {

// Where the file's bytes come from once it is open: as they are, or through a decompressor.
class ByteStream {
  public:
    virtual ~ByteStream() = default;
    // Up to `size` bytes into `out`; 0 at the end of the data. On a fault, sets `error` and
    // returns 0.
    virtual size_t read(char* out, size_t size, std::string& error) = 0;
};

class FileLineSource : public LineSource {
  public:
    // Opens `path`; error() is set when it cannot be opened or is not a regular file.
    explicit FileLineSource(const std::string& path);
    ~FileLineSource() override;
    FileLineSource(const FileLineSource&) = delete;
    FileLineSource& operator=(const FileLineSource&) = delete;

    bool next(std::string_view& line) override;
    size_t lineNumber() const override { return line_; }
    const ReadError* error() const override { return failed_ ? &error_ : nullptr; }
    // The size of a plain file; 0 for a compressed one.
    size_t sizeHint() const override { return sizeHint_; }

    // "plain", "gzip" or "bzip2".
    const char* compression() const { return compression_; }

  private:
    bool fill();
    bool fail(size_t line, std::string message);

    std::FILE* file_ = nullptr;
    std::unique_ptr<ByteStream> stream_;
    const char* compression_ = "plain";
    std::unique_ptr<char[]> buffer_;  // left uninitialised: only what is read is touched
    size_t bufferSize_ = 0;
    size_t begin_ = 0, end_ = 0;  // the bytes not yet handed out as lines
    bool atEnd_ = false;
    size_t line_ = 0;
    size_t sizeHint_ = 0;
    bool failed_ = false;
    ReadError error_;
};

}  // namespace corvane::host

#endif
