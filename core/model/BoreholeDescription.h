#pragma once
// The text description of a borehole: a fixed-width table with one line per element of each unit.
#include <ostream>
#include <string>

#include "core/model/Borehole.h"
#include "core/model/LoadMessage.h"

namespace ORBAX_Logging {

// Turns a borehole's text into the bytes of the description's destination; sets `*lost` when a
// character has no form there (and is written as "?").
using TextEncoder = std::string (*)(const std::wstring& text, bool* lost);

// The description with the borehole's texts (rock types, seams) in code page 1252, as files hold it.
// A text that loses a character to the code page gives the row writer's warning (11111) in `messages`,
// naming the field and the unit.
void writeDescription(std::ostream& out, const Borehole& borehole, LoadMessages& messages);
// The same with the texts through `encode` (the terminal's encoding, say), a text that loses a
// character warned about with message `lostMessage` (of 11111's arguments). Columns are counted in
// characters, so they stay aligned whatever the encoding.
void writeDescription(std::ostream& out, const Borehole& borehole, TextEncoder encode, int lostMessage,
                      LoadMessages& messages);

} // namespace ORBAX_Logging
