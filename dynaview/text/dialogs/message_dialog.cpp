#include "dynaview/text/dialogs/message_dialog.h"

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/operations_change.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int BackgroundId = 1050, TextIds = 1868, ColourIds = 1860;

}  // namespace

MessageDialog::MessageDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : TextObjectDialog(env, graph, object, owner, "Message", "Message Parameters") {
    const auto* message = dynamic_cast<const MessageObject*>(FindDynObject(env, graph, object));
    const MessageObject defaults;
    const MessageObject& shown = message ? *message : defaults;
    text_ = shown.attributes.text;

    const dialogs::PositionFields place = dialogs::PositionBox(env, shown.left, shown.top);
    LeftEd = place.left;
    TopEd = place.top;

    auto* look = new QFormLayout;
    BackgroundCombo = Named(dialogs::ColourCombo(shown.background, true), "BackgroundCombo", BackgroundId, QStringLiteral("Color"));
    look->addRow(QStringLiteral("Colo&r:"), BackgroundCombo);
    look->addRow(borderRow(shown.hasBorder(), shown.borderPattern, shown.borderWidth, QStringLiteral("Border Attrib&utes...")));

    auto* messages = new QGroupBox(QStringLiteral("Messages"));
    auto* grid = new QGridLayout(messages);
    grid->addWidget(new QLabel(QStringLiteral("Text")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Color")), 0, 2);
    for (int i = 0; i < MaxMessages; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QString number = QString::number(i);
        textEdits_[k] = Named(new QLineEdit(QString::fromStdString(shown.messages[k].text)), ("MessageEd" + std::to_string(i)).c_str(),
                              TextIds + i, QStringLiteral("Message ") + number);
        textEdits_[k]->setMaxLength(MessageTextLength);
        textEdits_[k]->setMinimumWidth(220);
        colourCombos_[k] = Named(dialogs::ColourCombo(shown.messages[k].colour), ("ColourCombo" + std::to_string(i)).c_str(), ColourIds + i,
                                 QStringLiteral("Message ") + number + QStringLiteral(" Colour"));
        auto* label = new QLabel(number);
        label->setBuddy(textEdits_[k]);
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(textEdits_[k], i + 1, 1);
        grid->addWidget(colourCombos_[k], i + 1, 2);
    }

    finishLayout(place.box, look, messages);
}

bool MessageDialog::apply() {
    auto* message = dynamic_cast<MessageObject*>(FindDynObject(env_, graph_, object_));
    if (!message) return true;
    const std::optional<double> left = dialogs::ReadWithin(env_, LeftEd, "Left", -99.0, 99.0);
    if (!left) return false;
    const std::optional<double> top = dialogs::ReadWithin(env_, TopEd, "Top", -99.0, 99.0);
    if (!top) return false;
    message->left = *left;
    message->top = *top;
    message->background = dialogs::ChosenColour(BackgroundCombo, true);
    message->borderPattern = chosenBorderPattern();
    message->borderWidth = chosenBorderWidth();
    message->attributes.text = text_;
    for (std::size_t k = 0; k < textEdits_.size(); ++k) {
        message->messages[k].text = textEdits_[k]->text().left(MessageTextLength).toStdString();
        message->messages[k].colour = dialogs::ChosenColour(colourCombos_[k]);
    }
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    return true;
}

}  // namespace dynaview
