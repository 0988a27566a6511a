#pragma once
// The records of dynamic grids and dynamic text, and those objects made again from them.

#include "dynaview/saverestore/page_records.h"

namespace plotbase {
class Environment;
}  // namespace plotbase

namespace dynaview {

class DynamicGrid;
class DynamicText;

DynamicGridRecord RecordOfGrid(const DynamicGrid& grid);

// The part of a text record both kinds of text (dynamic and alarm text) fill alike.
template <typename Text>
TextRecord TextRecordFrame(const Text& text, std::int16_t subtype) {
    TextRecord d;
    d.subtype = subtype;
    d.dataSet = text.dataSetIndex;
    d.channel = text.channel;
    d.left = text.left;
    d.top = text.top;
    d.width = text.width;
    d.height = text.height;
    d.borderPattern = text.borderPattern;
    d.borderWidth = text.borderWidth;
    d.background = text.background;
    d.layout = text.layout;
    d.argument62 = text.textSize;
    return d;
}
// A text whose colour source will not be in the page (an object without a saved form, or
// one deleted since) is written with the colours it shows now and no colour source, so it
// looks the same when it comes back.
TextRecord RecordOfDynamicText(plotbase::Environment& env, int graph, const DynamicText& text);

// Each grid marked present is made with its stored line; the graph's current line is left
// as it was. Returns the grid's index, 0 when neither grid could be made.
int RestoreGrid(plotbase::Environment& env, int graph, const DynamicGridRecord& record);
// A colour source that is not yet in the graph (a later slot of the page being read) is
// attached once it is: the text is made without it and keeps its index, and shows the
// graph's current colour until an object with channel colours stands there.
int RestoreDynamicText(plotbase::Environment& env, int graph, const TextRecord& record);

}  // namespace dynaview
