#pragma once
// Audible signals: a tone of a given pitch and length, and the system's warning sound.
// Playing never blocks the caller.

namespace platform {

class Tones {
public:
    // The system's standard sounds, by the numbers Windows programs pass for them.
    enum MessageBeepType : unsigned { Default = 0xFFFFFFFF, Ok = 0, Warning = 0x30 };

    virtual ~Tones() = default;
    virtual void beep(int frequencyHz, int durationMs) = 0;
    virtual void messageBeep(unsigned type) = 0;
};

}  // namespace platform
