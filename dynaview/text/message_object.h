#pragma once
// The message object (type 108): one of up to eight fixed messages, chosen by the lowest set
// bit of a range of the bound data set's binary word, in a box of its own size.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/text/text_geometry.h"

#include <QRectF>

#include <array>
#include <string>

namespace dynaview {

constexpr std::int16_t MessageSubtype = 1;

class MessageObject final : public DynObject {
public:
    MessageObject() : DynObject(MessageType, MessageSubtype) {}

    struct Message {
        std::string text;  // at most 41 characters
        int colour = 0;
    };

    int firstBit = 0;
    int count = 1;  // 1..8
    std::array<Message, MaxMessages> messages{};
    double left = 0.0, top = 0.0;  // percent of the graph
    int borderPattern = 0;         // -1: no border
    int borderWidth = 1;
    int background = 7;  // negative: transparent

    int shown() const { return shown_; }
    int previouslyShown() const { return previous_; }
    // Takes the word's choice; false when nothing changes (no bit in range: the old message
    // stays).
    bool select(std::uint32_t word);
    bool hasBorder() const { return borderPattern >= 0 && borderWidth > 0; }
    QRectF box(const plotbase::DrawContext& context) const;

    bool hasUpdateProcedure() const override { return true; }
    bool takesBinaryUpdate(int dataSet) const override { return dataSet == dataSetIndex; }
    void update(const ObjectPlace& place) override;
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    bool rebindable() const override { return true; }
    void rebound(const ObjectPlace& place) override;

private:
    void drawInside(QPainter& painter, const plotbase::DrawContext& context, const QRectF& box) const;
    int shown_ = -1;
    int previous_ = -1;
};

}  // namespace dynaview
