#pragma once
// The Correlate dialog: the seam and ply that units are tied to, chosen from the seams of the
// current correlation site and the plies of the chosen seam.
#include <string>

#include "widgets/dialogs/DdxDialog.h"

class CorrelationDefinition;
class QComboBox;
class QLineEdit;

class CCorrelate : public DdxDialog {
    Q_OBJECT
public:
    // `site` may be null (no current site): only the empty seam can be chosen then.
    CCorrelate(const CorrelationDefinition* site, const std::wstring& seamName, const std::wstring& plyName,
               QWidget* parent = nullptr);

    // The chosen names after OK; empty for the empty entry.
    std::wstring m_seamName;
    std::wstring m_plyName;

public slots:
    // Refills the ply list for the selected seam.
    void OnSelchangeSeam();

protected:
    // Loads the controls from the names (refilling the plies for the seam found), or stores the
    // selected entries' texts in them.
    void exchange(bool save) override;

private:
    const CorrelationDefinition* m_site;
    QComboBox* m_plyCombo;
    QComboBox* m_seamCombo;
    QLineEdit* m_siteEdit;
};

// The entry of a combo box that a stored name selects: the first whose text equals the name
// ignoring case, otherwise the first that begins with it ignoring case; -1 when none does.
int FindNameEntry(const QComboBox& combo, const std::wstring& name);
