#include "core/formats/BoreholeFormats.h"

#include "core/csv/Borehole_CSV.h"
#include "core/model/FileLimits.h"
#include "core/prolog/Borehole_Prolog.h"
#include "core/prolog4/Borehole_Prolog4.h"

namespace ORBAX_Logging {

namespace {

// The derived record that a reader or writer takes (the Prolog writers take any record).
template <class Record, class Given>
Record& recordOf(Given& options)
{
    auto* typed = dynamic_cast<Record*>(&options);
    if (!typed)
        throw BoreholeFormatError("wrong file type");
    return *typed;
}

// One row a format: the codes of the files it reads and writes, and its reader and writer, each
// adapted to one argument order.
struct Format {
    std::int32_t firstCode;
    std::int32_t lastCode;
    std::unique_ptr<Borehole> (*load)(const std::wstring& fileName, OptionsData& options, LoadMessages& messages);
    void (*save)(const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages);
};

const Format formats[] = {
    {FormatProlog21, FormatProlog30,
     [](const std::wstring& fileName, OptionsData& options, LoadMessages& messages) {
         return Borehole_Prolog::load(fileName, recordOf<PrologOptionsData>(options), messages);
     },
     [](const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages) {
         Borehole_Prolog::save(fileName, messages, borehole, options);
     }},
    {FormatProlog40, FormatProlog41,
     [](const std::wstring& fileName, OptionsData& options, LoadMessages& messages) {
         return Borehole_Prolog4::load(fileName, recordOf<Prolog4OptionsData>(options), messages);
     },
     [](const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages) {
         Borehole_Prolog4::save(fileName, borehole, options, messages);
     }},
    {FormatCSV, FormatCSV,
     [](const std::wstring& fileName, OptionsData& options, LoadMessages& messages) {
         return Borehole_CSV::load(fileName, recordOf<CSVOptionsData>(options), messages);
     },
     [](const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages) {
         Borehole_CSV::save(fileName, borehole, recordOf<const CSVOptionsData>(options), messages);
     }},
};

const Format& formatOf(std::int32_t formatCode)
{
    for (const Format& format : formats)
        if (formatCode >= format.firstCode && formatCode <= format.lastCode)
            return format;
    throw BoreholeFormatError("unknown file type");
}

} // namespace

std::unique_ptr<Borehole> BoreholeFormats::load(std::int32_t formatCode, const std::wstring& fileName,
                                                OptionsData& options, LoadMessages& messages)
{
    return formatOf(formatCode).load(fileName, options, messages);
}

void BoreholeFormats::save(std::int32_t formatCode, const std::wstring& fileName, Borehole& borehole,
                           const OptionsData& options, LoadMessages& messages)
{
    const Format& format = formatOf(formatCode);
    // A file that its reader would refuse is never written: the user keeps the old one and is told.
    const SchemaPtr& schema = options.schema ? options.schema : borehole.schema;
    if (schema && !checkWriteCounts(borehole, *schema, fileName, messages))
        return;
    format.save(fileName, borehole, options, messages);
}

} // namespace ORBAX_Logging
