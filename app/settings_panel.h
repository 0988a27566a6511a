#pragma once
// The seven instrument settings edits of the main window: their table, the keystroke
// filter, validation, the texts shown after the instrument reported its settings, and
// the set commands that carry them. Pure logic: the window binds it to its edits.

#include "link/data_object.h"
#include "platform/numbers.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// Edits by their tag, 1 to 7, in the order they are validated and sent.
enum SettingTag : int { TagVp = 1, TagAverages, TagPoints, TagStart, TagLength, TagProbeLength, TagProbeOffset };
inline constexpr int SettingCount = 7;
// Characters the user may type into a settings edit (texts the program sets may be longer).
inline constexpr int SettingMaxTyped = 7;

struct SettingEdit {
    int tag;
    const char* objectName;
    const char* group;
    const char* label;
    const char* accessibleName;
    const char* rangeLabel;
    const char* command;      // set command name
    const char* iniKey;
    const char* defaultText;  // start-up default
    int decimals;             // decimals the key filter allows; -1 no limit
    int helpContext;
    const char* hint;
};

const std::array<SettingEdit, SettingCount>& SettingEdits();
const SettingEdit& Edit(int tag);

using SettingTexts = std::array<std::string, SettingCount>;  // index tag - 1

// What the keystroke filter does with one typed character.
struct KeyDecision {
    bool accept = false;
    bool beep = false;          // the warning beep sounds
    bool caretToStart = false;  // move the caret to the start (no selection) before inserting
};
inline constexpr char Backspace = 8;
// The warning beep of a refused keystroke (a message beep of this type).
inline constexpr unsigned RefusedKeyBeep = 9;

// `selStart` is the 0-based caret (or selection start), `selLength` the selection length.
// The decimal point is the locale's separator, the one validation reads.
KeyDecision FilterKey(int tag, std::string_view text, int selStart, int selLength, char key, char point = '.');

struct ValidationFailure {
    int tag;
    std::string message;
};
// Checks the seven texts in tag order; the first bad one is reported.
std::optional<ValidationFailure> ValidateSettings(const SettingTexts& texts, const platform::Numbers& numbers);

// The edits' texts for the settings the instrument reported.
SettingTexts DisplayTexts(const instrument::InstrumentSettings& settings, const platform::Numbers& numbers);

// "S_VP 0.67": the command name, one space and the edit's text exactly as typed.
std::string SetCommandText(int tag, std::string_view text);

}  // namespace app
