#pragma once
// A mosquitto broker of the test's own on 127.0.0.1 at a free port, started and stopped by
// the test (and again, on the same port, to see a link come back).

#include "tests/support/own_temp_path.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTcpServer>
#include <QThread>

#include <fstream>
#include <string>

namespace testsupport {

class MqttBroker {
public:
    MqttBroker() {
        program_ = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
        if (program_.isEmpty()) program_ = QStandardPaths::findExecutable(QStringLiteral("mosquitto"), {QStringLiteral("/usr/sbin")});
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, 0)) port_ = probe.serverPort();
        config_ = OwnTempPath("mosquitto", ".conf");
        std::ofstream(config_) << "listener " << port_ << " 127.0.0.1\nallow_anonymous true\npersistence false\n";
    }
    ~MqttBroker() {
        stop();
        std::error_code ignored;
        std::filesystem::remove(config_, ignored);
    }

    bool available() const { return !program_.isEmpty() && port_ != 0; }
    int port() const { return port_; }
    std::string url() const { return "mqtt://127.0.0.1:" + std::to_string(port_); }

    // Starts it and waits until it takes connections.
    bool start() {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.start(program_, {QStringLiteral("-c"), QString::fromStdString(config_.string())});
        if (!process_.waitForStarted(5000)) return false;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
            if (socket.waitForConnected(200)) return true;
            QThread::msleep(20);
        }
        return false;
    }
    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

private:
    QString program_;
    int port_ = 0;
    std::filesystem::path config_;
    QProcess process_;
};

}  // namespace testsupport
