#include "editors/patterns/ImageFileFilter.h"

#include "widgets/dialogs/FileFilters.h"

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
    return QtFileFilters(storedFilter, Readable).join(QStringLiteral(";;"));
}
