#include "docview/document/history/UndoStep.h"

#include "core/catalogue/Messages.h"
#include "core/catalogue/QuorLogException.h"
#include "docview/document/history/BoreholeDocument.h"

UndoStep::UndoStep(BoreholeDocument& document, int descriptionId, int pane) : m_document(document), m_pane(pane)
{
    if (!m_document.beginStep(ORBAX_Utilities::get_message_wide(descriptionId), m_document.IsPaneModified(pane), pane))
        throw QuorLogException();
}

UndoStep::~UndoStep() { m_document.endStep(m_committed); }
