#pragma once
// The pens, brushes and fonts that borehole and trace drawing share, in a fixed order. The screen's
// record has the bold tick font in its slot (selected traces are labelled in bold); printing and the
// page-layout view build theirs with the regular tick font there. Pen widths are millimetres; a
// width of 0 is the thinnest line the device can draw. Fonts are sized in points.
#include <cstdint>
#include <memory>

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QString>
#include <QTransform>

struct DrawingResources {
    QPen hairlinePen;    // black, 0.1 mm
    QPen greyPen;        // 0xFF808080, 0.1 mm
    QPen selectionPen;   // the selection colour, drawn inside the outlined rectangle
    QPen unitOutlinePen; // black, the unit outline width
    QBrush blackBrush;
    QBrush selectionBrush;
    QBrush whiteBrush;
    QFont tickFont;     // regular
    QFont tickFontBold; // bold on screen, regular for printing
    QFont generalFont;  // regular
    QFont tickFontItalic;
    // The smallest size (points) labels, depths and values are set in where their fields are narrow:
    // 0 on screen (two thirds of their size); printing and the page layout go down to a size that
    // still prints legibly.
    double smallestTextPoints = 0;

    // The font faces and sizes the record is built from.
    struct Fonts {
        QString tickFace = QStringLiteral("Arial");
        double tickPoints = 8;
        QString generalFace = QStringLiteral("Arial");
        double generalPoints = 10;
    };

    static constexpr std::uint32_t SelectionColour = 0x80FF00FFu;
    static constexpr double SelectionPenWidth = 0.7;
    static constexpr double UnitOutlineWidth = 0;

    // `boldTickFont`: the screen's record; false for printing and the page-layout view.
    static std::shared_ptr<DrawingResources> Create(const Fonts& fonts, bool boldTickFont,
                                                    std::uint32_t selectionColour = SelectionColour);
};

// A pen of a colour and a width in millimetres with square caps, as the borehole drawing wants;
// width 0 is a one-pixel (cosmetic) pen.
QPen MakeDrawingPen(std::uint32_t argb, double width);

// The pen as a device draws it: a line thinner than one device pixel is drawn one pixel wide, as the
// screen always drew hairlines; on paper the same pen keeps its width.
QPen DevicePen(QPen pen, const QTransform& worldToDevice);
