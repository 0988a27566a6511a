// The tree's edit rules (with what they refuse), labels, addresses, stepping and probe
// flags.

#include "mux/mux_tree.h"

#include <gtest/gtest.h>

namespace mux {
namespace {

MuxNode* Node(const MuxTree& tree, const std::string& address) {
    for (MuxNode* n : tree.InTreeOrder())
        if (MuxTree::Address(*n) == address) return n;
    return nullptr;
}

// A level-1 multiplexer with a level-2 one on channel 3 and a level-3 one on 3-2.
void Build(MuxTree& tree) {
    ASSERT_TRUE(tree.AddMux());
    tree.Select(Node(tree, "3"));
    ASSERT_TRUE(tree.AddMux());
    tree.Select(Node(tree, "3-2"));
    ASSERT_TRUE(tree.AddMux());
}

void AttachProbes(MuxTree& tree, std::initializer_list<const char*> addresses) {
    for (const char* a : addresses) {
        tree.Select(Node(tree, a));
        ASSERT_TRUE(tree.AddProbe()) << a;
    }
}

TEST(MuxTree, MultiplexersAreAddedLevelByLevel) {
    MuxTree tree;
    EXPECT_EQ(tree.LevelLabel(), "...");
    EXPECT_EQ(tree.ChannelLabel(), "...");
    ASSERT_TRUE(tree.AddMux());
    EXPECT_EQ(tree.NodeCount(), 8u);
    EXPECT_EQ(tree.Selected()->text, "MUXLevel-1, Ch-1");
    EXPECT_EQ(tree.LevelLabel(), "One");
    tree.Select(Node(tree, "3"));
    ASSERT_TRUE(tree.AddMux());
    EXPECT_TRUE(tree.Selected()->expanded);
    tree.Select(Node(tree, "3-2"));
    EXPECT_EQ(tree.LevelLabel(), "Two");
    EXPECT_EQ(tree.ChannelLabel(), "2");
    ASSERT_TRUE(tree.AddMux());
    tree.Select(Node(tree, "3-2-8"));
    EXPECT_EQ(tree.Selected()->text, "MUXLevel-3, Ch-8");
    EXPECT_EQ(tree.LevelLabel(), "Three");
    EXPECT_EQ(tree.NodeCount(), 24u);
    // Tree order: a node, its children, its next sibling.
    const auto order = tree.InTreeOrder();
    EXPECT_EQ(MuxTree::Address(*order[2]), "3");
    EXPECT_EQ(MuxTree::Address(*order[3]), "3-1");
    EXPECT_EQ(MuxTree::Address(*order[5]), "3-2-1");
    EXPECT_EQ(MuxTree::Address(*order[13]), "3-3");
}

TEST(MuxTree, AddMuxRefusesLevelThreeProbesAndOccupiedChannels) {
    MuxTree tree;
    Build(tree);
    AttachProbes(tree, {"5"});
    const std::size_t count = tree.NodeCount();
    for (const char* refused : {"3-2-1", "5", "3", "3-2"}) {
        tree.Select(Node(tree, refused));
        EXPECT_FALSE(tree.AddMux()) << refused;
    }
    tree.Select(nullptr);
    EXPECT_FALSE(tree.AddMux());
    EXPECT_EQ(tree.NodeCount(), count);
}

TEST(MuxTree, ProbesAreAttachedOnceAndOnlyToFreeChannels) {
    MuxTree tree;
    EXPECT_FALSE(tree.AddProbe());  // empty tree
    Build(tree);
    tree.Select(Node(tree, "4"));
    ASSERT_TRUE(tree.AddProbe());
    EXPECT_FALSE(tree.AddProbe());  // the second time: refused, one marker
    EXPECT_EQ(tree.Selected()->text, "MUXLevel-1, Ch-4--<==");
    EXPECT_TRUE(tree.Selected()->probe);
    tree.Select(Node(tree, "3"));   // carries a multiplexer
    EXPECT_FALSE(tree.AddProbe());
    tree.Select(nullptr);
    EXPECT_FALSE(tree.AddProbe());
}

TEST(MuxTree, RemovingAProbeCutsTheTextAtTheMarker) {
    MuxTree tree;
    Build(tree);
    AttachProbes(tree, {"4"});
    tree.Select(Node(tree, "4"));
    EXPECT_TRUE(tree.DelProbe());
    EXPECT_EQ(tree.Selected()->text, "MUXLevel-1, Ch-4");
    EXPECT_FALSE(tree.Selected()->probe);
    EXPECT_FALSE(tree.DelProbe());  // no marker any more
    // A marker without the flag (a hand-edited text): cut, but refused for the flag.
    tree.Selected()->text = "Tank--<== north";
    EXPECT_FALSE(tree.DelProbe());
    EXPECT_EQ(tree.Selected()->text, "Tank");
}

TEST(MuxTree, DeletingAMultiplexerKeepsTheChannelItHangsOn) {
    MuxTree tree;
    EXPECT_EQ(tree.DelMux(), DeleteMuxResult::Refused);
    Build(tree);
    AttachProbes(tree, {"3-2-5", "3-7"});
    tree.Select(Node(tree, "3-7"));
    EXPECT_EQ(tree.DelMux(), DeleteMuxResult::MuxDeleted);
    EXPECT_EQ(tree.NodeCount(), 8u);
    EXPECT_EQ(tree.Selected(), Node(tree, "3"));
    EXPECT_TRUE(tree.Selected()->children.empty());
    tree.Select(nullptr);
    EXPECT_EQ(tree.DelMux(), DeleteMuxResult::Refused);
    tree.Select(Node(tree, "6"));
    EXPECT_EQ(tree.DelMux(), DeleteMuxResult::TreeCleared);
    EXPECT_TRUE(tree.Empty());
    EXPECT_EQ(tree.Selected(), nullptr);
}

TEST(MuxTree, SteppingMovesThroughTheProbesInTreeOrderWithoutWrapping) {
    MuxTree tree;
    EXPECT_EQ(tree.SelectedProbeAddress(), "?-?-?");
    Build(tree);
    AttachProbes(tree, {"1", "3-2-5", "3-7", "8"});
    tree.Select(nullptr);
    tree.StepUp();  // nothing selected: the first node, probe or not
    EXPECT_EQ(tree.SelectedProbeAddress(), "1");
    tree.Select(Node(tree, "2"));
    EXPECT_EQ(tree.SelectedProbeAddress(), "?-?-?");
    std::vector<std::string> up;
    for (int i = 0; i < 4; ++i) {
        tree.StepUp();
        up.push_back(tree.SelectedProbeAddress());
    }
    EXPECT_EQ(up, (std::vector<std::string>{"3-2-5", "3-7", "8", "8"}));  // the last stays
    std::vector<std::string> down;
    for (int i = 0; i < 5; ++i) {
        tree.StepDown();
        down.push_back(tree.SelectedProbeAddress());
    }
    EXPECT_EQ(down, (std::vector<std::string>{"3-7", "3-2-5", "1", "1", "1"}));
    tree.Select(nullptr);
    tree.StepDown();  // nothing selected: the last node
    EXPECT_EQ(tree.Selected(), Node(tree, "8"));
    // Without a probe ahead the selection stays where it is, even on a plain channel.
    tree.Select(Node(tree, "8"));
    tree.Selected()->text = "MUXLevel-1, Ch-8";
    tree.Selected()->probe = false;
    tree.StepUp();
    EXPECT_EQ(tree.Selected(), Node(tree, "8"));
    EXPECT_EQ(tree.SelectedProbeAddress(), "?-?-?");
    tree.Select(nullptr);
    EXPECT_TRUE(tree.SelectFirstProbe());
    EXPECT_EQ(tree.SelectedProbeAddress(), "1");
}

TEST(MuxTree, LinesRoundTripAndFlagsComeFromMarkersAnywhere) {
    MuxTree tree;
    Build(tree);
    AttachProbes(tree, {"1", "3-2-5"});
    const auto lines = tree.ToLines();
    EXPECT_EQ(lines[0], (files::MuxLine{0, "MUXLevel-1, Ch-1--<=="}));
    EXPECT_EQ(lines[7], (files::MuxLine{2, "MUXLevel-3, Ch-3"}));
    MuxTree copy;
    copy.FromLines(lines);
    EXPECT_EQ(copy.ToLines(), lines);
    EXPECT_EQ(copy.Selected(), nullptr);
    EXPECT_FALSE(Node(copy, "1")->probe);
    copy.FromLines({{0, "A"}, {1, "B --<== middle"}, {1, "C"}, {0, "D"}});
    copy.RebuildProbeFlags();
    EXPECT_TRUE(Node(copy, "1-1")->probe);
    EXPECT_FALSE(Node(copy, "1-2")->probe);
    EXPECT_EQ(Node(copy, "2")->text, "D");
}

}  // namespace
}  // namespace mux
