#pragma once
// Platform services for a program without windows: messages go to standard error (and are
// kept until taken, so a measurement can report what went wrong), questions are answered
// No, tones and help do nothing.

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/tones.h"

#include <iostream>
#include <string>
#include <vector>

namespace cli {

class ConsoleDialogs : public platform::Dialogs {
public:
    void message(std::string_view text, platform::MessageKind, std::string_view) override {
        std::string line;
        for (char c : text)
            if (c != '\r') line += c;  // message boxes break lines with CR LF
        std::cerr << line << '\n';
        kept_.push_back(std::move(line));
    }
    // The messages shown since the last call.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(kept_);
        return taken;
    }
    platform::Answer ask(std::string_view text, platform::Question buttons, std::string_view title) override {
        message(text, platform::MessageKind::Plain, title);
        return buttons == platform::Question::YesNo ? platform::Answer::No : platform::Answer::Cancel;
    }
    std::optional<std::string> openFile(const platform::FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const platform::FileDialogOptions&) override { return std::nullopt; }

private:
    std::vector<std::string> kept_;
};

class SilentTones : public platform::Tones {
public:
    void beep(int, int) override {}
    void messageBeep(unsigned) override {}
};

class NoHelp : public platform::Help {
public:
    void setHelpFile(std::string_view) override {}
    void showContext(int) override {}
    void showContents() override {}
    void showIndex(std::string_view) override {}
};

}  // namespace cli
