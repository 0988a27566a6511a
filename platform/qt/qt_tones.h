#pragma once
// Tones played as a sine wave on the default audio output; silent when there is none.

#include "platform/tones.h"

#include <memory>

namespace platform {

class QtTones : public Tones {
public:
    QtTones();
    ~QtTones() override;
    void beep(int frequencyHz, int durationMs) override;
    void messageBeep(unsigned type) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
