#pragma once
// The title-block dialog's grid control: paints the block it is given (the count of rows and of the
// first row's cells, then the rows themselves, in millimetres) on a goldenrod ground.
#include <memory>

#include <QString>
#include <QWidget>

#include "layout/geometry/TitleLayoutItem.h"

class CTitleLayoutItemControl : public QWidget {
    Q_OBJECT
public:
    explicit CTitleLayoutItemControl(QWidget* parent = nullptr);

    // The block to paint; the control holds it until it is given another or goes.
    void SetItem(std::shared_ptr<TitleLayoutItem> item);
    const std::shared_ptr<TitleLayoutItem>& Item() const { return m_item; }

    // What the control writes at (10, 10): the number of rows and, when there is a row, a blank and
    // the number of cells of the first row ("3 2"). Empty without a block.
    QString CountText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::shared_ptr<TitleLayoutItem> m_item;
    bool m_caret = false;
};
