#pragma once
// Up and down arrows beside an edit (its buddy) that step the integer written in the edit within a
// range, as the framework's spin control did. The edit stays an ordinary edit: whatever is typed
// there is checked by the dialog's exchange, not clamped by the arrows.
#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy);
    void setRange(int low, int high);
    int minimum() const { return m_low; }
    int maximum() const { return m_high; }

    // One step up (+1) or down (-1) from the buddy's number; a buddy without a number starts from the
    // nearer end of the range.
    void step(int direction);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Held as an object: while the edit is being destroyed it is no longer an edit.
    QPointer<QObject> m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_low = 0;
    int m_high = 100;
};
