#include "core/model/Borehole.h"

#include <cmath>

#include "core/catalogue/Messages.h"
#include "core/model/Exception.h"
#include "platform/Text.h"

namespace ORBAX_Logging {

Borehole::Borehole(SchemaPtr boreholeSchema)
    : name(ORBAX_Utilities::get_message_wide(11000)), schema(std::move(boreholeSchema))
{
}

Borehole::~Borehole() = default;

void Borehole::clear()
{
    std::vector<Interval>::clear();
    name = ORBAX_Utilities::get_message_wide(11000);
}

void Borehole::setNameFromPath(const std::wstring& path)
{
    std::wstring file = path;
    const auto slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash + 1 < path.size())
        file = path.substr(slash + 1);
    const auto dot = file.find_last_of(L'.');
    if (dot != std::wstring::npos && dot != 0)
        file.erase(dot);
    name = ORBAX_Platform::shown_name(std::move(file));
}

void Borehole::checkIndex(int i) const
{
    if (i < 0 || static_cast<std::size_t>(i) >= size())
        throw Exception(Exception::UnitOutOfRange);
}

void Borehole::checkSchema() const
{
    if (!schema)
        throw Exception(Exception::NoSchema);
}

const Interval& Borehole::unitAt(int i) const
{
    checkIndex(i);
    return (*this)[static_cast<std::size_t>(i)];
}

double Borehole::unitTop(int i) const
{
    checkIndex(i);
    return i == 0 ? 0.0 : (*this)[static_cast<std::size_t>(i - 1)].bottom;
}

int Borehole::unitAtDepth(double depth) const
{
    if (depth < 0)
        throw Exception(Exception::DepthTooShallow);
    for (std::size_t k = 0; k < size(); ++k)
        if ((*this)[k].bottom > depth)
            return static_cast<int>(k);
    throw Exception(Exception::DepthTooDeep);
}

bool Borehole::hasSampleField() const
{
    checkSchema();
    return schema->has(SchemaDefinition::HasSample);
}

bool Borehole::hasSeamField() const
{
    checkSchema();
    return schema->has(SchemaDefinition::HasSeam);
}

bool Borehole::hasSeamAndPlyFields() const
{
    checkSchema();
    return schema->has(SchemaDefinition::HasSeam | SchemaDefinition::HasPly);
}

bool Borehole::hasRecoveredField() const
{
    checkSchema();
    return schema->has(SchemaDefinition::HasRecovered);
}

bool Borehole::hasPercentageField() const
{
    checkSchema();
    return schema->has(SchemaDefinition::HasPercentage);
}

} // namespace ORBAX_Logging
