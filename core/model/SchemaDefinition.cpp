#include "core/model/SchemaDefinition.h"

#include <algorithm>

#include "core/catalogue/Messages.h"
#include "core/model/LithData.h"
#include "core/model/NoCaseCompare.h"

namespace ORBAX_Logging {
namespace {

constexpr int kindTooMany = 12;
constexpr int kindMissingField = 13;
constexpr int kindNoDepth = 14;

} // namespace

std::size_t SchemaDefinition::countOf(std::int32_t kind) const
{
    return static_cast<std::size_t>(
        std::count_if(fields.begin(), fields.end(), [kind](const FieldDefinition& f) { return f.kind == kind; }));
}

int SchemaDefinition::indexOf(std::int32_t kind) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].kind == kind)
            return static_cast<int>(i);
    return -1;
}

bool SchemaDefinition::validate(LoadMessages& messages)
{
    using ORBAX_Utilities::format_message;
    flags = 0;
    bool ok = true;
    auto tooMany = [&](std::int32_t kind) {
        addMessage(messages, kindTooMany, SeverityWarning, format_message(11114, {fieldKindKeyword(kind), name}));
        ok = false;
    };

    for (std::int32_t kind : {TOP, BOTTOM, THICKNESS})
        if (countOf(kind) > 1)
            tooMany(kind);
    if (countOf(TOP) == 0 && countOf(BOTTOM) == 0 && countOf(THICKNESS) == 0) {
        addMessage(messages, kindNoDepth, SeverityWarning, format_message(11117, {name}));
        ok = false;
    }

    const std::size_t samples = countOf(SAMPLE);
    if (samples > 1)
        tooMany(SAMPLE);
    if (samples > 0)
        flags |= HasSample;

    const std::size_t seams = countOf(SEAM);
    if (seams > 1)
        tooMany(SEAM);
    if (seams > 0)
        flags |= HasSeam;

    // A ply names a part of a seam, so a ply without a seam is reported like a surplus ply.
    const std::size_t plies = countOf(PLY);
    if (plies > 1 || (plies == 1 && seams == 0))
        tooMany(PLY);
    if (plies > 0)
        flags |= HasPly;

    const std::size_t percentages = countOf(PERCENTAGE);
    if (percentages > 1)
        tooMany(PERCENTAGE);
    if (percentages > 0)
        flags |= HasPercentage;

    const std::size_t rockTypes = countOf(ROCKTYPE);
    if (rockTypes > 1)
        tooMany(ROCKTYPE);
    if (rockTypes == 0) {
        addMessage(messages, kindMissingField, SeverityWarning,
                   format_message(11115, {fieldKindKeyword(ROCKTYPE), name}));
        ok = false;
    }

    const std::size_t recovered = countOf(RECOVERED);
    if (recovered > 1)
        tooMany(RECOVERED);
    if (recovered > 0)
        flags |= HasRecovered;

    if (ok)
        flags |= Valid;
    flags |= Validated;
    return ok;
}

int findField(const std::vector<FieldDefinition>& fields, const std::wstring& name)
{
    // Upper- or lower-casing both names finds the same fields for every character of code page 1252.
    const NoCaseCompare compare;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (compare.Equal(fields[i].name, name))
            return static_cast<int>(i);
    return -1;
}

bool fieldText(std::wstring& out, const LithData& element, const std::wstring& name)
{
    const int index = element.schema ? findField(element.schema->fields, name) : -1;
    if (index < 0) {
        out.clear();
        return false;
    }
    return fieldTextAt(out, element, static_cast<std::size_t>(index));
}

bool fieldTextAt(std::wstring& out, const LithData& element, std::size_t index, const std::vector<std::wstring>* values)
{
    switch (element.schema->fields[index].kind) {
    case PERCENTAGE: out = std::to_wstring(element.percentage); break;
    case ROCKTYPE: out = element.rockType; break;
    case STRING:
    case REAL:
    case INTEGER:
    case TOP:
        if (values)
            out = index < values->size() ? (*values)[index] : std::wstring();
        else
            out = index < element.values.size() ? element.values[index] : std::wstring();
        break;
    default:
        // Depths, seam, ply, sample and recovered length belong to the unit; the writers take them
        // from there.
        break;
    }
    return true;
}

} // namespace ORBAX_Logging
