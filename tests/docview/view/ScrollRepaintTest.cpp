#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

#include "tests/docview/view/ViewTestSupport.h"

using namespace ViewTest;

namespace {

// Smooth edges that a paint's clip cuts come out a level or two apart from the same edge painted
// whole; anything wrong is far more than that.
bool Alike(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6 &&
           std::abs(qBlue(a) - qBlue(b)) <= 6;
}

// The view shown on the offscreen screen, whose window pixels are what the view's paints left in the
// backing store: after any scroll they must be what a paint of the whole view gives.
class ScrollRepaint : public ViewFixture {
protected:
    ScrollRepaint()
    {
        // The sample's kinds of drawing: hatched units, interbedded units, seams and plies with their
        // labels, a unit of no record (a rock type without a hatch) and an end of hole.
        const std::vector<TestUnit> units = {
            {3.2, {{L"CLAYSTONE", 100}}},
            {7.5, {{L"SANDSTONE", 100}}},
            {9.1, {{L"SILTSTONE", 100}}},
            {11.4, {{L"SANDSTONE", 60}, {L"SHALE", 40}}},
            {12.9, {{L"COAL", 100}}, L"UP-001", L"Upper", L"U1"},
            {13.1, {{L"MUDSTONE", 100}}, L"UP-001", L"Upper", L"U1"},
            {14.3, {{L"COAL", 100}}, L"UP-002", L"Upper", L"U2"},
            {18.6, {{L"SHALE", 100}}},
            {22.0, {{L"SILTSTONE", 50}, {L"SANDSTONE", 50}}},
            {24.5, {{L"CONGLOMERATE", 100}}},
            {30.4, {{L"MUDSTONE", 100}}},
            {31.6, {{L"COAL", 100}}, L"MN-001", L"Main", L"M1"},
            {31.8, {{L"CLAYSTONE", 100}}, L"MN-001", L"Main", L"M1"},
            {33.5, {{L"COAL", 100}}, L"MN-002", L"Main", L"M2"},
            {35.0, {{L"COAL", 70}, {L"SHALE", 30}}, L"MN-003", L"Main", L"M3"},
            {36.2, {{L"MUDSTONE", 100}}},
            {37.0, {{L"NO RECORD", 100}}},
            {41.5, {{L"SILTSTONE", 100}}},
            {48.0, {{L"SANDSTONE", 100}}},
        };
        FillBorehole(Hole(0), L"Sample", units);
        FillBorehole(Hole(1), L"Other", units);
        view->resize(1200, 800);
        view->show();
        view->OnSize();
        view->SetScale(0.1);
        Settle();
    }

    // Lets the window take every update that is due and paint it, as the event loop does between
    // input events.
    void Settle()
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 60)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        // A slow build may still hold updates posted during the last round: take them whatever the time.
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }

    QImage OnScreen() const
    {
        QWindow* window = view->windowHandle();
        return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The client point on a depth of a pane's column.
    QPoint OnColumn(int pane, double depth) const
    {
        const QRectF& column = view->Layout().column(pane);
        const double y = column.top() + (depth - view->GetPaneTopDepth(pane)) / view->GetScale();
        return view->PageToDevice(QPointF(column.center().x(), y)).toPoint();
    }

    void Hover(const QPoint& point)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(point), view->mapToGlobal(QPointF(point)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &event);
    }

    void Wheel(const QPoint& point, int notches)
    {
        QWheelEvent event(QPointF(point), view->mapToGlobal(QPointF(point)), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &event);
    }

    // How many pixels the window shows otherwise than a whole repaint draws them; the rows of the
    // first few are named in the failure.
    int DifferencesFromFullRepaint(std::string& where)
    {
        Settle();
        const QImage shown = OnScreen();
        view->repaint();
        const QImage full = OnScreen();
        int count = 0;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x)
                if (!Alike(shown.pixel(x, y), full.pixel(x, y)) && ++count <= 5)
                    where += " (" + std::to_string(x) + "," + std::to_string(y) + ": " +
                             QString::number(shown.pixel(x, y), 16).toStdString() + " " +
                             QString::number(full.pixel(x, y), 16).toStdString() + ")";
        return count;
    }
};

} // namespace

TEST_F(ScrollRepaint, WheelStepsLeaveWhatAWholeRepaintDraws)
{
    view->Select(-1, -1, 0, 11); // a selected unit, outlined
    const QPoint overLeft = OnColumn(0, 20);
    Hover(overLeft);
    std::string where;
    // Down eight notches and up six, with a paint after each; then bursts of notches that come before
    // the window could paint.
    for (int i = 0; i < 14; ++i) {
        Wheel(overLeft, i < 8 ? -1 : 1);
        Settle();
    }
    EXPECT_EQ(DifferencesFromFullRepaint(where), 0) << "after single notches:" << where;
    for (int notches : {-1, -1, 1, -1, 1, 1}) {
        Wheel(overLeft, notches);
        Wheel(overLeft, notches);
    }
    EXPECT_EQ(DifferencesFromFullRepaint(where), 0) << "after bursts:" << where;

    // Past the end of the hole, and back.
    view->SetPaneTopDepth(0, 40);
    view->update();
    for (int i = 0; i < 3; ++i) {
        Wheel(overLeft, -1);
        Settle();
    }
    for (int i = 0; i < 3; ++i) {
        Wheel(overLeft, 1);
        Settle();
    }
    EXPECT_EQ(DifferencesFromFullRepaint(where), 0) << "below the end of the hole:" << where;
}

TEST_F(ScrollRepaint, TheRightPaneScrollsItsTracesAndTheHoverLineWithIt)
{
    const std::string las = LasText(0, 0.001, 60000,
                                    {{"GR", [](int row) { return 50 + (row * 37 % 41); }},
                                     {"DEN", [](int row) { return row % 97 == 0 ? NAN : row % 7; }}});
    QuorTest::write_file(sandbox.file("traces.las"), las);
    view->StartTraceLoad(sandbox.file("traces.las").wstring());
    view->WaitForTraceLoads();
    view->Select(0, 1, -1, -1); // a selected trace, drawn bold
    view->update();
    const QPoint overRight = OnColumn(1, 10);
    Hover(overRight);
    Settle();
    ASSERT_GE(view->HoverRow(), 0);
    std::string where;
    for (int notches : {-1, -1, -1, 1, -1, 1, 1}) {
        Wheel(overRight, notches);
        Settle();
    }
    EXPECT_EQ(DifferencesFromFullRepaint(where), 0) << where;
    // The pointer moving while the pane scrolls.
    for (int i = 0; i < 5; ++i) {
        Hover(overRight + QPoint(0, 7 * i));
        Wheel(overRight + QPoint(0, 7 * i), i % 2 ? 1 : -1);
    }
    EXPECT_EQ(DifferencesFromFullRepaint(where), 0) << "moving and scrolling:" << where;

    // A pointer move repaints the hover line's strips and the cursor depths, never the whole view.
    struct PaintedArea : QObject {
        long pixels = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                    pixels += static_cast<long>(rect.width()) * rect.height();
            return false;
        }
    } painted;
    view->installEventFilter(&painted);
    for (int i = 0; i < 10; ++i) {
        Hover(overRight + QPoint(0, 3 * i));
        Settle();
    }
    view->removeEventFilter(&painted);
    EXPECT_GT(painted.pixels, 0);
    EXPECT_LT(painted.pixels, 10L * view->width() * view->height() / 20) << "under a twentieth of the view a move";
}

TEST_F(ScrollRepaint, TheLinkedLeftPaneStaysWhereItsBarSaysThroughResizes)
{
    view->m_settings.linkScrolling = true;
    QScrollBar* left = view->PaneScrollBar(0);
    QScrollBar* right = view->PaneScrollBar(1);
    const int last = right->maximum();
    // The left pane a little down on its own, then the right one to its end: the left one keeps its
    // distance, past its own end, and its bar reaches as far as it stands.
    for (int i = 0; i < 10; ++i)
        Wheel(OnColumn(0, 20), -1);
    const int distance = left->value();
    ASSERT_GT(distance, 0);
    for (int i = 0; i < 80; ++i)
        Wheel(OnColumn(1, 20), -1);
    ASSERT_EQ(right->value(), last);
    EXPECT_EQ(left->value(), last + distance);
    EXPECT_EQ(left->maximum(), left->value()) << "the thumb at the bottom of its bar";
    EXPECT_NEAR(view->GetPaneTopDepth(0), left->value() / view->PixelsPerMmY() * view->GetScale(), 1e-9);
    std::string where;
    EXPECT_EQ(DifferencesFromFullRepaint(where), 0) << where;

    // A resize moves neither pane while both fit; a taller window shortens the right pane's range,
    // and the left pane moves with it.
    view->resize(1180, 780);
    Settle();
    EXPECT_EQ(right->value(), last);
    EXPECT_EQ(left->value(), last + distance);
    view->resize(1200, 900);
    Settle();
    const int shorter = right->maximum();
    ASSERT_LT(shorter, last);
    EXPECT_EQ(right->value(), shorter);
    EXPECT_EQ(left->value(), shorter + distance);
    EXPECT_EQ(left->maximum(), left->value());

    // Back up: the left pane's bar gives up the range it no longer needs.
    for (int i = 0; i < 80; ++i)
        Wheel(OnColumn(1, 20), 1);
    EXPECT_EQ(right->value(), 0);
    EXPECT_EQ(left->value(), distance);
    EXPECT_EQ(left->maximum(), shorter);
    EXPECT_EQ(left->minimum(), 0);

    // Unlinked, a range recomputed holds the left pane to its own range.
    for (int i = 0; i < 80; ++i)
        Wheel(OnColumn(1, 20), -1);
    view->OnLinkScrollbars();
    view->resize(1200, 800);
    Settle();
    EXPECT_EQ(left->value(), left->maximum());
    EXPECT_EQ(left->maximum(), right->maximum());
    EXPECT_EQ(DifferencesFromFullRepaint(where), 0) << where;
}
