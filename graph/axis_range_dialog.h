#pragma once
// "Graph Window Axis Range Change": the user's new distance and value ranges. The value
// range is the graph's own; the distance range is the window the instrument digitises, so
// OK also sends it as a new window start and length and reads the settings back.

#include "graph/axis_range_check.h"

#include "link/busy_switches.h"
#include "link/chain_table.h"
#include "link/data_object.h"
#include "link/state_machine.h"
#include "platform/platform.h"

#include <QDialog>

#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace graph {

class TDRGFX;

class TAxisRange : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 28;

    // updateDisplay refreshes the main window's settings panel from the instrument's
    // settings once the chain's "DUMP" reply is in.
    TAxisRange(TDRGFX& graph, instrument::TTDRdataObject& data, instrument::TStateMach& machine,
               instrument::BusySwitches& window, platform::Platform& platform, std::function<void()> updateDisplay,
               QWidget* parent = nullptr);

    void SetXYMaxMin(float rangeXMax, float rangeXMin, float rangeYMax, float rangeYMin);

    void FormShow();
    void OKbtnClick();
    void CancelBtnClick();
    void CommDlgHelpBtnClick();
    bool EditKeyPress(QLineEdit* edit, QKeyEvent* key);

    // The chain that sends the new window, as a table.
    std::vector<instrument::ChainRow> AxisChain();
    float WinLength() const { return winLength_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SdisStep(std::int32_t& result);
    void SwlnStep(std::int32_t& result);
    void DumpStep(std::int32_t& result);
    void ErrStep(std::int32_t& result);
    void EndStep(std::int32_t& result);
    void Request(std::int32_t code, const char* name, std::int32_t& result);

    TDRGFX& graph_;
    instrument::TTDRdataObject& data_;
    instrument::TStateMach& machine_;
    instrument::BusySwitches& window_;
    platform::Platform& platform_;
    std::function<void()> updateDisplay_;
    float rangeXMax_ = 0, rangeXMin_ = 0, rangeYMax_ = 0, rangeYMin_ = 0;
    float winLength_ = 0;
    std::string sentXmin_;
    QLineEdit* Xmin = nullptr;
    QLineEdit* Xmax = nullptr;
    QLineEdit* Ymin = nullptr;
    QLineEdit* Ymax = nullptr;
    QLabel* Units = nullptr;
};

}  // namespace graph
