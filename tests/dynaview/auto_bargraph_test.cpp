// The whole bar chart in one call: layout, the 11-entry result array, alarm lines when the
// limits differ, refusals.

#include "dynaview/bars/bar_graph.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/text/dynamic_text.h"
#include "dynaview_fixture.h"
#include "plotbase/operations_setup.h"

#include <QCoreApplication>

namespace dynaview::testing {
namespace {

class AutoBars : public DynaviewTest {
protected:
    AutoBars() {
        const char tags[3][16] = {"TT-1", "TT-2", "TT-3"};
        set = WRDefineDynDataSet("Zones", 3, "degC", tags[0], 0);
        fresh = plotbase::InitGraph(env, page, 0.0, 0.0, 1.0, 1.0, 0, 0, 0, nullptr);
    }
    int set = 0;
    int fresh = 0;
};

TEST_F(AutoBars, BuildsAxesLabelsBarsAndReportsWhatItMade) {
    std::int16_t results[11];
    std::fill_n(results, 11, std::int16_t{-7});
    const int bars = WRSetAutoBargraph(fresh, set, 0.0, 4.0, 0.0, 100.0, 0.0, 1, -1.0, 20.0, 80.0, 1, 0, results);
    ASSERT_GT(bars, 0);
    EXPECT_EQ(results[0], bars);
    const auto* bar = FindDynObjectOf<BarGraph>(env, fresh, bars, BarGraphType);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->barCount, 3);
    EXPECT_EQ(bar->first, 1.0);  // three bars share 0..4 at 1, 2 and 3
    EXPECT_EQ(bar->last, 3.0);
    EXPECT_FLOAT_EQ(bar->widthFraction, 0.96f / 4.0f);
    const auto* xAxis = plotbase::WGGetObjectAs<plotbase::Axis>(env, fresh, results[1]);
    const auto* yAxis = plotbase::WGGetObjectAs<plotbase::Axis>(env, fresh, results[2]);
    ASSERT_NE(xAxis, nullptr);
    ASSERT_NE(yAxis, nullptr);
    EXPECT_FALSE(xAxis->vertical());
    EXPECT_EQ(yAxis->max, 100.0);
    EXPECT_EQ(yAxis->tickSpacing, 20.0);  // a fifth of the range
    EXPECT_GT(results[3], 0);
    EXPECT_GT(results[4], 0);
    EXPECT_GT(results[5], 0);  // alarm lines: the limits differ
    EXPECT_GT(results[6], 0);  // the first tag under its bar
    for (int i = 7; i < 11; ++i) EXPECT_EQ(results[i], 0) << i;
    EXPECT_TRUE(dataSet(set).alarm.isDefined(HighAlarm));
    EXPECT_EQ(dataSet(set).alarm.limit(LowAlarm).limit, 20.0f);
}

TEST_F(AutoBars, EqualLimitsGiveNoAlarmLinesAndLyingBarsSwapTheAxes) {
    std::int16_t results[11]{};
    const int bars = WRSetAutoBargraph2(fresh, set, 0.0, 4.0, -50.0, 50.0, 0.0, 0, -1.0, 0.0, 0.0, 0, 0, results, 1);
    ASSERT_GT(bars, 0);
    EXPECT_EQ(results[5], 0);
    EXPECT_FALSE(dataSet(set).alarm.isDefined(HighAlarm));
    const auto* positions = plotbase::WGGetObjectAs<plotbase::Axis>(env, fresh, results[1]);
    ASSERT_NE(positions, nullptr);
    EXPECT_TRUE(positions->vertical());
    EXPECT_EQ(FindDynObjectOf<BarGraph>(env, fresh, bars, BarGraphType)->orientation, 1);
    EXPECT_GT(WRSetAutoBargraph(fresh, set, 0.0, 4.0, 0.0, 100.0, 0.0, 1, -1.0, 0.0, 0.0, 0, 0, nullptr), bars);  // no result array: fine
}

TEST_F(AutoBars, TheValuePanelWritesEachBarsValueOverOrBesideIt) {
    std::int16_t results[11]{};
    const int bars = WRSetAutoBargraph2(fresh, set, 0.0, 4.0, 0.0, 100.0, 0.0, 1, -1.0, 0.0, 0.0, 0, 1, results, 1);
    ASSERT_GT(bars, 0);
    ASSERT_GT(results[7], 0);
    ASSERT_GT(results[8], results[7]);
    const plotbase::Graph& g = *env.graph(fresh);
    std::vector<const DynamicText*> texts;
    for (int i = results[7]; i <= results[8]; ++i) texts.push_back(dynamic_cast<const DynamicText*>(g.objects.at(i)));
    ASSERT_EQ(texts.size(), 3u);
    for (int c = 0; c < 3; ++c) {
        ASSERT_NE(texts[c], nullptr);
        EXPECT_EQ(texts[c]->channel, c);
        EXPECT_EQ(texts[c]->colourSource, bars);
        EXPECT_EQ(texts[c]->precision, 1);
        // Centred over bar c, above the plot.
        const double plotX = g.plotArea.left + (c + 1) / 4.0 * (g.plotArea.right - g.plotArea.left);
        EXPECT_NEAR((texts[c]->left + texts[c]->width / 2) / 100.0, plotX, 1e-9);
        EXPECT_LT((texts[c]->top + texts[c]->height) / 100.0, g.plotArea.top);
    }
    const double values[3] = {25.0, 50.0, 75.0};
    WRUpdateData(set, values, fresh);
    QCoreApplication::processEvents();
    if (qEnvironmentVariableIsSet("DYNAVIEW_SAVE_RENDERINGS")) host.grab().save(QStringLiteral("/tmp/AutoBarsValues.png"));
    // Lying bars: the values in a column at the right edge, bar 0 lowest, the plot narrowed.
    const int lying = plotbase::InitGraph(env, page, 0.0, 0.0, 1.0, 1.0, 0, 0, 0, nullptr);
    ASSERT_GT(WRSetAutoBargraph2(lying, set, 0.0, 4.0, 0.0, 100.0, 0.0, 0, -1.0, 0.0, 0.0, 0, 1, results, 1), 0);
    const plotbase::Graph& h = *env.graph(lying);
    const auto* first = dynamic_cast<const DynamicText*>(h.objects.at(results[7]));
    const auto* last = dynamic_cast<const DynamicText*>(h.objects.at(results[8]));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_GT(first->top, last->top);
    EXPECT_GT(first->left / 100.0, h.plotArea.right);
    EXPECT_LE(first->left + first->width, 100.0);
    EXPECT_LT(h.plotArea.right, 0.92);
}

TEST_F(AutoBars, RefusalsAndATooNarrowGraph) {
    std::int16_t results[11];
    std::fill_n(results, 11, std::int16_t{5});
    EXPECT_EQ(WRSetAutoBargraph(fresh, 99, 0.0, 4.0, 0.0, 100.0, 0.0, 1, -1.0, 0.0, 0.0, 0, 0, results), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    EXPECT_EQ(results[0], 0);  // zeroed first
    EXPECT_EQ(WRSetAutoBargraph(fresh, set, 0.0, 0.0, 0.0, 100.0, 0.0, 1, -1.0, 0.0, 0.0, 0, 0, results), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRSetAutoBargraph2(fresh, set, 0.0, 4.0, 0.0, 100.0, 0.0, 1, -1.0, 0.0, 0.0, 0, 0, results, 16), 0);
    const int narrow = plotbase::InitGraph(env, page, 0.0, 0.0, 0.12, 1.0, 0, 0, 0, nullptr);
    EXPECT_EQ(WRSetAutoBargraph(narrow, set, 0.0, 4.0, -100000.0, 100000.0, 0.0, 1, -1.0, 0.0, 0.0, 0, 0, results), 0);
    EXPECT_EQ(lastErrorCode(), 136);
}

}  // namespace
}  // namespace dynaview::testing
