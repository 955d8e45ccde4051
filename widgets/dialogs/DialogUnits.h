#pragma once
// Dialog templates are given in dialog units: a quarter of the average character width across and an
// eighth of the character height down, in the dialog's font. These helpers turn them into pixels and
// keep controls at their distances from a dialog's edges as it is resized.
#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

class DialogUnits {
public:
    explicit DialogUnits(const QWidget* dialog);
    int x(int units) const;
    int y(int units) const;
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const;

private:
    double m_baseX;
    double m_baseY;
};

// Places controls at their template rectangles and, on every resize of the dialog, applies each
// control's rule: Stretch keeps the left and top and the gaps to the right and bottom edges;
// MoveRightBottom keeps the size and the distances from the right and bottom edges to the left and
// top sides; MoveBottom keeps the left side, the size and the distance from the bottom edge to the top
// side. The client size the template was drawn for becomes the dialog's size.
class EdgeAnchors : public QObject {
public:
    enum Rule { Stretch, MoveRightBottom, MoveBottom, Fixed };

    EdgeAnchors(QWidget* dialog, const QSize& templateSize);
    void add(QWidget* control, const QRect& templateRect, Rule rule);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Anchor {
        QPointer<QWidget> control;
        Rule rule;
        QRect rect; // as placed in the template
        int right;  // client width minus the right edge (Stretch) or minus the left side (Move)
        int bottom; // likewise downwards
    };
    void apply(const QSize& client);

    QWidget* m_dialog;
    QSize m_template;
    std::vector<Anchor> m_anchors;
};
