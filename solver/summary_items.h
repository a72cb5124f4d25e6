// Items of the host's convergence summary. A solver that was given no summary record reports
// nothing: the host's library is never handed a null record, which it need not accept.
#ifndef CORVANE_SOLVER_SUMMARY_ITEMS_H
#define CORVANE_SOLVER_SUMMARY_ITEMS_H

#include "host/vrim.h"

namespace corvane {

inline void setSummaryItem(rt_cvgsum_t* summary, const char* item, int value) {
    if (summary) rtocvgsum_set_int_item(summary, item, value);
}

inline void setSummaryItem(rt_cvgsum_t* summary, const char* item, double value) {
    if (summary) rtocvgsum_set_real_item(summary, item, value);
}

}  // namespace corvane

#endif
