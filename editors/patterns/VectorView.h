#pragma once
// A preview of a vector pattern on white: cells of the pattern's own size repeated in both directions
// from the top-left corner, or (full width) one cell stretched over the whole width per row. A pattern
// that is not compiled, or whose width or height is not positive, leaves it white.
#include <QWidget>

#include "config/VectorPattern.h"

class CVectorView : public QWidget {
    Q_OBJECT
public:
    explicit CVectorView(bool fullWidth, QWidget* parent = nullptr);

    // The pattern shown (not owned; null: none). The owner repaints after changing it.
    const VectorPattern* pattern = nullptr;
    const bool fullWidth;

protected:
    void paintEvent(QPaintEvent* event) override;
};
