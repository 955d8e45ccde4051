#include "printsetup/pagesetup/PageSetup.h"

#include "core/catalogue/Messages.h"
#include "printsetup/pagesetup/PageSetupPages.h"

CPageSetup::CPageSetup(const PageSetupSettings& settings, QWidget* parent)
    : PropertySheet(ORBAX_Utilities::get_message_wide(210), false, parent), m_settings(settings)
{
    setObjectName(QStringLiteral("CPageSetup"));
    AddPage(new CPageSetup_Layout(m_settings));
    AddPage(new CPageSetup_Margins(m_settings));
    AddPage(new CPageSetup_Titles(m_settings));
    AddPage(new CPageSetup_Legend(m_settings));
}
