#pragma once
// A pair of arrow buttons that step the whole number in a buddy edit within a range, also from the
// Up and Down keys in the edit. Unlike a spin box, the edit keeps whatever is typed: it may be empty,
// and a typed number outside the range is kept until the user steps it.
#include <QWidget>

class QLineEdit;
class QToolButton;

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    UpDownControl(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

    // Adds `steps` (negative: down) to the edit's number, held within the range; an edit without a
    // number starts from the bottom of the range.
    void step(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLineEdit* m_buddy;
    int m_minimum;
    int m_maximum;
    QToolButton* m_up;
    QToolButton* m_down;
};
