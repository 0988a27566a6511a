// A whole operating-system upgrade through the dialog, the production serial layer and
// clock, against rfx410-sim on a pseudo-terminal, from a file made by srec_cat. Bounded in
// time: the simulated erase is shortened (to 1 s) and every wait has its limit.

#include "link/dialogs/os_download_dialog.h"

#include "tests/support/real_time_platform.h"
#include "tests/support/sim_program.h"

#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace instrument {
namespace {

using testsupport::SimProgram;
using testsupport::waitFor;

TEST(UpgradeOverPty, AFileFromSrecCatReachesTheInstrument) {
    const QString srecCat = QStandardPaths::findExecutable("srec_cat");
    if (srecCat.isEmpty()) GTEST_SKIP() << "srec_cat is not installed (Debian package srecord)";
    QTemporaryDir dir;
    const QString firmware = dir.filePath("RFX410_3_13.SR");
    QProcess make;
    make.start(srecCat, {"-generate", "0x8000", "0x9000", "-repeat-string", "RFX410 OS 3.13 ",
                         "-execution-start-address=0x8000", "-o", firmware});
    ASSERT_TRUE(make.waitForFinished(10000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();

    // The erase must outlast the 500 ms after "S" in which WAVIX discards what arrives.
    SimProgram sim({"--erase-ms", "1000", "--verbose"});
    ASSERT_FALSE(sim.devicePath.empty()) << sim.errorOutput().toStdString();
    testsupport::RealTimePlatform real;
    platform::Platform& services = real.services;
    TTDRdataObject link(services);
    link.Driver().SetLogDirectory(dir.path().toStdString());
    ASSERT_TRUE(link.OpenPortPath(sim.devicePath, 57600)) << link.Driver().LastOpenError();

    TOSdownForm dialog(link, services);
    dialog.show();
    dialog.SetFileName(firmware);
    auto* bar = dialog.findChild<QProgressBar*>("OSdownProg");
    int highest = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) { highest = std::max(highest, value); });
    dialog.OKbtnClick();
    ASSERT_TRUE(waitFor([&] { return !dialog.isVisible(); }, 30000)) << "records sent: " << dialog.Upgrade().Sent();
    EXPECT_EQ(real.dialogs.texts(), std::vector<std::string>{OsUpgradeText::Succeeded}) << sim.errorOutput().toStdString();
    // 128 data records of 32 bytes, the header, the count and the end record.
    EXPECT_EQ(dialog.Upgrade().RecordCount(), 131);
    EXPECT_EQ(dialog.Upgrade().Sent(), 131);
    EXPECT_EQ(highest, 99);
    EXPECT_EQ(bar->value(), 0);

    // The instrument now runs the next build.
    link.RestoreFraming();
    std::vector<std::int32_t> codes;
    ASSERT_EQ(link.GetCommand("GVER", 5, [&](std::int32_t code) { codes.push_back(code); }), Success);
    ASSERT_TRUE(waitFor([&] { return !codes.empty(); }, 5000));
    EXPECT_EQ(codes.front(), Success);
    EXPECT_EQ(link.Version[3], 101u);
}

}  // namespace
}  // namespace instrument
