#pragma once
// "Legend Properties": a layout legend's sort order, include mode, box size and font, edited on a copy
// of the legend (its style copied, its entries shared).
#include <memory>

#include "layout/geometry/LegendLayoutItem.h"
#include "printsetup/pagesetup/LegendControls.h"
#include "widgets/dialogs/DdxDialog.h"

class CLegendLayoutItemDialog : public DdxDialog {
    Q_OBJECT
public:
    explicit CLegendLayoutItemDialog(const LegendLayoutItem& item, QWidget* parent = nullptr);

    const std::shared_ptr<LegendLayoutItem>& Item() const { return m_item; }

    // Button 1329: the font prompt, starting at the legend's font; the button shows the font chosen.
    void OnFont();

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    std::shared_ptr<LegendLayoutItem> m_item;
    LegendControls m_legend;
};
