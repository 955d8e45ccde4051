#pragma once
// The page-setup sheet: Layout, Margins, Titles and Legend pages over a copy of the caller's record.
// The caller's record is untouched; after OK the caller takes the sheet's record (copy it, then swap
// the copy into its own).
#include "printsetup/settings/PageSetupSettings.h"
#include "widgets/dialogs/PropertySheet.h"

class CPageSetup_Layout;
class CPageSetup_Margins;
class CPageSetup_Titles;
class CPageSetup_Legend;

class CPageSetup : public PropertySheet {
    Q_OBJECT
public:
    explicit CPageSetup(const PageSetupSettings& settings, QWidget* parent = nullptr);

    // The edited copy.
    const PageSetupSettings& Settings() const { return m_settings; }

private:
    PageSetupSettings m_settings;
};
