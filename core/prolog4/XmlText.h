#pragma once
// The XML library speaks UTF-16 (XMLCh is 16 bits wide) while wide strings here hold UTF-32. Every
// text that goes into or comes out of a DOM passes through these two conversions, so characters
// beyond the basic plane survive as surrogate pairs.
#include <string>

#include <xercesc/util/XercesDefs.hpp>

namespace ORBAX_Logging {

// UTF-16 to UTF-32. A surrogate without its partner becomes U+FFFD. A null pointer gives "".
std::wstring wide_from_xml(const XMLCh* text);
std::wstring wide_from_xml(const XMLCh* text, std::size_t length);

// UTF-32 to UTF-16. Values that are no Unicode scalar (surrogates, beyond U+10FFFF) become U+FFFD.
std::basic_string<XMLCh> xml_from_wide(const std::wstring& text);

// A converted text kept alive for a call that wants a null-terminated XMLCh pointer:
//     element->setTextContent(XmlString(value).c_str());
class XmlString {
public:
    explicit XmlString(const std::wstring& text) : m_text(xml_from_wide(text)) {}
    explicit XmlString(const wchar_t* text) : m_text(xml_from_wide(text ? std::wstring(text) : std::wstring())) {}
    const XMLCh* c_str() const { return m_text.c_str(); }
    const std::basic_string<XMLCh>& str() const { return m_text; }

private:
    std::basic_string<XMLCh> m_text;
};

} // namespace ORBAX_Logging
