// Reads an MPS file with CoinUtils and turns it into the arrays the optimizer interface loads:
// row types with right-hand sides and ranges, column-wise matrix, bounds and integer columns.
#ifndef CORVANE_TESTS_SUPPORT_MPS_MODEL_H
#define CORVANE_TESTS_SUPPORT_MPS_MODEL_H

#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>

#include <string>
#include <vector>

#include "optimizer/xprs.h"

namespace xprstest {

struct MpsModel {
    int ncols = 0, nrows = 0;
    std::vector<char> rowtype;
    std::vector<double> rhs, range, obj, lb, ub;
    std::vector<int> start, index;
    std::vector<double> value;
    std::vector<int> integers;
    std::vector<int> qcol1, qcol2;  // the upper triangle of the quadratic objective
    std::vector<double> qcoef;
    double constant = 0.0;  // the objective's constant (an RHS entry on the objective row)
    long nonzeros() const { return static_cast<long>(value.size()); }

    bool read(const std::string& file) {
        CoinMpsIO in;
        in.messageHandler()->setLogLevel(0);
        if (in.readMps(file.c_str(), "") != 0) return false;
        ncols = in.getNumCols();
        nrows = in.getNumRows();
        const double inf = 1e20;
        for (int r = 0; r < nrows; ++r) {
            double lo = in.getRowLower()[r], up = in.getRowUpper()[r];
            bool loInf = lo <= -inf, upInf = up >= inf;
            char t = loInf && upInf ? 'N' : lo == up ? 'E' : loInf ? 'L' : upInf ? 'G' : 'R';
            rowtype.push_back(t);
            rhs.push_back(t == 'N' ? 0.0 : (t == 'G' || t == 'E') ? lo : up);
            range.push_back(t == 'R' ? up - lo : 0.0);
        }
        CoinPackedMatrix byCol(*in.getMatrixByCol());
        byCol.removeGaps();
        start.assign(byCol.getVectorStarts(), byCol.getVectorStarts() + ncols + 1);
        index.assign(byCol.getIndices(), byCol.getIndices() + start[ncols]);
        value.assign(byCol.getElements(), byCol.getElements() + start[ncols]);
        for (int c = 0; c < ncols; ++c) {
            obj.push_back(in.getObjCoefficients()[c]);
            lb.push_back(std::max(-inf, in.getColLower()[c]));
            ub.push_back(std::min(inf, in.getColUpper()[c]));
            if (in.isInteger(c)) integers.push_back(c);
        }
        constant = -in.objectiveOffset();
        readQuadratic(in);
        return true;
    }

    // QUADOBJ or QMATRIX, when the file has one (CoinMpsIO reads it from the same file again).
    void readQuadratic(CoinMpsIO& in) {
        CoinBigIndex* qstart = nullptr;
        int* qindex = nullptr;
        double* qvalue = nullptr;
        if (in.readQuadraticMps(nullptr, qstart, qindex, qvalue, 2) != 0) return;
        for (int c = 0; c < ncols; ++c)
            for (CoinBigIndex k = qstart[c]; k < qstart[c + 1]; ++k)
                if (qindex[k] >= c) {
                    qcol1.push_back(c);
                    qcol2.push_back(qindex[k]);
                    qcoef.push_back(qvalue[k]);
                }
        delete[] qstart;
        delete[] qindex;
        delete[] qvalue;
    }

    int load(XPRSprob prob, bool withIntegers) const {
        if (!qcoef.empty())
            return XPRSloadqp(prob, "model", ncols, nrows, rowtype.data(), rhs.data(), range.data(),
                              obj.data(), start.data(), nullptr, index.data(), value.data(),
                              lb.data(), ub.data(), static_cast<int>(qcoef.size()), qcol1.data(),
                              qcol2.data(), qcoef.data());
        if (!withIntegers || integers.empty())
            return XPRSloadlp(prob, "model", ncols, nrows, rowtype.data(), rhs.data(), range.data(),
                              obj.data(), start.data(), nullptr, index.data(), value.data(),
                              lb.data(), ub.data());
        std::vector<char> types(integers.size(), 'I');
        std::vector<double> limits(integers.size(), 0.0);
        int setstart = 0;
        return XPRSloadglobal(prob, "model", ncols, nrows, rowtype.data(), rhs.data(), range.data(),
                              obj.data(), start.data(), nullptr, index.data(), value.data(),
                              lb.data(), ub.data(), static_cast<int>(integers.size()), 0,
                              types.data(), integers.data(), limits.data(), nullptr, &setstart,
                              nullptr, nullptr);
    }
};

}  // namespace xprstest

#endif
