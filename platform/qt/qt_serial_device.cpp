#include "platform/qt/qt_serial_device.h"

#include "platform/device_access.h"

#include <QSerialPort>

namespace platform {

namespace {

class QtSerialDevice : public SerialDevice {
public:
    QtSerialDevice() {
        QObject::connect(&port_, &QSerialPort::readyRead, [this] {
            if (handler_) handler_();
        });
        // A device that vanished (a USB adapter pulled: resource error) or whose other end
        // hung up (reading gives end of file: read error) cannot be used again: it is
        // closed and reported; it has to be opened anew once it is back.
        QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
            if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError) return;
            if (!port_.isOpen()) return;
            const std::string reason = path_ + " is gone: " + port_.errorString().toStdString() + ".";
            port_.close();
            if (lostHandler_) lostHandler_(reason);
        });
    }

    bool open(const std::string& devicePath, int baud, std::string& error) override {
        path_ = devicePath;
        port_.setPortName(QString::fromStdString(devicePath));
        // The serial layer keeps its own 10000-byte input buffer; QSerialPort's own stays
        // unlimited so that nothing is lost between readyRead and takeReceived.
        port_.setReadBufferSize(0);
        if (!port_.open(QIODevice::ReadWrite)) {
            error = "Cannot open serial port " + devicePath + ": " + port_.errorString().toStdString() + ".";
            // Refused by the device's permissions: say which group may use it and how to join.
            if (port_.error() == QSerialPort::PermissionError) {
                if (const auto advice = DeviceAccessAdvice(devicePath)) error += "\n" + *advice;
            }
            return false;
        }
        if (!port_.setBaudRate(baud) || !port_.setDataBits(QSerialPort::Data8) ||
            !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::OneStop) ||
            !port_.setFlowControl(QSerialPort::NoFlowControl)) {
            error = "Cannot set " + std::to_string(baud) + " baud, 8N1 on " + devicePath + ": " +
                    port_.errorString().toStdString() + ".";
            port_.close();
            return false;
        }
        return true;
    }
    void close() override {
        if (port_.isOpen()) port_.close();
    }
    bool isOpen() const override { return port_.isOpen(); }
    bool write(std::span<const std::uint8_t> bytes, std::string& error) override {
        const auto size = static_cast<qint64>(bytes.size());
        const qint64 written = port_.write(reinterpret_cast<const char*>(bytes.data()), size);
        if (written != size || port_.error() == QSerialPort::WriteError || port_.error() == QSerialPort::ResourceError) {
            error = "Writing to " + path_ + " failed: " + port_.errorString().toStdString() + ".";
            port_.clearError();
            return false;
        }
        // Hand the bytes to the system at once: what the program wrote has been sent as far
        // as it is concerned, and a later discard must not take it back.
        port_.flush();
        if (!port_.isOpen()) {  // the device went away while the bytes were handed over
            error = "Writing to " + path_ + " failed: the device is gone.";
            return false;
        }
        return true;
    }
    // Discards only what never reached the system (it keeps whatever is already on its
    // way), so a character written just before is not lost.
    void discardOutput() override {
        if (port_.bytesToWrite() > 0) port_.clear(QSerialPort::Output);
    }
    std::vector<std::uint8_t> takeReceived() override {
        const QByteArray data = port_.readAll();
        return std::vector<std::uint8_t>(data.begin(), data.end());
    }
    void setReceiveHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setLostHandler(std::function<void(const std::string&)> handler) override { lostHandler_ = std::move(handler); }

private:
    QSerialPort port_;
    std::string path_;
    std::function<void()> handler_;
    std::function<void(const std::string&)> lostHandler_;
};

}  // namespace

std::unique_ptr<SerialDevice> QtSerialDeviceFactory::create() { return std::make_unique<QtSerialDevice>(); }

}  // namespace platform
