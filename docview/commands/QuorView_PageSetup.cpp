#include "docview/view/QuorView.h"

#include <QDialog>

#include "printsetup/pagesetup/PageSetup.h"

void CQuorView::OnPageSetup()
{
    CPageSetup sheet(m_pageSetup, this);
    if (sheet.DoModal() != QDialog::Accepted)
        return;
    // The whole edited record replaces the view's at once; the old values leave with the copy.
    PageSetupSettings edited(sheet.Settings());
    swap(m_pageSetup, edited);
}
