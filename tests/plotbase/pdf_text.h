#pragma once
// The text of a PDF file as pdftotext reads it (empty when it cannot be read).

#include <QProcess>
#include <QString>

namespace plotbase::testing {

inline QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace plotbase::testing
