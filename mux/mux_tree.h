#pragma once
// The multiplexer tree: KLV300 multiplexers cascaded behind the RFX410, up to three levels.
// A multiplexer is its 8 channel nodes: the first one's channels are the top-level nodes,
// one cascaded on a channel is 8 children of that channel. A channel carrying a probe has
// the marker "--<==" in its text and the probe flag set. The tree also holds the current
// selection that probe stepping moves through.

#include "files/mux_file.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mux {

inline constexpr const char* ProbeMarker = "--<==";
inline constexpr const char* NoProbeAddress = "?-?-?";
inline constexpr int ChannelsPerMux = 8;
inline constexpr int MaxLevels = 3;

struct MuxNode {
    std::string text;
    bool probe = false;
    bool expanded = false;     // as the tree view shows it
    MuxNode* parent = nullptr; // top-level nodes hang on the tree's hidden root
    std::vector<std::unique_ptr<MuxNode>> children;
};

// What "&Delete Mux" did.
enum class DeleteMuxResult { Refused, TreeCleared, MuxDeleted };

class MuxTree {
public:
    MuxTree() = default;
    MuxTree(const MuxTree&) = delete;
    MuxTree& operator=(const MuxTree&) = delete;

    bool Empty() const { return root_.children.empty(); }
    std::size_t NodeCount() const { return InTreeOrder().size(); }
    const std::vector<std::unique_ptr<MuxNode>>& TopLevel() const { return root_.children; }
    // Every node in tree order: a node, its children (each followed by its own), its next
    // sibling; top to bottom in a fully expanded view.
    std::vector<MuxNode*> InTreeOrder() const;
    void Clear();

    MuxNode* Selected() const { return selected_; }
    void Select(MuxNode* node) { selected_ = node; }

    // Level 1 for a top-level node, 2 below it, ...; 1-based position among its siblings.
    static int Level(const MuxNode& node);
    static int Position(const MuxNode& node);
    // "c1", "c1-c2", "c1-c2-c3": the positions of the node and its ancestors, top first.
    static std::string Address(const MuxNode& node);
    // "One", "Two", "Three" for levels 1 to 3, "..." deeper or with nothing selected.
    std::string LevelLabel() const;
    // The selected node's position, or "...".
    std::string ChannelLabel() const;

    // The edits of the setup dialog; false (or Refused) means refused, and the caller beeps.
    // "Add &Mux": 8 top-level channels on an empty tree (the first selected); otherwise 8
    // children on the selected level-1 or level-2 channel without probe and children.
    bool AddMux();
    // "&Delete Mux": a level-1 channel clears the tree; a deeper one removes the multiplexer
    // it belongs to (all children of its parent), which selects that parent.
    DeleteMuxResult DelMux();
    // "Attach &Probe": on a selected channel without children and without the marker.
    bool AddProbe();
    // "&Remove Probe": cuts the text before the first marker; false when there was no
    // marker, or no probe flag to clear.
    bool DelProbe();

    // Probe stepping. Up: the first probe after the selection in tree order (the selection
    // stays when there is none); with nothing selected, the first node. Down: the nearest
    // probe before the selection; with nothing selected, the last node. Neither wraps.
    void StepUp();
    void StepDown();
    // The address of the selected probe, or "?-?-?".
    std::string SelectedProbeAddress() const;
    // Selects the first probe in tree order; false (selection unchanged) when there is none.
    bool SelectFirstProbe();

    // The probe flags from the texts (the marker anywhere in a text).
    void RebuildProbeFlags();

    // The tree as the lines of a setup file, and back. Loading selects nothing and leaves
    // the probe flags clear (RebuildProbeFlags sets them).
    std::vector<files::MuxLine> ToLines() const;
    void FromLines(const std::vector<files::MuxLine>& lines);

private:
    static void AddChannels(MuxNode& parent, int level);

    MuxNode root_;
    MuxNode* selected_ = nullptr;
};

}  // namespace mux
