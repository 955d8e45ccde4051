#include "docview/clipboard/UnitClipboard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/archive/ArchiveStreams.h"
#include "core/archive/IntervalArchive.h"
#include "core/model/Exception.h"
#include "core/model/NoCaseCompare.h"
#include "docview/document/history/BoreholeDocument.h"
#include "docview/document/history/UndoStep.h"

using ORBAX_Logging::FieldDefinition;
using ORBAX_Logging::Interval;
using ORBAX_Logging::LithData;
using ORBAX_Logging::SchemaDefinition;

namespace UnitClipboard {
namespace {

// Undo descriptions of the two pastes.
constexpr int kPasteDescription = 27141;
constexpr int kPasteSpecialDescription = 27142;

// Fields whose value a unit keeps apart from its element rows' value lists.
bool isUnitLevelKind(std::int32_t kind)
{
    using namespace ORBAX_Logging;
    return kind == ROCKTYPE || kind == SEAM || kind == PLY || kind == SAMPLE;
}

std::wstring depthText(double value)
{
    if (!std::isfinite(value))
        return std::wstring();
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.3f", value);
    return buffer;
}

// An element row of the source in the target's schema: rock type and percentage, and each value in
// the target field of the same name (the row assignment's mapping).
LithData mappedRow(const ORBAX_Logging::SchemaPtr& schema, const LithData& source)
{
    LithData row(schema);
    row = source;
    return row;
}

template <class Change>
void forEachSelected(BoreholeDocument& document, int k, const UnitRangeList& selection, int descriptionId,
                     Change change)
{
    UndoStep step(document, descriptionId, k);
    ORBAX_Logging::Borehole& borehole = document.GetBorehole(k);
    for (const UnitRange& range : selection) {
        for (int i = range.first; i <= range.last; ++i) {
            if (i < 0 || i >= borehole.unitCount())
                throw ORBAX_Logging::Exception(ORBAX_Logging::Exception::UnitOutOfRange);
            Interval& unit = borehole[static_cast<std::size_t>(i)];
            UndoAction& action = document.addAction(UndoPasted, k, i);
            action.copy = unit;
            change(unit);
            action.done = true;
        }
    }
    document.SetPaneModified(k, true);
    step.commit();
}

} // namespace

std::wstring WriteUnitArchive(const Interval& unit)
{
    std::wostringstream text;
    {
        ORBAX_Utilities::oserial_stream archive(text);
        ORBAX_Logging::IntervalArchive::save(archive, unit);
    }
    return text.str();
}

Interval ReadUnitArchive(const std::wstring& text)
{
    std::wistringstream stream(text.substr(0, text.find(L'\0')));
    ORBAX_Utilities::iserial_stream archive(stream);
    return ORBAX_Logging::IntervalArchive::load(archive);
}

std::wstring UnitPlainText(const Interval& unit)
{
    std::wstring text = depthText(unit.top()) + L'\t' + depthText(unit.bottom) + L'\t' + depthText(unit.thickness);
    std::wstring rocks;
    for (const LithData& element : unit.elements) {
        if (!rocks.empty())
            rocks += L" | ";
        rocks += element.rockType.str();
        if (unit.elements.size() > 1)
            rocks += L' ' + std::to_wstring(element.percentage) + L'%';
    }
    text += L'\t' + rocks + L'\t' + unit.seam.str() + L'\t' + unit.ply.str() + L'\t' + unit.sample.str();
    return text;
}

bool PasteUnit(BoreholeDocument& document, int k, const UnitRangeList& selection, const Interval& source)
{
    if (selection.empty())
        return false;
    forEachSelected(document, k, selection, kPasteDescription, [&source](Interval& unit) {
        unit.seam = source.seam;
        unit.ply = source.ply;
        if (source.composite)
            unit.compositeRow() = *source.composite;
        else
            unit.composite.reset();
        std::vector<LithData> elements;
        elements.reserve(source.elements.size());
        for (const LithData& element : source.elements)
            elements.push_back(mappedRow(unit.schema, element));
        unit.elements = std::move(elements);
    });
    return true;
}

FieldMapping MapPasteFields(const SchemaDefinition* target, const SchemaDefinition* source,
                            const std::vector<bool>& chosen)
{
    FieldMapping mapping;
    if (!target)
        return mapping;
    const std::vector<FieldDefinition>& fields = target->fields;
    static const std::vector<FieldDefinition> none;
    const std::vector<FieldDefinition>& sourceFields = source ? source->fields : none;
    mapping.source.assign(fields.size(), -1);
    for (std::size_t t = 0; t < fields.size() && t < chosen.size(); ++t) {
        if (!chosen[t])
            continue;
        const FieldDefinition& field = fields[t];
        int found = -1;
        if (isUnitLevelKind(field.kind)) {
            bool known = sourceFields.empty();
            for (const FieldDefinition& candidate : sourceFields)
                known = known || candidate.kind == field.kind;
            if (known)
                found = static_cast<int>(t);
        } else if (ORBAX_Logging::isFreeField(field.kind)) {
            // Names of free fields match whatever their letter case, as the program compares names everywhere.
            const NoCaseCompare compare;
            for (std::size_t s = 0; s < sourceFields.size() && found < 0; ++s)
                if (sourceFields[s].kind == field.kind && compare.Equal(sourceFields[s].name, field.name))
                    found = static_cast<int>(s);
        }
        if (found < 0) {
            if (mapping.unmatched.empty())
                mapping.unmatched = field.name.empty() ? L"?" : field.name;
            continue;
        }
        mapping.source[t] = found;
    }
    return mapping;
}

PasteFieldsResult PasteUnitFields(BoreholeDocument& document, int k, const UnitRangeList& selection,
                                  const Interval& source, const std::vector<bool>& chosen, std::wstring* unmatchedField)
{
    if (selection.empty() || source.elements.size() > 1)
        return PasteFieldsResult::Nothing;
    const ORBAX_Logging::Borehole& borehole = document.GetBorehole(k);
    const FieldMapping mapping = MapPasteFields(borehole.schema.get(), source.schema.get(), chosen);
    if (!mapping.complete()) {
        if (unmatchedField)
            *unmatchedField = mapping.unmatched;
        return PasteFieldsResult::Unmatched;
    }
    bool any = false;
    for (int s : mapping.source)
        any = any || s >= 0;
    if (!any)
        return PasteFieldsResult::Nothing;

    const std::vector<FieldDefinition>& fields = borehole.schema->fields;
    forEachSelected(document, k, selection, kPasteSpecialDescription, [&](Interval& unit) {
        for (std::size_t t = 0; t < fields.size(); ++t) {
            const int s = mapping.source[t];
            if (s < 0)
                continue;
            switch (fields[t].kind) {
            case ORBAX_Logging::SEAM: unit.seam = source.seam; break;
            case ORBAX_Logging::PLY: unit.ply = source.ply; break;
            case ORBAX_Logging::SAMPLE: unit.sample = source.sample; break;
            default: break;
            }
            const std::size_t pairs = std::min(source.elements.size(), unit.elements.size());
            for (std::size_t e = 0; e < pairs; ++e) {
                const LithData& from = source.elements[e];
                LithData& to = unit.elements[e];
                if (fields[t].kind == ORBAX_Logging::ROCKTYPE) {
                    to.rockType = from.rockType;
                } else if (ORBAX_Logging::isFreeField(fields[t].kind)) {
                    if (to.values.size() < fields.size())
                        to.values.resize(fields.size());
                    const auto from_index = static_cast<std::size_t>(s);
                    to.values.set(t, from_index < from.values.size() ? from.values[from_index] : std::wstring());
                }
            }
        }
    });
    return PasteFieldsResult::Pasted;
}

} // namespace UnitClipboard
