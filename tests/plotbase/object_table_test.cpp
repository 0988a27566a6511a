// The graph's object table: growth past its first capacity and reuse of freed slots.

#include "plotbase_fixture.h"

namespace plotbase::testing {
namespace {

using ObjectTableTest = PlotbaseTest;

TEST_F(ObjectTableTest, GrowsByStepsAndKeepsEveryIndex) {
    const Graph& record = *WGGetGraph(env, graph);
    EXPECT_EQ(record.objects.capacity(), ObjectTable::InitialCapacity);
    std::vector<int> texts;
    for (int i = 0; i < 45; ++i) texts.push_back(WGTextNorm(env, graph, std::to_string(i), 0.5, 0.5, 0, 0));
    EXPECT_EQ(texts.front(), 3);  // after the two axes
    EXPECT_EQ(texts.back(), 47);
    EXPECT_EQ(record.objects.count(), 47);
    EXPECT_EQ(record.objects.capacity(), ObjectTable::InitialCapacity + 2 * ObjectTable::GrowthStep);
    for (int i = 0; i < 45; ++i) {
        const auto* text = WGGetObjectAs<TextObject>(env, graph, texts[static_cast<std::size_t>(i)]);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text, std::to_string(i));
    }
}

TEST_F(ObjectTableTest, ANewObjectTakesTheLowestFreeSlot) {
    const int a = WGTextNorm(env, graph, "a", 0, 0, 0, 0);
    const int b = WGTextNorm(env, graph, "b", 0, 0, 0, 0);
    const int c = WGTextNorm(env, graph, "c", 0, 0, 0, 0);
    WGDeleteObject(env, graph, a);
    WGDeleteObject(env, graph, c);
    EXPECT_EQ(WGGetGraph(env, graph)->objects.size(), b);  // trailing free slots go
    EXPECT_EQ(WGTextNorm(env, graph, "d", 0, 0, 0, 0), a);
    EXPECT_EQ(WGTextNorm(env, graph, "e", 0, 0, 0, 0), c);
    EXPECT_EQ(WGGetObjectAs<TextObject>(env, graph, b)->text, "b");
}

TEST_F(ObjectTableTest, ObjectsOfOtherLibrariesTakeTheGraphsAttributes) {
    struct Meter : GraphObject {
        Meter() : GraphObject(110, 0) {}
    };
    WGSetLineStyle(env, graph, DashLine, 3, 12);
    auto meter = std::make_unique<Meter>();
    meter->links = {7, 7};
    const GraphObject* record = meter.get();
    const int index = WGInsertObject(env, graph, std::move(meter));
    EXPECT_EQ(WGGetObject(env, graph, index), record);
    EXPECT_EQ(record->attributes.pattern, DashLine);
    EXPECT_EQ(record->attributes.width, 3);
    EXPECT_EQ(record->attributes.colour, 12);
    EXPECT_EQ(record->page, page);
    EXPECT_EQ(record->links[0], 0);
    EXPECT_TRUE(IsValidRecord(env, record));
}

}  // namespace
}  // namespace plotbase::testing
