#include "core/prolog4/Borehole_Prolog4.h"

#include <cmath>

#include <xercesc/dom/DOMLSSerializer.hpp>
#include <xercesc/framework/MemBufFormatTarget.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "core/catalogue/Messages.h"
#include "core/model/FileLimits.h"
#include "core/model/InternalError.h"
#include "core/model/OneRowUnits.h"
#include "core/model/ValueText.h"
#include "core/prolog4/XmlText.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

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
        DOMDocument* document = parser.document();
        writeLithData(options, messages);

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
        const std::string bytes(reinterpret_cast<const char*>(target.getRawBuffer()), target.getLen());
        const ORBAX_Platform::SafeSaveResult result =
            ORBAX_Platform::save_file_safely(ORBAX_Platform::path_from_wide(fileName), bytes);
        if (!result.ok) {
            addError(messages, 5, ORBAX_Utilities::format_message2(11001, fileName, SaveFailureText(result)));
            return;
        }
    } catch (const std::exception& e) {
        addInternalError(messages, "Borehole_Prolog4", kSaveLine, e.what());
    } catch (...) {
        std::wstring text = current_xml_exception_text();
        addError(messages, 5,
                 ORBAX_Utilities::format_message2(11001, fileName, text.empty() ? L"unknown error" : text));
    }
}

void Borehole_Prolog4::writeLithData(const OptionsData& options, LoadMessages& messages)
{
    DOMDocument* document = parser.document();
    const OneRowUnits oneRow =
        schema ? OneRowUnits(*this, *schema, RowMarking::Percent, options.intervalRockType) : OneRowUnits();
    if (schema)
        oneRow.report(*this, *schema, options.precision, messages);
    std::size_t i = 0;
    for (const Interval& unit : *this) {
        if (oneRow.contains(i++)) {
            DOMElement* element = document->createElement(u"CLithData");
            writeFields(element, unit, OneRowUnits::rowOf(unit), false, options);
            dataElement->appendChild(element);
            continue;
        }
        if (unit.elements.size() < 2) {
            // A unit without elements still keeps its depths in the file: it gets a blank row.
            const LithData blank(unit.schema ? unit.schema : schema);
            const LithData& row = unit.elements.empty() ? blank : unit.elements.front();
            DOMElement* element = document->createElement(u"CLithData");
            writeFields(element, unit, row, false, options);
            dataElement->appendChild(element);
            continue;
        }
        for (const LithData& row : unit.elements) {
            DOMElement* element = document->createElement(u"CLithData");
            writeFields(element, unit, row, false, options);
            dataElement->appendChild(element);
        }
        DOMElement* element = document->createElement(u"CLithData");
        LithData blank;
        writeFields(element, unit, unit.compositeOr(blank), true, options);
        dataElement->appendChild(element);
    }
}

void Borehole_Prolog4::writeFields(DOMElement* lithData, const Interval& unit, const LithData& row, bool compositeRow,
                                   const OptionsData& options)
{
    const SchemaPtr& rowSchema = row.schema ? row.schema : schema;
    if (!rowSchema)
        return;
    DOMDocument* document = parser.document();
    const std::vector<FieldDefinition>& fields = rowSchema->fields;
    const long n = static_cast<long>(fields.size());
    // A composite row made by an edit has no rock type of its own: it is the interval row.
    const bool intervalRow = compositeRow && row.rockType.empty();
    const int decimals = options.precision;
    for (long i = 0; i < n; ++i) {
        std::wstring tag;
        if (i < n - 3)
            tag = L"f" + std::to_wstring(i + 1);
        else if (i == n - 3)
            tag = L"Recovered";
        else if (i == n - 2)
            tag = L"EstThick";
        else
            tag = L"EstDepth";

        std::wstring text;
        const std::size_t k = static_cast<std::size_t>(i);
        switch (fields[k].kind) {
        case BOTTOM: text = realText(decimals, unit.bottom); break;
        case TOP: text = realText(decimals, unit.bottom - unit.thickness); break;
        case THICKNESS: text = realText(decimals, unit.thickness); break;
        case RECOVERED:
            if (!std::isnan(unit.recovered))
                text = realText(decimals, unit.recovered);
            break;
        // The unit row is the one at 100 percent, whatever its own rock type: that is how it is read.
        case PERCENTAGE: text = compositeRow ? std::wstring(L"100") : std::to_wstring(row.percentage); break;
        case ROCKTYPE: text = intervalRow ? options.intervalRockType : row.rockType.str(); break;
        case SEAM: text = unit.seam; break;
        case PLY: text = unit.ply; break;
        case SAMPLE: text = unit.sample; break;
        case STRING:
        case REAL:
        case INTEGER:
            if (k < row.values.size())
                text = row.values[k];
            break;
        default: break;
        }
        DOMElement* child = document->createElement(XmlString(tag).c_str());
        child->setTextContent(XmlString(text).c_str());
        lithData->appendChild(child);
    }
}

} // namespace ORBAX_Logging
