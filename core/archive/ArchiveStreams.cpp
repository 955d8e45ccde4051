#include "core/archive/ArchiveStreams.h"

#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/basic_archive.hpp>
#include <boost/math/special_functions/nonfinite_num_facets.hpp>

#include "core/archive/ProcessIdentifier.h"

namespace ORBAX_Utilities {
namespace {

// Numbers in archives are formatted the classic way whatever the user's locale, and NaN and the
// infinities are written as "nan", "inf" and "-inf" and read back.
const std::locale& archive_locale()
{
    static const std::locale locale(std::locale(std::locale::classic(), new boost::math::nonfinite_num_put<wchar_t>),
                                    new boost::math::nonfinite_num_get<wchar_t>);
    return locale;
}

[[noreturn]] void throw_input_error()
{
    throw boost::archive::archive_exception(boost::archive::archive_exception::input_stream_error);
}

const char* const ArchiveSignature = "serialization::archive";

} // namespace

std::string pointer_text(const void* pointer)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << pointer;
    return text.str();
}

serial_object::~serial_object() = default;
oserial::~oserial() = default;
iserial::~iserial() = default;

void iserial::read_origin()
{
    std::string origin;
    read(origin);
    checkedUuidString(origin);
    m_sameProcess = origin == processUuidString();
}

std::shared_ptr<const void> iserial::recorded(const std::string& key) const
{
    auto found = m_recorded.find(key);
    return found == m_recorded.end() ? nullptr : found->second;
}

void iserial::record(const std::string& key, std::shared_ptr<const void> object)
{
    m_recorded[key] = std::move(object);
}

namespace detail {

ArchiveLocale::ArchiveLocale(std::basic_ios<wchar_t>& stream, const std::locale& archiveLocale)
    : m_stream(stream), m_saved(stream.getloc())
{
    m_stream.imbue(archiveLocale);
}

ArchiveLocale::~ArchiveLocale() { m_stream.imbue(m_saved); }

} // namespace detail

// ---------------------------------------------------------------------------------------------
// Writing

oserial_stream::oserial_stream(std::wostream& stream)
    : m_locale(stream, archive_locale()), m_archive(stream, boost::archive::no_codecvt)
{
    write(processUuidString());
}

oserial_stream::~oserial_stream() = default;

void oserial_stream::write(const void* pointer) { write(pointer_text(pointer)); }

void oserial_stream::write(const std::wstring& text) { m_archive << text; }

void oserial_stream::write(const std::string& text)
{
    // The archive widens narrow items byte by byte (sign-extended), so only ASCII survives.
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            throw std::invalid_argument("Only ASCII text can be written as a narrow archive item");
    }
    m_archive << text;
}

void oserial_stream::write(double value) { m_archive << value; }
void oserial_stream::write(float value) { m_archive << value; }
void oserial_stream::write(unsigned long value) { m_archive << value; }
void oserial_stream::write(unsigned int value) { m_archive << value; }
void oserial_stream::write(unsigned short value) { m_archive << value; }
void oserial_stream::write(long value) { m_archive << value; }
void oserial_stream::write(int value) { m_archive << value; }
void oserial_stream::write(short value) { m_archive << value; }
void oserial_stream::write(wchar_t value) { m_archive << value; }
void oserial_stream::write(unsigned char value) { m_archive << value; }
void oserial_stream::write(char value) { m_archive << value; }
void oserial_stream::write(signed char value) { m_archive << value; }
void oserial_stream::write(bool value) { m_archive << value; }
void oserial_stream::write(const serial_object& object) { object.save(*this); }
void oserial_stream::write(const wchar_t* text) { write(text ? std::wstring(text) : std::wstring()); }
void oserial_stream::write(const char* text) { write(text ? std::string(text) : std::string()); }

// ---------------------------------------------------------------------------------------------
// Reading

iserial_stream::iserial_stream(std::wistream& stream)
    : m_stream(stream), m_locale(stream, archive_locale()),
      m_archive(stream, boost::archive::no_header | boost::archive::no_codecvt)
{
    // The header is checked here rather than by the library, whose own reader reserves whatever
    // length the text claims for the signature.
    std::string signature;
    read(signature);
    if (signature != ArchiveSignature)
        throw boost::archive::archive_exception(boost::archive::archive_exception::invalid_signature);
    unsigned int version = 0;
    read(version);
    if (version == 0 || version > static_cast<unsigned int>(boost::archive::BOOST_ARCHIVE_VERSION()))
        throw boost::archive::archive_exception(boost::archive::archive_exception::unsupported_version);
    read_origin();
}

iserial_stream::~iserial_stream() = default;

std::size_t iserial_stream::readLength()
{
    std::size_t length = 0;
    m_archive >> length;
    // The one blank between the length and the characters.
    if (std::wistream::traits_type::eq_int_type(m_stream.get(), std::wistream::traits_type::eof()))
        throw_input_error();
    return length;
}

void iserial_stream::read(std::wstring& text)
{
    text.clear();
    // Character by character: the length is only a claim, and the text runs out first when it lies.
    for (std::size_t n = readLength(); n > 0; --n) {
        auto c = m_stream.get();
        if (std::wistream::traits_type::eq_int_type(c, std::wistream::traits_type::eof()))
            throw_input_error();
        text.push_back(std::wistream::traits_type::to_char_type(c));
    }
}

void iserial_stream::read(std::string& text)
{
    text.clear();
    for (std::size_t n = readLength(); n > 0; --n) {
        auto c = m_stream.get();
        if (std::wistream::traits_type::eq_int_type(c, std::wistream::traits_type::eof()))
            throw_input_error();
        wchar_t w = std::wistream::traits_type::to_char_type(c);
        // Narrow items are ASCII; anything else is not an archive of ours.
        if (w < 0 || w >= 0x80)
            throw_input_error();
        text.push_back(static_cast<char>(w));
    }
}

void iserial_stream::read_pointer(std::string& text) { read(text); }

void iserial_stream::read(double& value) { m_archive >> value; }
void iserial_stream::read(float& value) { m_archive >> value; }
void iserial_stream::read(unsigned long& value) { m_archive >> value; }
void iserial_stream::read(unsigned int& value) { m_archive >> value; }
void iserial_stream::read(unsigned short& value) { m_archive >> value; }
void iserial_stream::read(long& value) { m_archive >> value; }
void iserial_stream::read(int& value) { m_archive >> value; }
void iserial_stream::read(short& value) { m_archive >> value; }
void iserial_stream::read(wchar_t& value) { m_archive >> value; }
void iserial_stream::read(unsigned char& value) { m_archive >> value; }
void iserial_stream::read(char& value) { m_archive >> value; }
void iserial_stream::read(signed char& value) { m_archive >> value; }
void iserial_stream::read(bool& value) { m_archive >> value; }
void iserial_stream::read(serial_object& object) { object.load(*this); }

} // namespace ORBAX_Utilities
