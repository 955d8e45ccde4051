#include "core/prolog4/Borehole_Prolog4.h"

#include <locale>
#include <stdexcept>

#include "core/catalogue/Messages.h"
#include "core/model/Exception.h"
#include "core/model/InternalError.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace xercesc;

namespace ORBAX_Logging {
namespace {

std::wstring lowered(const std::wstring& text)
{
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    std::wstring out = text;
    facet.tolower(&out[0], &out[0] + out.size());
    return out;
}

bool isPlyHeading(const std::wstring& lower) { return lower == L"ply" || lower == L"ply name" || lower == L"seam-ply"; }

bool isSampleHeading(const std::wstring& lower)
{
    return lower == L"sample" || lower == L"sample number" || lower == L"sample id";
}

// The single element of a tag under `parent`, or null when there is none or more than one.
const DOMElement* single(const DOMNode* parent, const wchar_t* tag)
{
    std::vector<DOMElement*> found = elements_by_tag(parent, tag);
    return found.size() == 1 ? found.front() : nullptr;
}

// Parses a template file with a parser of its own; the failure text is ready for message 11008, or
// for 11001 when `openFailed`.
bool parseTemplateFile(Prolog4Parser& parser, const std::wstring& fileName, const std::string* bytes,
                       std::wstring& error, bool& openFailed)
{
    std::wstring text;
    openFailed = false;
    switch (bytes ? parser.parseBytes(*bytes, fileName, text) : parser.parse(fileName, text)) {
    case Prolog4Parser::Outcome::Parsed: return true;
    case Prolog4Parser::Outcome::OpenFailed:
        openFailed = true;
        error = ORBAX_Utilities::format_message2(11001, fileName, text);
        return false;
    case Prolog4Parser::Outcome::Refused: error = ORBAX_Utilities::format_message1(11008, text); return false;
    default:
        error = ORBAX_Utilities::format_message1(11008, ORBAX_Utilities::format_message2(11143, fileName, text));
        return false;
    }
}

} // namespace

bool Borehole_Prolog4::readHeadings(const DOMElement* headings, LoadMessages& messages, SchemaDefinition& schema)
{
    const std::vector<DOMElement*> items = elements_by_tag(headings, L"m_HeadingItem");
    const long n = static_cast<long>(items.size());
    bool plyTaken = false;
    bool sampleTaken = false;
    int unusedCount = 0;
    for (long i = 0; i < n; ++i) {
        const DOMElement* item = single(items[static_cast<std::size_t>(i)], L"CItem");
        const DOMElement* heading = item ? single(item, L"m_Heading") : nullptr;
        if (!heading) {
            addError(messages, 10, prolog4ErrorText(11011));
            return false;
        }
        const std::wstring text = direct_text(heading);
        FieldDefinition field(STRING, text);
        if (i == 0) {
            field.kind = ROCKTYPE;
        } else if (i == 1) {
            field.kind = PERCENTAGE;
        } else if (i == 2) {
            field.kind = SEAM;
        } else if (i == n - 3) {
            field.kind = RECOVERED;
        } else if (i == n - 2) {
            field.kind = THICKNESS;
        } else if (i == n - 1) {
            field.kind = BOTTOM;
        } else if (text.empty()) {
            field.name = unusedCount == 0 ? std::wstring(L"(not in use)")
                                          : L"(not in use " + std::to_wstring(unusedCount) + L")";
            ++unusedCount;
        } else if (!plyTaken && isPlyHeading(lowered(text))) {
            field.kind = PLY;
            plyTaken = true;
        } else if (!sampleTaken && isSampleHeading(lowered(text))) {
            field.kind = SAMPLE;
            sampleTaken = true;
        }
        schema.fields.push_back(std::move(field));
    }
    schema.validate(messages);
    return true;
}

void Borehole_Prolog4::readTemplates(const DOMElement* root, LoadMessages& messages,
                                     std::vector<std::shared_ptr<SchemaDefinition>>& schemas,
                                     std::vector<std::wstring>& names)
{
    // The version check throws for an unknown version; the caller reports it.
    const int fileVersion = checkVersion(root);

    if (fileVersion == 3) {
        const DOMElement* headings = single(root, L"CHeadings");
        if (!headings) {
            addError(messages, 10, prolog4ErrorText(11011));
            return;
        }
        auto schema = std::make_shared<SchemaDefinition>();
        schema->name = L"RockType";
        schemas.push_back(schema);
        LoadMessages own;
        readHeadings(headings, own, *schema);
        if (hasFailure(own))
            return;
        names.push_back(L"RockType");
        return;
    }

    const DOMElement* templates = single(root, L"CHTemplates");
    if (!templates) {
        addError(messages, 10, prolog4ErrorText(11010));
        return;
    }
    for (const DOMElement* entry : elements_by_tag(templates, L"CHTemplate")) {
        const DOMElement* name = single(entry, L"m_Name");
        if (!name) {
            addError(messages, 10, prolog4ErrorText(11012));
            return;
        }
        names.push_back(direct_text(name));
        const DOMElement* headings = single(entry, L"CHeadings");
        if (!headings) {
            addError(messages, 10, prolog4ErrorText(11011));
            return;
        }
        auto schema = std::make_shared<SchemaDefinition>();
        schema->name = names.back();
        schemas.push_back(schema);
        // Validation warnings and damaged items only decide whether reading goes on.
        LoadMessages own;
        readHeadings(headings, own, *schema);
        if (hasFailure(own))
            return;
    }
}

void Borehole_Prolog4::listTemplates(const std::wstring& fileName, std::vector<std::wstring>& names,
                                     std::vector<unsigned>& fieldCounts)
{
    listTemplatesFrom(fileName, nullptr, names, fieldCounts);
}

void Borehole_Prolog4::listTemplatesBytes(const std::string& bytes, const std::wstring& fileName,
                                          std::vector<std::wstring>& names, std::vector<unsigned>& fieldCounts)
{
    listTemplatesFrom(fileName, &bytes, names, fieldCounts);
}

void Borehole_Prolog4::listTemplatesFrom(const std::wstring& fileName, const std::string* bytes,
                                         std::vector<std::wstring>& names, std::vector<unsigned>& fieldCounts)
{
    names.clear();
    fieldCounts.clear();
    Prolog4Parser parser(false);
    std::wstring error;
    bool openFailed = false;
    if (!parseTemplateFile(parser, fileName, bytes, error, openFailed))
        throw std::runtime_error(ORBAX_Platform::utf8_from_wide(error));
    std::vector<std::shared_ptr<SchemaDefinition>> schemas;
    LoadMessages own;
    try {
        readTemplates(parser.document()->getDocumentElement(), own, schemas, names);
    } catch (const std::exception&) {
        names.clear();
        throw std::runtime_error(ORBAX_Platform::utf8_from_wide(prolog4ErrorText(11009)));
    } catch (...) {
        names.clear();
        std::wstring text = current_xml_exception_text();
        throw std::runtime_error(ORBAX_Platform::utf8_from_wide(text.empty() ? L"unknown error" : text));
    }
    for (std::size_t k = 0; k < names.size() && k < schemas.size(); ++k)
        fieldCounts.push_back(static_cast<unsigned>(schemas[k]->fields.size()));
    names.resize(fieldCounts.size());
    if (hasFailure(own))
        throw Exception(6);
}

void Borehole_Prolog4::importTemplate(const std::wstring& fileName, SchemaDefinition& schema, unsigned index,
                                      LoadMessages& messages)
{
    try {
        Prolog4Parser parser(false);
        std::wstring error;
        bool openFailed = false;
        if (!parseTemplateFile(parser, fileName, nullptr, error, openFailed)) {
            addError(messages, openFailed ? 5 : 10, error);
            return;
        }
        std::vector<std::shared_ptr<SchemaDefinition>> schemas;
        std::vector<std::wstring> names;
        try {
            readTemplates(parser.document()->getDocumentElement(), messages, schemas, names);
        } catch (const std::exception&) {
            addError(messages, 10, prolog4ErrorText(11009));
            return;
        }
        if (hasFailure(messages))
            return;
        if (index < schemas.size()) {
            // The user's schema keeps its own name and id; it takes the template's columns.
            schema.fields = schemas[index]->fields;
            schema.flags = schemas[index]->flags;
        } else {
            addError(messages, 6, std::to_wstring(index));
        }
    } catch (const std::exception& e) {
        addError(messages, 10, ORBAX_Utilities::format_message1(11008, ORBAX_Platform::widen_cp1252(e.what())));
    } catch (...) {
        std::wstring text = current_xml_exception_text();
        addError(messages, 10, ORBAX_Utilities::format_message1(11008, text.empty() ? L"unknown error" : text));
    }
}

} // namespace ORBAX_Logging
