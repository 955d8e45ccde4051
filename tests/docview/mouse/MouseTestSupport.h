#pragma once
// The view shown at a fixed size over two boreholes, driven by QTest presses, moves and releases at
// points computed from the view's own geometry; the assertions read the document, its history and the
// view's state, never pixels.
#include <cmath>
#include <string>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "docview/mouse/rules/MouseModes.h"
#include "tests/docview/view/ViewTestSupport.h"

namespace MouseTest {

class MouseFixture : public ViewTest::ViewFixture {
protected:
    MouseFixture()
    {
        // Units of 5 m from the top, with rock types naming their index and sample numbers.
        ViewTest::FillBorehole(Hole(0), L"Left hole",
                               {{5, {{L"Sandstone", 100}}, L"S1"},
                                {10, {{L"Coal", 100}}, L"S2"},
                                {15, {{L"Shale", 60}, {L"Coal", 40}}, L"S3"}});
        ViewTest::FillBorehole(Hole(1), L"Right hole", {{4, {{L"Shale", 100}}}, {12, {{L"Coal", 100}}}});
        // Tall enough for 19 m of both columns at 1:100.
        view->resize(1200, 900);
        view->show();
        view->OnSize();
    }

    // The depth shown at the bottom of a pane's column.
    double ColumnBottomDepth(int pane) const
    {
        return view->GetPaneTopDepth(pane) + view->Layout().column(pane).height() * view->GetScale();
    }

    // The client point of a depth in a pane's column, `across` of the way over it.
    QPoint At(int pane, double depth, double across = 0.5) const
    {
        const QRectF& column = view->Layout().column(pane);
        const double y = column.top() + (depth - view->GetPaneTopDepth(pane)) / view->GetScale();
        const QPointF device = view->PageToDevice(QPointF(column.left() + across * column.width(), y));
        return QPoint(static_cast<int>(std::floor(device.x())), static_cast<int>(std::floor(device.y() + 0.5)));
    }
    // A point a few millimetres (page) below or above another.
    QPoint Below(const QPoint& point, double millimetres) const
    {
        return point + QPoint(0, static_cast<int>(std::lround(millimetres * view->PixelsPerMmY())));
    }
    // The depth a drag to this point gives, as the view snaps it.
    double SnappedDepthAt(int pane, const QPoint& point, int offset = 0) const
    {
        return view->SnapDepth(view->DeviceYToDepth(pane, point.y() - offset));
    }

    void Press(const QPoint& point, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTest::mousePress(view.get(), Qt::LeftButton, keys, point);
    }
    // A move with the left button held.
    void DragTo(const QPoint& point, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(point), view->mapToGlobal(QPointF(point)), Qt::NoButton,
                          Qt::LeftButton, keys);
        QApplication::sendEvent(view.get(), &event);
    }
    // A move with no button held.
    void HoverTo(const QPoint& point)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(point), view->mapToGlobal(QPointF(point)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &event);
    }
    void Release(const QPoint& point, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTest::mouseRelease(view.get(), Qt::LeftButton, keys, point);
    }
    void Click(const QPoint& point, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        Press(point, keys);
        Release(point, keys);
    }
    void Wheel(const QPoint& point, int delta, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QWheelEvent event(QPointF(point), view->mapToGlobal(QPointF(point)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &event);
    }

    std::vector<double> Bases(int pane)
    {
        std::vector<double> bases;
        for (const auto& unit : Hole(pane))
            bases.push_back(unit.bottom);
        return bases;
    }
    std::wstring LastStep() const
    {
        return document->GetUndoCount() == 0 ? std::wstring() : document->GetLastStepDescription();
    }
    int Mode() const { return view->m_editMode; }
};

} // namespace MouseTest
