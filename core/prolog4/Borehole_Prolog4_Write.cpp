#include "core/prolog4/Borehole_Prolog4.h"

#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <xercesc/dom/DOMLSSerializer.hpp>
#include <xercesc/framework/MemBufFormatTarget.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "core/catalogue/Messages.h"
#include "core/model/FileLimits.h"
#include "core/model/InternalError.h"
#include "core/model/OneRowUnits.h"
#include "core/model/UnitRowWriter.h"
#include "core/model/ValueText.h"
#include "core/prolog4/XmlText.h"
#include "platform/Paths.h"

using namespace xercesc;

namespace ORBAX_Logging {
namespace {

constexpr int kSaveLine = 120;

// Keeps the serializer's first error, which otherwise goes unreported.
class SerializerErrors : public DOMErrorHandler {
public:
    bool handleError(const DOMError& error) override
    {
        if (error.getSeverity() != DOMError::DOM_SEVERITY_WARNING && text.empty())
            text = wide_from_xml(error.getMessage());
        return error.getSeverity() == DOMError::DOM_SEVERITY_WARNING;
    }
    std::wstring text;
};

// The tag of field i of n: "f1", "f2", ... and the last three "Recovered", "EstThick", "EstDepth".
std::wstring tagOf(long i, long n)
{
    if (i < n - 3)
        return L"f" + std::to_wstring(i + 1);
    if (i == n - 3)
        return L"Recovered";
    return i == n - 2 ? L"EstThick" : L"EstDepth";
}

// The tags of a row of n fields, as the document takes them.
std::vector<std::basic_string<XMLCh>> tagsOf(std::size_t n)
{
    std::vector<std::basic_string<XMLCh>> tags;
    tags.reserve(n);
    for (std::size_t k = 0; k < n; ++k)
        tags.push_back(XmlString(tagOf(static_cast<long>(k), static_cast<long>(n))).str());
    return tags;
}

// The text written for field k of a row whose values, unpacked, are `values`.
std::wstring writtenText(const FieldDefinition& field, std::size_t k, const Interval& unit, const WrittenDepths& depths,
                         const LithData& row, const std::vector<std::wstring>& values, bool compositeRow,
                         const OptionsData& options)
{
    // A composite row made by an edit has no rock type of its own: it is the interval row.
    const bool intervalRow = compositeRow && row.rockType.empty();
    const int decimals = options.precision;
    switch (field.kind) {
    case BOTTOM: return realText(decimals, depths.bottom);
    case TOP: return realText(decimals, depths.top);
    case THICKNESS: return realText(decimals, depths.thickness);
    case RECOVERED: return std::isnan(unit.recovered) ? std::wstring() : realText(decimals, unit.recovered);
    // The unit row is the one at 100 percent, whatever its own rock type: that is how it is read.
    case PERCENTAGE: return compositeRow ? std::wstring(L"100") : std::to_wstring(row.percentage);
    case ROCKTYPE: return intervalRow ? options.intervalRockType : row.rockType.str();
    case SEAM: return unit.seam;
    case PLY: return unit.ply;
    case SAMPLE: return unit.sample;
    case STRING:
    case REAL:
    case INTEGER: return k < values.size() ? values[k] : std::wstring();
    default: return std::wstring();
    }
}

template <class T>
struct Released {
    T* object;
    ~Released()
    {
        if (object)
            object->release();
    }
};

} // namespace

void Borehole_Prolog4::save(const std::wstring& fileName, Borehole& borehole, const OptionsData& options,
                            LoadMessages& messages)
{
    auto* prolog4 = dynamic_cast<Borehole_Prolog4*>(&borehole);
    if (!prolog4 || !prolog4->dataElement || !prolog4->parser.document()) {
        addMessage(messages, 15, SeverityError, ORBAX_Utilities::get_message_wide(11006));
        return;
    }
    prolog4->writeDocument(fileName, options, messages);
}

void Borehole_Prolog4::writeDocument(const std::wstring& fileName, const OptionsData& options, LoadMessages& messages)
{
    // Whatever happens, the kept document goes back to its state after the read, so the next save
    // does not write these units twice.
    struct Emptied {
        Borehole_Prolog4* self;
        ~Emptied() { self->emptyDataElement(); }
    } emptied{this};

    try {
        if (!checkDepthsKnown(*this, fileName, options.precision, messages))
            return;
        DOMDocument* document = parser.document();
        // The read's line ends and indentation would join those of the pretty printer and grow.
        drop_layout_whitespace(document);
        const OneRowUnits oneRow =
            schema ? OneRowUnits(*this, *schema, RowMarking::Percent, options.intervalRockType) : OneRowUnits();
        const int limit = writtenSizeLimit(oneRow, options);
        if (limit) {
            const std::size_t most = limit == 11167   ? Prolog4Parser::kMaxNames
                                     : limit == 11174 ? MaxProlog4Nodes
                                                      : MaxProlog4Characters;
            const std::wstring what = ORBAX_Utilities::format_message1(limit, std::to_wstring(most));
            addError(messages, 5, ORBAX_Utilities::format_message2(11178, fileName, what));
            return;
        }
        // What the file holds is said once it is written.
        LoadMessages notes;
        if (schema)
            oneRow.report(*this, *schema, options.precision, notes);
        writeLithData(oneRow, options);

        DOMImplementation* implementation = DOMImplementationRegistry::getDOMImplementation(u"LS");
        if (!implementation) {
            addInternalError(messages, "Borehole_Prolog4", kSaveLine, "no DOM implementation for LS");
            return;
        }
        Released<DOMLSSerializer> serializer{static_cast<DOMImplementationLS*>(implementation)->createLSSerializer()};
        Released<DOMLSOutput> output{static_cast<DOMImplementationLS*>(implementation)->createLSOutput()};
        SerializerErrors errors;
        DOMConfiguration* config = serializer.object->getDomConfig();
        config->setParameter(XMLUni::fgDOMErrorHandler, &errors);
        if (config->canSetParameter(XMLUni::fgDOMWRTFormatPrettyPrint, true))
            config->setParameter(XMLUni::fgDOMWRTFormatPrettyPrint, true);
        // Without the library's extra line end between the children of the root, the layout is the
        // same at every level and (with the read's layout dropped above) an unchanged borehole saves
        // to the same bytes every time.
        if (config->canSetParameter(XMLUni::fgDOMWRTXercesPrettyPrint, false))
            config->setParameter(XMLUni::fgDOMWRTXercesPrettyPrint, false);

        MemBufFormatTarget target;
        output.object->setByteStream(&target);
        const bool written = serializer.object->write(document, output.object);
        if (!written || !errors.text.empty()) {
            addError(messages, 5,
                     ORBAX_Utilities::format_message2(
                         11001, fileName,
                         errors.text.empty() ? std::wstring(L"The document could not be serialised.") : errors.text));
            return;
        }
        // A Prolog 4 save keeps no backup.
        const std::string bytes(reinterpret_cast<const char*>(target.getRawBuffer()), target.getLen());
        if (!writeBoreholeFile(fileName, bytes, MaxProlog4FileBytes, false, messages, notes, options.replaces))
            return;
        // The borehole now goes by the file that the next save writes, as after a save in any format.
        setNameFromPath(fileName);
    } catch (const std::exception& e) {
        addInternalError(messages, "Borehole_Prolog4", kSaveLine, e.what());
    } catch (...) {
        std::wstring text = current_xml_exception_text();
        addError(messages, 5,
                 ORBAX_Utilities::format_message2(11001, fileName, text.empty() ? L"unknown error" : text));
    }
}

int Borehole_Prolog4::writtenSizeLimit(const OneRowUnits& oneRow, const OptionsData& options) const
{
    // The document as it stands (its data emptied), then each row: its element, an element and a text
    // per field, and the line end and indentation the serializer puts before each element and end tag.
    // The rows' tags are names of their own ("f1", "f2", ...): a schema of more fields than the
    // reader takes names would write a file that it refuses.
    std::size_t nodes = 0;
    std::size_t characters = 0;
    std::unordered_set<std::basic_string<XMLCh>> names;
    count_nodes(parser.document(), nodes, characters, &names);
    names.insert(XmlString(L"CLithData").str());
    std::unordered_set<std::size_t> fieldCounts;
    std::size_t depth = 0;
    for (const DOMNode* node = dataElement; node; node = node->getParentNode())
        ++depth;
    const std::size_t indent = 1 + 2 * depth;
    forEachWrittenRow(
        *this, oneRow, UnitRowPlace::AfterElements, options.precision,
        [&](const Interval& unit, const WrittenDepths& depths, const LithData& row, bool compositeRow) {
            const SchemaPtr& rowSchema = row.schema ? row.schema : schema;
            const std::size_t n = rowSchema ? rowSchema->fields.size() : 0;
            nodes += 3 + 3 * n;
            characters += 2 * indent + n * (indent + 2);
            if (fieldCounts.insert(n).second)
                for (std::size_t k = 0; k < n && names.size() <= Prolog4Parser::kMaxNames; ++k)
                    names.insert(XmlString(tagOf(static_cast<long>(k), static_cast<long>(n))).str());
            const std::vector<std::wstring> values = row.values.toVector();
            for (std::size_t k = 0; k < n; ++k)
                characters +=
                    writtenText(rowSchema->fields[k], k, unit, depths, row, values, compositeRow, options).size();
        });
    if (names.size() > Prolog4Parser::kMaxNames)
        return 11167;
    if (nodes > MaxProlog4Nodes)
        return 11174;
    return characters > MaxProlog4Characters ? 11175 : 0;
}

void Borehole_Prolog4::writeLithData(const OneRowUnits& oneRow, const OptionsData& options)
{
    DOMDocument* document = parser.document();
    // The fields' tags by the count of fields, made once for all the rows of that count.
    std::unordered_map<std::size_t, std::vector<std::basic_string<XMLCh>>> tags;
    forEachWrittenRow(*this, oneRow, UnitRowPlace::AfterElements, options.precision,
                      [&](const Interval& unit, const WrittenDepths& depths, const LithData& row, bool compositeRow) {
                          DOMElement* element = document->createElement(u"CLithData");
                          const SchemaPtr& rowSchema = row.schema ? row.schema : schema;
                          if (rowSchema) {
                              const std::size_t n = rowSchema->fields.size();
                              auto known = tags.find(n);
                              if (known == tags.end())
                                  known = tags.emplace(n, tagsOf(n)).first;
                              writeFields(element, *rowSchema, known->second, unit, depths, row, compositeRow, options);
                          }
                          dataElement->appendChild(element);
                      });
}

void Borehole_Prolog4::writeFields(DOMElement* lithData, const SchemaDefinition& rowSchema,
                                   const std::vector<std::basic_string<XMLCh>>& tags, const Interval& unit,
                                   const WrittenDepths& depths, const LithData& row, bool compositeRow,
                                   const OptionsData& options)
{
    DOMDocument* document = parser.document();
    const std::vector<FieldDefinition>& fields = rowSchema.fields;
    const std::vector<std::wstring> values = row.values.toVector();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::wstring text = writtenText(fields[k], k, unit, depths, row, values, compositeRow, options);
        DOMElement* child = document->createElement(tags[k].c_str());
        child->setTextContent(XmlString(text).c_str());
        lithData->appendChild(child);
    }
}

} // namespace ORBAX_Logging
