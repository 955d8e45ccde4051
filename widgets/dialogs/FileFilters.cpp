#include "widgets/dialogs/FileFilters.h"

QStringList QtFileFilters(const std::wstring& filters, const std::function<bool(const QStringList& patterns)>& keep)
{
    const QStringList parts = QString::fromStdWString(filters).split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        if (label.isEmpty())
            break;
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            // Names are case-sensitive here: "*.csv" alone would hide "HOLE.CSV".
            patterns << pattern;
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
            if (pattern.toLower() != pattern)
                patterns << pattern.toLower();
        }
        if (patterns.isEmpty() || (keep && !keep(patterns)))
            continue;
        if (label.endsWith(QLatin1Char(')'))) {
            const int open = label.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                label = label.left(open).trimmed();
        }
        result.push_back(label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return result;
}

QString FileFilterAt(const QStringList& filters, int position)
{
    if (filters.isEmpty())
        return QString();
    return position >= 1 && position <= filters.size() ? filters[position - 1] : filters.front();
}

int FileFilterPosition(const QStringList& filters, const QString& filter)
{
    const int index = filters.indexOf(filter);
    return index >= 0 ? index + 1 : 1;
}
