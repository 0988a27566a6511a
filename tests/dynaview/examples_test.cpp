// The examples of dynaview/README.md: the C program is the one the README shows, and it and
// the Python script run and report their alarms.

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string sourceDir() { return qEnvironmentVariable("WAVIX_SOURCE_DIR").toStdString(); }
std::string buildDir() { return qEnvironmentVariable("WAVIX_BUILD_DIR").toStdString(); }

struct ProcessResult {
    int exitCode = -1;
    std::string output;
};

ProcessResult run(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
#ifdef DYNAVIEW_ASAN_RUNTIME
    // A sanitized library loaded into a program that is not (python3) needs the runtime first.
    if (program == QStringLiteral("python3")) {
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(DYNAVIEW_ASAN_RUNTIME));
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    }
#endif
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(buildDir()));
    process.start(program, arguments);
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput().toStdString()};
}

TEST(Examples, TheReadmeShowsTheCExampleThatIsBuilt) {
    const std::string example = readFile(sourceDir() + "/dynaview/examples/live_display.c");
    ASSERT_FALSE(example.empty());
    EXPECT_NE(readFile(sourceDir() + "/dynaview/README.md").find(example), std::string::npos);
}

TEST(Examples, TheCExampleFeedsItsDisplayAndReportsAlarms) {
    // The low alarm needs about 20 ticks of the example's 100 ms timer; a loaded machine
    // (two cores, sanitizers) may deliver far fewer than ten a second, so it runs for 6 s.
    const ProcessResult c = run(QString::fromStdString(buildDir() + "/dynaview/examples/dynaview-example-c"), {QStringLiteral("6000")});
    EXPECT_EQ(c.exitCode, 0);
    EXPECT_NE(c.output.find("alarm 1 on"), std::string::npos) << c.output;
    EXPECT_NE(c.output.find("alarm 2 on"), std::string::npos) << c.output;
}

TEST(Examples, ThePythonExampleDrivesTheLibraryThroughCtypes) {
    const std::string picture = buildDir() + "/dynaview_python_example.png";
    std::remove(picture.c_str());
    const ProcessResult python = run(QStringLiteral("python3"), {QString::fromStdString(sourceDir() + "/dynaview/examples/live_display.py"),
                                                       QString::fromStdString(buildDir() + "/dynaview/libdynaview.so"),
                                                       QString::fromStdString(picture)});
    EXPECT_EQ(python.exitCode, 0) << python.output;
    EXPECT_NE(python.output.find("alarm 1 entered"), std::string::npos) << python.output;
    EXPECT_NE(python.output.find("last five samples: 8.99, 8.09, 6.85, 5.41, 3.92"), std::string::npos) << python.output;
    EXPECT_TRUE(std::ifstream(picture).good());
}

}  // namespace
