#pragma once
// Scrolling graphs on the test graph (world 0..100 both ways over the plot 40..360 x 30..270
// of a 400 x 300 window): reaching the object behind an index and pushing samples.

#include "dynaview_fixture.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/scroll/scroll_graph.h"

#include <vector>

namespace dynaview::testing {

class ScrollGraphTest : public DynaviewTest {
protected:
    scroll::ScrollGraph& object(int index) {
        auto* s = dynamic_cast<scroll::ScrollGraph*>(env.graph(graph)->objects.at(index));
        EXPECT_NE(s, nullptr);
        return *s;
    }
    // The value shown at a column of trace 0.
    float shown(int index, int col, int trace = 0) {
        scroll::ScrollGraph& s = object(index);
        return s.ringValue(s.rowOf(col), trace);
    }
    // Samples first..last (1-based numbers as values) into a one-channel data set.
    void pushRange(int set, int first, int last) {
        for (int v = first; v <= last; ++v) push(set, v);
    }
    static double deviceX(double value) { return 40.0 + value / 100.0 * 320.0; }
    static double deviceY(double value) { return 270.0 - value / 100.0 * 240.0; }
};

}  // namespace dynaview::testing
