// Reads a model from an MPS, free MPS or LP file (each also gzip-compressed).
#ifndef CORVANE_PLATFORM_HOST_MODEL_MODEL_READER_H
#define CORVANE_PLATFORM_HOST_MODEL_MODEL_READER_H

#include <iosfwd>
#include <stdexcept>
#include <string>

#include "platform/host/model/linear_model.h"

namespace corvane::host {

// A file that cannot be read, or a model the host cannot hand to the solver.
class ModelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class ModelFormat { Mps, Lp };

// LP for names ending in ".lp" or ".lp.gz" (any case), MPS otherwise.
ModelFormat formatOfPath(const std::string& path);

// The reader's warnings and errors go to `diagnostics` when it is not null. Throws ModelError.
LinearModel readModel(const std::string& path, std::ostream* diagnostics);

}  // namespace corvane::host

#endif
