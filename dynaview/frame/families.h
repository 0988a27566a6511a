#pragma once
// The object families plugged into the frame. A family (one folder under dynaview/)
// registers itself once, when the library is loaded, with a FamilyRegistration at
// namespace scope in one of its files:
//
//   const dynaview::FamilyRegistration alarms{{
//       .name = "alarms",
//       .editDialogs = {{AlarmLinesType, AnySubtype, "AlarmLines"}, ...},
//       .dialogs = {{"AlarmLines", "Alarm Lines", AlarmLineDlgProc}, ...},
//   }};
//
// editDialogs is its part of rtDefEditObject's dispatch table (which dialog edits which
// object), dialogs its dialog templates (what rtDisplayDialogBoxParam runs by name), and
// cleanup what RTCleanup must do for it before the data sets go (in ascending
// cleanupOrder). The time-label family also says how labels attached to a scrolling graph
// move on (moveTimeLabels, see time_label_link.h). What its objects draw and how they take updates are the overrides of
// DynObject; the record sizes of the types are the frame's (type_sizes.h).

#include "dynaview/include/dynaview.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace plotbase {
class Environment;
}

namespace dynaview {

class RTTop;
struct ObjectPlace;

constexpr int AnySubtype = -1;

struct EditDialogEntry {
    std::int16_t type;        // dynaview's types, or plotbase's axis type with a subtype of ours
    int subtype;              // AnySubtype: every subtype not listed on its own
    const char* templateName;
};

struct DialogTemplate {
    const char* name;     // "AlarmLines"
    const char* caption;  // "Alarm Lines"
    DVDialogProc procedure;
};

struct Family {
    const char* name = "";
    std::vector<EditDialogEntry> editDialogs{};
    std::vector<DialogTemplate> dialogs{};
    int cleanupOrder = 0;
    std::function<void(plotbase::Environment&, RTTop&)> cleanup{};
    // Moves the labels object at the place on by delta in its axis unit and redraws it.
    std::function<void(const ObjectPlace& labels, double delta)> moveTimeLabels{};
    // What it adds to plotbase's handlers of an environment dynaview takes on (the page-file
    // handlers).
    std::function<void(plotbase::Environment&)> install{};
};

class Families {
public:
    static Families& instance();
    void add(Family family);

    // The dialog that edits an object of this type and subtype, or null (plotbase's own).
    const DialogTemplate* editDialogFor(int type, int subtype) const;
    const DialogTemplate* dialog(std::string_view templateName) const;
    // Every family's clean-up, in order.
    void cleanup(plotbase::Environment& env, RTTop& top) const;
    const std::vector<Family>& all() const { return families_; }

private:
    std::vector<Family> families_;
};

struct FamilyRegistration {
    explicit FamilyRegistration(Family family) { Families::instance().add(std::move(family)); }
};

}  // namespace dynaview
