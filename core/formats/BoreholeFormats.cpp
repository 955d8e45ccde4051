#include "core/formats/BoreholeFormats.h"

#include "core/csv/Borehole_CSV.h"
#include "core/model/FileLimits.h"
#include "core/model/NoCaseCompare.h"
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

template <class Record>
std::unique_ptr<OptionsData> copyOf(const OptionsData& options)
{
    return std::make_unique<Record>(recordOf<const Record>(options));
}

const BoreholeFormat& formatOf(std::int32_t formatCode)
{
    if (const BoreholeFormat* format = BoreholeFormats::find(formatCode))
        return *format;
    throw BoreholeFormatError("unknown file type");
}

} // namespace

const std::vector<BoreholeFormat>& BoreholeFormats::all()
{
    static const std::vector<BoreholeFormat> formats = {
        {FormatProlog21, FormatProlog30, L"", /*readWhenNamed*/ true, /*writesAnyBorehole*/ true,
         copyOf<PrologOptionsData>,
         [](const std::wstring& fileName, OptionsData& options, LoadMessages& messages) {
             return Borehole_Prolog::load(fileName, recordOf<PrologOptionsData>(options), messages);
         },
         [](const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages) {
             Borehole_Prolog::save(fileName, messages, borehole, options);
         }},
        {FormatProlog40, FormatProlog41, L"prolog", /*readWhenNamed*/ false, /*writesAnyBorehole*/ false,
         copyOf<Prolog4OptionsData>,
         [](const std::wstring& fileName, OptionsData& options, LoadMessages& messages) {
             return Borehole_Prolog4::load(fileName, recordOf<Prolog4OptionsData>(options), messages);
         },
         [](const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages) {
             Borehole_Prolog4::save(fileName, borehole, options, messages);
         }},
        {FormatCSV, FormatCSV, L"CSV", /*readWhenNamed*/ true, /*writesAnyBorehole*/ true, copyOf<CSVOptionsData>,
         [](const std::wstring& fileName, OptionsData& options, LoadMessages& messages) {
             return Borehole_CSV::load(fileName, recordOf<CSVOptionsData>(options), messages);
         },
         [](const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages) {
             Borehole_CSV::save(fileName, borehole, recordOf<const CSVOptionsData>(options), messages);
         }},
    };
    return formats;
}

const BoreholeFormat* BoreholeFormats::find(std::int32_t formatCode)
{
    for (const BoreholeFormat& format : all())
        if (format.reads(formatCode))
            return &format;
    return nullptr;
}

const BoreholeFormat* BoreholeFormats::ofExtension(const std::wstring& extension)
{
    if (extension.empty())
        return nullptr;
    const NoCaseCompare compare;
    for (const BoreholeFormat& format : all())
        if (compare.Equal(extension, format.extension))
            return &format;
    return nullptr;
}

const BoreholeFormat& BoreholeFormats::withoutExtension()
{
    for (const BoreholeFormat& format : all())
        if (!*format.extension)
            return format;
    throw BoreholeFormatError("unknown file type");
}

std::vector<FormatVersion> BoreholeFormats::writableVersions(std::int32_t readCode)
{
    std::vector<FormatVersion> versions;
    for (const BoreholeFormat& format : all())
        if (format.writesAnyBorehole) {
            for (std::int32_t version = format.code; version <= format.lastCode; ++version)
                versions.push_back({&format, version});
        } else if (format.reads(readCode)) {
            versions.push_back({&format, readCode});
        }
    return versions;
}

std::unique_ptr<Borehole> BoreholeFormats::load(std::int32_t formatCode, const std::wstring& fileName,
                                                OptionsData& options, LoadMessages& messages)
{
    return formatOf(formatCode).load(fileName, options, messages);
}

void BoreholeFormats::save(std::int32_t formatCode, const std::wstring& fileName, Borehole& borehole,
                           const OptionsData& options, LoadMessages& messages)
{
    const BoreholeFormat& format = formatOf(formatCode);
    // A file that its reader would refuse is never written: the user keeps the old one and is told.
    const SchemaPtr& schema = options.schema ? options.schema : borehole.schema;
    if (schema && !checkWriteCounts(borehole, *schema, fileName, messages))
        return;
    format.save(fileName, borehole, options, messages);
}

} // namespace ORBAX_Logging
