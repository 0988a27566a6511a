#include "help/help_topics.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares a function of the global namespace, so it cannot be used
// inside ours.
static void registerHelpResource() { Q_INIT_RESOURCE(rfx410H); }

namespace help {

QString topicsRoot() {
    static const bool registered = (registerHelpResource(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/help");
}

}  // namespace help
