#pragma once
// Text files that people read and edit (the configuration file above all) are written through this
// stream: nested blocks are indented and long lines are broken at blanks, never inside a
// double-quoted string. Writers stream text and newlines; each batch is reformatted when the stream
// is flushed.
//
// The file is saved as every file is (platform/SafeFile.h): written to a temporary file beside the
// target and only renamed into place when the stream is closed (explicitly, or by the destructor when
// no exception is unwinding). A writer that fails half-way therefore leaves the previous file as it
// was.
#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "platform/SafeFile.h"

namespace ORBAX_Utilities {

class OutputStreamBuf : public std::basic_stringbuf<char> {
public:
    explicit OutputStreamBuf(std::streambuf& destination);
    ~OutputStreamBuf() override;

    // Where the reformatted text goes.
    std::streambuf& destination() { return m_destination; }

    int level() const { return m_level; }
    void setLevel(int level) { m_level = level; }
    int indentStep() const { return m_step; }
    // Spaces per level; 0 writes one tab per level.
    void setIndentStep(int step) { m_step = step; }
    int column() const { return m_column; }
    bool inQuotes() const { return m_inQuotes; }
    // True once a write to the destination has failed; such a file is never put in place.
    bool writeFailed() const { return m_writeFailed; }

protected:
    int sync() override;

private:
    void writeIndentation(std::string& out, int level);
    void writeWord(std::string& out, std::string& word, bool dropLeading);

    std::streambuf& m_destination;
    int m_level = 0;
    int m_step = 3;
    bool m_atLineStart = true;
    int m_column = 0;
    bool m_inQuotes = false;
    int m_lineWidth = 80;
    bool m_writeFailed = false;
    // The previous batch ended inside a word, which the next batch continues.
    bool m_midWord = false;
};

class OutputStream : public std::basic_ostream<char> {
public:
    // Opens the file for writing (its content is replaced when the stream is closed). When it
    // cannot be opened the fail bit is set, errno keeps the system's reason and nothing is written.
    explicit OutputStream(const std::wstring& fileName);
    // Closes the file without flushing: text written after the last flush is discarded. When an
    // exception is unwinding through the writer, the previous file is left untouched.
    ~OutputStream() override;

    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;

    OutputStreamBuf& buffer() { return m_buffer; }
    void setIndentStep(int step) { m_buffer.setIndentStep(step); }

    // Closes the file and puts it in place of the target. Returns false (with the system's text in
    // errorText()) when the file could not be opened, written or renamed; the target then keeps its
    // old content. Text not yet flushed is discarded, as by the destructor.
    bool close();
    // The same, keeping the target's old content under `backupPath` first when the target exists. A
    // backup that cannot be made does not stop the save: backupError() then says why.
    bool close(const std::filesystem::path& backupPath);
    bool isOpen() const { return m_file.isOpen(); }
    const std::string& errorText() const { return m_error; }
    // After close(backupPath): whether the backup was made, or why not.
    bool backedUp() const { return m_backedUp; }
    const std::string& backupError() const { return m_backupError; }

private:
    ORBAX_Platform::SafeFileWriter m_file; // before the buffer, which writes into it
    OutputStreamBuf m_buffer;
    int m_uncaught = 0;
    std::string m_error;
    bool m_backedUp = false;
    std::string m_backupError;
};

// Manipulators: flush the stream, then raise or lower its indentation level by one. They do
// nothing on a stream that is not an OutputStream, or when the flush throws.
std::ostream& indent(std::ostream& stream);
std::ostream& outdent(std::ostream& stream);

} // namespace ORBAX_Utilities
