#include "platform/qt/help_set.h"

#include <QFile>

#include <algorithm>

namespace platform {

namespace {

constexpr int IndentPerLevel = 2;

// The lines of a table worth reading, with their 1-based line numbers.
template <typename Visit>
void forEachLine(const QString& text, Visit visit) {
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) continue;
        visit(line, i + 1);
    }
}

// "left | right" split at the last bar, so that a left part may hold bars of its own.
bool splitAtBar(const QString& line, QString& left, QString& right) {
    const qsizetype bar = line.lastIndexOf(u'|');
    if (bar < 0) return false;
    left = line.left(bar).trimmed();
    right = line.mid(bar + 1).trimmed();
    return true;
}

QString lineError(const QString& source, int line, const QString& what) {
    return QStringLiteral("%1 line %2: %3").arg(source).arg(line).arg(what);
}

QString readText(const QString& path, QStringList& errors) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors << QStringLiteral("%1: %2").arg(path, file.errorString());
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

}  // namespace

std::map<int, QString> HelpSet::parseMap(const QString& text, const QString& source, QStringList& errors) {
    std::map<int, QString> map;
    forEachLine(text, [&](const QString& line, int number) {
        QString left, topic;
        bool isNumber = false;
        const int context = splitAtBar(line, left, topic) ? left.toInt(&isNumber) : 0;
        if (!isNumber || topic.isEmpty()) {
            errors << lineError(source, number, QStringLiteral("expected \"<number> | <topic>\""));
            return;
        }
        if (!map.emplace(context, topic).second)
            errors << lineError(source, number, QStringLiteral("context %1 is mapped twice").arg(context));
    });
    return map;
}

QList<HelpContentsEntry> HelpSet::parseContents(const QString& text, const QString& source, QStringList& errors) {
    QList<HelpContentsEntry> entries;
    forEachLine(text, [&](const QString& line, int number) {
        const qsizetype indent = std::find_if(line.begin(), line.end(), [](QChar c) { return c != u' '; }) - line.begin();
        HelpContentsEntry entry;
        entry.depth = static_cast<int>(indent / IndentPerLevel);
        const int deepest = entries.isEmpty() ? 0 : entries.back().depth + 1;
        if (indent % IndentPerLevel != 0 || entry.depth > deepest) {
            errors << lineError(source, number, QStringLiteral("indentation must grow by two spaces per level"));
            return;
        }
        if (!splitAtBar(line, entry.title, entry.topic)) entry.title = line.trimmed();
        if (entry.title.isEmpty()) {
            errors << lineError(source, number, QStringLiteral("an entry needs a title"));
            return;
        }
        entries << entry;
    });
    return entries;
}

QList<HelpIndexEntry> HelpSet::parseIndex(const QString& text, const QString& source, QStringList& errors) {
    QList<HelpIndexEntry> entries;
    forEachLine(text, [&](const QString& line, int number) {
        HelpIndexEntry entry;
        if (!splitAtBar(line, entry.keyword, entry.topic) || entry.keyword.isEmpty() || entry.topic.isEmpty()) {
            errors << lineError(source, number, QStringLiteral("expected \"<keyword> | <topic>\""));
            return;
        }
        entries << entry;
    });
    std::stable_sort(entries.begin(), entries.end(), [](const HelpIndexEntry& a, const HelpIndexEntry& b) {
        return QString::compare(a.keyword, b.keyword, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

HelpSet HelpSet::load(const QString& directory) {
    HelpSet set;
    set.directory_ = directory;
    QStringList& errors = set.errors_;
    const QString mapPath = directory + QStringLiteral("/map.txt");
    if (!QFile::exists(mapPath)) {
        errors << QStringLiteral("%1 is not a help set (it has no map.txt).").arg(directory);
        return set;
    }
    set.contextMap_ = parseMap(readText(mapPath, errors), QStringLiteral("map.txt"), errors);
    set.contents_ = parseContents(readText(directory + QStringLiteral("/contents.txt"), errors),
                                  QStringLiteral("contents.txt"), errors);
    set.index_ = parseIndex(readText(directory + QStringLiteral("/index.txt"), errors), QStringLiteral("index.txt"), errors);
    set.loaded_ = true;
    return set;
}

QString HelpSet::topicForContext(int context) const {
    const auto found = contextMap_.find(context);
    return found == contextMap_.end() ? QString() : found->second;
}

int HelpSet::firstIndexMatch(const QString& partial) const {
    const QString wanted = partial.trimmed();
    if (wanted.isEmpty()) return index_.isEmpty() ? -1 : 0;
    for (int i = 0; i < index_.size(); ++i)
        if (index_[i].keyword.startsWith(wanted, Qt::CaseInsensitive)) return i;
    for (int i = 0; i < index_.size(); ++i)
        if (index_[i].keyword.contains(wanted, Qt::CaseInsensitive)) return i;
    return -1;
}

QString HelpSet::topicFilePath(const QString& topic) const {
    const qsizetype hash = topic.indexOf(u'#');
    return directory_ + u'/' + (hash < 0 ? topic : topic.left(hash));
}

QUrl HelpSet::topicUrl(const QString& topic) const {
    const qsizetype hash = topic.indexOf(u'#');
    QUrl url = directory_.startsWith(u':') ? QUrl(QStringLiteral("qrc") + topicFilePath(topic))
                                           : QUrl::fromLocalFile(topicFilePath(topic));
    if (hash >= 0) url.setFragment(topic.mid(hash + 1));
    return url;
}

}  // namespace platform
