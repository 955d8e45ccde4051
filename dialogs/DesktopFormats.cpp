// The desktop program's rows of the borehole formats: Prolog 2.1 and 3.0, Prolog 4 and CSV.
#include "dialogs/DesktopFormats.h"

#include "core/catalogue/Messages.h"
#include "core/formats/BoreholeFormats.h"
#include "dialogs/OptionsCSV.h"
#include "dialogs/OptionsProlog.h"
#include "dialogs/OptionsProlog4.h"
#include "widgets/dialogs/PropertySheet.h"
#include "widgets/profile/QuorSettings.h"

using ORBAX_Logging::OptionsData;
using ORBAX_Logging::SchemaDefinitionList;

namespace {

// The record that a format's remembered or chosen options give.
template <class Profile>
std::unique_ptr<OptionsData> recordOf(const Profile& profile, const SchemaDefinitionList& schemas, bool backup)
{
    using Record = decltype(profile.toOptionsData(schemas, backup));
    return std::make_unique<Record>(profile.toOptionsData(schemas, backup));
}

// What a format's row does the same way for every format: its options remembered in the start-up
// settings at `Profile` (with the always-ask choice at `AlwaysAsk`, where the format has one) and in
// the profile's section `Section`, and chosen on its page `Page`.
template <class Page, auto Profile, auto AlwaysAsk, const wchar_t* Section>
struct Remembered {
    static constexpr bool StartupSettings::*alwaysAsk = AlwaysAsk;

    static std::unique_ptr<OptionsData> record(const StartupSettings& settings, const SchemaDefinitionList& schemas,
                                               bool backup)
    {
        return recordOf(settings.*Profile, schemas, backup);
    }
    static std::unique_ptr<OptionsData> chosen(const FormatOptionsPage& page, const SchemaDefinitionList& schemas,
                                               bool backup)
    {
        return recordOf(static_cast<const Page&>(page).options, schemas, backup);
    }
    static void take(const FormatOptionsPage& page, StartupSettings& settings)
    {
        const Page& own = static_cast<const Page&>(page);
        settings.*Profile = own.options;
        if constexpr (AlwaysAsk != nullptr)
            settings.*AlwaysAsk = own.alwaysAsk;
    }
    // Always-ask is on where the profile never set it.
    static void load(StartupSettings& settings, const SchemaDefinitionList& schemas)
    {
        CQuorSettings profile(Section);
        if constexpr (AlwaysAsk != nullptr)
            settings.*AlwaysAsk = profile.ReadInt(L"AlwaysAsk", 1) != 0;
        (settings.*Profile).load(profile, schemas);
    }
    static void save(const StartupSettings& settings, const SchemaDefinitionList& schemas)
    {
        CQuorSettings profile(Section);
        if constexpr (AlwaysAsk != nullptr)
            profile.WriteInt(L"AlwaysAsk", settings.*AlwaysAsk ? 1 : 0);
        (settings.*Profile).save(profile, schemas);
    }
};

constexpr wchar_t prologSection[] = L"PrologOptions";
constexpr wchar_t prolog4Section[] = L"Prolog4Options";
constexpr wchar_t csvSection[] = L"CSVOptions";
using Prolog =
    Remembered<COptionsProlog, &StartupSettings::m_prologOptions, &StartupSettings::m_prologAlwaysAsk, prologSection>;
using Prolog4 = Remembered<COptionsProlog4, &StartupSettings::m_prolog4Options, nullptr, prolog4Section>;
using Csv = Remembered<COptionsCSV, &StartupSettings::m_csvOptions, &StartupSettings::m_csvAlwaysAsk, csvSection>;

} // namespace

const std::vector<DesktopFormat>& AllDesktopFormats()
{
    static const std::vector<DesktopFormat> rows = {
        {ORBAX_Logging::FormatProlog21, Prolog::record, Prolog::alwaysAsk,
         [](const StartupSettings& settings, const SchemaDefinitionList* schemas, const std::wstring& fileName,
            PropertySheet* sheet) -> FormatOptionsPage* {
             return new COptionsProlog(settings.m_prologOptions, schemas, fileName, sheet);
         },
         [](const StartupSettings& settings, const OptionsData* stored, const SchemaDefinitionList* schemas,
            unsigned fieldCount, PropertySheet* sheet) -> FormatOptionsPage* {
             // The remembered choices with the schema the borehole has now.
             PrologOptions start = settings.m_prologOptions;
             if (stored && stored->schema)
                 start.schemaId = static_cast<std::uint32_t>(stored->schema->id);
             return new COptionsProlog(start, schemas, fieldCount, sheet);
         },
         Prolog::chosen,
         [](const StartupSettings& settings, const SchemaDefinitionList* schemas) -> FormatOptionsPage* {
             return new COptionsProlog(settings.m_prologOptions, schemas, settings.m_prologAlwaysAsk);
         },
         Prolog::take, Prolog::load, Prolog::save},
        {ORBAX_Logging::FormatProlog40, Prolog4::record, Prolog4::alwaysAsk,
         [](const StartupSettings& settings, const SchemaDefinitionList* schemas, const std::wstring& fileName,
            PropertySheet* sheet) -> FormatOptionsPage* {
             return new COptionsProlog4(settings.m_prolog4Options, schemas, fileName, sheet);
         },
         nullptr, Prolog4::chosen,
         [](const StartupSettings& settings, const SchemaDefinitionList* schemas) -> FormatOptionsPage* {
             return new COptionsProlog4(settings.m_prolog4Options, schemas);
         },
         Prolog4::take, Prolog4::load, Prolog4::save},
        {ORBAX_Logging::FormatCSV, Csv::record, Csv::alwaysAsk,
         [](const StartupSettings& settings, const SchemaDefinitionList* schemas, const std::wstring& fileName,
            PropertySheet* sheet) -> FormatOptionsPage* {
             return new COptionsCSV(schemas, settings.m_csvOptions, fileName, sheet);
         },
         [](const StartupSettings& settings, const OptionsData* stored, const SchemaDefinitionList* schemas,
            unsigned fieldCount, PropertySheet* sheet) -> FormatOptionsPage* {
             // What the borehole was read or written with, else the remembered choices.
             const CSVOptions start = stored ? CSVOptions(*stored) : settings.m_csvOptions;
             return new COptionsCSV(schemas, start, fieldCount, sheet);
         },
         Csv::chosen,
         [](const StartupSettings& settings, const SchemaDefinitionList* schemas) -> FormatOptionsPage* {
             return new COptionsCSV(schemas, settings.m_csvOptions, settings.m_csvAlwaysAsk);
         },
         Csv::take, Csv::load, Csv::save},
    };
    return rows;
}

const DesktopFormat& DesktopFormatOf(std::int32_t code)
{
    if (const ORBAX_Logging::BoreholeFormat* format = ORBAX_Logging::BoreholeFormats::find(code))
        for (const DesktopFormat& row : AllDesktopFormats())
            if (row.code == format->code)
                return row;
    throw ORBAX_Logging::BoreholeFormatError("unknown file type");
}

std::unique_ptr<FormatOptionsPage> AskOnFormatPage(QWidget* parent,
                                                   const std::function<FormatOptionsPage*(PropertySheet*)>& makePage)
{
    CEnhancedPropertySheet sheet(ORBAX_Utilities::get_message_wide(182), parent);
    std::unique_ptr<FormatOptionsPage> page(makePage(&sheet));
    sheet.AddPage(page.get());
    const bool ok = sheet.DoModal() == QDialog::Accepted;
    // The page belongs to the caller, not to the sheet that showed it.
    page->setParent(nullptr);
    if (!ok)
        page.reset();
    return page;
}
