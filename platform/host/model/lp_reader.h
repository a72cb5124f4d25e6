// Reads a model written in the LP format: an objective to minimise or maximise, optionally with
// a diagonal quadratic part, constraints (ranged ones too), bounds, integer, binary and
// semi-continuous columns and special ordered sets.
#ifndef CORVANE_PLATFORM_HOST_MODEL_LP_READER_H
#define CORVANE_PLATFORM_HOST_MODEL_LP_READER_H

#include "platform/host/model/line_source.h"
#include "platform/host/model/linear_model.h"

namespace corvane::host {

// Replaces `model` with the one `lines` describe. False when the input is refused: `error` then
// gives the line and what is wrong with it, and `model` is unspecified.
bool readLp(LineSource& lines, LinearModel& model, ReadError& error);

}  // namespace corvane::host

#endif
