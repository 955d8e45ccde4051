#include "core/model/Interval.h"

#include "core/model/Exception.h"

namespace ORBAX_Logging {

Interval::Interval(SchemaPtr unitSchema) : schema(std::move(unitSchema)) {}

Interval::Interval(SchemaPtr unitSchema, const LithData& element) : Interval(std::move(unitSchema))
{
    elements.emplace_back(schema);
    elements.back() = element;
}

Interval& Interval::operator=(const Interval& source)
{
    if (this == &source)
        return *this;
    // A fresh vector, so that each element keeps the schema it has in the source.
    elements = std::vector<LithData>(source.elements);
    bottom = source.bottom;
    thickness = source.thickness;
    recovered = source.recovered;
    seam = source.seam;
    ply = source.ply;
    sample = source.sample;
    if (source.composite)
        compositeRow() = *source.composite;
    else if (composite) {
        // The blank row the source stands for, assigned (not moved) so that the target keeps its schema.
        const LithData blank(source.schema);
        *composite = blank;
    }
    return *this;
}

LithData& Interval::compositeRow()
{
    if (!composite)
        composite = LithData(schema);
    return *composite;
}

const LithData& Interval::compositeOr(LithData& blank) const
{
    if (composite)
        return *composite;
    blank = LithData(schema);
    return blank;
}

std::int32_t Interval::percentageUpTo(int n) const
{
    if (n >= 0 && static_cast<std::size_t>(n) >= elements.size())
        throw Exception(Exception::ElementOutOfRange);
    std::int64_t sum = 0;
    for (int k = 0; k <= n; ++k)
        sum += elements[static_cast<std::size_t>(k)].percentage;
    if (sum > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (sum < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(sum);
}

std::wstring Interval::elementsText() const
{
    std::wstring text;
    for (std::size_t k = 0; k < elements.size(); ++k) {
        if (k)
            text += L" | ";
        text += elements[k].rockType.str();
    }
    return text;
}

void Interval::setRockTypes(const std::wstring& intervalRockType, const std::vector<std::int32_t>& percentages,
                            const std::vector<std::wstring>& rockTypes)
{
    const std::size_t before = elements.size();
    if (elements.size() > percentages.size())
        elements.resize(percentages.size());
    while (elements.size() < percentages.size())
        elements.emplace_back(schema);
    for (std::size_t k = 0; k < elements.size() && k < percentages.size() && k < rockTypes.size(); ++k) {
        elements[k].percentage = percentages[k];
        elements[k].rockType = rockTypes[k];
    }
    if (before == 1 && elements.size() > 1) {
        LithData& row = compositeRow();
        row.rockType = intervalRockType;
        row.percentage = 100;
    }
}

void Interval::setSeam(const std::wstring& text)
{
    seam = text;
    ply.clear();
}

} // namespace ORBAX_Logging
