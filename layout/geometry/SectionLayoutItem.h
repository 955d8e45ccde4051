#pragma once
// A section of the log between two depths: up to five columns side by side (the left and the right
// borehole, then the first, second and third trace field), each a depth strip, its field and an
// annotation strip under a header band three lines high.
#include <vector>

#include <QRectF>

#include "layout/geometry/DepthSpec.h"
#include "layout/geometry/LayoutItem.h"

class BoreholeDocument;

class SectionLayoutItem : public LayoutItem {
public:
    // What a column of the section shows, in the order they are laid out.
    enum ColumnKind { LeftBorehole = 0, RightBorehole = 1, Trace1 = 2, Trace2 = 3, Trace3 = 4 };
    static constexpr int ColumnKinds = 5;

    struct Column {
        ColumnKind kind;
        QRectF column; // the whole column: x from the running left, y from 0 to 4 H + field height
        QRectF field;  // the borehole or trace field below the header band
    };

    // The columns shown, left to right, for a section from `top` to `bottom` (depths) and a line height
    // `lineHeight` (H, millimetres). A scale that is not a positive number gives fields of no height.
    std::vector<Column> Columns(double lineHeight, double top, double bottom) const;
    // The field height: (bottom - top) / scale; negative when the bottom lies above the top, 0 for a
    // scale that is not a positive number.
    double FieldHeight(double top, double bottom) const;
    // The union of the columns with the empty rectangle at the origin; (0, 0, 0, 0) with none shown.
    QRectF Bounds(double lineHeight, double top, double bottom) const;
    // Whether the point lies in the field of a shown column (depth strips, annotation strips and the
    // header band do not count).
    bool HitsField(double lineHeight, double top, double bottom, const QPointF& point) const;

    // The top depth: the top end resolved against the units of the top borehole; the bottom depth
    // likewise. A borehole index other than 0 or 1 reads as the right borehole.
    double TopDepth(const BoreholeDocument& document) const;
    double BottomDepth(const BoreholeDocument& document) const;
    bool Shows(ColumnKind kind) const;
    bool ShowsAnything() const;

    QRectF GetBounds(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document, const LayoutItemView& view,
                     const DrawingResources& resources) const override;
    bool HitTest(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document, const LayoutItemView& view,
                 const DrawingResources& resources, const QPointF& point) const override;
    void Draw(ORBAX_Platform::Graphics& graphics, const QRectF& area, const BoreholeDocument& document,
              const LayoutItemView& view, const DrawingResources& resources) const override;
    bool EditProperties(CQuorDoc& document, const QPointF& position);

    int topBorehole = 1;
    int bottomBorehole = 1;
    DepthSpec topSpec{DepthSpec::Depth, 0.0, {}};
    DepthSpec bottomSpec{DepthSpec::Depth, 10.0, {}};
    // Depth units per millimetre.
    double scale = 0.1;
    float depthWidth = 10.0f;
    float boreFieldWidth = 20.0f;
    float annotationWidth = 20.0f;
    float traceFieldWidth = 30.0f;
    float traceAnnotationWidth = 5.0f;
    bool showLeftBorehole = false;
    bool showRightBorehole = true;
    bool showTrace1 = false;
    bool showTrace2 = false;
    bool showTrace3 = false;
};

// A scale a section can be drawn at: a finite number above 0.
bool IsUsableSectionScale(double scale);
