#include "core/model/Exception.h"

#include "core/catalogue/Messages.h"

namespace ORBAX_Logging {

int Exception::messageId(std::int32_t type)
{
    switch (type) {
    case DepthTooDeep: return 11103;
    case DepthTooShallow: return 11104;
    case UnitOutOfRange: return 11101;
    case ElementOutOfRange: return 11100;
    case NoSchema: return 11102;
    default: return 0;
    }
}

Exception::Exception(std::int32_t type) : m_type(type)
{
    if (int id = messageId(type))
        m_message = ORBAX_Utilities::get_message(id);
}

} // namespace ORBAX_Logging
