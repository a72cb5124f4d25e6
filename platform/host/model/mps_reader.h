// The MPS reader: fixed MPS (fields in their columns, so names may hold blanks) and free MPS
// (fields apart by blanks, names of any printable characters but blanks).
#ifndef CORVANE_PLATFORM_HOST_MODEL_MPS_READER_H
#define CORVANE_PLATFORM_HOST_MODEL_MPS_READER_H

#include <vector>

#include "platform/host/model/line_source.h"
#include "platform/host/model/linear_model.h"

namespace corvane::host {

enum class MpsFormat { Fixed, Free };

// Reads the model on `source` into `model`. On the first fault returns false with `error` set
// (its line 0 when the fault is the file's as a whole). Notes that change nothing the file says
// but are worth a look (a convention applied, a second right-hand side set ignored) go to
// `warnings` when it is not null.
bool readMps(LineSource& source, MpsFormat format, LinearModel& model, ReadError& error,
             std::vector<ReadError>* warnings = nullptr);

}  // namespace corvane::host

#endif
