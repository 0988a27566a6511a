#pragma once
// dynaview's dialogs on the test environment: an object's editor opened as a double click
// would open it, worked while it is up. DYNAVIEW_SAVE_RENDERINGS=1 saves each dialog the
// editor opens as /tmp/<its object name>.png.

#include "dynaview/dynaview_fixture.h"
#include "support/modal_dialog.h"

#include <QDialog>

#include <functional>

namespace dynaview::testing {

class DynaviewDialogTest : public DynaviewTest {
protected:
    // Selects the object, opens its editor and lets `act` work it; returns the editor's result.
    int editSelected(int object, const std::function<void(QDialog&)>& act) {
        plotbase::WGSelectObject(env, graph, object);
        return testsupport::WithModalDialog([this] { return rtDefEditObject(nullptr, graph); },
                                            [act](QDialog& dialog) {
                                                picture(dialog, dialog.objectName().toUtf8().constData());
                                                act(dialog);
                                            });
    }
    template <typename T>
    static T* control(QDialog& dialog, const char* name) {
        return testsupport::DialogControl<T>(dialog, name);
    }
    static void picture(QWidget& dialog, const char* name) {
        if (qEnvironmentVariableIsSet("DYNAVIEW_SAVE_RENDERINGS")) dialog.grab().save(QStringLiteral("/tmp/%1.png").arg(QLatin1String(name)));
    }
};

}  // namespace dynaview::testing
