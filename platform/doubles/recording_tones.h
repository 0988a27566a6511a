#pragma once
// Tones for tests: records what would have sounded.

#include "platform/tones.h"

#include <vector>

namespace platform {

struct ToneRecord {
    int frequencyHz;
    int durationMs;
    bool operator==(const ToneRecord&) const = default;
};

class RecordingTones : public Tones {
public:
    void beep(int frequencyHz, int durationMs) override { beeps.push_back({frequencyHz, durationMs}); }
    void messageBeep(unsigned type) override { messageBeeps.push_back(type); }
    void clear() {
        beeps.clear();
        messageBeeps.clear();
    }

    std::vector<ToneRecord> beeps;
    std::vector<unsigned> messageBeeps;
};

}  // namespace platform
