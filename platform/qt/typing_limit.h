#pragma once
// How many characters the user may type into an edit. QLineEdit's maxLength would cut the
// texts the program sets as well (a longer value read from a settings file or reported by
// the instrument); these checks, made in an edit's key filter, limit typing only.

class QKeyEvent;
class QLineEdit;

namespace platform {

// True when the key types a character (as QLineEdit would insert it: printable text)
// while the edit, less the selection the character replaces, already holds `limit`.
bool TypesPastLimit(const QLineEdit& edit, const QKeyEvent& key, int limit);

// True for the keys that paste (Ctrl+V, Shift+Insert ...): pasting would put in text that
// neither the key filter nor the typing limit has seen.
bool IsPasteKey(const QKeyEvent& key);

}  // namespace platform
