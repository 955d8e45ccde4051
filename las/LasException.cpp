#include "las/LasException.h"

#include <utility>

#include "core/catalogue/Messages.h"

namespace ORBAX_Geophysics {

LasException::LasException() : m_code(0), m_message(ORBAX_Utilities::get_message(20000)) {}

LasException::LasException(int code, std::string message) : m_code(code), m_message(std::move(message)) {}

} // namespace ORBAX_Geophysics
