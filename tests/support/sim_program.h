#pragma once
// rfx410-sim as a child process for end-to-end tests over a real pseudo-terminal, with
// short, bounded waits. The including target defines RFX410_SIM_PATH.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <functional>
#include <string>

namespace testsupport {

// Runs the event loop until done() holds or maxMs passed; returns done().
inline bool waitFor(const std::function<bool()>& done, int maxMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > maxMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

class SimProgram {
public:
    explicit SimProgram(const QStringList& args) {
        process_.start(QStringLiteral(RFX410_SIM_PATH), args);
        if (!process_.waitForStarted(3000)) return;
        devicePath = nextDevicePath(5000);
    }
    ~SimProgram() { stop(); }
    SimProgram(const SimProgram&) = delete;
    SimProgram& operator=(const SimProgram&) = delete;

    // The next line the simulator prints on standard output: the device it serves (again).
    std::string nextDevicePath(int maxMs) {
        QElapsedTimer timer;
        timer.start();
        while (!process_.canReadLine() && timer.elapsed() < maxMs && process_.state() == QProcess::Running)
            process_.waitForReadyRead(100);
        return QString::fromUtf8(process_.readLine()).trimmed().toStdString();
    }
    // SIGUSR1: the first pulls the cable, the next puts it back.
    void toggleCable() { ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1); }

    // SIGTERM, and the exit code (-1 when it had to be killed).
    int stop() {
        if (process_.state() == QProcess::NotRunning) return process_.exitCode();
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(1000);
            return -1;
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    // Everything written to standard error so far.
    QString errorOutput() {
        errors_ += QString::fromUtf8(process_.readAllStandardError());
        return errors_;
    }

    std::string devicePath;

private:
    QProcess process_;
    QString errors_;
};

}  // namespace testsupport
