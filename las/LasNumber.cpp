#include "las/LasNumber.h"

#include "platform/Numbers.h"

namespace ORBAX_Geophysics {

bool parse_las_number(std::string_view token, double& value)
{
    if (parse_plain_number(token.data(), token.data() + token.size(), value))
        return true;
    if (!token.empty() && token.back() == ',')
        token.remove_suffix(1);
    std::size_t consumed = 0;
    double v = ORBAX_Platform::parse_double(token, &consumed);
    if (consumed == 0 || consumed != token.size())
        return false;
    value = v;
    return true;
}

} // namespace ORBAX_Geophysics
