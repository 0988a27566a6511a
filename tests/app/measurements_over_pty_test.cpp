// The measurements of the main window end to end: rfx410-sim on a pseudo-terminal, the
// production serial port and clock, the window's own chains. Waits are bounded.

#include "app/app_dialogs.h"
#include "app/main_form.h"

#include "analysis/dialogs/calibration_dialog.h"
#include "analysis/dialogs/cell_constant_dialog.h"
#include "tests/support/real_time_platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace app::testing {
namespace {

class OverPty : public ::testing::Test {
protected:
    void start(const QStringList& simOptions, const std::string& settings, bool linearity = false) {
        ASSERT_TRUE(dir.isValid());
        const QString link = dir.filePath("rfx410");
        sim.start(RFX410_SIM_PATH, QStringList{"--link", link} + simOptions);
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(sim.waitForReadyRead(5000)) << "rfx410-sim printed no path";
        ASSERT_TRUE(QFileInfo::exists(link));
        std::ofstream(dir.filePath("RFX410.INI").toStdString(), std::ios::binary)
            << "[Ports]\r\nCOM1=" << link.toStdString() << "\r\n[Settings]\r\n" << settings;
        form = std::make_unique<TMain_Form>(services, TMain_Form::StartOptions{dir.path().toStdString(), linearity});
        caliDlg = std::make_unique<analysis::TCaliDlgForm>(services, form.get());
        cellConst = std::make_unique<analysis::TCellConst>(form->CellConstantMeasurement(), form->Settings(), services,
                                                           form.get());
        windows.caliDlg = caliDlg.get();
        windows.cellConst = cellConst.get();
        form->SetDialogs(&windows);
        form->show();
        ASSERT_TRUE(form->DataObject().Driver().Connected()) << form->DataObject().Driver().LastOpenError();
    }
    void TearDown() override {
        cellConst.reset();
        caliDlg.reset();
        form.reset();
        if (sim.state() != QProcess::NotRunning) {
            sim.terminate();
            sim.waitForFinished(3000);
        }
    }
    bool runChain(int maxMs = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!form->StateMachine().IsIdle()) {
            if (timer.elapsed() > maxMs) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }
    QString shown(const char* name) { return form->findChild<QLabel*>(name)->text(); }

    testsupport::RealTimePlatform real;
    platform::Platform& services = real.services;
    QTemporaryDir dir;
    QProcess sim;
    std::unique_ptr<TMain_Form> form;
    std::unique_ptr<analysis::TCaliDlgForm> caliDlg;
    std::unique_ptr<analysis::TCellConst> cellConst;
    AppDialogs windows;
};

TEST_F(OverPty, WaterContentBulkECAndCellConstantFollowTheMedium) {
    start({"--dielectric", "16", "--conductivity", "0.12"}, "CellConst=6\r\n");
    form->CalcWCClick();
    ASSERT_TRUE(runChain());
    EXPECT_EQ(shown("stVWC"), "   0.279");  // X = 4, Ledieu: 0.1138 x 4 - 0.1758
    form->CalcBulkECClick();
    ASSERT_TRUE(runChain());
    EXPECT_EQ(shown("stBulkEC"), "  0.1200");  // G = 0.12 / 6 S, times Kp 6
    cellConst->show();
    cellConst->CalculateBtnClick();
    cellConst->findChild<QLineEdit*>("WaterTempEd")->setText("20");
    cellConst->DoItBtnClick();
    ASSERT_TRUE(runChain(40000));
    EXPECT_EQ(cellConst->CellConstantText(), "6.0000");
    cellConst->hide();
    EXPECT_TRUE(real.dialogs.texts().empty()) << real.dialogs.texts().front();
}

TEST_F(OverPty, LinearityTestOnTheReferenceSourceIsFlat) {
    start({"--reference-source"}, "", true);
    form->LinearityTestClick();
    ASSERT_TRUE(runChain(40000));
    EXPECT_EQ(real.dialogs.texts(), std::vector<std::string>{"Connect PG3300 SO to input."});
    const int n = form->Buffers().Header.PointCount;
    ASSERT_GT(n, 100);
    EXPECT_EQ(form->SettingText(TagPoints), std::to_string(n));
    for (int j = 0; j < n; ++j) ASSERT_NEAR(form->Buffers().SavedWave[static_cast<std::size_t>(j)], 0.2008, 0.003) << j;
    EXPECT_TRUE(form->Buffers().LinearityWaveShown);
}

}  // namespace
}  // namespace app::testing
