#include "tools/curvex/Curvex.h"

#include <exception>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "core/catalogue/Messages.h"
#include "las/Curve.h"
#include "las/LasData.h"
#include "las/LasHeaderLine.h"
#include "platform/Paths.h"
#include "platform/TerminalText.h"
#include "platform/Text.h"

namespace Curvex {
namespace {

using ORBAX_Geophysics::upper_case;

void write_usage()
{
    std::cerr << "Usage: Curvex command\n"
              << "where command is one of:\n"
              << "\n"
              << "  summarise filename \n"
              << "\n"
              << "    Prints a summary of the curve information in the given LAS file.\n"
              << "\n";
}

bool starts_with_dash(const std::string& word) { return !word.empty() && word[0] == '-'; }

// A text of the file (code page 1252) in the terminal's encoding, left-aligned in a column of `width`
// characters: padding counts characters, so a name with accents lines up like one without.
std::string file_text_cell(const std::string& bytes, std::size_t width)
{
    std::wstring text = ORBAX_Platform::widen_cp1252(bytes);
    if (text.size() < width)
        text.append(width - text.size(), L' ');
    return ORBAX_Platform::terminal_text(text);
}

int summarise(const std::vector<std::string>& args)
{
    std::string fileName;
    bool haveName = false;
    for (const std::string& arg : args) {
        if (starts_with_dash(arg)) {
            std::cerr << "summarise: unknown option " << ORBAX_Platform::terminal_text_of_bytes(arg) << "\n";
            write_usage();
            return ExitUsage;
        }
        if (haveName) {
            std::cerr << "summarise: Too many arguments\n";
            write_usage();
            return ExitUsage;
        }
        fileName = arg;
        haveName = true;
    }
    if (fileName.empty()) { // none given, or an empty word (a script's unset variable)
        std::cerr << ORBAX_Platform::terminal_text(ORBAX_Utilities::get_message_wide(20008)) << "\n";
        write_usage();
        return ExitUsage;
    }

    try {
        ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve> las;
        std::wstring errorText;
        // The name reaches the system as typed, byte for byte, whether it is UTF-8 or not.
        int result = las.read(ORBAX_Platform::wide_from_name(fileName), errorText);
        if (result != 0) {
            // A file that could not be read gives its reason, never a summary of nothing.
            std::cerr << ORBAX_Platform::terminal_text(errorText) << "\n";
            return ExitFailure;
        }

        std::cout << "Summary for las file " << ORBAX_Platform::terminal_name(fileName) << "\n";
        std::cout << std::setprecision(3);
        std::cout << std::left << std::setw(20) << "Start depth:" << std::right << std::setw(10) << las.start_depth()
                  << "\n";
        std::cout << std::left << std::setw(20) << "Stop depth:" << std::right << std::setw(10) << las.stop_depth()
                  << "\n";
        std::cout << std::left << std::setw(10) << "Name" << std::setw(40) << "Description" << std::setw(10)
                  << "Minimum" << std::setw(10) << "Maximum"
                  << "\n";
        for (const ORBAX_Geophysics::Curve& curve : las.curves()) {
            std::cout << file_text_cell(curve.mnemonic, 10) << file_text_cell(curve.description, 40) << std::left
                      << std::setw(10) << curve.minimum() << std::setw(10) << curve.maximum() << "\n";
        }
        std::cout.flush();
    } catch (const std::exception& e) {
        std::cerr << "An exception occurred: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
}

} // namespace

int run(int argc, const char* const argv[])
{
    if (argc < 2) {
        std::cerr << "Curvex version " << 3 << "." << 3 << "." << 7 << ", built " << 2016 << "-" << 11 << "-" << 23
                  << " - summarises the curves of LAS well-log files\n";
        write_usage();
        return ExitSuccess;
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    if (starts_with_dash(args[0])) {
        std::cerr << "Unknown option " << ORBAX_Platform::terminal_text_of_bytes(args[0]) << "\n";
        write_usage();
        return ExitUsage;
    }
    const std::string command = upper_case(args[0]);
    if (command == upper_case("summarise"))
        return summarise(std::vector<std::string>(args.begin() + 1, args.end()));
    if (command == upper_case("combine")) {
        std::cerr << "Not implemented yet...\n";
        return ExitSuccess;
    }
    std::cerr << "Unknown command " << ORBAX_Platform::terminal_text_of_bytes(args[0]) << "\n";
    write_usage();
    return ExitUsage;
}

} // namespace Curvex
