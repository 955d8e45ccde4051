#pragma once
// Which pane a borehole command works on, left or right (dialog 324).
#include "widgets/dialogs/DdxDialog.h"

class QButtonGroup;

class LoadBoreHole : public DdxDialog {
    Q_OBJECT
public:
    explicit LoadBoreHole(QWidget* parent = nullptr);

    // 0 the left borehole, 1 the right one.
    int side = 0;

    QButtonGroup* group() const { return m_group; }

protected:
    void exchange(bool save) override;

private:
    QButtonGroup* m_group;
};
