#include "core/prolog4/Prolog4Parser.h"

#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/MemoryManager.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/RuntimeException.hpp>
#include <xercesc/util/XMLChar.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>
#include <xercesc/util/XMLString.hpp>

#include "core/catalogue/Messages.h"
#include "core/model/FileLimits.h"
#include "core/prolog4/XmlText.h"
#include "platform/Paths.h"

using namespace xercesc;

namespace ORBAX_Logging {

// Keeps the first fatal error. Errors and warnings are validation complaints (a Prolog 4 file has no
// grammar, yet the reader validates "always") and are not problems of the file.
class Prolog4Parser::FatalErrors : public ErrorHandler {
public:
    void warning(const SAXParseException&) override {}
    void error(const SAXParseException&) override {}
    void fatalError(const SAXParseException& e) override
    {
        if (m_failed)
            return;
        m_failed = true;
        m_text = wide_from_xml(e.getMessage());
        m_text += L" (line " + std::to_wstring(e.getLineNumber()) + L", column " +
                  std::to_wstring(e.getColumnNumber()) + L")";
    }
    void resetErrors() override
    {
        m_failed = false;
        m_text.clear();
    }

    bool failed() const { return m_failed; }
    const std::wstring& text() const { return m_text; }

private:
    bool m_failed = false;
    std::wstring m_text;
};

// Counts the bytes the parser and its document hold and refuses to go beyond a budget, so that a small
// file whose entities or attribute defaults expand a million-fold ends as an error, not as the
// machine's memory. The refusal is a fatal scanning error of the library's own kind, which ends the
// scan and leaves the parser usable (an OutOfMemoryException would leave it marked as parsing). A
// little reserve beyond the budget lets the scanner report the error.
// Every block it hands out stays on a list until it is given back, so that what the library loses
// track of can be freed once no parser is left to use it.
class Prolog4Parser::BudgetedMemory : public MemoryManager {
public:
    BudgetedMemory() = default;
    BudgetedMemory(const BudgetedMemory&) = delete;
    BudgetedMemory& operator=(const BudgetedMemory&) = delete;
    ~BudgetedMemory() override { releaseAll(); }

    void setBudget(std::size_t budget)
    {
        m_budget = budget;
        m_exceeded = false;
    }
    bool exceeded() const { return m_exceeded; }

    MemoryManager* getExceptionMemoryManager() override { return XMLPlatformUtils::fgMemoryManager; }

    void* allocate(XMLSize_t size) override
    {
        const std::size_t limit =
            m_exceeded ? (m_budget > static_cast<std::size_t>(-1) - kReserve ? m_budget : m_budget + kReserve)
                       : m_budget;
        if (size > limit || m_used > limit - size) {
            m_exceeded = true;
            throw RuntimeException(__FILE__, __LINE__, XMLExcepts::Out_Of_Memory, XMLPlatformUtils::fgMemoryManager);
        }
        void* raw = ::operator new(size + kHeader, std::nothrow);
        if (!raw)
            throw OutOfMemoryException();
        Block* block = new (raw) Block{size, nullptr, m_blocks};
        if (m_blocks)
            m_blocks->previous = block;
        m_blocks = block;
        m_used += size;
        return static_cast<char*>(raw) + kHeader;
    }

    void deallocate(void* p) override
    {
        if (!p)
            return;
        Block* block = reinterpret_cast<Block*>(static_cast<char*>(p) - kHeader);
        if (block->previous)
            block->previous->next = block->next;
        else
            m_blocks = block->next;
        if (block->next)
            block->next->previous = block->previous;
        m_used -= block->size;
        ::operator delete(block);
    }

    // Frees every block not yet given back. Only for when no parser is left: what remains then are
    // blocks the library lost (the declaration it makes for an external DTD subset is never freed).
    void releaseAll()
    {
        while (m_blocks) {
            Block* next = m_blocks->next;
            ::operator delete(m_blocks);
            m_blocks = next;
        }
        m_used = 0;
    }

private:
    struct Block {
        std::size_t size;
        Block* previous;
        Block* next;
    };
    // Keeps the blocks as aligned as operator new's.
    static constexpr std::size_t kHeader =
        (sizeof(Block) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t);
    static constexpr std::size_t kReserve = std::size_t(16) << 20;

    std::size_t m_budget = kMemoryBase;
    std::size_t m_used = 0;
    bool m_exceeded = false;
    Block* m_blocks = nullptr;
};

// A borehole file must not make the program fetch anything: every external DTD or entity resolves
// to empty content.
class Prolog4Parser::NoExternalEntities : public XMLEntityResolver {
public:
    InputSource* resolveEntity(XMLResourceIdentifier* id) override
    {
        static const XMLByte nothing[1] = {0};
        const XMLCh* system = id ? id->getSystemId() : nullptr;
        return new MemBufInputSource(nothing, 0, system ? system : u"");
    }
};

// Counts how deep the elements nest while the file is scanned, and ends the scan at the first element
// deeper than the limit or with more attributes than the limit: checking the finished tree would first
// build it, and a file of a few megabytes nested millions deep builds a tree of a gigabyte, while every
// distinct attribute name costs the document's name pool a search through all the names before it. The
// refusal is thrown as the memory budget's is, a scanning error of the library's own kind that leaves
// the parser usable.
// It counts the nodes the document gets (elements, attributes, texts, comments, processing
// instructions, entity references) and the characters of their text the same way, as they are met,
// those an entity expands to included: the document's memory grows with both.
class Prolog4Parser::LimitedParser : public XercesDOMParser {
public:
    enum class Limit { None, Depth, Attributes, Names, Nodes, Characters };

    explicit LimitedParser(MemoryManager* memory) : XercesDOMParser(nullptr, memory) {}

    // The limit the last document went beyond, if any.
    Limit exceeded() const { return m_exceeded; }

    void startDocument() override
    {
        m_depth = 0;
        m_nodes = 0;
        m_characters = 0;
        m_inText = false;
        m_names.clear();
        m_exceeded = Limit::None;
        XercesDOMParser::startDocument();
    }

    void startElement(const XMLElementDecl& decl, const unsigned int urlId, const XMLCh* const prefix,
                      const RefVectorOf<XMLAttr>& attributes, const XMLSize_t count, const bool isEmpty,
                      const bool isRoot) override
    {
        if (m_depth >= kMaxDepth)
            refuse(Limit::Depth);
        if (count > kMaxAttributes)
            refuse(Limit::Attributes);
        std::size_t characters = 0;
        takeName(decl.getFullName());
        for (XMLSize_t i = 0; i < count; ++i) {
            takeName(attributes.elementAt(i)->getQName());
            characters += XMLString::stringLen(attributes.elementAt(i)->getValue());
        }
        add(1 + count, characters);
        XercesDOMParser::startElement(decl, urlId, prefix, attributes, count, isEmpty, isRoot);
        // The scanner ends an empty element too ("<a/>"), at once.
        ++m_depth;
    }

    void endElement(const XMLElementDecl& decl, const unsigned int urlId, const bool isRoot,
                    const XMLCh* const prefix) override
    {
        m_inText = false;
        XercesDOMParser::endElement(decl, urlId, isRoot, prefix);
        if (m_depth > 0)
            --m_depth;
    }

    // The pieces of one run of text (the scanner hands it on in blocks) make one node.
    void docCharacters(const XMLCh* const chars, const XMLSize_t length, const bool cdataSection) override
    {
        addText(length);
        XercesDOMParser::docCharacters(chars, length, cdataSection);
    }
    void ignorableWhitespace(const XMLCh* const chars, const XMLSize_t length, const bool cdataSection) override
    {
        addText(length);
        XercesDOMParser::ignorableWhitespace(chars, length, cdataSection);
    }
    void docComment(const XMLCh* const comment) override
    {
        add(1, XMLString::stringLen(comment));
        XercesDOMParser::docComment(comment);
    }
    void docPI(const XMLCh* const target, const XMLCh* const data) override
    {
        add(1, XMLString::stringLen(target) + XMLString::stringLen(data));
        XercesDOMParser::docPI(target, data);
    }
    void startEntityReference(const XMLEntityDecl& entity) override
    {
        add(1, 0);
        XercesDOMParser::startEntityReference(entity);
    }
    void endEntityReference(const XMLEntityDecl& entity) override
    {
        m_inText = false;
        XercesDOMParser::endEntityReference(entity);
    }

private:
    void takeName(const XMLCh* name)
    {
        if (m_names.emplace(name ? name : u"").second && m_names.size() > kMaxNames)
            refuse(Limit::Names);
    }
    void add(std::size_t nodes, std::size_t characters)
    {
        m_inText = false;
        m_nodes += nodes;
        m_characters += characters;
        if (m_nodes > MaxProlog4Nodes)
            refuse(Limit::Nodes);
        if (m_characters > MaxProlog4Characters)
            refuse(Limit::Characters);
    }
    void addText(std::size_t characters)
    {
        const bool continued = m_inText;
        add(continued ? 0 : 1, characters);
        m_inText = true;
    }

    [[noreturn]] void refuse(Limit limit)
    {
        m_exceeded = limit;
        throw RuntimeException(__FILE__, __LINE__, XMLExcepts::Gen_ParseInProgress, XMLPlatformUtils::fgMemoryManager);
    }

    unsigned m_depth = 0;
    std::size_t m_nodes = 0;
    std::size_t m_characters = 0;
    bool m_inText = false; // the last node counted is a text that more pieces may join
    std::unordered_set<std::u16string> m_names;
    Limit m_exceeded = Limit::None;
};

namespace {

// The memory a parse of a file of this size may take, in bytes.
std::size_t memoryBudget(std::size_t fileSize)
{
    if (fileSize > (Prolog4Parser::kMemoryMost - Prolog4Parser::kMemoryBase) / Prolog4Parser::kMemoryPerFileByte)
        return Prolog4Parser::kMemoryMost;
    return Prolog4Parser::kMemoryBase + fileSize * Prolog4Parser::kMemoryPerFileByte;
}

} // namespace

Prolog4Parser::Prolog4Parser(bool validateAlways)
    : m_validateAlways(validateAlways), m_memory(std::make_unique<BudgetedMemory>()),
      m_errors(std::make_unique<FatalErrors>()), m_resolver(std::make_unique<NoExternalEntities>())
{
    m_security.setEntityExpansionLimit(10000);
}

Prolog4Parser::~Prolog4Parser()
{
    // The parser releases its documents itself; the handlers it points at go after it.
    m_document = nullptr;
    m_parser.reset();
    m_memory->releaseAll();
}

void Prolog4Parser::resetDocumentPool()
{
    m_document = nullptr;
    if (m_parser)
        m_parser->resetDocumentPool();
}

void Prolog4Parser::startParser(std::size_t fileSize)
{
    // Whatever is left in the parser's memory once it is gone was lost by the library, and each
    // document would otherwise add to it for as long as this object lives.
    m_document = nullptr;
    m_parser.reset();
    m_memory->releaseAll();
    m_memory->setBudget(memoryBudget(fileSize));
    m_parser = std::make_unique<LimitedParser>(m_memory.get());
    if (m_validateAlways)
        m_parser->setValidationScheme(XercesDOMParser::Val_Always);
    m_parser->setErrorHandler(m_errors.get());
    m_parser->setXMLEntityResolver(m_resolver.get());
    m_parser->setDisableDefaultEntityResolution(true);
    m_parser->setSecurityManager(&m_security);
}

std::wstring Prolog4Parser::refusal(const std::wstring& fileName) const
{
    switch (m_parser->exceeded()) {
    case LimitedParser::Limit::Depth:
        return ORBAX_Utilities::format_message2(11144, fileName, std::to_wstring(kMaxDepth));
    case LimitedParser::Limit::Attributes:
        return ORBAX_Utilities::format_message2(11190, fileName, std::to_wstring(kMaxAttributes));
    case LimitedParser::Limit::Names:
        return ORBAX_Utilities::format_message2(11168, fileName, std::to_wstring(kMaxNames));
    case LimitedParser::Limit::Nodes:
        return ORBAX_Utilities::format_message2(
            11177, fileName, ORBAX_Utilities::format_message1(11174, std::to_wstring(MaxProlog4Nodes)));
    case LimitedParser::Limit::Characters:
        return ORBAX_Utilities::format_message2(
            11177, fileName, ORBAX_Utilities::format_message1(11175, std::to_wstring(MaxProlog4Characters)));
    case LimitedParser::Limit::None: break;
    }
    if (m_memory->exceeded())
        return ORBAX_Utilities::format_message2(11145, fileName, std::to_wstring(memoryBudget(m_fileSize) >> 20));
    return std::wstring();
}

Prolog4Parser::Outcome Prolog4Parser::parse(const std::wstring& fileName, std::wstring& error,
                                            ORBAX_Platform::FileIdentity* opened)
{
    resetDocumentPool();
    error.clear();

    std::string bytes;
    int code = 0;
    const ORBAX_Platform::FileRead outcome = ORBAX_Platform::read_file_bytes(ORBAX_Platform::path_from_wide(fileName),
                                                                             MaxProlog4FileBytes, bytes, code, opened);
    if (outcome != ORBAX_Platform::FileRead::Read) {
        error = FileReadFailureText(outcome, code, MaxProlog4FileBytes);
        return Outcome::OpenFailed;
    }
    return parseBytes(bytes, fileName, error);
}

Prolog4Parser::Outcome Prolog4Parser::parseBytes(const std::string& bytes, const std::wstring& fileName,
                                                 std::wstring& error)
{
    error.clear();
    m_fileSize = bytes.size();
    m_fileName = fileName;
    m_errors->resetErrors();
    startParser(bytes.size());
    std::wstring thrown;
    try {
        XmlString systemId(fileName);
        MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(), systemId.c_str());
        m_parser->parse(source);
    } catch (...) {
        thrown = current_xml_exception_text();
        if (thrown.empty())
            throw; // not the library's: the caller's own guards report it
    }

    error = refusal(fileName);
    if (!error.empty()) {
        m_parser->resetDocumentPool();
        return Outcome::Refused;
    }
    if (!thrown.empty() || m_errors->failed()) {
        error = thrown.empty() ? m_errors->text() : thrown;
        m_parser->resetDocumentPool();
        return Outcome::Malformed;
    }
    DOMDocument* document = m_parser->getDocument();
    if (!document || !document->getDocumentElement()) {
        error = L"The file holds no XML document.";
        m_parser->resetDocumentPool();
        return Outcome::Malformed;
    }
    m_document = document;
    return Outcome::Parsed;
}

std::vector<DOMElement*> elements_by_tag(const DOMNode* root, const wchar_t* tag)
{
    std::vector<DOMElement*> found;
    if (!root)
        return found;
    XmlString name(tag);
    const DOMNode* node = root->getFirstChild();
    while (node) {
        if (node->getNodeType() == DOMNode::ELEMENT_NODE && XMLString::equals(node->getNodeName(), name.c_str()))
            found.push_back(const_cast<DOMElement*>(static_cast<const DOMElement*>(node)));
        if (const DOMNode* child = node->getFirstChild()) {
            node = child;
            continue;
        }
        while (node && node != root && !node->getNextSibling())
            node = node->getParentNode();
        if (!node || node == root)
            break;
        node = node->getNextSibling();
    }
    return found;
}

void count_nodes(const DOMNode* root, std::size_t& nodes, std::size_t& characters,
                 std::unordered_set<std::basic_string<XMLCh>>* names)
{
    std::size_t depth = 0;
    const DOMNode* node = root;
    while (node) {
        ++nodes;
        if (node->getNodeType() == DOMNode::ELEMENT_NODE) {
            if (names)
                names->emplace(node->getNodeName());
            if (const DOMNamedNodeMap* attributes = node->getAttributes()) {
                nodes += attributes->getLength();
                for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
                    characters += XMLString::stringLen(attributes->item(i)->getNodeValue());
                    if (names)
                        names->emplace(attributes->item(i)->getNodeName());
                }
            }
            std::size_t children = 0;
            bool elementChildren = false;
            for (const DOMNode* child = node->getFirstChild(); child; child = child->getNextSibling()) {
                ++children;
                elementChildren = elementChildren || child->getNodeType() == DOMNode::ELEMENT_NODE;
            }
            if (elementChildren) {
                nodes += children + 1;
                characters += (children + 1) * (2 + 2 * depth);
            }
        } else if (node->getNodeType() != DOMNode::DOCUMENT_NODE) {
            characters += XMLString::stringLen(node->getNodeValue());
        }
        if (const DOMNode* child = node->getFirstChild()) {
            node = child;
            ++depth;
            continue;
        }
        while (node != root && !node->getNextSibling()) {
            node = node->getParentNode();
            --depth;
        }
        node = node == root ? nullptr : node->getNextSibling();
    }
}

void drop_layout_whitespace(DOMNode* root)
{
    std::vector<DOMNode*> pending{root};
    std::vector<DOMNode*> layout;
    while (!pending.empty()) {
        DOMNode* node = pending.back();
        pending.pop_back();
        bool otherNodes = false;
        bool text = false;
        layout.clear();
        for (DOMNode* child = node->getFirstChild(); child; child = child->getNextSibling()) {
            switch (child->getNodeType()) {
            case DOMNode::TEXT_NODE: {
                const XMLCh* value = child->getNodeValue();
                if (XMLChar1_0::isAllSpaces(value, XMLString::stringLen(value)))
                    layout.push_back(child);
                else
                    text = true;
                break;
            }
            case DOMNode::CDATA_SECTION_NODE:
            case DOMNode::ENTITY_REFERENCE_NODE: text = true; break;
            case DOMNode::ELEMENT_NODE:
                pending.push_back(child);
                otherNodes = true;
                break;
            default: otherNodes = true; break;
            }
        }
        if (otherNodes && !text)
            for (DOMNode* blank : layout)
                node->removeChild(blank)->release();
    }
}

std::wstring direct_text(const DOMNode* element)
{
    std::wstring text;
    if (!element)
        return text;
    for (const DOMNode* child = element->getFirstChild(); child; child = child->getNextSibling()) {
        if (child->getNodeType() == DOMNode::TEXT_NODE)
            text += wide_from_xml(child->getNodeValue());
    }
    return text;
}

std::wstring current_xml_exception_text()
{
    try {
        throw;
    } catch (const SAXParseException& e) {
        return wide_from_xml(e.getMessage()) + L" (line " + std::to_wstring(e.getLineNumber()) + L")";
    } catch (const SAXException& e) {
        return wide_from_xml(e.getMessage());
    } catch (const XMLException& e) {
        return wide_from_xml(e.getMessage());
    } catch (const DOMException& e) {
        std::wstring text = wide_from_xml(e.getMessage());
        return text.empty() ? L"DOM error " + std::to_wstring(e.code) : text;
    } catch (const OutOfMemoryException&) {
        return L"The XML library ran out of memory.";
    } catch (...) {
        return std::wstring();
    }
}

} // namespace ORBAX_Logging
