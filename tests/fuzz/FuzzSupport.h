#pragma once
// Pieces every fuzz target shares: the program's message facets, and a check that stops the run so
// libFuzzer records the input.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/catalogue/Messages.h"

namespace FuzzSupport {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Installs the message facets and code page 1252 text once, as the programs do at start.
inline void install_facets_once()
{
    static const bool installed = [] {
        ORBAX_Utilities::install_message_facets(ProgramStringTable());
        return true;
    }();
    (void)installed;
}

// A configuration text from fuzz input of at least one byte: the first byte chooses whether a valid
// header is put in front of the rest, so that the sections get exercised too.
inline std::string configuration_text(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1)
        text = "Quorlog Configuration v3\n" + text;
    return text;
}

} // namespace FuzzSupport
