// Arbitrary bytes as the user's profile file: what the program reads from it (the view's settings,
// the fonts, the page setup with its legend, the format options) never crashes, holds values their
// users can work with, and the printed log is paginated from it and a CSV file read with its options.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include <unistd.h>

#include "core/csv/Borehole_CSV.h"
#include "docview/print/pagination/LogPagination.h"
#include "docview/view/geometry/ViewSettings.h"
#include "platform/settings/Settings.h"
#include "tests/fuzz/FuzzSupport.h"
#include "widgets/profile/QuorSettings.h"
#include "widgets/text/FontDescription.h"

namespace {

using namespace ORBAX_Logging;
using FuzzSupport::check;

struct Setup {
    std::filesystem::path folder;
    std::filesystem::path file;
    SchemaDefinitionList schemas;

    Setup()
    {
        FuzzSupport::install_facets_once();
        char made[] = "/tmp/quorlog-profile-fuzz-XXXXXX";
        if (!::mkdtemp(made))
            std::abort();
        folder = made;
        const std::filesystem::path user = folder / "user";
        std::filesystem::create_directories(user / ORBAX_Platform::Settings::Organisation);
        ORBAX_Platform::Settings::SetProfileFolders(user, folder / "system");
        file = user / ORBAX_Platform::Settings::Organisation /
               (std::string(ORBAX_Platform::Settings::Application) + ".conf");
        auto coal = std::make_shared<SchemaDefinition>(
            L"Coal", std::vector<FieldDefinition>{{ROCKTYPE, L"Rock"}, {PERCENTAGE, L"Pct"}, {BOTTOM, L"Base"}});
        coal->id = 1;
        schemas.push_back(coal);
    }
    ~Setup()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

void checkView(const ViewSettings& view)
{
    check(view.scale > 0 && std::isfinite(view.scale));
    check(view.tolerance > 0);
    check(view.minimumThickness >= 0 && std::isfinite(view.minimumThickness));
}

void paginate(const ViewSettings& view, const PageSetupSettings& setup)
{
    check(setup.columnsPerPage >= PageSetupSettings::MinColumns &&
          setup.columnsPerPage <= PageSetupSettings::MaxColumns);
    LogPagination::Input input;
    input.printable = QSizeF(200, 287);
    input.setup = setup;
    input.lineHeight = 4;
    input.tickLineHeight = 3;
    input.scale = view.scale;
    input.deepestDepth = 250;
    const LogPagination::Layout layout = LogPagination::Paginate(input);
    check(layout.pages.size() <= LogPagination::MaxLogPages);
}

void readCsv(const CSVOptions& profile, const SchemaDefinitionList& schemas)
{
    CSVOptionsData options;
    try {
        options = profile.toOptionsData(schemas, false);
    } catch (const std::runtime_error&) {
        return; // a schema the configuration lacks: the program asks for another
    }
    if (!options.schema)
        return;
    LoadMessages messages;
    const std::string text = "Rock,Pct,Base\n\"SAND, fine\",100,2\nCOAL,60,3\r\nSHALE,40,3\rIN GENERAL,100,3\n";
    check(Borehole_CSV::loadBytes(text, L"profile.csv", options, messages) != nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    {
        std::ofstream out(setup.file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    ViewSettings view;
    view.Load(ORBAX_Platform::Settings(L"View"));
    checkView(view);
    FontDescription title, general, tick;
    title.Load(L"TitleFont");
    general.Load(L"GeneralFont");
    tick.Load(L"TickFont");
    for (const FontDescription* font : {&title, &general, &tick}) {
        check(font->size > 0 && std::isfinite(font->size));
        (void)FontDescription::LogicalHeight(font->size, 600.0);
    }

    PageSetupSettings pageSetup;
    CQuorSettings pageSection(L"PageSetup");
    pageSetup.Load(pageSection);
    paginate(view, pageSetup);

    CQuorSettings csvSection(L"CSVOptions");
    CSVOptions csv;
    csv.load(csvSection, setup.schemas);
    readCsv(csv, setup.schemas);
    CQuorSettings prologSection(L"PrologOptions");
    PrologOptions prolog;
    prolog.load(prologSection, setup.schemas);
    CQuorSettings prolog4Section(L"Prolog4Options");
    Prolog4Options prolog4;
    prolog4.load(prolog4Section, setup.schemas);
    return 0;
}
