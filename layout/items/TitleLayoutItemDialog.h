#pragma once
// "Title Properties": the title block's grid control over a copy of the block, and "Add row above",
// which appends a row to the copy. The dialog resizes: the grid grows with it, the buttons keep their
// distance to the bottom edge, and it never gets smaller than it opened.
#include <memory>

#include "layout/geometry/TitleLayoutItem.h"
#include "widgets/dialogs/DdxDialog.h"

class CTitleLayoutItemControl;
class EdgeAnchors;

class CTitleLayoutItemDialog : public DdxDialog {
    Q_OBJECT
public:
    // The dialog edits a copy of `item` (sharing its rows).
    explicit CTitleLayoutItemDialog(const TitleLayoutItem& item, QWidget* parent = nullptr);

    // The copy the dialog edits.
    const std::shared_ptr<TitleLayoutItem>& Item() const { return m_item; }
    CTitleLayoutItemControl* Grid() const { return m_grid; }

    void OnAddRowAbove();

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    std::shared_ptr<TitleLayoutItem> m_item;
    CTitleLayoutItemControl* m_grid = nullptr;
};
