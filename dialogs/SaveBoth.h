#pragma once
// Which of the two changed boreholes to save before the program closes (dialog 190).
#include "widgets/dialogs/DdxDialog.h"

class QCheckBox;

class CSaveBoth : public DdxDialog {
    Q_OBJECT
public:
    explicit CSaveBoth(QWidget* parent = nullptr);

    // 1 to save that borehole.
    int saveLeft = 0;
    int saveRight = 0;

protected:
    void exchange(bool save) override;

private:
    QCheckBox* m_left;
    QCheckBox* m_right;
};
