#include <gtest/gtest.h>

#include <sstream>

#include <QLabel>
#include <QScrollBar>

#include "app/MainFrame.h"
#include "app/QuorApp.h"
#include "docview/mouse/ModeCursors.h"
#include "tests/docview/mouse/MouseTestSupport.h"

using namespace MouseModes;
using MouseTest::MouseFixture;

namespace {

class Pointer : public MouseFixture {
protected:
    double Denominator() const { return std::round(view->GetScale() * 1000); }
    int Line() const { return std::max(1, view->Layout().lineStepPixels); }
};

} // namespace

TEST_F(Pointer, CtrlWheelZoomsThroughTheTableAboutThePointer)
{
    const QPoint point = At(1, 8);
    const double depthBefore = view->DeviceYToDepth(1, point.y());
    Wheel(point, 60, Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 100) << "half a notch does nothing";
    Wheel(point, 60, Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 50);
    EXPECT_NEAR(view->DeviceYToDepth(1, point.y()), depthBefore, 0.05) << "the depth under the pointer stays";
    Wheel(point, -120, Qt::ControlModifier);
    Wheel(point, -120, Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 200);

    // At the ends of the table nothing happens.
    view->SetScale(0.001);
    Wheel(point, 120, Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 1);
    view->SetScale(1.0);
    Wheel(point, -120, Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 1000);
    // Between entries: the next one on.
    view->SetScale(0.3);
    Wheel(point, 120, Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 200);

    // Shift does nothing, and what it turns is not kept for later.
    Wheel(point, 600, Qt::ShiftModifier);
    Wheel(point, 600, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 200);
    EXPECT_EQ(view->m_wheel.pending(), 0);
    Wheel(point, -120, Qt::ControlModifier);
    EXPECT_EQ(Denominator(), 500) << "the next notch goes the way it is turned";
}

TEST_F(Pointer, TheWheelScrollsThePaneUnderThePointerThreeLinesANotch)
{
    view->OnVScroll(1, CQuorView::ThumbTrack, 200);
    view->OnVScroll(0, CQuorView::ThumbTrack, 100);
    const int right = view->PaneScrollBar(1)->value();
    const int left = view->PaneScrollBar(0)->value();

    Wheel(At(1, 5), -120);
    EXPECT_EQ(view->PaneScrollBar(1)->value(), right + 3 * Line());
    EXPECT_EQ(view->PaneScrollBar(0)->value(), left + 3 * Line()) << "the left pane follows when linked";

    Wheel(At(0, 5), 120);
    EXPECT_EQ(view->PaneScrollBar(0)->value(), left);
    EXPECT_EQ(view->PaneScrollBar(1)->value(), right + 3 * Line()) << "the left pane moves alone";

    view->m_settings.fineScroll = true;
    Wheel(At(1, 5), 120);
    EXPECT_EQ(view->PaneScrollBar(1)->value(), right + 3 * Line() - 3);
}

TEST_F(Pointer, TheHoverLineFollowsTheSnappedDepthOverTheRightColumnsRows)
{
    const QPoint point = At(1, 3.456);
    HoverTo(point);
    const double depth = view->SnapDepth(view->DeviceYToDepth(1, point.y()));
    const double y = view->Layout().rightColumn.top() + (depth - view->GetPaneTopDepth(1)) / view->GetScale();
    EXPECT_EQ(view->HoverRow(), static_cast<int>(std::floor(y * view->PixelsPerMmY() + 0.5)));

    // The rows are the right column's even over the left pane.
    HoverTo(QPoint(At(0, 0).x(), point.y()));
    EXPECT_EQ(view->HoverRow(), static_cast<int>(std::floor(y * view->PixelsPerMmY() + 0.5)));

    // Above the columns, with the ruler off, or once the pointer has left: none.
    HoverTo(QPoint(point.x(), 2));
    EXPECT_EQ(view->HoverRow(), -1);
    HoverTo(point);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    EXPECT_EQ(view->HoverRow(), -1);
    EXPECT_FALSE(view->m_leaveTracking);
    view->m_settings.showRuler = false;
    HoverTo(point);
    EXPECT_EQ(view->HoverRow(), -1);
}

TEST_F(Pointer, TheLithologyPaneNamesTheRockTypesOfTheUnitUnderThePointer)
{
    CMainFrame frame(false);
    view->SetMainFrame(&frame);
    HoverTo(At(0, 12));
    EXPECT_EQ(view->LithologyText(), L"Shale | Coal");
    ASSERT_NE(frame.StatusPane(110), nullptr);
    EXPECT_EQ(frame.StatusPane(110)->text(), "Shale | Coal");
    HoverTo(At(1, 2));
    EXPECT_EQ(view->LithologyText(), L"Shale");
    HoverTo(At(1, 14));
    EXPECT_EQ(view->LithologyText(), L"") << "below the last unit";
    EXPECT_EQ(frame.StatusPane(110)->text(), "");
    view->SetMainFrame(nullptr);
}

TEST_F(Pointer, EachModeShowsItsCursor)
{
    HoverTo(At(0, 10));
    EXPECT_EQ(view->cursor().shape(), Qt::SizeVerCursor) << "a boundary that a press would drag";
    HoverTo(At(0, 7));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    HoverTo(Below(At(0, 0), 0.5));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor) << "the first unit's top is no boundary";

    for (MouseModes::Mode mode :
         {SetBaseDepth, SetRock, Delete, Insert, Merge, CreateBoundaries, PickAndDrag, Correlate}) {
        view->m_editMode = mode;
        HoverTo(At(0, 10));
        EXPECT_EQ(view->cursor().shape(), Qt::BitmapCursor) << mode;
        EXPECT_FALSE(view->cursor().pixmap().isNull()) << mode;
        EXPECT_EQ(view->cursor().hotSpot(), QPoint(1, 1)) << mode;
    }
    // Each program cursor is its own image.
    EXPECT_NE(ModeCursors::ProgramCursor(136).pixmap().toImage(), ModeCursors::ProgramCursor(139).pixmap().toImage());
    view->m_editMode = Normal;
    Press(At(0, 10));
    EXPECT_EQ(view->cursor().shape(), Qt::SizeVerCursor) << "while dragging";
    Release(At(0, 10));
}

TEST_F(Pointer, TheRightButtonSelectsTheUnitUnderItUnlessItIsSelectedAlready)
{
    Click(At(0, 2));
    Click(At(0, 7), Qt::ControlModifier);
    ASSERT_EQ(view->m_selection, (UnitRangeList{{0, 1}}));
    QTest::mousePress(view.get(), Qt::RightButton, Qt::NoModifier, At(0, 7));
    EXPECT_EQ(view->m_selection, (UnitRangeList{{0, 1}}));
    QTest::mouseRelease(view.get(), Qt::RightButton, Qt::NoModifier, At(0, 7));
    QTest::mousePress(view.get(), Qt::RightButton, Qt::ControlModifier, At(0, 12));
    EXPECT_EQ(view->m_selection, (UnitRangeList{{0, 1}})) << "not with Ctrl";
    QTest::mouseRelease(view.get(), Qt::RightButton, Qt::ControlModifier, At(0, 12));
    QTest::mousePress(view.get(), Qt::RightButton, Qt::NoModifier, At(1, 8));
    EXPECT_EQ(view->m_activePane, 1);
    EXPECT_EQ(view->m_selection, (UnitRangeList{{1, 1}}));
    QTest::mouseRelease(view.get(), Qt::RightButton, Qt::NoModifier, At(1, 8));
}

TEST_F(Pointer, ADoubleClickOnASelectedUnitSetsItsRockType)
{
    CQuorApp app;
    app.m_tables = tables;
    view->SetApplication(&app);
    UnitRangeList selectedThen;
    sandbox.dialogs.inspect = [&](QDialog&) { selectedThen = view->m_selection; };
    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, At(0, 7));
    EXPECT_TRUE(sandbox.dialogs.shown.empty()) << "nothing selected yet";
    Click(At(0, 7));
    Click(At(0, 12), Qt::ShiftModifier);
    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, At(0, 7));
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>{"dlg152"});
    EXPECT_EQ(selectedThen, (UnitRangeList{{1, 1}})) << "the unit alone again";
    view->m_editMode = Delete;
    QTest::mouseDClick(view.get(), Qt::LeftButton, Qt::NoModifier, At(0, 7));
    EXPECT_EQ(sandbox.dialogs.shown.size(), 1u) << "only in Normal mode";
    view->m_editMode = Normal;
}

namespace {

// Ten rows from depth 1 in steps of 1: GR rises from 0 to 9.
std::unique_ptr<LasProperty> RisingTrace()
{
    std::ostringstream out;
    out << "~Version\nVERS. 2.0 : version\nWRAP. NO : one line per depth\n"
        << "~Well\nSTRT.M 1 : start\nSTOP.M 10 : stop\nSTEP.M 1 : step\nNULL. -999.25 : null\n"
        << "~Curve\nDEPT.M : depth\nGR.API : gamma\n~A\n";
    for (int i = 0; i < 10; ++i)
        out << 1 + i << " " << i << "\n";
    auto file = std::make_unique<LasProperty>();
    std::wstring error;
    file->read_bytes(out.str(), L"rising.las", error);
    return file;
}

} // namespace

TEST_F(Pointer, APressOnATraceOrItsLabelSelectsTheTrace)
{
    view->AttachTrace(RisingTrace());
    ASSERT_EQ(view->Traces().size(), 1u);
    auto& curves = view->Traces()[0]->curves();
    ASSERT_EQ(curves.size(), 2u);
    curves[0].visible = false;
    CurveProperty& gr = curves[1];
    gr.displayField = 0;
    gr.colourIndex = 1;
    gr.visible = true;
    view->RefitTraceCurves();
    Click(At(0, 2));

    // On GR's line at depth 5.5 (value 4.5).
    const QRectF& plot = view->Layout().tracePlot[0];
    const double lower = gr.ownRange ? gr.minimum() : gr.rangeMinimum;
    const double upper = gr.ownRange ? gr.maximum() : gr.rangeMaximum;
    const double x = plot.left() + plot.width() * (4.5 - lower) / (upper - lower);
    const double y = plot.top() + (5.5 - view->GetPaneTopDepth(1)) / view->GetScale();
    const QPoint onLine = view->PageToDevice(QPointF(x, y)).toPoint();
    EXPECT_EQ(view->HitTest(onLine) & ~0xFF, CQuorView::HitRight | CQuorView::HitTrace);
    Click(onLine);
    EXPECT_EQ(view->m_selectedTraceFile, 0);
    EXPECT_EQ(view->m_selectedCurve, 1);
    EXPECT_EQ(view->m_activePane, -1) << "a trace selection excludes a unit selection";

    // Away from the line: nothing is picked, and the selection stays.
    const QPoint away = view->PageToDevice(QPointF(x + 8, y)).toPoint();
    EXPECT_TRUE(view->PickTracesAt(away).empty());

    // The name under the plot, in the first label row.
    view->Select(-1, -1, -1, -1);
    const QPoint label =
        view->PageToDevice(QPointF(plot.center().x(), plot.bottom() + 0.5 * view->Layout().lineHeight)).toPoint();
    int file = -1, curve = -1;
    EXPECT_EQ(view->HitTest(label, &file, &curve), CQuorView::HitRight | CQuorView::HitTrace | CQuorView::HitLabel);
    EXPECT_EQ(curve, 1);
    Click(label);
    EXPECT_EQ(view->m_selectedCurve, 1);
}
