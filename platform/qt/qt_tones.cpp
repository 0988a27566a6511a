#include "platform/qt/qt_tones.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QMediaDevices>

#include <cmath>
#include <numbers>

namespace platform {

struct QtTones::Impl {
    QAudioFormat format;
    std::unique_ptr<QAudioSink> sink;
    std::unique_ptr<QBuffer> buffer;
    QByteArray samples;
    bool available = false;
};

QtTones::QtTones() : impl_(std::make_unique<Impl>()) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    impl_->format.setSampleRate(44100);
    impl_->format.setChannelCount(1);
    impl_->format.setSampleFormat(QAudioFormat::Int16);
    impl_->available = device.isFormatSupported(impl_->format);
}

QtTones::~QtTones() {
    if (impl_->sink) impl_->sink->stop();
}

void QtTones::beep(int frequencyHz, int durationMs) {
    if (!impl_->available || frequencyHz <= 0 || durationMs <= 0) return;
    // A new tone replaces one still playing.
    if (impl_->sink) impl_->sink->stop();
    const int rate = impl_->format.sampleRate();
    const int count = rate * durationMs / 1000;
    impl_->samples.resize(count * 2);
    auto* out = reinterpret_cast<qint16*>(impl_->samples.data());
    // Frequencies above what the sample rate can carry are folded down to the highest
    // it can, so a 10000 Hz beep still sounds.
    const double f = std::min<double>(frequencyHz, rate / 2.5);
    const int fade = std::min(count / 4, rate / 200);  // short ramps avoid clicks
    for (int i = 0; i < count; ++i) {
        double gain = 0.3;
        if (i < fade) gain *= static_cast<double>(i) / fade;
        if (count - i < fade) gain *= static_cast<double>(count - i) / fade;
        out[i] = static_cast<qint16>(gain * 32767.0 * std::sin(2.0 * std::numbers::pi * f * i / rate));
    }
    impl_->buffer = std::make_unique<QBuffer>(&impl_->samples);
    impl_->buffer->open(QIODevice::ReadOnly);
    impl_->sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), impl_->format);
    impl_->sink->start(impl_->buffer.get());
}

void QtTones::messageBeep(unsigned type) {
    // The warning sound is a short low tone; the others a short higher one.
    if (type == Warning) beep(440, 120);
    else beep(880, 80);
}

}  // namespace platform
