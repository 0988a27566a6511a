// The controls' exported functions: scroll bars, buttons, button groups and lamps placed in
// a graph, their states and colours, and the message procedure of their windows.

#include "dynaview/controls/control_kinds.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/operations_setup.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>

#include <cmath>
#include <cstring>

using namespace dynaview;
using api::Refuse;
using api::WithTop;

namespace {

// An item or line number the object does not have.
int RefuseItem(plotbase::Environment& env, const char* operation) {
    ReportDynError(env, plotbase::InvalidRecord, 2, std::string(" - ") + operation);
    return 0;
}

// The creators' common steps after their own checks: the object in the graph's table, its
// widget in the graph's window.
int Place(plotbase::Environment& env, int graph, std::unique_ptr<ControlObject> control) {
    ControlObject* raw = control.get();
    const int index = AddDynObject(env, graph, std::move(control));
    if (index == 0) return 0;
    if (!raw->attach(env, graph, index)) {
        plotbase::WGDeleteObject(env, graph, index);
        return 0;
    }
    return index;
}

// Creators refuse a graph without a window before anything else is checked.
bool GraphWindowOk(plotbase::Environment& env, int graph) {
    if (!OpenGraph(env, graph)) return false;
    if (plotbase::WGGetGraphWindow(env, graph)) return true;
    ReportDynError(env, plotbase::GraphNotOpen);
    return false;
}

// The control of the kind T at the index; another object is refused as the wrong type.
template <typename T>
T* ControlOrReport(plotbase::Environment& env, int graph, int object, const char* operation) {
    const std::string suffix = std::string(" - ") + operation;
    DynObject* d = FindDynObject(env, graph, object, suffix);
    if (!d) return nullptr;
    T* control = d->type == ControlType ? dynamic_cast<T*>(d) : nullptr;
    if (!control) ReportWrongType(env, *d, suffix);
    return control;
}

// The control whose window this is, or null (the pointer is only compared).
ControlObject* ControlOfWindow(plotbase::Environment& env, DVWindow window) {
    ControlObject* found = nullptr;
    if (!window) return nullptr;
    ForEachDynObject(env, 0, [&](const ObjectPlace&, DynObject& d) {
        auto* control = d.type == ControlType ? dynamic_cast<ControlObject*>(&d) : nullptr;
        if (control && control->window() == window) found = control;
    });
    return found;
}

// A key pressed and released on the control (on the selected item of a group).
void SendKey(ControlObject& control, int key) {
    QWidget* target = control.window();
    if (auto* group = dynamic_cast<ButtonGroupControl*>(&control)) {
        const int selected = group->state(0).value_or(0);
        if (QAbstractButton* b = group->item(selected > 0 ? selected : 1)) target = b;
    }
    if (!target) return;
    const auto qtKey = static_cast<Qt::Key>(key);
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

}  // namespace

extern "C" {

DV_API int WRSetScrBarControl(int graph, double left, double top, double width, double height, int vertical,
                              int minimum, int maximum, int position) {
    constexpr const char* op = "WRSetScrBarControl";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        if (!CreatorAllowed(env) || !GraphWindowOk(env, graph)) return 0;
        const WorldBox box{left, top, width, height};
        if (!WorldBoxOk(box) || (vertical != 0 && vertical != 1) || !ScrollRangeOk(minimum, maximum, position))
            return Refuse(env, op);
        return Place(env, graph, std::make_unique<ScrollBarControl>(box, vertical == 1, minimum, maximum, position));
    });
}

DV_API int WRSetScrollPos(int graph, int object, int position) {
    constexpr const char* op = "WRSetScrollPos";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* bar = ControlOrReport<ScrollBarControl>(env, graph, object, op);
        if (!bar) return 0;
        if (!ScrollRangeOk(bar->minimum(), bar->maximum(), position)) return Refuse(env, op);
        bar->setPosition(position);
        return 1;
    });
}

DV_API int WRGetScrollPos(int graph, int object) {
    constexpr const char* op = "WRGetScrollPos";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* bar = ControlOrReport<ScrollBarControl>(env, graph, object, op);
        return bar ? bar->position() : 0;
    });
}

DV_API int WRGetScrBar(int graph, int object, int* minimum, int* maximum, int* position) {
    constexpr const char* op = "WRGetScrBar";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* bar = ControlOrReport<ScrollBarControl>(env, graph, object, op);
        if (!bar) return 0;
        if (minimum) *minimum = bar->minimum();
        if (maximum) *maximum = bar->maximum();
        if (position) *position = bar->position();
        return 1;
    });
}

DV_API int WRChangeScrBar(int graph, int object, int minimum, int maximum, int position) {
    constexpr const char* op = "WRChangeScrBar";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* bar = ControlOrReport<ScrollBarControl>(env, graph, object, op);
        if (!bar) return 0;
        if (!ScrollRangeOk(minimum, maximum, position)) return Refuse(env, op);
        bar->setRange(minimum, maximum, position);
        return 1;
    });
}

DV_API int WRSetButtonControl(int graph, const char* text, double left, double top, double width, double height,
                              int style, int colour) {
    constexpr const char* op = "WRSetButtonControl";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        if (!CreatorAllowed(env) || !GraphWindowOk(env, graph)) return 0;
        const WorldBox box{left, top, width, height};
        if (!WorldBoxOk(box) || !ButtonStyleOk(style) || !ControlColourOk(colour)) return Refuse(env, op);
        std::string caption = text ? std::string(text, strnlen(text, ControlTextLength)) : std::string();
        return Place(env, graph, std::make_unique<ButtonControl>(box, std::move(caption), style, colour));
    });
}

DV_API int WRSetButtonGroup(int graph, int count, const char* texts, double left, double top, double width,
                            double height, int style) {
    constexpr const char* op = "WRSetButtonGroup";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        if (!CreatorAllowed(env) || !GraphWindowOk(env, graph)) return 0;
        const WorldBox box{left, top, width, height};
        std::optional<std::vector<std::string>> items = GroupTexts(texts, count);
        if (!WorldBoxOk(box) || !GroupStyleOk(style) || !items) return Refuse(env, op);
        return Place(env, graph, std::make_unique<ButtonGroupControl>(box, std::move(*items), style));
    });
}

DV_API int WRSetLEDControl(int graph, double x, double y, double size, int onColour, int offColour) {
    constexpr const char* op = "WRSetLEDControl";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        if (!CreatorAllowed(env) || !GraphWindowOk(env, graph)) return 0;
        if (!WorldBoxOk(LampBox(x, y, size)) || !std::isfinite(size) || !ControlColourOk(onColour) ||
            !ControlColourOk(offColour))
            return Refuse(env, op);
        return Place(env, graph, std::make_unique<LedControl>(x, y, size, onColour, offColour));
    });
}

DV_API int WRGetButtonState(int graph, int object, int item) {
    constexpr const char* op = "WRGetButtonState";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* control = ControlOrReport<ColouredControl>(env, graph, object, op);
        if (!control) return 0;
        const std::optional<int> state = control->state(item);
        return state ? *state : RefuseItem(env, op);
    });
}

DV_API int WRChangeButtonState(int graph, int object, int item, int state) {
    constexpr const char* op = "WRChangeButtonState";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* control = ControlOrReport<ColouredControl>(env, graph, object, op);
        if (!control) return 0;
        if (!control->state(item)) return RefuseItem(env, op);
        if (auto* group = dynamic_cast<ButtonGroupControl*>(control)) {
            // Item 0 takes the item to select; an item takes 1 (select it) or 0 (clear it).
            if (item == 0) {
                if (state < 0 || state > group->count()) return Refuse(env, op);
                group->select(state);
            } else {
                if (state != 0 && state != 1) return Refuse(env, op);
                if (state == 1)
                    group->select(item);
                else if (group->state(0) == item)
                    group->select(0);
            }
            return 1;
        }
        if (state != 0 && state != 1) return Refuse(env, op);
        if (auto* led = dynamic_cast<LedControl*>(control)) {
            led->setOn(state == 1);
            return 1;
        }
        auto* button = dynamic_cast<ButtonControl*>(control);
        if (!button || !button->setState(state)) return Refuse(env, op);  // a push button keeps no state
        return 1;
    });
}

DV_API int WRChangeButtonColor(int graph, int object, int colour) {
    constexpr const char* op = "WRChangeButtonColor";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* control = ControlOrReport<ColouredControl>(env, graph, object, op);
        if (!control) return 0;
        if (!ControlColourOk(colour)) return Refuse(env, op);
        control->setColour(colour);
        return 1;
    });
}

DV_API int WRGetButtonColor(int graph, int object) {
    constexpr const char* op = "WRGetButtonColor";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* control = ControlOrReport<ColouredControl>(env, graph, object, op);
        return control ? control->colour() : 0;
    });
}

DV_API DVWindow WRGetButtonWindow(int graph, int object) {
    constexpr const char* op = "WRGetButtonWindow";
    return WithTop<DVWindow>(nullptr, op, [&](plotbase::Environment& env, RTTop&) -> DVWindow {
        auto* control = ControlOrReport<ControlObject>(env, graph, object, op);
        return control ? control->window() : nullptr;
    });
}

DV_API intptr_t DVChildControlProc(DVWindow window, unsigned int message, uintptr_t wParam, intptr_t lParam) {
    constexpr const char* op = "DVChildControlProc";
    return WithTop<intptr_t>(0, op, [&](plotbase::Environment& env, RTTop&) -> intptr_t {
        ControlObject* control = ControlOfWindow(env, window);
        if (!control) return Refuse(env, op);
        if (message == DV_MSG_KEY) {
            if (wParam > 0x7fffffffu) return Refuse(env, op);
            SendKey(*control, static_cast<int>(wParam));
            return 1;
        }
        if (message != DV_MSG_CONTROL) return 0;  // not a message controls take
        if (auto* bar = dynamic_cast<ScrollBarControl*>(control)) {
            if (lParam < bar->minimum() || lParam > bar->maximum()) return Refuse(env, op);
            bar->moveAsUser(static_cast<int>(lParam));
            return 1;
        }
        if (auto* button = dynamic_cast<ButtonControl*>(control)) {
            button->clickAsUser();
            return 1;
        }
        if (auto* group = dynamic_cast<ButtonGroupControl*>(control)) {
            if (wParam < 1 || wParam > static_cast<uintptr_t>(group->count())) return RefuseItem(env, op);
            group->clickAsUser(static_cast<int>(wParam));
            return 1;
        }
        return Refuse(env, op);  // a lamp only shows
    });
}

DV_API int ButtonDelayEnd(int graph, int object) {
    constexpr const char* op = "ButtonDelayEnd";
    return WithTop(0, op, [&](plotbase::Environment& env, RTTop&) {
        auto* button = ControlOrReport<ButtonControl>(env, graph, object, op);
        if (!button) return 0;
        button->release();
        return 1;
    });
}

}  // extern "C"
