#pragma once
// Renders the help viewer to PNG files, so that anyone can look at what a user sees.

#include <QString>
#include <QStringList>

namespace help {

// The viewer opened at the topic of `context` (21, "Get Waveform", by default).
bool RenderHelpScreenshot(const QString& path, int context = 21);

// A set of views into `directory`: topics of several kinds, the keyword index, and the note
// for an unknown context. Returns the files written.
QStringList RenderHelpScreenshots(const QString& directory);

}  // namespace help
