// The page-file handlers dynaview gives plotbase: the save handler writes a dynamic
// object's record, the check refuses a page holding a damaged record before anything is
// created, the restore handler re-creates the object.

#include "dynaview/saverestore/page_handlers.h"

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/families.h"
#include "plotbase/byte_stream.h"
#include "plotbase/error_codes.h"
#include "plotbase/page_file.h"

namespace dynaview {

namespace {

// The slot at a 1-based index of a saved graph holds one of plotbase's axes.
bool savedAxis(const plotbase::SavedGraph& graph, int index) {
    if (index < 1 || index > static_cast<int>(graph.objects.size())) return false;
    const auto& object = graph.objects[static_cast<std::size_t>(index) - 1].object;
    return object && object->type == plotbase::AxisType;
}

// What a record refers to in its graph.
bool referencesSound(const PageRecord& record, const plotbase::SavedGraph& graph, std::string& why) {
    if (const auto* marks = std::get_if<AlarmMarksRecord>(&record); marks && !savedAxis(graph, marks->axis)) {
        why = "damaged alarm marks record: object " + std::to_string(marks->axis) + " is not an axis";
        return false;
    }
    if (const auto* grid = std::get_if<DynamicGridRecord>(&record); grid && !savedAxis(graph, grid->axis)) {
        why = "damaged dynamic grid record: object " + std::to_string(grid->axis) + " is not an axis";
        return false;
    }
    if (const auto* text = std::get_if<TextRecord>(&record); text && text->subtype == records::DynamicText && text->colourSource > 0) {
        const int source = text->colourSource;
        if (source > static_cast<int>(graph.objects.size())) {
            why = "damaged text record: colour source " + std::to_string(source) + " is beyond the graph's objects";
            return false;
        }
        // A colour source is another library record (or its slot was left free), never one of plotbase's own objects.
        if (graph.objects[static_cast<std::size_t>(source) - 1].object) {
            why = "damaged text record: object " + std::to_string(source) + " cannot be a colour source";
            return false;
        }
    }
    return true;
}

const FamilyRegistration saverestore{{
    .name = "saverestore",
    .install = InstallPageFileHandlers,
}};

}  // namespace

bool CheckRecord(int type, std::string_view bytes, const plotbase::SavedGraph& graph, std::string& why) {
    // Another library's or a later build's type: its slot stays free, the rest loads.
    if (!HasSavedForm(type)) return true;
    const auto record = DecodeRecord(type, bytes, why);
    return record && referencesSound(*record, graph, why);
}

void InstallPageFileHandlers(plotbase::Environment& env) {
    auto& handlers = env.foreignObjects;
    handlers.save = [](plotbase::ByteWriter& w, plotbase::Environment& e, int graph, const plotbase::GraphObject& object) {
        const auto* d = dynamic_cast<const DynObject*>(&object);
        const auto record = d ? RecordOf(e, graph, *d) : std::nullopt;
        if (!record) return false;
        w.bytes(EncodeRecord(*record));
        return true;
    };
    handlers.check = CheckRecord;
    handlers.restore = [](plotbase::ByteReader& r, plotbase::Environment& e, int graph, int type) {
        if (!HasSavedForm(type)) return 0;
        std::string why;
        const auto record = DecodeRecord(type, r.bytes(r.remaining()), why);
        if (!record) {
            ReportDynError(e, plotbase::PageFileRead, 2, ": " + why);
            return 0;
        }
        return RestoreRecord(e, graph, *record);
    };
}

}  // namespace dynaview
