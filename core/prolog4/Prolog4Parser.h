#pragma once
// The XML parser behind Prolog 4 files, made safe for files from outside: the file is read through
// the UTF-8 path helpers and parsed from memory, a fatal parse error (missing, empty, non-XML or
// truncated file) makes the parse fail instead of leaving a partial tree, validation complaints of a
// file without a grammar stay silent, external entities and DTDs are never fetched, and a document
// that would expand beyond a memory budget, nests deeper, gives an element more attributes or holds
// more nodes or characters of text (entities expanded) than any Prolog 4 file is refused while it is
// parsed.
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLEntityResolver.hpp>

#include "core/prolog4/XmlPlatformGuard.h"
#include "platform/FileIdentity.h"

namespace ORBAX_Logging {

class Prolog4Parser {
public:
    // `validateAlways` sets the validation scheme to "always" (the borehole reader); otherwise the
    // library's default scheme is kept (the template listing and import).
    explicit Prolog4Parser(bool validateAlways);
    ~Prolog4Parser();
    Prolog4Parser(const Prolog4Parser&) = delete;
    Prolog4Parser& operator=(const Prolog4Parser&) = delete;

    enum class Outcome { Parsed, OpenFailed, Malformed, Refused };

    // Elements nested deeper than this (the root being level 1) make a document Refused as soon as
    // the parser meets the first of them, before the tree grows with the file. Prolog 4 files go
    // about eight levels deep.
    static constexpr unsigned kMaxDepth = 100;
    // An element with more attributes than this makes a document Refused when the parser meets it.
    // Prolog 4 elements carry a handful, and each new attribute name costs the document time in
    // proportion to the names before it.
    static constexpr std::size_t kMaxAttributes = 1000;
    // A document with more different names of elements and attributes than this is Refused when the
    // parser meets the first name beyond it: Prolog 4 files use a few dozen, and each new name costs
    // the parser time in proportion to the names before it.
    static constexpr std::size_t kMaxNames = 10000;
    // The memory a parse may take: this much, plus kMemoryPerFileByte for each byte of the file, and
    // never more than kMemoryMost. A document whose declared entities or attribute defaults would
    // expand beyond it is Refused. The limits on nodes and characters (FileLimits.h) keep any other
    // document well inside it.
    static constexpr std::size_t kMemoryBase = std::size_t(64) << 20;
    static constexpr std::size_t kMemoryPerFileByte = 64;
    static constexpr std::size_t kMemoryMost = std::size_t(1280) << 20;

    // Releases the document of an earlier parse, then parses the file, which is not read when it is
    // larger than MaxProlog4FileBytes. On success the document has a root element. `error` receives
    // why the file could not be read (OpenFailed), the parser's text (Malformed) or the whole reason in
    // the user's words (Refused). `opened`, when given, receives the file that was read, as it was
    // when opened.
    Outcome parse(const std::wstring& fileName, std::wstring& error, ORBAX_Platform::FileIdentity* opened = nullptr);
    // The same over a file's bytes held in memory; `fileName` names them in messages.
    Outcome parseBytes(const std::string& bytes, const std::wstring& fileName, std::wstring& error);

    // The document of the last successful parse, owned by the parser; null otherwise.
    xercesc::DOMDocument* document() const { return m_document; }
    // The name of the file of the last parse, as messages give it.
    const std::wstring& fileName() const { return m_fileName; }
    void resetDocumentPool();

private:
    class FatalErrors;
    class NoExternalEntities;
    class BudgetedMemory;
    class LimitedParser;

    // Puts a fresh library parser in place for a document of this size.
    void startParser(std::size_t fileSize);
    // The reason in the user's words when the last parse went beyond a limit; empty otherwise.
    std::wstring refusal(const std::wstring& fileName) const;

    XmlPlatformGuard m_platform; // first member: the library outlives everything below
    bool m_validateAlways;
    std::unique_ptr<BudgetedMemory> m_memory; // before the parser, which allocates through it
    std::unique_ptr<FatalErrors> m_errors;
    std::unique_ptr<NoExternalEntities> m_resolver;
    xercesc::SecurityManager m_security;
    std::unique_ptr<LimitedParser> m_parser; // made anew for each document
    xercesc::DOMDocument* m_document = nullptr;
    std::size_t m_fileSize = 0;
    std::wstring m_fileName;
};

// Every descendant element of `root` with the tag name, in document order (the root itself is not
// included). Walks the tree without recursion, so deep nesting cannot exhaust the stack.
std::vector<xercesc::DOMElement*> elements_by_tag(const xercesc::DOMNode* root, const wchar_t* tag);

// Adds the nodes under `root` (itself included) and the characters of their text to the counts, as
// a read of the document written indented would count them at most: besides the nodes themselves, a
// line end and indentation before each child of an element with element children and before its end
// tag. With `names`, the names of the elements and attributes go into it too.
void count_nodes(const xercesc::DOMNode* root, std::size_t& nodes, std::size_t& characters,
                 std::unordered_set<std::basic_string<XMLCh>>* names = nullptr);

// Removes the text nodes of blanks and line ends that lay out elements whose content is other nodes
// (elements, comments) and no other text, so that a pretty-printing write lays the document out alone:
// the read's line ends and indentation beside its own would grow with every save. The text of an
// element without such children (a field's value, blanks included) is kept.
void drop_layout_whitespace(xercesc::DOMNode* root);

// The concatenated text of the element's direct text children; CDATA sections and the text of
// nested elements do not count.
std::wstring direct_text(const xercesc::DOMNode* element);

// The text of an exception of the XML library that is being handled (call inside a catch block);
// empty when the current exception is none of the library's.
std::wstring current_xml_exception_text();

} // namespace ORBAX_Logging
