#include "core/streams/OutputStream.h"

#include <cerrno>
#include <exception>
#include <locale>
#include <system_error>

#include "core/model/FileLimits.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace ORBAX_Utilities {
namespace {

void drop_leading_spaces_and_tabs(std::string& word)
{
    std::string::size_type first = word.find_first_not_of(" \t");
    if (first == std::string::npos)
        word.clear();
    else if (first > 0)
        word.erase(0, first);
}

} // namespace

OutputStreamBuf::OutputStreamBuf(std::streambuf& destination)
    : std::basic_stringbuf<char>(std::ios::out), m_destination(destination)
{
}

OutputStreamBuf::~OutputStreamBuf() = default;

void OutputStreamBuf::writeIndentation(std::string& out, int level)
{
    for (int i = 0; i < level; ++i) {
        if (m_step == 0) {
            out += '\t';
            m_column += 1;
        } else {
            out.append(static_cast<std::string::size_type>(m_step > 0 ? m_step : 0), ' ');
            m_column += m_step > 0 ? m_step : 0;
        }
    }
    m_atLineStart = false;
}

void OutputStreamBuf::writeWord(std::string& out, std::string& word, bool dropLeading)
{
    if (dropLeading)
        drop_leading_spaces_and_tabs(word);
    out += word;
    m_column += static_cast<int>(word.size());
    word.clear();
}

int OutputStreamBuf::sync()
{
    const std::string text = str();
    str(std::string());
    const std::ctype<char>& ct = std::use_facet<std::ctype<char>>(std::locale());
    const auto blankMask = std::ctype_base::space | std::ctype_base::blank;

    std::string out;
    out.reserve(text.size() + text.size() / 8 + 16);
    std::string word;
    for (char c : text) {
        if (c == '\n') {
            if (m_atLineStart) {
                drop_leading_spaces_and_tabs(word);
                writeIndentation(out, m_level);
            }
            out += word;
            out += '\n';
            word.clear();
            m_column = 0;
            m_atLineStart = true;
            m_midWord = false;
        } else if (m_inQuotes) {
            word += c;
            if (c == '"')
                m_inQuotes = false;
        } else if (ct.is(blankMask, c)) {
            // The word just ended decides whether it still fits on this line; the width test is made
            // against the column before the word, so a line may end one word past the width.
            // A batch that begins in the middle of a word (the previous flush ended inside it) must
            // not break before the rest of that word: that would split a name or a quoted string.
            bool continuation = m_midWord;
            m_midWord = false;
            bool dropLeading = false;
            if (!continuation && m_column + static_cast<int>(word.size()) >= m_lineWidth) {
                dropLeading = true;
                if (m_atLineStart) {
                    writeIndentation(out, m_level);
                } else {
                    out += '\n';
                    m_column = 0;
                    writeIndentation(out, m_level + 1);
                }
            } else if (m_atLineStart) {
                dropLeading = true;
                writeIndentation(out, m_level);
            }
            writeWord(out, word, dropLeading);
            word += c;
        } else {
            word += c;
            if (c == '"')
                m_inQuotes = true;
        }
    }
    if (!word.empty()) {
        bool dropLeading = m_atLineStart;
        if (m_atLineStart) {
            drop_leading_spaces_and_tabs(word);
            writeIndentation(out, m_level);
        }
        writeWord(out, word, dropLeading);
        m_midWord = !text.empty() && !ct.is(blankMask, text.back());
    }

    if (!out.empty()) {
        auto written = m_destination.sputn(out.data(), static_cast<std::streamsize>(out.size()));
        if (written != static_cast<std::streamsize>(out.size())) {
            m_writeFailed = true;
            return -1;
        }
    }
    int result = m_destination.pubsync();
    if (result != 0)
        m_writeFailed = true;
    return result;
}

OutputStream::OutputStream(const std::wstring& fileName)
    : std::basic_ostream<char>(nullptr), m_buffer(m_file.buffer()), m_uncaught(std::uncaught_exceptions())
{
    init(&m_buffer);
    if (!m_file.open(ORBAX_Platform::path_from_wide(fileName))) {
        const int code = errno ? errno : ENOENT;
        m_error = ORBAX_Platform::utf8_from_wide(ORBAX_Logging::SaveFailureText(m_file.openFailure()));
        setstate(std::ios::failbit);
        errno = code;
    }
}

OutputStream::~OutputStream()
{
    if (!m_file.isOpen())
        return;
    if (std::uncaught_exceptions() > m_uncaught)
        m_file.abandon();
    else
        close();
}

bool OutputStream::close() { return close(std::filesystem::path()); }

bool OutputStream::close(const std::filesystem::path& backupPath)
{
    if (!m_file.isOpen())
        return m_error.empty();
    // Text written but not flushed is discarded: only what the buffer passed on is saved. A failed
    // write makes the commit fail and leaves the target alone.
    const ORBAX_Platform::SafeSaveResult result =
        m_file.commit(backupPath, ORBAX_Platform::SafeFileWriter::Backup::Optional);
    m_backedUp = result.backedUp;
    m_backupError = result.backupError.empty()
                        ? std::string()
                        : ORBAX_Platform::utf8_from_wide(ORBAX_Logging::BackupFailureText(result));
    if (!result.ok) {
        m_error = result.error.empty() ? std::generic_category().message(EIO) : result.error;
        setstate(std::ios::badbit);
        return false;
    }
    return true;
}

namespace {

std::ostream& change_level(std::ostream& stream, int delta)
{
    auto* out = dynamic_cast<OutputStream*>(&stream);
    if (out == nullptr)
        return stream;
    try {
        stream.flush();
    } catch (...) {
        return stream;
    }
    out->buffer().setLevel(out->buffer().level() + delta);
    return stream;
}

} // namespace

std::ostream& indent(std::ostream& stream) { return change_level(stream, 1); }

std::ostream& outdent(std::ostream& stream) { return change_level(stream, -1); }

} // namespace ORBAX_Utilities
