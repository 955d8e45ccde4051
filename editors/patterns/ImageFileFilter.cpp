#include "editors/patterns/ImageFileFilter.h"

#include <QImageReader>
#include <QStringList>

namespace {

// True when every pattern names a format the image reader knows, or matches every file.
bool Readable(const QStringList& patterns)
{
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QString& pattern : patterns) {
        if (pattern == QLatin1String("*"))
            continue;
        const QString suffix = pattern.section(QLatin1Char('.'), -1).toLower();
        if (!formats.contains(suffix.toLatin1()))
            return false;
    }
    return true;
}

} // namespace

QString ImageFileFilter(const std::wstring& storedFilter)
{
    const QStringList parts = QString::fromStdWString(storedFilter).split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        if (label.isEmpty())
            break;
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (patterns.isEmpty() || !Readable(patterns))
            continue;
        const int bracket = label.lastIndexOf(QLatin1Char('('));
        if (bracket > 0 && label.endsWith(QLatin1Char(')')))
            label = label.left(bracket).trimmed();
        entries << label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}
