// Reads a model from an MPS, free MPS or LP file, each also gzip or bzip2 compressed.
#ifndef CORVANE_PLATFORM_HOST_MODEL_MODEL_READER_H
#define CORVANE_PLATFORM_HOST_MODEL_MODEL_READER_H

#include <iosfwd>
#include <stdexcept>
#include <string>

#include "platform/host/model/line_source.h"
#include "platform/host/model/linear_model.h"

namespace corvane::host {

// A file that cannot be read, or a model the host cannot hand to the solver.
class ModelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A fault in a model file. Its text is the one line that reports it: "FILE:LINE: message", or
// "FILE: message" when the fault is the file's as a whole.
class ModelFileError : public ModelError {
  public:
    ModelFileError(const std::string& path, const ReadError& error);
    size_t line() const { return line_; }
    const std::string& message() const { return message_; }

  private:
    size_t line_;
    std::string message_;
};

enum class ModelFormat { Mps, Lp };

// LP for names ending in ".lp", ".lp.gz" or ".lp.bz2" (any case), MPS otherwise.
ModelFormat formatOfPath(const std::string& path);

// The reader's warnings go to `diagnostics` when it is not null, one line each in the form of the
// errors. Throws ModelFileError.
LinearModel readModel(const std::string& path, std::ostream* diagnostics);

}  // namespace corvane::host

#endif
