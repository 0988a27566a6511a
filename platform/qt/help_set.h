#pragma once
// One help set: a folder of HTML topics plus three plain-text tables that tie them together.
//
//   map.txt       "<context number> | <topic>"          which topic a context number opens
//   contents.txt  "<title> | <topic>", indented by two   the contents tree (a line without a
//                 spaces per level                       topic is a heading)
//   index.txt     "<keyword> | <topic>"                  the keyword index
//
// Blank lines and lines starting with "#" are ignored. A topic is a file name in the folder,
// optionally followed by "#anchor".

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <map>

namespace platform {

struct HelpContentsEntry {
    QString title;
    QString topic;  // empty for a heading
    int depth = 0;
};

struct HelpIndexEntry {
    QString keyword;
    QString topic;
};

class HelpSet {
public:
    // Reads the three tables from `directory` (a file path or a ":/..." resource path).
    // Lines that cannot be read are skipped and described in errors().
    static HelpSet load(const QString& directory);

    // Each table parsed on its own; `source` names the table in error messages.
    static std::map<int, QString> parseMap(const QString& text, const QString& source, QStringList& errors);
    static QList<HelpContentsEntry> parseContents(const QString& text, const QString& source, QStringList& errors);
    static QList<HelpIndexEntry> parseIndex(const QString& text, const QString& source, QStringList& errors);

    bool isLoaded() const { return loaded_; }
    const QString& directory() const { return directory_; }
    const QStringList& errors() const { return errors_; }

    const std::map<int, QString>& contextMap() const { return contextMap_; }
    const QList<HelpContentsEntry>& contents() const { return contents_; }
    // Sorted by keyword, ignoring case.
    const QList<HelpIndexEntry>& index() const { return index_; }

    // The topic a context number opens; empty when the number is not mapped.
    QString topicForContext(int context) const;
    // Position in index() of the first keyword starting with `partial` (ignoring case), else of
    // the first containing it; 0 for an empty text; -1 when nothing matches.
    int firstIndexMatch(const QString& partial) const;
    // The address the viewer loads for a topic ("welcome.html#start").
    QUrl topicUrl(const QString& topic) const;
    // The file behind a topic, without its anchor.
    QString topicFilePath(const QString& topic) const;

private:
    bool loaded_ = false;
    QString directory_;
    QStringList errors_;
    std::map<int, QString> contextMap_;
    QList<HelpContentsEntry> contents_;
    QList<HelpIndexEntry> index_;
};

}  // namespace platform
