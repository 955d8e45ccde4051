#pragma once
// The user's default look for curves of a given name: colour, trace column, visibility and value
// range. The name is either a curve name compared without regard to case or a regular expression
// (Perl syntax) that must cover the whole curve name, ignoring case.
#include <ostream>
#include <string>
#include <vector>

// Narrow colour words of the "Traces" section, index 0 to 16.
extern const char* const TraceColourNames[17];
constexpr int TraceColourCount = 17;
constexpr int TraceColourOff = 16;
// The display name of a colour index (messages 300 to 316); empty for an index out of range.
std::wstring TraceColourDisplayName(int colourIndex);

struct TraceDefinition {
    double minimum = 0.0;
    double maximum = 100.0;
    int colourIndex = 3; // BLUE
    int displayField = 1;
    bool visible = true;
    bool ownRange = false;
    std::string name;
    int pattern = 0;

    // Stores the name; it becomes a pattern when it compiles as a regular expression. False for an
    // empty name or one with a syntax error, which then stays a plain name.
    bool SetName(const std::string& newName);
    bool Matches(const std::string& curveName) const;
    // One line of the "Traces" section, without its line end.
    void Write(std::ostream& out) const;
};

using TraceDefinitionList = std::vector<TraceDefinition>;

// The first definition, in list order, that matches the curve name; null when none does.
const TraceDefinition* FindTraceDefinition(const TraceDefinitionList& definitions, const std::string& curveName);
