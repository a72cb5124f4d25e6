// What the two differential tests share: the model files at hand, and how a CoinUtils reader's
// numbers compare with the host kit's.
#ifndef CORVANE_TESTS_HOST_DIFFERENTIAL_SUPPORT_H
#define CORVANE_TESTS_HOST_DIFFERENTIAL_SUPPORT_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/host/model/linear_model.h"

namespace corvane::host {

inline bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Every file with one of `suffixes` in the shared models, CoinUtils' samples and our examples,
// in name order.
inline std::vector<std::string> modelFilesAtHand(const std::vector<std::string>& suffixes) {
    const std::string shared = CORVANE_SHARED_DATA;
    const std::vector<std::string> folders = {COIN_SAMPLE_DATA, shared + "/netlib",
                                              shared + "/miplib3", CORVANE_EXAMPLES_DIR};
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
            const std::string path = entry.path().string();
            for (const std::string& suffix : suffixes)
                if (endsWith(path, suffix)) files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// CoinUtils' infinity, and the solver's, both mean no limit.
inline double limit(double value) {
    if (value >= 1e20) return kInfinity;
    if (value <= -1e20) return -kInfinity;
    return value;
}

// CoinUtils' conversion of numbers is not always correctly rounded: it may be a unit or two in the
// last place away from the nearest double, which the host kit's readers find.
inline bool near(double ours, double theirs) {
    return ours == theirs || std::fabs(ours - theirs) <= 4e-16 * std::fabs(theirs);
}
#define EXPECT_NEAR_ULPS(ours, theirs) EXPECT_PRED2(near, ours, theirs)

}  // namespace corvane::host

#endif
