// The measuring chains as tables: each state's name, time limit and targets, which the
// instrument's timing relies on.

#include "window_fixture.h"

#include <tuple>

namespace app::testing {
namespace {

using Row = std::tuple<int, std::string, std::uint32_t, int, int>;
constexpr std::uint32_t None = instrument::NoLimit;
constexpr int Nowhere = instrument::NoTarget;

std::vector<Row> rows(const std::vector<instrument::ChainRow>& chain) {
    std::vector<Row> out;
    for (const auto& r : chain) out.emplace_back(r.number, r.name, r.timeoutMs, r.successNext, r.failNext);
    return out;
}

std::vector<Row> prefix(int end) {
    return {{0, "S_VP", 1000, 1, 7}, {1, "SNAV", 1000, 2, 7}, {2, "SPNT", 1000, 3, 7}, {3, "SDIS", 1000, 4, 7},
            {4, "SWLN", 1000, 5, 7}, {5, "SPRL", 1000, 6, 7}, {6, "SPRO", 1000, 8, 7}, {7, "Err", None, end, end}};
}

std::vector<Row> plus(std::vector<Row> a, const std::vector<Row>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

using ChainTables = WindowTest;

TEST_F(ChainTables, MeasuringChainsHaveTheirStatesLimitsAndTargets) {
    EXPECT_EQ(rows(form.WaterContentMeasurement().Chain()),
              plus(prefix(14), {{8, "DUMP", 2000, 9, 13}, {9, "GTIM", 2000, 10, 13}, {10, "GMOS", 10000, 11, 13},
                                {11, "GLWF", 10000, 12, 13}, {12, "GVAR", 2000, 14, 13}, {13, "Err", None, 14, 14},
                                {14, "End", None, Nowhere, Nowhere}}));
    EXPECT_EQ(rows(form.BulkECMeasurement().Chain()),
              plus(prefix(11), {{8, "DUMP", 2000, 9, 10}, {9, "GCON", 10000, 11, 10}, {10, "Err", None, 11, 11},
                                {11, "End", None, Nowhere, Nowhere}}));
    EXPECT_EQ(rows(form.CellConstantMeasurement().Chain()),
              (std::vector<Row>{{0, "SDIS", 1000, 1, 3}, {1, "SPRL", 1000, 2, 3}, {2, "CCCC", 30000, 4, 3},
                                {3, "Err", None, 4, 4}, {4, "END", None, Nowhere, Nowhere}}));
    EXPECT_EQ(rows(form.Linearity().Chain()),
              (std::vector<Row>{{0, "S_VP", 2000, 1, 7}, {1, "SNAV", 2000, 2, 7}, {2, "SPNT", 2000, 3, 7},
                                {3, "SDIS", 7000, 4, 7}, {4, "SWLN", 7000, 5, 7}, {5, "DUMP", 7000, 6, 7},
                                {6, "GTIM", 2000, 8, 7}, {7, "Err", None, 11, 11}, {8, "GWAV", 60000, 9, 10},
                                {9, "Plot", None, 11, 11}, {10, "Err", None, 11, 11}, {11, "END", None, Nowhere, Nowhere}}));
}

}  // namespace
}  // namespace app::testing
