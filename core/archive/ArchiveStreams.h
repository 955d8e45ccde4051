#pragma once
// Units travel through the clipboard (and undo records) as wide text archives. The library writes
// and reads them through two small interfaces with one typed operation per value type; the stream
// implementations sit on Boost.Serialization wide text archives over wide streams.
//
// Every archive written by an oserial_stream begins with the writer's process identifier; an
// iserial_stream reads and checks it first and remembers whether the archive came from this run.
//
// Reading trusts nothing in the text: strings are read character by character (a length that
// promises more than the text holds ends in an archive exception, never in a large allocation), the
// archive header is checked before anything else is read, and non-finite numbers (an absent
// recovered length is NaN) read back as they were written.
#include <ios>
#include <locale>
#include <map>
#include <memory>
#include <string>

#include <boost/archive/text_wiarchive.hpp>
#include <boost/archive/text_woarchive.hpp>

namespace ORBAX_Utilities {

class oserial;
class iserial;

// The text under which a pointer value is written: the narrow stream's pointer form ("0x55d0...").
std::string pointer_text(const void* pointer);

// An object that writes and reads itself through the archive interfaces.
class serial_object {
public:
    virtual ~serial_object();
    virtual void save(oserial& archive) const = 0;
    virtual void load(iserial& archive) = 0;
};

class oserial {
public:
    virtual ~oserial();
    // A pointer value, carried as its text ("0x..."), meaningful only inside the writing process.
    virtual void write(const void* pointer) = 0;
    virtual void write(const std::wstring& text) = 0;
    // Narrow items carry ASCII only (identifiers, tags, pointer texts); anything else is refused
    // with std::invalid_argument.
    virtual void write(const std::string& text) = 0;
    virtual void write(double value) = 0;
    virtual void write(float value) = 0;
    virtual void write(unsigned long value) = 0;
    virtual void write(unsigned int value) = 0;
    virtual void write(unsigned short value) = 0;
    virtual void write(long value) = 0;
    virtual void write(int value) = 0;
    virtual void write(short value) = 0;
    virtual void write(wchar_t value) = 0;
    virtual void write(unsigned char value) = 0;
    virtual void write(char value) = 0;
    virtual void write(signed char value) = 0;
    virtual void write(bool value) = 0;
    virtual void write(const serial_object& object) = 0;
    virtual void write(const wchar_t* text) = 0;
    virtual void write(const char* text) = 0;
};

class iserial {
public:
    virtual ~iserial();
    // The text of a pointer value. It is never turned back into an address: whoever needs the
    // object behind it looks the text up among the objects this process has written.
    virtual void read_pointer(std::string& text) = 0;
    virtual void read(std::wstring& text) = 0;
    virtual void read(std::string& text) = 0;
    virtual void read(double& value) = 0;
    virtual void read(float& value) = 0;
    virtual void read(unsigned long& value) = 0;
    virtual void read(unsigned int& value) = 0;
    virtual void read(unsigned short& value) = 0;
    virtual void read(long& value) = 0;
    virtual void read(int& value) = 0;
    virtual void read(short& value) = 0;
    virtual void read(wchar_t& value) = 0;
    virtual void read(unsigned char& value) = 0;
    virtual void read(char& value) = 0;
    virtual void read(signed char& value) = 0;
    virtual void read(bool& value) = 0;
    virtual void read(serial_object& object) = 0;

    // True when the archive was written by this same running program.
    bool sameProcess() const { return m_sameProcess; }

    // Objects made while reading, recorded under a key (such as the pointer texts that referred to
    // them in the writer), so that later items of the same archive that refer to the same thing
    // share one object. Null when nothing is recorded under the key.
    std::shared_ptr<const void> recorded(const std::string& key) const;
    void record(const std::string& key, std::shared_ptr<const void> object);

protected:
    // Reads the first item, a narrow string, checks it as a UUID (std::runtime_error "Invalid UUID
    // string ..." otherwise) and sets the same-process flag.
    void read_origin();

private:
    bool m_sameProcess = false;
    std::map<std::string, std::shared_ptr<const void>> m_recorded;
};

namespace detail {
// Puts the non-finite number facets (and classic number formatting) on a stream for the life of an
// archive, and gives the stream its old locale back afterwards.
class ArchiveLocale {
public:
    ArchiveLocale(std::basic_ios<wchar_t>& stream, const std::locale& archiveLocale);
    ~ArchiveLocale();
    ArchiveLocale(const ArchiveLocale&) = delete;
    ArchiveLocale& operator=(const ArchiveLocale&) = delete;

private:
    std::basic_ios<wchar_t>& m_stream;
    std::locale m_saved;
};
} // namespace detail

class oserial_stream : public oserial {
public:
    // Creates the archive over `stream` (which the caller owns and keeps alive), writes its header
    // and then this run's process identifier.
    explicit oserial_stream(std::wostream& stream);
    ~oserial_stream() override;

    void write(const void* pointer) override;
    void write(const std::wstring& text) override;
    void write(const std::string& text) override;
    void write(double value) override;
    void write(float value) override;
    void write(unsigned long value) override;
    void write(unsigned int value) override;
    void write(unsigned short value) override;
    void write(long value) override;
    void write(int value) override;
    void write(short value) override;
    void write(wchar_t value) override;
    void write(unsigned char value) override;
    void write(char value) override;
    void write(signed char value) override;
    void write(bool value) override;
    void write(const serial_object& object) override;
    void write(const wchar_t* text) override;
    void write(const char* text) override;

private:
    detail::ArchiveLocale m_locale;
    boost::archive::text_woarchive m_archive;
};

class iserial_stream : public iserial {
public:
    // Creates the archive over `stream` (owned by the caller), checks the archive header (a
    // boost::archive::archive_exception when it is not one of ours) and reads the process
    // identifier (std::runtime_error "Invalid UUID string ..." when it is not one).
    explicit iserial_stream(std::wistream& stream);
    ~iserial_stream() override;

    void read_pointer(std::string& text) override;
    void read(std::wstring& text) override;
    void read(std::string& text) override;
    void read(double& value) override;
    void read(float& value) override;
    void read(unsigned long& value) override;
    void read(unsigned int& value) override;
    void read(unsigned short& value) override;
    void read(long& value) override;
    void read(int& value) override;
    void read(short& value) override;
    void read(wchar_t& value) override;
    void read(unsigned char& value) override;
    void read(char& value) override;
    void read(signed char& value) override;
    void read(bool& value) override;
    void read(serial_object& object) override;

private:
    // The length of a string item and the blank after it.
    std::size_t readLength();

    std::wistream& m_stream;
    detail::ArchiveLocale m_locale;
    boost::archive::text_wiarchive m_archive;
};

} // namespace ORBAX_Utilities
