// The desktop's rows of the borehole formats against the formats' own rows and the file prompts'
// filter lists, which pick a format by its position.
#include <gtest/gtest.h>

#include "core/catalogue/Messages.h"
#include "core/formats/BoreholeFormats.h"
#include "dialogs/DesktopFormats.h"
#include "widgets/dialogs/FileFilters.h"

namespace {

using namespace ORBAX_Logging;

// The patterns of a filter as the file dialog shows them, "(*)" for files without an extension.
bool filterNames(const QString& filter, const wchar_t* extension)
{
    const QString patterns = filter.mid(filter.lastIndexOf('('));
    if (!*extension)
        return patterns == "(*)";
    return patterns.contains("*." + QString::fromWCharArray(extension), Qt::CaseInsensitive);
}

TEST(DesktopFormats, EveryFormatHasItsRowAndTheFilterAtItsPosition)
{
    const std::vector<BoreholeFormat>& formats = BoreholeFormats::all();
    for (const BoreholeFormat& format : formats)
        for (std::int32_t code : {format.code, format.lastCode})
            EXPECT_EQ(DesktopFormatOf(code).code, format.code) << code;
    EXPECT_THROW(DesktopFormatOf(FormatUnknown), BoreholeFormatError);

    const QStringList open = QtFileFilters(ORBAX_Utilities::get_message_wide(178));
    ASSERT_EQ(static_cast<std::size_t>(open.size()), formats.size());
    for (std::size_t i = 0; i < formats.size(); ++i)
        EXPECT_TRUE(filterNames(open[static_cast<int>(i)], formats[i].extension))
            << open[static_cast<int>(i)].toStdString();

    // The save prompt: without Prolog 4 for a borehole read elsewhere, with it for one read from it.
    for (const auto& [readCode, message] : {std::pair{FormatCSV, 162}, std::pair{FormatProlog41, 241}}) {
        const std::vector<FormatVersion> versions = BoreholeFormats::writableVersions(readCode);
        const QStringList save = QtFileFilters(ORBAX_Utilities::get_message_wide(message));
        ASSERT_EQ(static_cast<std::size_t>(save.size()), versions.size()) << message;
        for (std::size_t i = 0; i < versions.size(); ++i)
            EXPECT_TRUE(filterNames(save[static_cast<int>(i)], versions[i].format->extension))
                << save[static_cast<int>(i)].toStdString();
    }
}

} // namespace
