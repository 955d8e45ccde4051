#include "tools/curvex/Curvex.h"

#include <exception>
#include <iomanip>
#include <iostream>
#include <locale>
#include <string>
#include <vector>

#include "las/Curve.h"
#include "las/LasData.h"
#include "platform/Paths.h"

namespace Curvex {
namespace {

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

std::string upper_case(std::string text)
{
    const auto& ct = std::use_facet<std::ctype<char>>(std::locale());
    ct.toupper(text.data(), text.data() + text.size());
    return text;
}

bool starts_with_dash(const std::string& word) { return !word.empty() && word[0] == '-'; }

int summarise(const std::vector<std::string>& args)
{
    std::string fileName;
    bool haveName = false;
    for (const std::string& arg : args) {
        if (starts_with_dash(arg)) {
            std::cerr << "summarise: unknown option " << arg << "\n";
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

    try {
        ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve> las;
        std::wstring errorText;
        // The name is UTF-8 as typed; it reaches the file system unchanged.
        int result = las.read(ORBAX_Platform::wide_from_utf8(fileName), errorText);
        if (result != 0) {
            // A file that could not be read gives its reason, never a summary of nothing.
            std::cerr << ORBAX_Platform::utf8_from_wide(errorText) << "\n";
            return ExitFailure;
        }

        std::cout << "Summary for las file " << fileName << "\n";
        std::cout << std::setprecision(3);
        std::cout << std::left << std::setw(20) << "Start depth:" << std::right << std::setw(10) << las.start_depth()
                  << "\n";
        std::cout << std::left << std::setw(20) << "Stop depth:" << std::right << std::setw(10) << las.stop_depth()
                  << "\n";
        std::cout << std::left << std::setw(10) << "Name" << std::setw(40) << "Description" << std::setw(10)
                  << "Minimum" << std::setw(10) << "Maximum"
                  << "\n";
        for (const ORBAX_Geophysics::Curve& curve : las.curves()) {
            std::cout << std::left << std::setw(10) << curve.mnemonic << std::setw(40) << curve.description
                      << std::setw(10) << curve.minimum() << std::setw(10) << curve.maximum() << "\n";
        }
        std::cout.flush();
    } catch (const std::exception& e) {
        std::cerr << "An exception occurred: " << e.what() << "\n";
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
        std::cerr << "Unknown option " << args[0] << "\n";
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
    std::cerr << "Unknown command " << args[0] << "\n";
    write_usage();
    return ExitUsage;
}

} // namespace Curvex
