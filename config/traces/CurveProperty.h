#pragma once
// A LAS curve as a drawable trace: its look (colour, column, visibility), its value axis and the
// plotting points computed from its samples, with an optional moving average.
#include <cstddef>
#include <string>
#include <vector>

#include <QPointF>

#include "config/TraceDefinition.h"
#include "config/traces/CurveEnvelope.h"
#include "las/Curve.h"

// A drawing point of a trace: x along the value axis, y down the depth axis.
struct PointF {
    float X = 0;
    float Y = 0;
};

// The polylines that draw a curve: the points of every run one after another, and where each run
// ends in them.
struct CurvePolylines {
    std::vector<QPointF> points;
    std::vector<int> ends;
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

    // The value a row is drawn at: its sample, or with smoothing the mean over the window around it
    // (NaN when the window holds a missing value).
    double DrawnValue(int row) const;
    // The point FillPoints makes for a row, for the given width and depth scale.
    PointF PointAt(int row, float width, double depthScale) const;

    // The polylines that draw the rows of the depths from `topDepth` to `bottomDepth` (depths of the
    // display, the shift not taken off), with the row either side that a line to them starts from.
    // Points are in the plot's units, as FillPoints makes them; `deviceScale` and `deviceOffset` give
    // a point's device row, floor(deviceScale * y + deviceOffset). Where a device row holds more than
    // a few rows it gets at most four points (the first, lowest, highest and last value), so that the
    // line covers what all of them would. A missing value ends a run; a run of one row draws nothing.
    void DrawingPolylines(double topDepth, double bottomDepth, float width, double depthScale, double deviceScale,
                          double deviceOffset, CurvePolylines& out) const;
    // Makes what DrawingPolylines needs for the curve's smoothing now: done at the first drawing
    // otherwise. Not safe while another thread draws the curve.
    void PrepareDrawing() const;

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

    // The values drawn (the smoothed ones, or a copy where the samples are fewer than the rows) and
    // their envelope, for the smoothing they were made with.
    struct Drawing {
        bool made = false;
        bool smoothing = false;
        int window = 0;
        int rows = 0;
        const double* samples = nullptr;
        std::vector<double> values;
        CurveEnvelope envelope;
        bool depthsAscending = false;
    };
    const double* drawnValues() const;
    mutable Drawing m_drawing;
};
