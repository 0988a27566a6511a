#pragma once
// The main window on test doubles with the simulated instrument in memory.

#include "app/graph_view.h"
#include "app/rig/main_window_rig.h"

#include "plotbase/plotbase.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app::testing {

class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(MainWindowRig::Options options = {}) : rig(options), form(*rig.form) {}

    std::vector<std::string> sent() const {
        return {rig.instrument.receivedCommands().begin(), rig.instrument.receivedCommands().end()};
    }
    std::vector<std::string> messages() const { return rig.test.dialogs.texts(); }
    const plotbase::DataSet& dataSet(int handle) {
        auto& gfx = form.Graph().Gfx();
        const auto* set = plotbase::WGGetObjectAs<plotbase::DataSet>(gfx.environment(), gfx.handles().graph, handle);
        if (!set) throw std::runtime_error("no data set");
        return *set;
    }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(name); }
    void type(int tag, const QString& text) { form.EditOf(tag)->setText(text); }

    MainWindowRig rig;
    TMain_Form& form;
};

}  // namespace app::testing
