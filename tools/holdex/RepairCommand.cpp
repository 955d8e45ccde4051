#include <algorithm>
#include <cmath>
#include <iostream>
#include <stdexcept>

#include <boost/program_options.hpp>

#include "core/catalogue/Messages.h"
#include "core/model/DepthResolution.h"
#include "platform/FileIdentity.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/TerminalText.h"
#include "tools/holdex/CommandSupport.h"
#include "tools/holdex/FileTypeOptions.h"
#include "tools/holdex/HoldexCommands.h"

namespace po = boost::program_options;

namespace Holdex {
namespace {

const double depthTolerance = 0.001;
// Depth and thickness inconsistencies: what repair exists to mend, so they neither stop it nor are
// reported as reading problems.
const int inconsistencyKind = 1;
// Units the reader could not load (an incomplete record or unit): writing back would drop them.
const int unitsNotLoadedKind = 3;

void print_repair_usage(const po::options_description& options)
{
    std::cerr << "Usage: Holdex [global_options] repair [repair_options] filename\n"
              << "where repair_options is:\n"
              << options;
}

std::string fixed3(double value) { return ORBAX_Platform::format_fixed(value, 3); }

// Walks down the hole from depth 0, making each unit's top plus thickness agree with its bottom, and
// reports every change on standard output.
void repairUnits(ORBAX_Logging::Borehole& borehole, bool thicknessIsCorrect)
{
    double top = 0.0;
    for (ORBAX_Logging::Interval& unit : borehole) {
        // NaN is never greater: a unit without a thickness or bottom is left as it is.
        if (std::fabs(top + unit.thickness - unit.bottom) > depthTolerance) {
            const std::string topText = fixed3(top);
            const std::string bottomText = fixed3(unit.bottom);
            double running = top;
            if (!thicknessIsCorrect) {
                const std::string oldThickness = fixed3(unit.thickness);
                ORBAX_Logging::resolveUnit(running, top, unit.bottom, unit.bottom - top, unit);
                std::cout << "Thickness of unit from " << topText << " to " << bottomText << " changed from "
                          << oldThickness << " to " << fixed3(unit.thickness) << "\n";
            } else {
                ORBAX_Logging::resolveUnit(running, top, top + unit.thickness, unit.thickness, unit);
                std::cout << "Bottom depth of unit from " << topText << " to " << fixed3(unit.bottom)
                          << " changed from " << bottomText << "\n";
            }
        }
        top = unit.bottom;
    }
}

int changed(const std::string& fileName)
{
    std::cerr << narrow_text(ORBAX_Utilities::format_message1(21005, ORBAX_Platform::wide_from_name(fileName))) << "\n";
    return ExitFailed;
}

} // namespace

int repair_command(const WordList& words, bool help, const ConfigurationFile& configFile)
{
    ORBAX_Logging::SchemaDefinitionList schemas;
    if (read_configuration(configFile, schemas) == ConfigurationResult::Failed)
        return ExitConfiguration;

    FileTypeOptions fileType;
    po::options_description repairOptions(80, 40);
    repairOptions.add_options()("thickness", "Assume thickness is correct (as opposed to depth)");
    fileType.describe(false, repairOptions);

    if (help) {
        std::cerr << "Remove depth and thickness inconsistencies from a borehole\n";
        print_repair_usage(repairOptions);
        return ExitSuccess;
    }

    po::variables_map map;
    int typeCode;
    try {
        po::options_description all;
        all.add(repairOptions);
        all.add_options()("file", po::value<std::string>()->default_value(std::string(), ""));
        po::positional_options_description positional;
        positional.add("file", 1);
        po::store(po::command_line_parser(words).options(all).positional(positional).run(), map);
        po::notify(map);
        typeCode = fileType.parse(map, schemas);
        // Prolog 4 files are not repaired: the type the user gave is refused here, with the usage.
        if (typeCode == FileTypeProlog4)
            throw std::runtime_error(ORBAX_Utilities::get_message(21006));
    } catch (const std::exception& e) {
        std::cerr << "Error parsing repair command line: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << ".\n";
        print_repair_usage(repairOptions);
        return ExitCommandLine;
    }
    const std::string fileName = map["file"].as<std::string>();
    const bool thicknessIsCorrect = map.count("thickness") > 0;

    try {
        // Kept for the write-back: the Prolog reader records the version of the file in it, and every
        // reader the file it read.
        std::unique_ptr<ORBAX_Logging::OptionsData> record = options_record(fileType, typeCode);
        record->keepGivenDepths = true;
        ORBAX_Logging::LoadMessages messages;
        std::unique_ptr<ORBAX_Logging::Borehole> borehole = read_borehole(typeCode, fileName, *record, messages);
        if (!borehole) {
            std::cerr << "An unspecified error occurred while reading \"" << ORBAX_Platform::terminal_name(fileName)
                      << "\"\n";
            return ExitFailed;
        }

        ORBAX_Logging::LoadMessages others;
        for (const ORBAX_Logging::LoadMessage& m : messages)
            if (m.kind != inconsistencyKind)
                others.push_back(m);
        if (has_reportable(others))
            write_message_lines(others, "reading", fileName);
        // Writing back what a failed read gave would replace the user's units with nothing, and
        // writing back a partial read would drop the units the reader left out.
        const bool partial = std::any_of(others.begin(), others.end(), [](const ORBAX_Logging::LoadMessage& m) {
            return m.kind == unitsNotLoadedKind;
        });
        if (has_failure(others) || partial)
            return ExitFailed;
        if (borehole->empty()) {
            std::cerr << "No units were read from \"" << ORBAX_Platform::terminal_name(fileName)
                      << "\"; the file has not been changed.\n";
            return ExitFailed;
        }

        repairUnits(*borehole, thicknessIsCorrect);

        // The file as it was opened for the read: a file another program changes meanwhile (one still
        // being written) is not written over with what was read of it. What cannot be examined is
        // taken as changed.
        const ORBAX_Platform::FileIdentity read = record->fileRead;
        const auto unchanged = [read](const ORBAX_Platform::FileIdentity& current) {
            return read.exists && current == read;
        };
        if (!unchanged(ORBAX_Platform::file_identity(ORBAX_Platform::path_from_utf8(fileName))))
            return changed(fileName);
        // Checked again by the save as its last step, and once more as the repaired file takes the
        // old one's place.
        record->replaces = unchanged;
        messages.clear();
        write_borehole(typeCode, fileName, *borehole, *record, messages);
        if (has_reportable(messages))
            write_message_lines(messages, "writing", fileName);
        return has_failure(messages) ? ExitFailed : ExitSuccess;
    } catch (const std::exception& e) {
        std::cerr << "An exception occurred: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << "\n";
        return ExitFailed;
    }
}

} // namespace Holdex
