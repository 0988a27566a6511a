#include "dynaview/frame/families.h"

#include <algorithm>
#include <cstring>

namespace dynaview {

Families& Families::instance() {
    static Families families;
    return families;
}

void Families::add(Family family) { families_.push_back(std::move(family)); }

const DialogTemplate* Families::dialog(std::string_view templateName) const {
    for (const Family& family : families_)
        for (const DialogTemplate& d : family.dialogs)
            if (templateName == d.name) return &d;
    return nullptr;
}

const DialogTemplate* Families::editDialogFor(int type, int subtype) const {
    const EditDialogEntry* any = nullptr;
    for (const Family& family : families_) {
        for (const EditDialogEntry& entry : family.editDialogs) {
            if (entry.type != type) continue;
            if (entry.subtype == subtype) return dialog(entry.templateName);
            if (entry.subtype == AnySubtype && !any) any = &entry;
        }
    }
    return any ? dialog(any->templateName) : nullptr;
}

void Families::cleanup(plotbase::Environment& env, RTTop& top) const {
    std::vector<const Family*> ordered;
    for (const Family& family : families_)
        if (family.cleanup) ordered.push_back(&family);
    std::stable_sort(ordered.begin(), ordered.end(), [](const Family* a, const Family* b) { return a->cleanupOrder < b->cleanupOrder; });
    for (const Family* family : ordered) family->cleanup(env, top);
}

}  // namespace dynaview
