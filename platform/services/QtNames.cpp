#include "platform/services/QtNames.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QUrl>

#include "platform/Paths.h"
#include "platform/Text.h"

namespace ORBAX_Platform {

QString display_text(const std::wstring& text)
{
    return QString::fromStdWString(holds_carried_bytes(text) ? shown_name(text) : text);
}

// QString keeps a lone surrogate, so a carried byte goes in as it is.
QString qt_from_name(const std::wstring& name) { return QString::fromStdWString(name); }

bool name_from_qt(const QString& text, std::wstring& name)
{
    name.clear();
    name.reserve(static_cast<std::size_t>(text.size()));
    bool replaced = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t c = text[k].unicode();
        if (QChar::isHighSurrogate(c) && k + 1 < text.size() && QChar::isLowSurrogate(text[k + 1].unicode())) {
            name += static_cast<wchar_t>(QChar::surrogateToUcs4(c, text[k + 1].unicode()));
            ++k;
            continue;
        }
        if (c == 0xFFFD)
            replaced = true;
        name += static_cast<wchar_t>(c);
    }
    std::filesystem::path path;
    if (!path_from_wide(name, path))
        return false;
    struct stat status {};
    return !replaced || ::lstat(path.c_str(), &status) == 0;
}

std::wstring name_from_url(const QUrl& url)
{
    QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    const QString host = url.host(QUrl::FullyEncoded);
    if (!host.isEmpty())
        bytes.prepend(QStringLiteral("//%1").arg(host).toUtf8());
    return wide_from_name(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QUrl url_from_name(const std::wstring& name)
{
    std::string bytes;
    if (!name_from_wide(name, bytes) || bytes.empty())
        return QUrl();
    // A path's own delimiters stay as they are, as QUrl::fromLocalFile leaves them.
    const QByteArray path = QByteArray::fromStdString(bytes).toPercentEncoding("/!$&'()*+,;=:@");
    return QUrl::fromEncoded(QByteArrayLiteral("file://") + path, QUrl::StrictMode);
}

} // namespace ORBAX_Platform
