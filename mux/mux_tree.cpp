#include "mux/mux_tree.h"

namespace mux {

namespace {

void collect(const MuxNode& parent, std::vector<MuxNode*>& out) {
    for (const auto& n : parent.children) {
        out.push_back(n.get());
        collect(*n, out);
    }
}

bool hasMarker(const std::string& text) { return text.find(ProbeMarker) != std::string::npos; }

}  // namespace

std::vector<MuxNode*> MuxTree::InTreeOrder() const {
    std::vector<MuxNode*> out;
    collect(root_, out);
    return out;
}

void MuxTree::Clear() {
    selected_ = nullptr;
    root_.children.clear();
}

int MuxTree::Level(const MuxNode& node) {
    int level = 0;
    for (const MuxNode* n = &node; n->parent; n = n->parent) ++level;
    return level;
}

int MuxTree::Position(const MuxNode& node) {
    if (!node.parent) return 0;
    const auto& siblings = node.parent->children;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == &node) return static_cast<int>(i) + 1;
    return 0;
}

std::string MuxTree::Address(const MuxNode& node) {
    std::string address;
    for (const MuxNode* n = &node; n->parent; n = n->parent)
        address = std::to_string(Position(*n)) + (address.empty() ? "" : "-") + address;
    return address;
}

std::string MuxTree::LevelLabel() const {
    if (!selected_) return "...";
    switch (Level(*selected_)) {
    case 1: return "One";
    case 2: return "Two";
    case 3: return "Three";
    default: return "...";
    }
}

std::string MuxTree::ChannelLabel() const { return selected_ ? std::to_string(Position(*selected_)) : "..."; }

void MuxTree::AddChannels(MuxNode& parent, int level) {
    for (int n = 1; n <= ChannelsPerMux; ++n) {
        auto node = std::make_unique<MuxNode>();
        node->text = "MUXLevel-" + std::to_string(level) + ", Ch-" + std::to_string(n);
        node->parent = &parent;
        parent.children.push_back(std::move(node));
    }
}

bool MuxTree::AddMux() {
    if (Empty()) {
        AddChannels(root_, 1);
        selected_ = root_.children.front().get();
        return true;
    }
    if (!selected_ || selected_->probe || !selected_->children.empty()) return false;
    const int level = Level(*selected_);
    if (level != 1 && level != 2) return false;
    AddChannels(*selected_, level + 1);
    selected_->expanded = true;
    return true;
}

DeleteMuxResult MuxTree::DelMux() {
    if (!selected_) return DeleteMuxResult::Refused;
    if (Level(*selected_) == 1) {
        Clear();
        return DeleteMuxResult::TreeCleared;
    }
    MuxNode* parent = selected_->parent;
    parent->children.clear();
    parent->expanded = false;
    selected_ = parent;
    return DeleteMuxResult::MuxDeleted;
}

bool MuxTree::AddProbe() {
    if (Empty() || !selected_ || !selected_->children.empty() || hasMarker(selected_->text)) return false;
    selected_->text += ProbeMarker;
    selected_->probe = true;
    return true;
}

bool MuxTree::DelProbe() {
    if (Empty() || !selected_) return false;
    const auto at = selected_->text.find(ProbeMarker);
    if (at == std::string::npos) return false;
    selected_->text.resize(at);
    const bool wasProbe = selected_->probe;
    selected_->probe = false;
    return wasProbe;
}

void MuxTree::StepUp() {
    const auto nodes = InTreeOrder();
    if (nodes.empty()) return;
    if (!selected_) {
        selected_ = nodes.front();
        return;
    }
    bool after = false;
    for (MuxNode* n : nodes) {
        if (after && n->probe) {
            selected_ = n;
            return;
        }
        if (n == selected_) after = true;
    }
}

void MuxTree::StepDown() {
    const auto nodes = InTreeOrder();
    if (nodes.empty()) return;
    if (!selected_) {
        selected_ = nodes.back();
        return;
    }
    bool before = false;
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        if (before && (*it)->probe) {
            selected_ = *it;
            return;
        }
        if (*it == selected_) before = true;
    }
}

std::string MuxTree::SelectedProbeAddress() const {
    if (Empty() || !selected_ || !selected_->probe) return NoProbeAddress;
    return Address(*selected_);
}

bool MuxTree::SelectFirstProbe() {
    for (MuxNode* n : InTreeOrder())
        if (n->probe) {
            selected_ = n;
            return true;
        }
    return false;
}

void MuxTree::RebuildProbeFlags() {
    for (MuxNode* n : InTreeOrder()) n->probe = hasMarker(n->text);
}

std::vector<files::MuxLine> MuxTree::ToLines() const {
    std::vector<files::MuxLine> lines;
    for (const MuxNode* n : InTreeOrder()) lines.push_back({Level(*n) - 1, n->text});
    return lines;
}

void MuxTree::FromLines(const std::vector<files::MuxLine>& lines) {
    Clear();
    MuxNode* previous = nullptr;
    for (const files::MuxLine& line : lines) {
        // Under the previous node when one deeper, else beside the ancestor at the line's
        // depth; the first line is top level.
        MuxNode* parent = &root_;
        if (previous) {
            const int previousDepth = Level(*previous) - 1;
            if (line.depth > previousDepth) {
                parent = previous;
            } else {
                parent = previous->parent;
                for (int d = previousDepth; d > line.depth && parent->parent; --d) parent = parent->parent;
            }
        }
        auto node = std::make_unique<MuxNode>();
        node->text = line.text;
        node->parent = parent;
        previous = node.get();
        parent->children.push_back(std::move(node));
    }
}

}  // namespace mux
