#include "docview/document/QuorDoc.h"

#include <stdexcept>

CQuorDoc::CQuorDoc(QObject* parent) : QObject(parent) {}

bool CQuorDoc::OnNewDocument()
{
    for (int k = 0; k < PaneCount; ++k) {
        m_panes[k] = Pane();
        emit paneChanged(k);
    }
    return true;
}

const CQuorDoc::Pane& CQuorDoc::pane(int k) const
{
    if (k < 0 || k >= PaneCount)
        throw std::out_of_range("pane index out of range");
    return m_panes[static_cast<std::size_t>(k)];
}

const std::wstring& CQuorDoc::GetPathName(int k) const { return pane(k).path; }
bool CQuorDoc::IsModified(int k) const { return pane(k).modified; }
