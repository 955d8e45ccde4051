#pragma once
// The text description of a borehole: a fixed-width table with one line per element of each unit.
#include <ostream>

#include "core/model/Borehole.h"

namespace ORBAX_Logging {

std::ostream& operator<<(std::ostream& out, const Borehole& borehole);

} // namespace ORBAX_Logging
