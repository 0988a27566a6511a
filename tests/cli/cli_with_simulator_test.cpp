// wavix-cli against rfx410-sim over a real pseudo-terminal: the program's link through the
// production serial port, end to end.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/types.h>

namespace {

class CliWithSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        link = dir.filePath("rfx410");
    }
    void TearDown() override {
        if (sim.state() != QProcess::NotRunning) {
            sim.terminate();
            sim.waitForFinished(3000);
        }
    }
    void startSimulator(QStringList options = {}) {
        sim.start(RFX410_SIM_PATH, QStringList{"--link", link} + options);
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(sim.waitForReadyRead(5000)) << "rfx410-sim printed no path";
        ASSERT_TRUE(QFileInfo::exists(link));
    }
    struct Result {
        int exitCode;
        QString out;
        QString err;
    };
    Result cli(QStringList args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(WAVIX_CLI_PATH, QStringList{"--port", link} + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    QStringList lines(const QString& name) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString link;
    QProcess sim;
};

TEST_F(CliWithSimulator, DumpAndTheWaveformComeBackDecoded) {
    startSimulator();
    auto r = cli({"set", "SPNT 2048"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({"get", "DUMP"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QRegularExpression("Points\\s+2048"))) << r.out.toStdString();
    r = cli({"--csv", "get", "GWAV"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2049);  // the header and 2048 points
    EXPECT_EQ(lines.front(), "point,value");
    EXPECT_TRUE(lines.back().startsWith("2048,"));
}

// A device the user may not open names the group that may, taken from the device itself.
// Permissions do not hold the superuser back, so as root the program runs as "nobody".
TEST_F(CliWithSimulator, ADeviceRefusedByItsPermissionsNamesTheGroupToJoin) {
    const QString device = dir.filePath("ttyUSB9");
    QFile(device).open(QIODevice::WriteOnly);
    QStringList command{WAVIX_CLI_PATH, "--port", device, "get", "DUMP"};
    std::string expected;
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (setpriv.isEmpty()) GTEST_SKIP() << "setpriv is needed to run as another user";
        const struct group* dialout = ::getgrnam("dialout");
        const gid_t group = dialout ? dialout->gr_gid : 0;
        ASSERT_EQ(::chown(device.toLocal8Bit().constData(), 0, group), 0);
        ASSERT_EQ(::chmod(device.toLocal8Bit().constData(), 0660), 0);
        ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
        command = QStringList{setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"} + command;
        expected = "sudo usermod -aG " + std::string(::getgrgid(group)->gr_name) + " ";
    } else {
        ASSERT_EQ(::chmod(device.toLocal8Bit().constData(), 0), 0);
        expected = "chmod u+rw " + device.toStdString();
    }
    QProcess p;
    p.setWorkingDirectory(QDir::tempPath());  // nobody may not write into the test's folder
    p.start(command.takeFirst(), command);
    ASSERT_TRUE(p.waitForFinished(30000));
    const std::string err = QString::fromUtf8(p.readAllStandardError()).toStdString();
    EXPECT_EQ(p.exitCode(), 2) << err;
    EXPECT_NE(err.find("Cannot open serial port " + device.toStdString()), std::string::npos) << err;
    EXPECT_NE(err.find(expected), std::string::npos) << err;
}

TEST_F(CliWithSimulator, FailuresGoToStandardErrorWithTheirExitStatus) {
    startSimulator({"--fault", "bad-crc:DUMP"});
    auto r = cli({"get", "DUMP"});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.contains("ERROR: Response to Command DUMP = CRC FAILED")) << r.err.toStdString();
    r = cli({"set", "SNAV 500"});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_TRUE(r.err.contains("Value Out Of Range")) << r.err.toStdString();
    r = cli({"--timeout", "1", "get", "GXYZ"});  // the instrument does not know it
    EXPECT_EQ(r.exitCode, 5);
}

TEST_F(CliWithSimulator, MeasuresWaterContentAndBulkECThatFollowTheMedium) {
    startSimulator({"--dielectric", "16", "--conductivity", "0.12"});
    auto r = cli({"measure", "wc"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // X = sqrt(16) = 4; Ledieu (the default equation): 0.1138 x 4 - 0.1758 = 0.2794.
    EXPECT_TRUE(r.out.contains(QRegularExpression("X = La/L\\s+(4|3\\.9999)"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QRegularExpression("Water content\\s+0\\.279\\n"))) << r.out.toStdString();
    // G = EC / Kp = 0.12 / 6 = 0.02 S; with Kp 6 the bulk EC is the medium's.
    r = cli({"--json", "measure", "ec", "--kp", "6"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"bulk_ec_s_per_m\":0.1200")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("\"error\":null"));
    // A waveform with its settings as given.
    r = cli({"--csv", "measure", "waveform", "--points", "100", "--start", "6", "--length", "4"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList rows = r.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[1].contains(",waveform,1,4,100,6,4,0.3,0,")) << rows[1].toStdString();
    EXPECT_EQ(rows[1].split(',').last().split(' ').size(), 100);
    // A setting out of range is refused before anything is sent.
    r = cli({"measure", "wc", "--averages", "500"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Waveform Average Value is Out of Range [ 1 to 128 ]")) << r.err.toStdString();
}

TEST_F(CliWithSimulator, LogsRowsSurvivesAFailedMeasurementAndStopsOnCtrlC) {
    startSimulator({"--fault", "error=16:GMOS"});  // the first water content fails
    QFile(dir.filePath("log.csv")).open(QIODevice::WriteOnly);  // an empty file gets the header
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(WAVIX_CLI_PATH, {"--port", link, "measure", "wc", "--every", "1", "--output", "log.csv"});
    ASSERT_TRUE(p.waitForStarted(5000));
    QElapsedTimer timer;
    timer.start();
    while (lines("log.csv").size() < 4 && timer.elapsed() < 30000) p.waitForFinished(200);
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("stopped after"));
    const QStringList rows = lines("log.csv");
    ASSERT_GE(rows.size(), 4);
    EXPECT_TRUE(rows[0].startsWith("time,measurement,vp,"));
    EXPECT_TRUE(rows[1].contains("Bad Moisture Calculation")) << rows[1].toStdString();
    for (int i = 2; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i].contains(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d,wc,")))
            << rows[i].toStdString();
        EXPECT_TRUE(rows[i].contains(",0.333,1,,,,,")) << rows[i].toStdString();  // Ka 20, Ledieu
    }

    // Run again with a count: the file is continued under the same header.
    auto r = cli({"measure", "wc", "--every", "1", "--count", "1", "--output", "log.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(lines("log.csv").size(), rows.size() + 1);
    EXPECT_EQ(lines("log.csv").filter("time,measurement").size(), 1);
}

TEST_F(CliWithSimulator, DeadLineIsReportedAndRetried) {
    startSimulator({"--fault", "dead-line:GTIM"});
    auto r = cli({"--json", "measure", "wc", "--every", "1", "--count", "2"});
    EXPECT_EQ(r.exitCode, 4);  // no measurement worked
    const QStringList rows = r.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), 2) << r.out.toStdString();
    EXPECT_TRUE(rows[0].contains("\"error\":\"Error: Failed to get water content!\"")) << rows[0].toStdString();
    EXPECT_TRUE(rows[1].contains("RFX410 Set Settings Command Failed")) << rows[1].toStdString();
    EXPECT_TRUE(r.err.contains("no answer from the instrument on " + link)) << r.err.toStdString();
}

TEST_F(CliWithSimulator, PortThatCannotBeOpenedIsNamed) {
    QProcess p;
    p.start(WAVIX_CLI_PATH, {"--port", dir.filePath("missing"), "get", "DUMP"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(dir.filePath("missing")));
}

}  // namespace
