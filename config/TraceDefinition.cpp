#include "config/TraceDefinition.h"

#include <iomanip>
#include <locale>
#include <sstream>

#include <boost/regex.hpp>

#include "core/catalogue/Messages.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "core/model/NoCaseCompare.h"
#include "platform/Numbers.h"

const char* const TraceColourNames[17] = {"BLACK",   "RED",    "GREEN",  "BLUE",  "YELLOW",  "CYAN",
                                          "MAGENTA", "ORANGE", "PURPLE", "DKRED", "DKGREEN", "DKBLUE",
                                          "OLIVE",   "TEAL",   "MAROON", "GREY",  "OFF"};

std::wstring TraceColourDisplayName(int colourIndex)
{
    if (colourIndex < 0 || colourIndex >= TraceColourCount)
        return {};
    return ORBAX_Utilities::get_message_wide(300 + colourIndex);
}

bool TraceDefinition::SetName(const std::string& newName)
{
    name = newName;
    pattern = 0;
    if (name.empty())
        return false;
    try {
        boost::regex compiled(name);
        pattern = 1;
        return true;
    } catch (const boost::regex_error&) {
        return false;
    }
}

bool TraceDefinition::Matches(const std::string& curveName) const
{
    if (pattern == 1) {
        try {
            boost::regex compiled(name, boost::regex_constants::perl | boost::regex_constants::icase);
            return boost::regex_match(curveName, compiled);
        } catch (const std::exception&) {
            // A pattern that does not compile (or one too complex to match) matches nothing.
            return false;
        }
    }
    return NoCaseCompare().Equal(name, curveName);
}

namespace {

// The fewest significant digits, six at least, with which `value` reads back as the same number: the
// editor keeps every digit the user typed, and the file must not round them away.
std::streamsize RoundTripPrecision(double value)
{
    std::streamsize precision = 6;
    for (; precision < 17; ++precision) {
        std::ostringstream text;
        text.imbue(std::locale::classic());
        text.precision(precision);
        text << value;
        if (ORBAX_Platform::parse_double(text.str()) == value)
            break;
    }
    return precision;
}

} // namespace

void TraceDefinition::Write(std::ostream& out) const
{
    const std::ios_base::fmtflags saved = out.flags();
    out << std::left << std::setw(20) << ORBAX_Config::QuoteName(name);
    if (pattern == 1)
        out << " PATTERN";
    if (visible) {
        const int colour = colourIndex >= 0 && colourIndex < TraceColourCount ? colourIndex : TraceColourOff;
        const std::streamsize precision = out.precision();
        out << " " << std::right << std::setw(10) << std::setprecision(RoundTripPrecision(minimum)) << minimum << " "
            << std::setw(10) << std::setprecision(RoundTripPrecision(maximum)) << maximum
            << std::setprecision(precision) << " " << std::left << std::setw(16) << TraceColourNames[colour] << " "
            << std::right << std::setw(10) << displayField << "  " << (ownRange ? "N" : "Y");
    } else {
        out << " INVISIBLE";
    }
    out.setf(saved);
}

const TraceDefinition* FindTraceDefinition(const TraceDefinitionList& definitions, const std::string& curveName)
{
    for (const TraceDefinition& definition : definitions)
        if (definition.Matches(curveName))
            return &definition;
    return nullptr;
}
