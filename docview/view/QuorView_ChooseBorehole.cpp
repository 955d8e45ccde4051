#include "dialogs/LoadBoreHole.h"
#include "docview/view/QuorView.h"

int CQuorView::ChooseBorehole()
{
    if (m_activePane >= 0)
        return m_activePane;
    if (m_selectedTraceFile >= 0)
        return 1;
    LoadBoreHole dialog(this);
    if (dialog.DoModal() != QDialog::Accepted)
        return -1;
    return dialog.side;
}
