#include "core/prolog4/Borehole_Prolog4.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/catalogue/Messages.h"
#include "core/model/BadPercentages.h"
#include "core/model/DepthResolution.h"
#include "core/model/Exception.h"
#include "core/model/FileLimits.h"
#include "core/model/InternalError.h"
#include "core/model/ValueText.h"
#include "core/prolog4/XmlText.h"
#include "platform/Text.h"

using namespace xercesc;

namespace ORBAX_Logging {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void addReadError(LoadMessages& messages, const std::wstring& detail)
{
    addError(messages, 10, ORBAX_Utilities::format_message1(11008, detail));
}

} // namespace

Borehole_Prolog4::Borehole_Prolog4(SchemaPtr boreholeSchema) : Borehole(std::move(boreholeSchema)), parser(true) {}

Borehole_Prolog4::~Borehole_Prolog4() = default;

std::unique_ptr<Borehole> Borehole_Prolog4::load(const std::wstring& fileName, Prolog4OptionsData& options,
                                                 LoadMessages& messages)
{
    return loadFrom(fileName, nullptr, options, messages);
}

std::unique_ptr<Borehole> Borehole_Prolog4::loadBytes(const std::string& bytes, const std::wstring& fileName,
                                                      Prolog4OptionsData& options, LoadMessages& messages)
{
    return loadFrom(fileName, &bytes, options, messages);
}

std::unique_ptr<Borehole> Borehole_Prolog4::loadFrom(const std::wstring& fileName, const std::string* bytes,
                                                     Prolog4OptionsData& options, LoadMessages& messages)
{
    try {
        auto borehole = std::make_unique<Borehole_Prolog4>(options.schema);
        borehole->readFrom(options, fileName, bytes, messages);
        if (!hasReadFailure(messages, options.keepGivenDepths))
            return borehole;
    } catch (const std::exception& e) {
        addReadError(messages, ORBAX_Platform::widen_cp1252(e.what()));
    } catch (...) {
        std::wstring text = current_xml_exception_text();
        addReadError(messages, text.empty() ? L"unknown error" : text);
    }
    try {
        return std::make_unique<Borehole>(options.schema);
    } catch (...) {
        return std::unique_ptr<Borehole>();
    }
}

void Borehole_Prolog4::read(Prolog4OptionsData& options, const std::wstring& fileName, LoadMessages& messages)
{
    readFrom(options, fileName, nullptr, messages);
}

void Borehole_Prolog4::readBytes(Prolog4OptionsData& options, const std::string& bytes, const std::wstring& fileName,
                                 LoadMessages& messages)
{
    readFrom(options, fileName, &bytes, messages);
}

void Borehole_Prolog4::readFrom(Prolog4OptionsData& options, const std::wstring& fileName, const std::string* bytes,
                                LoadMessages& messages)
{
    try {
        Borehole::clear();
        dataElement = nullptr;
        version = 0;

        std::wstring error;
        switch (bytes ? parser.parseBytes(*bytes, fileName, error) : parser.parse(fileName, error, &options.fileRead)) {
        case Prolog4Parser::Outcome::OpenFailed:
            addError(messages, 5, ORBAX_Utilities::format_message2(11001, fileName, error));
            return;
        case Prolog4Parser::Outcome::Malformed:
            addReadError(messages, ORBAX_Utilities::format_message2(11143, fileName, error));
            return;
        case Prolog4Parser::Outcome::Refused: addReadError(messages, error); return;
        case Prolog4Parser::Outcome::Parsed: break;
        }
        const DOMElement* root = parser.document()->getDocumentElement();

        try {
            version = checkVersion(root);
        } catch (const std::exception&) {
            addError(messages, 10, prolog4ErrorText(11009));
            return;
        }
        options.formatCode = version;

        std::vector<std::shared_ptr<SchemaDefinition>> schemas;
        std::vector<std::wstring> names;
        readTemplates(root, messages, schemas, names);
        if (hasFailure(messages))
            return;

        const std::uint32_t index = options.dataLogIndex;
        if (index >= schemas.size()) {
            addError(messages, 17, ORBAX_Utilities::format_message1(11016, fileName));
            return;
        }
        if (options.deduce) {
            schema = std::make_shared<SchemaDefinition>(*schemas[index]);
        } else {
            if (!options.schema) {
                addError(messages, 6, ORBAX_Utilities::format_message1(11002, std::wstring()));
                return;
            }
            schema = std::make_shared<SchemaDefinition>(*options.schema);
            if (options.schema->fields.size() != schemas[index]->fields.size())
                addError(messages, 16, ORBAX_Utilities::get_message_wide(11007));
        }

        if (version == 3) {
            std::vector<DOMElement*> data = elements_by_tag(root, L"m_Data");
            if (data.size() == 1)
                dataElement = data.front();
        } else {
            std::vector<DOMElement*> logs = findDataLog(root);
            if (logs.size() <= index) {
                addError(messages, 10, prolog4ErrorText(11013));
                return;
            }
            std::vector<DOMElement*> data = elements_by_tag(logs[index], L"m_Data");
            if (data.size() == 1)
                dataElement = data.front();
        }
        if (!dataElement) {
            addError(messages, 10, prolog4ErrorText(11013));
            return;
        }

        readUnits(options, messages);
        emptyDataElement();

        if (hasReadFailure(messages, options.keepGivenDepths))
            std::vector<Interval>::clear();
        else
            setNameFromPath(fileName);
    } catch (const std::exception& e) {
        addReadError(messages, ORBAX_Platform::widen_cp1252(e.what()));
        std::vector<Interval>::clear();
    } catch (...) {
        // The XML library's exceptions are not standard ones; they end the read the same way.
        std::wstring text = current_xml_exception_text();
        addReadError(messages, text.empty() ? L"unknown error" : text);
        std::vector<Interval>::clear();
    }
}

int Borehole_Prolog4::checkVersion(const DOMElement* root)
{
    std::vector<DOMElement*> versions = elements_by_tag(root, L"m_Version");
    if (versions.size() != 1)
        return 3;
    if (ORBAX_Platform::trimmed_blanks(direct_text(versions.front())) == L"4.1")
        return 4;
    throw Exception(5);
}

std::vector<DOMElement*> Borehole_Prolog4::findDataLog(const DOMElement* root)
{
    std::vector<DOMElement*> logs = elements_by_tag(root, L"CDataLogs");
    if (logs.size() != 1)
        throw std::runtime_error(ORBAX_Utilities::get_message(11013));
    return elements_by_tag(logs.front(), L"CDataLog");
}

void Borehole_Prolog4::emptyDataElement()
{
    if (!dataElement)
        return;
    // Released nodes go back to the document, which makes the nodes of the next save from them.
    while (DOMNode* last = dataElement->getLastChild())
        dataElement->removeChild(last)->release();
}

void Borehole_Prolog4::readUnits(const Prolog4OptionsData& options, LoadMessages& messages)
{
    const std::vector<DOMElement*> rows = elements_by_tag(dataElement, L"CLithData");
    // Every row holds a value for every column of the schema, so a file of near-empty rows under a
    // template of thousands of headings is bounded by the cells counted, not by its size.
    const std::size_t columns = schema->fields.size();
    BoreholeCounts counts;
    const UnitValueFields unitFields(*schema);

    bool newUnit = true;
    double runningDepth = 0.0;
    reserve(std::min(rows.size(), MaxBoreholeUnits + 1));
    // Percentages that are no number, told in one message after the read.
    BadPercentages badPercentages;
    std::wstring percentageText;
    std::size_t rowNumber = 0;
    for (const DOMElement* element : rows) {
        ++rowNumber;
        LithData row(schema);
        UnitRowValues values;
        if (!readLithData(element, row, values, percentageText))
            badPercentages.note(rowNumber, std::wstring_view(percentageText));

        counts.addRow(columns, rowCharacters(row));

        // The row is moved into its unit whole (it has the unit's schema), not copied.
        const std::int32_t percentage = row.percentage;
        int resolution = ResolvedConsistent;
        if (newUnit) {
            emplace_back(schema);
            back().elements.push_back(std::move(row));
            if (percentage == 100)
                resolution = resolveAndReport(messages, options.precision, back(), runningDepth, values.top,
                                              values.bottom, values.thickness, options.keepGivenDepths);
            else
                newUnit = false; // an interbedded unit has begun
            setUnitValues(back(), values, unitFields, counts.characters);
        } else if (percentage == 100) {
            Interval& unit = back();
            unit.composite = std::move(row);
            setUnitValues(unit, values, unitFields, counts.characters);
            resolution = resolveAndReport(messages, options.precision, unit, runningDepth, values.top, values.bottom,
                                          values.thickness, options.keepGivenDepths);
            newUnit = true;
        } else {
            back().elements.push_back(std::move(row));
        }
        // A unit that cannot be placed ends the read, as its message says.
        if (resolution >= OnlyTopGiven)
            return;
        counts.units = size();
        if (counts.exceeded()) {
            counts.reportRead(messages, parser.fileName());
            return;
        }
    }
    if (!newUnit)
        addMessage(messages, 3, SeverityWarning,
                   ORBAX_Utilities::format_message1(11142, realText(options.precision, runningDepth)));
    badPercentages.report(messages, 3, 11180);
}

bool Borehole_Prolog4::readLithData(const DOMElement* lithData, LithData& row, UnitRowValues& values,
                                    std::wstring& percentageText) const
{
    bool percentageRead = true;
    const std::vector<FieldDefinition>& fields = schema->fields;
    std::size_t k = 0;
    // The free fields' texts, given to the row in one go.
    std::vector<std::wstring> texts = row.values.toVector();
    auto real = [](const std::wstring& text) {
        double value = kNaN;
        return parseReal(text, value) ? value : kNaN;
    };
    for (const DOMNode* child = lithData->getFirstChild(); child && k < fields.size();
         child = child->getNextSibling()) {
        if (child->getNodeType() != DOMNode::ELEMENT_NODE)
            continue;
        std::wstring text = ORBAX_Platform::trimmed_blanks(direct_text(child));
        switch (fields[k].kind) {
        case BOTTOM: values.bottom = real(text); break;
        case THICKNESS: values.thickness = real(text); break;
        case RECOVERED: values.recovered = real(text); break;
        case TOP: values.top = real(text); break;
        case PERCENTAGE: {
            std::int32_t percentage = 100;
            // An empty percentage is the writer's way of saying 100; any other text that is no
            // whole number is read as 100 too, but the reader says so.
            percentageRead = parseInteger(text, percentage) || text.empty();
            row.percentage = percentageRead ? percentage : 100;
            if (!percentageRead)
                percentageText = std::move(text);
            break;
        }
        case ROCKTYPE: row.rockType = std::move(text); break;
        case SEAM: values.seam = std::move(text); break;
        case PLY: values.ply = std::move(text); break;
        case SAMPLE: values.sample = std::move(text); break;
        case STRING:
        case REAL:
        case INTEGER:
            if (k < texts.size())
                texts[k] = std::move(text);
            break;
        default: break;
        }
        ++k;
    }
    row.values.assign(texts);
    return percentageRead;
}

} // namespace ORBAX_Logging
