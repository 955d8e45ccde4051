#include "core/model/OneRowUnits.h"

#include <algorithm>

#include "core/catalogue/Messages.h"
#include "core/model/ValueText.h"
#include "platform/Text.h"

namespace ORBAX_Logging {
namespace {

bool beginsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

OneRowUnits::OneRowUnits(const Borehole& borehole, const SchemaDefinition& written, RowMarking marking,
                         const std::wstring& intervalRockType)
{
    // Without a percentage field every row reads as 100 percent, a unit of its own.
    const bool percentages = written.countOf(PERCENTAGE) > 0;
    const bool rockTypes = written.countOf(ROCKTYPE) > 0;
    if (!percentages) {
        bool any = false;
        for (const Interval& unit : borehole)
            any = any || unit.elements.size() >= 2;
        if (!any)
            return;
    }
    m_units.assign(borehole.size(), false);

    // Whether the unit's rows, written as they are, read back as this unit. `nextOpensUnit` says that
    // the row after them begins a new unit whatever came before it.
    auto readsBack = [&](const Interval& unit, bool nextOpensUnit) {
        const std::vector<LithData>& rows = unit.elements;
        if (rows.size() < 2)
            return !percentages || rows.empty() || rows[0].percentage == 100 ||
                   (marking == RowMarking::PercentSum && nextOpensUnit);
        if (!percentages)
            return false;
        long long sum = 0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (rows[k].percentage == 100)
                return false;
            sum += rows[k].percentage;
            // Once past 99 the rows gathered so far close the unit.
            if (marking == RowMarking::PercentSum && k >= 1 && k + 1 < rows.size() && sum > 99)
                return false;
            if (marking == RowMarking::PercentAndRockType && k >= 1 &&
                beginsWith(ORBAX_Platform::trimmed_blanks(rows[k].rockType.str()), intervalRockType))
                return false;
        }
        if (marking == RowMarking::PercentSum)
            return sum > 99 || nextOpensUnit;
        if (marking == RowMarking::PercentAndRockType) {
            if (!rockTypes)
                return false;
            const std::wstring own = unit.composite ? unit.composite->rockType.str() : std::wstring();
            return beginsWith(own.empty() ? intervalRockType : ORBAX_Platform::trimmed_blanks(own), intervalRockType);
        }
        return true;
    };

    // From the bottom up, since without unit rows a unit's end may depend on how the next one begins.
    bool nextOpensUnit = true;
    for (std::size_t i = borehole.size(); i-- > 0;) {
        const Interval& unit = borehole[i];
        if (!readsBack(unit, nextOpensUnit)) {
            m_units[i] = true;
            ++m_count;
            m_first = i;
        }
        nextOpensUnit = m_units[i] || !percentages || unit.elements.empty() || unit.elements[0].percentage == 100;
    }
}

void OneRowUnits::report(const Borehole& borehole, const SchemaDefinition& written, int precision,
                         LoadMessages& messages) const
{
    if (m_count == 0)
        return;
    const Interval& first = borehole[m_first];
    addMessage(messages, 4, SeverityWarning,
               ORBAX_Utilities::format_message(11196, {std::to_wstring(m_count), realText(precision, first.top()),
                                                       realText(precision, first.bottom), written.name}));
}

LithData OneRowUnits::rowOf(const Interval& unit)
{
    if (unit.elements.empty())
        return LithData(unit.schema);
    std::size_t main = 0;
    for (std::size_t k = 1; k < unit.elements.size(); ++k)
        if (unit.elements[k].percentage > unit.elements[main].percentage)
            main = k;
    LithData row = unit.elements[main];
    row.percentage = 100;
    if (unit.elements.size() >= 2 && unit.composite && unit.composite->schema == row.schema) {
        // Unpacked once: a value looked up or set in place costs a pass over the row's values.
        const std::vector<std::wstring> whole = unit.composite->values.toVector();
        std::vector<std::wstring> values = row.values.toVector();
        const std::size_t count = std::min(whole.size(), values.size());
        for (std::size_t k = 0; k < count; ++k)
            if (values[k].empty())
                values[k] = whole[k];
        row.values.assign(values);
    }
    return row;
}

} // namespace ORBAX_Logging
