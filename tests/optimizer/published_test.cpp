// Public models solved through the C interface against the optima published with them.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "optimizer_test_util.h"
#include "tests/support/mps_model.h"

namespace xprstest {
namespace {

// name -> first number column of the collection's optima table.
std::map<std::string, double> readOptima(const std::string& csv) {
    std::map<std::string, double> optima;
    std::ifstream in(csv);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string name, value;
        std::getline(fields, name, ',');
        std::getline(fields, value, ',');
        if (!name.empty()) optima[name] = std::stod(value);
    }
    return optima;
}

struct Case {
    std::string file;
    std::string name;
    bool mip;
    double optimum;  // NaN: take it from the collection's table
    bool qp = false;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.name;
}

const std::string kShared = CORVANE_SHARED_DATA;
const std::string kSample = COIN_SAMPLE_DATA;

// Quick models only: the larger ones run in the benchmark.
const Case kCases[] = {
    {kShared + "/netlib/afiro.mps.gz", "afiro", false, NAN},
    {kShared + "/netlib/adlittle.mps.gz", "adlittle", false, NAN},
    {kShared + "/netlib/blend.mps.gz", "blend", false, NAN},
    {kShared + "/netlib/boeing2.mps.gz", "boeing2", false, NAN},
    {kShared + "/netlib/bore3d.mps.gz", "bore3d", false, NAN},
    {kShared + "/netlib/capri.mps.gz", "capri", false, NAN},
    {kShared + "/netlib/e226.mps.gz", "e226", false, NAN},
    {kShared + "/netlib/forplan.mps.gz", "forplan", false, NAN},
    {kShared + "/netlib/israel.mps.gz", "israel", false, NAN},
    {kShared + "/netlib/kb2.mps.gz", "kb2", false, NAN},
    {kShared + "/netlib/lotfi.mps.gz", "lotfi", false, NAN},
    {kShared + "/netlib/recipe.mps.gz", "recipe", false, NAN},
    {kShared + "/netlib/sc50a.mps.gz", "sc50a", false, NAN},
    {kShared + "/netlib/sc50b.mps.gz", "sc50b", false, NAN},
    {kShared + "/netlib/sc105.mps.gz", "sc105", false, NAN},
    {kShared + "/netlib/scagr7.mps.gz", "scagr7", false, NAN},
    {kShared + "/netlib/share1b.mps.gz", "share1b", false, NAN},
    {kShared + "/netlib/share2b.mps.gz", "share2b", false, NAN},
    {kShared + "/netlib/stocfor1.mps.gz", "stocfor1", false, NAN},
    {kShared + "/netlib/vtpbase.mps.gz", "vtpbase", false, NAN},
    {kShared + "/netlib/agg.mps.gz", "agg", false, NAN},
    {kShared + "/netlib/25fv47.mps.gz", "25fv47", false, NAN},
    {kShared + "/miplib3/p0033.mps.gz", "p0033", true, NAN},
    {kShared + "/miplib3/flugpl.mps.gz", "flugpl", true, NAN},
    {kShared + "/miplib3/egout.mps.gz", "egout", true, NAN},
    {kShared + "/miplib3/stein27.mps.gz", "stein27", true, NAN},
    {kShared + "/miplib3/enigma.mps.gz", "enigma", true, NAN},
    {kShared + "/miplib3/gt2.mps.gz", "gt2", true, NAN},
    {kShared + "/miplib3/bell5.mps.gz", "bell5", true, NAN},
    {kShared + "/miplib3/khb05250.mps.gz", "khb05250", true, NAN},
    {kShared + "/miplib3/mod008.mps.gz", "mod008", true, NAN},
    {kShared + "/miplib3/vpm1.mps.gz", "vpm1", true, NAN},
    // Separable quadratic programs of the Maros-Meszaros collection.
    {kShared + "/maros/hs21.mps.gz", "hs21", false, NAN, true},
    {kShared + "/maros/hs118.mps.gz", "hs118", false, NAN, true},
    {kShared + "/maros/zecevic2.mps.gz", "zecevic2", false, NAN, true},
    {kShared + "/maros/lotschd.mps.gz", "lotschd", false, NAN, true},
    {kShared + "/maros/qpcblend.mps.gz", "qpcblend", false, NAN, true},
    {kShared + "/maros/primalc1.mps.gz", "primalc1", false, NAN, true},
    {kShared + "/maros/qpcboei1.mps.gz", "qpcboei1", false, NAN, true},
    {kShared + "/maros/aug3dc.mps.gz", "aug3dc", false, NAN, true},
    {kShared + "/maros/cont-050.mps.gz", "cont-050", false, NAN, true},
    {kShared + "/maros/stadat2.mps.gz", "stadat2", false, NAN, true},
    // Samples shipped with CoinUtils, with the optima published for the same models.
    {kSample + "/brandy.mps", "brandy", false, 1.5185098965e+03},
    {kSample + "/finnis.mps", "finnis", false, 1.7279106559e+05},
    {kSample + "/e226.mps", "sample e226", false, -1.8751929066e+01},
    {kSample + "/p0201.mps", "p0201", true, 7615},
    {kSample + "/p0548.mps", "p0548", true, 8691},
    {kSample + "/lseu.mps", "lseu", true, 1120},
};

class PublishedOptimum : public OptimizerTest, public ::testing::WithParamInterface<Case> {};

double expectedOptimum(const Case& c) {
    if (!std::isnan(c.optimum)) return c.optimum;
    static const auto lp = readOptima(kShared + "/netlib/optima.csv");
    static const auto mip = readOptima(kShared + "/miplib3/optima.csv");
    static const auto qp = readOptima(kShared + "/maros/optima.csv");
    const auto& table = c.qp ? qp : c.mip ? mip : lp;
    auto it = table.find(c.name);
    return it == table.end() ? NAN : it->second;
}

TEST_P(PublishedOptimum, SolvesToThePublishedValue) {
    const Case& c = GetParam();
    double optimum = expectedOptimum(c);
    ASSERT_FALSE(std::isnan(optimum)) << "no published optimum for " << c.name;
    MpsModel model;
    ASSERT_TRUE(model.read(c.file)) << c.file;
    ASSERT_EQ(0, model.load(prob, c.mip)) << lastError();
    double value;
    if (c.mip) {
        ASSERT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPRELSTOP, 0.0));
        ASSERT_EQ(0, XPRSsetdblcontrol(prob, XPRS_MIPABSSTOP, 0.0));
        ASSERT_EQ(0, XPRSchgobjsense(prob, 1));
        ASSERT_EQ(0, XPRSmipoptimize(prob, "l"));
        ASSERT_EQ(0, XPRSmipoptimize(prob, ""));
        ASSERT_EQ(XPRS_MIP_OPTIMAL, intAttrib(XPRS_MIPSTATUS));
        value = dblAttrib(XPRS_MIPOBJVAL);
    } else {
        ASSERT_EQ(0, XPRSminim(prob, ""));
        ASSERT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
        value = dblAttrib(XPRS_LPOBJVAL);
    }
    if (c.qp) {
        // The quadratic optima include the objective's constant. Their answers come with a
        // basis that a host can save and start the next solve from.
        value += model.constant;
        std::string basis = ::testing::TempDir() + "published_" + std::to_string(::getpid());
        ASSERT_EQ(0, XPRSwritebasis(prob, basis.c_str(), "")) << lastError();
        ASSERT_EQ(0, XPRSreadbasis(prob, basis.c_str(), "")) << lastError();
        std::remove(basis.c_str());
        ASSERT_EQ(0, XPRSminim(prob, ""));
        ASSERT_EQ(XPRS_LP_OPTIMAL, intAttrib(XPRS_LPSTATUS));
        double tolerance = 1e-6 * std::max(1.0, std::fabs(optimum));
        EXPECT_NEAR(optimum, dblAttrib(XPRS_LPOBJVAL) + model.constant, tolerance) << "warm";
    }
    // e226's right-hand side on the objective row (-7.113) is left out: the published optimum
    // is the value of the objective coefficients alone.
    // The integer optima are listed with as few as six significant digits.
    double tolerance = (c.mip ? 1e-5 : 1e-6) * std::max(1.0, std::fabs(optimum));
    EXPECT_NEAR(optimum, value, tolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Models, PublishedOptimum, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return "m" + name;
                         });

}  // namespace
}  // namespace xprstest
