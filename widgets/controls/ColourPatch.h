#pragma once
// A small area filled with one colour, which its owner sets and then repaints.
#include <cstdint>

#include <QWidget>

class CColourPatch : public QWidget {
    Q_OBJECT
public:
    explicit CColourPatch(QWidget* parent = nullptr);

    // ARGB; changed directly by the owner, who then calls update().
    std::uint32_t colour = 0xFF000000u;

protected:
    void paintEvent(QPaintEvent* event) override;
};
