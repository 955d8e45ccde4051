#include "core/catalogue/QuorLogException.h"

#include "core/catalogue/Messages.h"

QuorLogException::QuorLogException() : m_text(ORBAX_Utilities::get_message(1022)) {}
