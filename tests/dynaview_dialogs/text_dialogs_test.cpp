// The "Message Parameters" and "Dynamic Text" dialogs, opened from the selected object and
// worked through their controls.

#include "dialog_fixture.h"

#include "dynaview/text/dynamic_text.h"
#include "dynaview/text/message_object.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <cstring>
#include <functional>

namespace dynaview::testing {
namespace {

class TextDialogs : public DynaviewDialogTest {
protected:
    TextDialogs() { set = WRDefineDynDataSet("Mode", 2, "degC", nullptr, 0); }

    static void expectIds(QDialog& dialog, std::initializer_list<std::pair<const char*, int>> identifiers) {
        for (const auto& [name, id] : identifiers) {
            QWidget* w = dialog.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(w->property("controlId").toInt(), id) << name;
            EXPECT_FALSE(w->accessibleName().isEmpty()) << name;
        }
    }
    template <typename T>
    T* object(int index) {
        return dynamic_cast<T*>(env.graph(graph)->objects.at(index));
    }
    int set = 0;
};

TEST_F(TextDialogs, TheMessageDialogEditsTheMessagesAndTheBox) {
    std::vector<char> table(42 * 3, '\0');
    std::strcpy(table.data(), "Manual");
    std::strcpy(table.data() + 42, "Automatic");
    std::strcpy(table.data() + 84, "Cascade");
    const int message = WRSetMessage(graph, set, 0, 10, 10, 0, 1, 7, 3, table.data(), nullptr);
    ASSERT_GT(message, 0);
    bool refused = false;
    const int result = editSelected(message, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Message Parameters");
        expectIds(dialog, {{"LeftEd", 1814}, {"TopEd", 1813}, {"BackgroundCombo", 1050}, {"BorderCheck", 1810},
                           {"BorderAttributesBtn", 500}, {"MessageEd0", 1868}, {"MessageEd7", 1875}, {"ColourCombo0", 1860},
                           {"ColourCombo7", 1867}, {"TextParametersBtn", 1103}, {"AlarmAttributesBtn", 1760}, {"OKBtn", 1}});
        EXPECT_EQ(control<QLineEdit>(dialog, "MessageEd1")->text(), "Automatic");
        picture(dialog, "message_dialog");
        control<QLineEdit>(dialog, "LeftEd")->setText("150");
        control<QPushButton>(dialog, "OKBtn")->click();
        refused = dialog.isVisible();
        control<QLineEdit>(dialog, "LeftEd")->setText("40");
        control<QLineEdit>(dialog, "MessageEd2")->setText("Remote");
        control<QComboBox>(dialog, "ColourCombo2")->setCurrentIndex(4);
        control<QCheckBox>(dialog, "BorderCheck")->setChecked(false);
        control<QPushButton>(dialog, "OKBtn")->click();
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(result, 1);
    const MessageObject* m = object<MessageObject>(message);
    EXPECT_EQ(m->left, 40.0);
    EXPECT_EQ(m->messages[2].text, "Remote");
    EXPECT_EQ(m->messages[2].colour, 4);
    EXPECT_EQ(m->borderPattern, -1);
    EXPECT_EQ(m->messages[0].text, "Manual");
}

TEST_F(TextDialogs, TheDynamicTextDialogSetsPlacePrecisionAndBackground) {
    const int text = WRSetDynText(graph, set, -1, 20, 20, 30, 20, 0, 1, nullptr, 7, 0, 0, 2, 0, 0);
    ASSERT_GT(text, 0);
    const int result = editSelected(text, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Dynamic Text");
        expectIds(dialog, {{"LeftEd", 1814}, {"TopEd", 1813}, {"WidthEd", 1812}, {"HeightEd", 1811}, {"BorderCheck", 1810},
                           {"BorderAttributesBtn", 500}, {"BackgroundCombo", 1050}, {"PrecisionSpin", 1850},
                           {"TextParametersBtn", 1103}, {"AlarmAttributesBtn", 1760}});
        EXPECT_EQ(control<QSpinBox>(dialog, "PrecisionSpin")->value(), 2);
        picture(dialog, "dyn_text_dialog");
        control<QSpinBox>(dialog, "PrecisionSpin")->setValue(4);
        control<QLineEdit>(dialog, "WidthEd")->setText("0");  // sized from the text
        control<QComboBox>(dialog, "BackgroundCombo")->setCurrentIndex(0);  // transparent
        control<QPushButton>(dialog, "OKBtn")->click();
    });
    EXPECT_EQ(result, 1);
    const DynamicText* t = object<DynamicText>(text);
    EXPECT_EQ(t->precision, 4);
    EXPECT_EQ(t->width, 0.0);
    EXPECT_EQ(t->background, -1);
}

TEST_F(TextDialogs, AnAlarmTextIsNotEditedAsDynamicText) {
    const int alarm = WRSetAlarmText(graph, set, 0, 10, 10, 30, 10, 0, 1, 7, 0, nullptr, nullptr, 0, 0);
    const int result = editSelected(alarm, [](QDialog& dialog) { EXPECT_EQ(dialog.windowTitle(), "Alarm Text"); });
    EXPECT_EQ(result, 2);
    const DVDialogParam param{graph, alarm, set, 0};
    EXPECT_EQ(DynTextDlgProc(nullptr, nullptr, &param), 0);
    EXPECT_EQ(lastErrorCode(), 29);
}

}  // namespace
}  // namespace dynaview::testing
