#pragma once
// The bitmap editor's preview: white, with the shown pattern's image tiled at its own pixel size from
// the top-left corner of the area being painted; an incomplete pattern leaves it white.
#include <QWidget>

#include "config/BitmapPattern.h"

class CBitmapView : public QWidget {
    Q_OBJECT
public:
    explicit CBitmapView(QWidget* parent = nullptr);

    // The pattern shown (not owned; null: none). The owner repaints after changing it.
    const BitmapPattern* pattern = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};
