#pragma once
// The up-down arrows paired with a number edit: each step reads the edit's number, moves it by one
// within the range and writes it back. The edit itself may hold any number, so a value outside the
// range that the caller stored survives until the user steps.
#include <QWidget>

class QLineEdit;
class QToolButton;

class SpinStepper : public QWidget {
    Q_OBJECT
public:
    SpinStepper(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

    // The buddy's number within the range (the nearest end for one outside it, the minimum for text
    // that is no number).
    int position() const;
    void stepBy(int steps);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

private:
    QLineEdit* m_buddy;
    int m_minimum;
    int m_maximum;
    QToolButton* m_up;
    QToolButton* m_down;
};
