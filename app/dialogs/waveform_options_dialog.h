#pragma once
// "Get Waveform Options": whether a single acquisition also fetches and draws the
// derivative, and the derivative's display gain. The main window reads the choice with
// WFtypeIndex() when it runs the derivative step.

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

public slots:
    void reject() override;  // Cancel, Escape and the close box

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Choices {
        int type = ReflectionOnly;
        QString gain;
    };
    Choices Current() const;
    void Apply(const Choices& choices);

    instrument::TTDRdataObject& link_;
    platform::Platform& platform_;
    ClearDerivative clearDerivative_;
    Choices applied_;  // what Cancel goes back to

    QButtonGroup* type_ = nullptr;
    QRadioButton* reflection_ = nullptr;
    QRadioButton* withDerivative_ = nullptr;
    QLabel* gainLabel_ = nullptr;
    QLineEdit* gain_ = nullptr;
};

}  // namespace app
