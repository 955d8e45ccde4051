#include "QuorLogException.h"

#include "Messages.h"

QuorLogException::QuorLogException() : m_text(ORBAX_Utilities::get_message(1022)) {}
