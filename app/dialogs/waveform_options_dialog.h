#pragma once
// "Get Waveform Options": whether a single acquisition also fetches and draws the
// derivative, and the derivative's display gain. The main window reads the choice with
// WFtypeIndex() when it runs the derivative step, straight from the radio group: a choice
// takes effect there even when the dialog is cancelled, while the gain changes only on OK.

#include "link/data_object.h"

#include "platform/platform.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace app {

class TAcqWaveForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 6;
    enum WaveformType : int { ReflectionOnly = 0, ReflectionAndDerivative = 1 };
    // Replaces the drawn derivative by a single point (which takes it out of view).
    using ClearDerivative = std::function<void()>;

    TAcqWaveForm(instrument::TTDRdataObject& link, platform::Platform& platform, QWidget* parent = nullptr);
    void SetClearDerivative(ClearDerivative clear) { clearDerivative_ = std::move(clear); }

    int WFtypeIndex() const;
    void SetWFtypeIndex(int index);
    QString DerivGainText() const;

    // Handlers.
    void WFtypeClick();
    // True when the key was dropped.
    bool DerivGainKeyPress(QKeyEvent* event);
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    instrument::TTDRdataObject& link_;
    platform::Platform& platform_;
    ClearDerivative clearDerivative_;

    QButtonGroup* type_ = nullptr;
    QRadioButton* reflection_ = nullptr;
    QRadioButton* withDerivative_ = nullptr;
    QLabel* gainLabel_ = nullptr;
    QLineEdit* gain_ = nullptr;
};

}  // namespace app
