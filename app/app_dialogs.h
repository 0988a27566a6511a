#pragma once
// The dialogs of the program, created once after the main window (in this order) and
// shown modally when needed.

namespace app {
class TAcqWaveForm;
class TAboutBox;
}  // namespace app
namespace analysis {
class TCaliDlgForm;
class TCellConst;
}
namespace instrument {
class TCommSetgDlg;
class TOSdownForm;
}
namespace graph {
class TAxisRange;
}
namespace mux {
class TMuxSetupDlg;
}

namespace app {

struct AppDialogs {
    TAcqWaveForm* acqWave = nullptr;
    analysis::TCaliDlgForm* caliDlg = nullptr;
    TAboutBox* about = nullptr;
    instrument::TCommSetgDlg* commSetg = nullptr;
    graph::TAxisRange* axisRange = nullptr;
    mux::TMuxSetupDlg* muxSetup = nullptr;
    analysis::TCellConst* cellConst = nullptr;
    instrument::TOSdownForm* osDown = nullptr;
};

}  // namespace app
