#pragma once
// The text description of a borehole: a fixed-width table with one line per element of each unit.
#include <ostream>
#include <string>

#include "core/model/Borehole.h"

namespace ORBAX_Logging {

// Turns a borehole's text into the bytes of the description's destination.
using TextEncoder = std::string (*)(const std::wstring& text);

// The description with the borehole's texts (rock types, seams) in code page 1252, as files hold it.
std::ostream& operator<<(std::ostream& out, const Borehole& borehole);
// The same with the texts through `encode` (the terminal's encoding, say). Columns are counted in
// characters, so they stay aligned whatever the encoding.
void writeDescription(std::ostream& out, const Borehole& borehole, TextEncoder encode);

} // namespace ORBAX_Logging
