#include <iomanip>
#include <iostream>

#include "tools/holdex/HoldexCommands.h"

namespace Holdex {
namespace {

const int kMajor = 3;
const int kMinor = 3;
const int kRelease = 7;
const int kBuildYear = 2016;
const int kBuildMonth = 11;
const int kBuildDay = 23;

} // namespace

int version_command(bool help)
{
    if (help) {
        std::cerr << "Print version information\n";
        return ExitSuccess;
    }
    std::cout << "Holdex version " << kMajor << '.' << kMinor << '.' << kRelease << ", built " << kBuildYear << '-'
              << std::setw(2) << std::setfill('0') << kBuildMonth << '-' << std::setw(2) << kBuildDay
              << std::setfill(' ') << ". Copyright (c) ORBAX. All rights reserved.\n";
    return ExitSuccess;
}

} // namespace Holdex
