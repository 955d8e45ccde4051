#pragma once
// File names between wide text and QString. A name is kept as wide text in which a byte that is not
// part of valid UTF-8 is a carried byte (see wide_from_name). Qt keeps such a character in a QString
// as a lone surrogate but gives U+FFFD back for it through toStdWString, and shows each name it finds
// on disk whose bytes are not UTF-8 with U+FFFD in their place: a name that crosses into Qt and back
// goes through these functions, so that it comes back as the same name or is refused.
#include <string>

#include <QString>

class QUrl;

namespace ORBAX_Platform {

// Text for a widget (a message, a title, a menu entry): each carried byte shown as U+FFFD.
QString display_text(const std::wstring& text);
// A name as a QString that name_from_qt turns back into the same name (the name a prompt starts
// from, the text of a field that holds a name).
QString qt_from_name(const std::wstring& name);
// A name from Qt (a prompt, a field) as wide text. False where it cannot stand for the file it names:
// one holding U+FFFD (as Qt shows a byte that is not UTF-8) unless a file or folder has exactly that
// name, or one holding a character that no name can (NUL, a surrogate that is no carried byte).
bool name_from_qt(const QString& text, std::wstring& name);
// The name of the local file a URL names (a file dropped on a window) as wide text, byte for byte: the
// URL's percent-encoded path gives the name's bytes, where QUrl::toLocalFile would decode them as UTF-8
// and put U+FFFD for each byte that is not. A URL with a host gives "//host" before the path, as
// toLocalFile does.
std::wstring name_from_url(const QUrl& url);
// The URL of a local file by its name, byte for byte: a byte that is not part of UTF-8 is percent-encoded
// as itself, where QUrl::fromLocalFile would put U+FFFD for it and so name another file. An empty URL for
// a name that no file can have. The reverse of name_from_url.
QUrl url_from_name(const std::wstring& name);

} // namespace ORBAX_Platform
