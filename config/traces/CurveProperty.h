#pragma once
// A LAS curve as a drawable trace: its look (colour, column, visibility), its value axis and the
// plotting points computed from its samples, with an optional moving average.
#include <string>
#include <vector>

#include "config/TraceDefinition.h"
#include "las/Curve.h"

// A drawing point of a trace: x along the value axis, y down the depth axis.
struct PointF {
    float X = 0;
    float Y = 0;
};

class CurveProperty : public ORBAX_Geophysics::Curve {
public:
    explicit CurveProperty(ORBAX_Geophysics::LasDataCommon* owner);

    // Takes the look of the first definition that matches the mnemonic; false (and the curve
    // unchanged) when none does.
    bool ApplyTraceDefinition(const TraceDefinitionList& definitions);

    // Fills the curve's own points with its plot width and depth scale, making them on first use.
    void ComputePoints();
    // A new set of points for the given width and depth scale.
    std::vector<PointF> NewPoints(float width, double depthScale) const;
    // One point per row: x the (possibly smoothed) value scaled onto [0, width] of the value axis,
    // y the row's depth plus the offset, divided by the depth scale. Absent values give NaN.
    void FillPoints(std::vector<PointF>& points, float width, double depthScale) const;

    const std::vector<PointF>& points() const { return m_points; }
    bool has_points() const { return m_hasPoints; }

    int colourIndex = 0;
    int displayField = 0;
    bool visible = true;
    float plotWidth = 100.0f;
    double depthScale = 1.0;
    int smoothingWindow = 10;
    bool smoothing = false;
    bool ownRange = true;
    double rangeMinimum;
    double rangeMaximum;
    double depthOffset = 0.0;

private:
    int RowCount() const;

    std::vector<PointF> m_points;
    bool m_hasPoints = false;
};
