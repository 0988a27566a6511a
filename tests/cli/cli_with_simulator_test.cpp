// wavix-cli against rfx410-sim over a real pseudo-terminal: the program's link through the
// production serial port, end to end.

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
        EXPECT_TRUE(p.waitForFinished(20000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
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

TEST_F(CliWithSimulator, PortThatCannotBeOpenedIsNamed) {
    QProcess p;
    p.start(WAVIX_CLI_PATH, {"--port", dir.filePath("missing"), "get", "DUMP"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(dir.filePath("missing")));
}

}  // namespace
