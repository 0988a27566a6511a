#pragma once
// "Compute Probe Cell Constant": the user types the probe's cell constant Kp, or expands
// the dialog to have the instrument measure it with the probe in de-ionized water. The
// dialog object lives for the whole run; the main window puts Kp in before showing it and
// takes it out after OK.

#include "analysis/cell_constant.h"

#include "platform/platform.h"

#include <QDialog>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace analysis {

class TCellConst : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 8;
    static constexpr int CollapsedHeight = 180;
    static constexpr int ExpandedHeight = 525;
    static constexpr int DialogWidth = 480;

    // The chain runs on the main window, whose start and probe length it reads.
    TCellConst(CellConstantChain& chain, ChainSettings& mainWindowSettings, platform::Platform& platform,
               QWidget* parent = nullptr);

    void SetCellConstantText(const QString& text);
    QString CellConstantText() const;
    bool Expanded() const;

    // Handlers.
    void FormShow();
    void OKbtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void CalculateBtnClick();
    void DoItBtnClick();
    // True when the key was discarded.
    bool EdKeyPress(QLineEdit* edit, QKeyEvent* event);
    // OK, Cancel, Help and Do It together.
    void SetEnable(bool on);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void Place(int height);

    CellConstantChain& chain_;
    ChainSettings& mainWindow_;
    platform::Platform& platform_;
    bool measuring_ = false;

    QLineEdit* CellConstEd = nullptr;
    QLineEdit* WaterTempEd = nullptr;
    QLabel* lblInstruction = nullptr;
    QWidget* procedure_ = nullptr;
    QPushButton* CalculateBtn = nullptr;
    QPushButton* DoItBtn = nullptr;
    QPushButton* OKbtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

}  // namespace analysis
