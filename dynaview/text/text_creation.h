#pragma once
// Making dynamic text objects and panels of them: shared by the exported creators and the
// annunciator, each refusal reported with the caller's operation name.

#include "dynaview/text/dynamic_text.h"

#include <string>

namespace dynaview {

class RTTop;

// Checks the definition against the data set and the graph, adds the object and binds it.
// Returns its index, or 0 after reporting: data set missing (55), channel not below the
// channel count (30), colour source missing (56) or of a kind without channel colours
// (29), any other argument (18). `given` holds one colour per shown row, or is null (the
// graph's current colour).
int CreateDynamicText(plotbase::Environment& env, RTTop& top, int graph, int dataSet, std::unique_ptr<DynamicText> text,
                      const int* given, const std::string& operation);

// A panel of tags, values, units and (for an annunciator) alarm texts over one channel
// (channel >= 0) or every channel (-1). Returns the panel's index, or 0 after reporting
// with `operation`. `values`, when given, receives the index of each row's value text.
int CreatePanel(plotbase::Environment& env, RTTop& top, int graph, int dataSet, const char* title, double left, double topEdge,
                double width, double height, int precision, int channel, bool annunciator, std::int16_t* values,
                const std::string& operation);

}  // namespace dynaview
