// The controls in the frame: no dialog edits them (they are the application's own), and
// RTCleanup takes them out of every graph, widgets and all.

#include "dynaview/controls/control_object.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "plotbase/operations_setup.h"

#include <utility>
#include <vector>

using namespace dynaview;

namespace {

void removeControls(plotbase::Environment& env, RTTop&) {
    std::vector<std::pair<int, int>> places;
    ForEachDynObject(env, 0, [&](const ObjectPlace& place, DynObject& d) {
        if (d.type == ControlType) places.emplace_back(place.graph, place.index);
    });
    for (const auto& [graph, index] : places) plotbase::WGDeleteObject(env, graph, index);
}

const FamilyRegistration controlsFamily{Family{
    "controls",
    {},
    {},
    0,
    removeControls,
}};

}  // namespace
