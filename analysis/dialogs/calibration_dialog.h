#pragma once
// "Conversion from Dielectric Constant to Volumetric Water Content": the user picks one of
// five calibration equations and types the coefficients of the user-defined ones. The
// dialog object lives for the whole run and holds the calibration in force; the main
// window reads and writes its state in the settings file and evaluates through it.

#include "analysis/calibration_settings.h"
#include "analysis/moisture_calibration.h"

#include "platform/platform.h"
#include "platform/profile_file.h"

#include <QDialog>

#include <array>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace analysis {

class TCaliDlgForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 9;

    explicit TCaliDlgForm(platform::Platform& platform, QWidget* parent = nullptr);

    // Start-up: fills the edits and the choice from the settings file and puts the stored
    // calibration in force. Coefficients that are not numbers are reported in one message.
    void ReadSettings(const platform::ProfileFile& file);
    // Exit: the 14 edit texts, then "CaliRadioBtn" (1 when nothing is checked).
    bool WriteSettings(platform::ProfileFile& file) const;

    // The calibration in force (changed only by OK and by ReadSettings).
    int CaliEquation() const { return inForce_.equation; }
    CaliCoefficients CaliCoef() const { return inForce_.coef; }
    const Calibration& InForce() const { return inForce_; }
    // The water content at X = La/L; nothing when the equation number is not 1 to 5.
    std::optional<float> Evaluate(float x) const { return inForce_.Evaluate(x); }

    // 1..5 for the checked radio button, 0 when none is.
    int CheckedButton() const;
    CoefficientTexts Texts() const;

    // Handlers.
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void SelectRBClick(QAbstractButton* clicked);
    // True when the key was discarded.
    bool EditKeyPress(QLineEdit* edit, QKeyEvent* event);

public slots:
    void reject() override;  // Cancel, Escape and the close box

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ControlState {
        CoefficientTexts texts;
        int checked = 0;
    };
    void BuildLayout();
    QLineEdit* MakeCoefficientEdit(int index, QWidget* parent);
    void SetTexts(const CoefficientTexts& texts);
    void Check(int button);
    ControlState CurrentState() const;
    void Restore(const ControlState& state);

    platform::Platform& platform_;
    Calibration inForce_;
    ControlState shown_;  // what the controls held when they last matched the calibration in force

    std::array<QRadioButton*, 5> radio_{};  // LedieuRB, LedieuUDRB, LedieuUD2RB, ToppRB, ToppUDRB
    std::array<QLineEdit*, CoefficientEditCount> edits_{};
    QButtonGroup* choice_ = nullptr;
    QGroupBox* ledieuGroup_ = nullptr;
    QGroupBox* toppGroup_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

// Renders the dialog (a user-defined polynomial chosen) to a PNG file; false on failure.
bool RenderCalibrationDialogScreenshot(const QString& pngPath, platform::Platform& platform);

}  // namespace analysis
