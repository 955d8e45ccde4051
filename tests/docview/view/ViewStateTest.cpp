#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSvgRenderer>

#include "app/MainFrame.h"
#include "platform/settings/Settings.h"
#include "tests/docview/view/ViewTestSupport.h"
#include "widgets/dialogs/ErrorList.h"

using namespace ViewTest;

namespace {

class ViewState : public ViewFixture {
protected:
    int PixelsOf(double depth) const
    {
        return static_cast<int>(std::floor(depth / view->GetScale() * view->PixelsPerMmY() + 0.5));
    }
    // A client point on the given depth of a pane's column.
    QPoint OnColumn(int pane, double depth) const
    {
        const QRectF& column = view->Layout().column(pane);
        const double y = column.top() + (depth - view->GetPaneTopDepth(pane)) / view->GetScale();
        return QPoint(static_cast<int>(column.center().x() * view->PixelsPerMmX()),
                      static_cast<int>(y * view->PixelsPerMmY()));
    }
};

std::vector<TestUnit> Units(int count, double thickness = 1.0)
{
    std::vector<TestUnit> units;
    for (int i = 1; i <= count; ++i)
        units.push_back({i * thickness, {{L"COAL", 100}}});
    return units;
}

} // namespace

TEST_F(ViewState, SettingsComeFromTheProfileAndGoBackOnlyWhenWanted)
{
    {
        ORBAX_Platform::Settings section(L"View");
        section.writeString(L"Scale", L"250");
        section.writeInt(L"Tolerance", 10);
        section.writeString(L"MinimumThickness", L"0.05");
        section.writeInt(L"LinkScrolling", 0);
        section.sync();
    }
    auto fresh = std::make_unique<CQuorView>(document.get());
    EXPECT_DOUBLE_EQ(fresh->GetScale(), 0.25);
    EXPECT_EQ(fresh->m_settings.tolerance, 10);
    EXPECT_DOUBLE_EQ(fresh->m_settings.minimumThickness, 0.05);
    EXPECT_FALSE(fresh->m_settings.linkScrolling);
    EXPECT_DOUBLE_EQ(fresh->SnapDepth(12.34), 12.3);

    fresh->m_settings.showSampleNumbers = true;
    fresh->saveSettingsWanted = [] { return false; };
    fresh.reset();
    EXPECT_FALSE(ORBAX_Platform::Settings(L"View").contains(L"ShowSampleNumbers"));

    fresh = std::make_unique<CQuorView>(document.get());
    fresh->m_settings.showSampleNumbers = true;
    ASSERT_TRUE(fresh->SetScale(0.5));
    fresh->saveSettingsWanted = [] { return true; };
    fresh.reset();
    ORBAX_Platform::Settings section(L"View");
    EXPECT_EQ(section.readInt(L"ShowSampleNumbers", 0), 1);
    EXPECT_EQ(section.readString(L"Scale", L""), L"500.000000");
    EXPECT_EQ(section.readString(L"MinimumThickness", L""), L"0.050000");
    EXPECT_TRUE(section.contains(L"GeneralFont-Height"));
    EXPECT_TRUE(ORBAX_Platform::Settings(L"PageSetup").contains(L"PageCols"));
}

TEST_F(ViewState, ScaleChangesKeepTheTopDepthsAndRefuseZeroOrBelow)
{
    FillBorehole(Hole(0), L"A", Units(200));
    FillBorehole(Hole(1), L"B", Units(200));
    view->UpdateScrollRanges();
    view->SetPaneTopDepth(0, 10);
    view->SetPaneTopDepth(1, 30);
    EXPECT_FALSE(view->SetScale(0));
    EXPECT_FALSE(view->SetScale(-0.1));
    EXPECT_FALSE(view->SetScale(std::nan("")));
    EXPECT_DOUBLE_EQ(view->GetScale(), 0.1);
    ASSERT_TRUE(view->SetScale(0.2));
    EXPECT_NEAR(view->GetPaneTopDepth(0), 10, 0.2 / view->PixelsPerMmY());
    EXPECT_NEAR(view->GetPaneTopDepth(1), 30, 0.2 / view->PixelsPerMmY());

    // About a point: the depth under it stays under it.
    const QPoint point(OnColumn(1, 50).x(), OnColumn(1, 50).y());
    const double before = view->DeviceYToDepth(1, point.y());
    ASSERT_TRUE(view->SetScaleAtPoint(point, 0.05));
    EXPECT_NEAR(view->DeviceYToDepth(1, point.y()), before, 0.05);
    EXPECT_FALSE(view->SetScaleAtPoint(point, 0));
}

TEST_F(ViewState, TwoEmptyBoreholesScrollOverAHundredMetres)
{
    QScrollBar* bar = view->PaneScrollBar(0);
    const int extent = static_cast<int>(100 / view->GetScale() * view->PixelsPerMmY());
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum() + bar->pageStep() - 1, extent);
    EXPECT_EQ(view->PaneScrollBar(1)->maximum(), bar->maximum());
    // A deeper borehole: 1.1 times its base.
    FillBorehole(Hole(1), L"B", Units(100, 2.0));
    view->UpdateScrollRanges();
    EXPECT_EQ(bar->maximum() + bar->pageStep() - 1, static_cast<int>(220 / view->GetScale() * view->PixelsPerMmY()));
}

TEST_F(ViewState, LinkedScrollingMovesTheLeftPaneWithTheRightOnly)
{
    view->m_settings.linkScrolling = true;
    view->OnVScroll(0, CQuorView::ThumbTrack, 100);
    EXPECT_EQ(view->PaneScrollBar(0)->value(), 100);
    EXPECT_EQ(view->PaneScrollBar(1)->value(), 0);
    view->OnVScroll(1, CQuorView::ThumbTrack, 250);
    EXPECT_EQ(view->PaneScrollBar(1)->value(), 250);
    EXPECT_EQ(view->PaneScrollBar(0)->value(), 350);
    view->OnVScroll(1, CQuorView::LineDown);
    EXPECT_EQ(view->PaneScrollBar(1)->value(), 250 + view->Layout().lineStepPixels);
    EXPECT_EQ(view->PaneScrollBar(0)->value(), 350 + view->Layout().lineStepPixels);
    // Past the left pane's own end: its range grows.
    const int last = view->PaneScrollBar(1)->maximum();
    view->OnVScroll(1, CQuorView::ThumbTrack, last);
    EXPECT_EQ(view->PaneScrollBar(0)->value(), 350 + last - 250);
    EXPECT_GT(view->PaneScrollBar(0)->value(), view->PaneScrollBar(1)->maximum());
    // Fine scrolling moves a pixel a line.
    view->m_settings.fineScroll = true;
    view->OnVScroll(1, CQuorView::LineUp);
    EXPECT_EQ(view->PaneScrollBar(1)->value(), last - 1);
}

TEST_F(ViewState, SelectingATraceOrAUnitClearsTheOther)
{
    FillBorehole(Hole(0), L"A", Units(5));
    view->Select(-1, -1, 0, 2);
    EXPECT_EQ(view->m_activePane, 0);
    EXPECT_EQ(view->m_selectedUnit, 2);
    EXPECT_EQ(view->m_selection.count(), 1);
    view->Select(0, 1, -1, -1);
    EXPECT_EQ(view->m_activePane, -1);
    EXPECT_EQ(view->m_selectedUnit, -1);
    EXPECT_TRUE(view->m_selection.empty());
    EXPECT_EQ(view->m_selectedTraceFile, 0);
    EXPECT_EQ(view->m_selectedCurve, 1);
    view->Select(0, 1, 0, 3);
    EXPECT_EQ(view->m_selectedTraceFile, -1);
    EXPECT_EQ(view->m_selectedCurve, -1);
    EXPECT_EQ(view->m_selectedUnit, 3);
    // A unit beyond the borehole selects the pane alone.
    view->Select(-1, -1, 0, 9);
    EXPECT_EQ(view->m_activePane, 0);
    EXPECT_EQ(view->m_selectedUnit, -1);

    // Adding and extending keep the current unit while it stays selected.
    view->Select(-1, -1, 0, 1);
    view->AddUnitToSelection(0, 3);
    EXPECT_EQ(view->m_selection.count(), 2);
    EXPECT_EQ(view->m_selectedUnit, 3);
    UnitRangeList extended;
    extended.add(2, 4);
    view->ExtendSelection(0, extended);
    EXPECT_EQ(view->m_selectedUnit, 3);
    UnitRangeList other;
    other.add(0, 1);
    view->ExtendSelection(0, other);
    EXPECT_EQ(view->m_selectedUnit, 0);
}

TEST_F(ViewState, ShowingAUnitScrollsItIntoTheColumn)
{
    FillBorehole(Hole(0), L"A", Units(300));
    view->UpdateScrollRanges();
    view->SelectAndShowUnit(0, 250);
    const QRectF unit = view->UnitRectOfPane(0, 250);
    const QRectF& column = view->Layout().leftColumn;
    EXPECT_LE(unit.bottom(), column.bottom() + 0.5);
    EXPECT_GE(unit.top(), column.top());
    EXPECT_EQ(view->m_selectedUnit, 250);
    view->SelectAndShowUnit(0, 3);
    EXPECT_NEAR(view->UnitRectOfPane(0, 3).top(), column.top(), 0.5);
}

TEST_F(ViewState, DropsOpenTheFirstTwoBoreholesOrLoadTraces)
{
    // Files of an unknown kind: the document says so for each file it tries.
    std::vector<std::wstring> shownTexts;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        if (auto* list = dialog.findChild<QListWidget*>(QStringLiteral("id1182")))
            for (int i = 0; i < list->count(); ++i)
                shownTexts.push_back(list->item(i)->text().toStdWString());
    };
    view->OnDropFiles({L"/tmp/first.xa", L"/tmp/second.xb", L"/tmp/third.xc"}, OnColumn(0, 1));
    ASSERT_EQ(sandbox.dialogs.shown, std::vector<QString>({"dlg191"}));
    ASSERT_EQ(shownTexts.size(), 2u);
    EXPECT_NE(shownTexts[0].find(L"xa"), std::wstring::npos);
    EXPECT_NE(shownTexts[1].find(L"xb"), std::wstring::npos);

    view->OnDropFiles({}, OnColumn(0, 1));
    EXPECT_EQ(sandbox.beeps.count, 1);

    // On the trace columns any file starts a load, which then reports what it found.
    const QRectF& traces = view->Layout().tracePlot[1];
    view->OnDropFiles({L"/tmp/first.xa"}, QPoint(static_cast<int>(traces.center().x() * view->PixelsPerMmX()), 100));
    EXPECT_EQ(view->PendingLoads(), 1);
    view->WaitForTraceLoads();
    EXPECT_EQ(sandbox.boxes.shown.size(), 1u);
}

TEST_F(ViewState, ContextMenusFollowWhatIsUnderThePointOrSelected)
{
    FillBorehole(Hole(0), L"A", Units(20));
    EXPECT_EQ(view->ContextMenuAt(OnColumn(0, 2.5), false), 175);
    EXPECT_EQ(view->m_contextSide, 0);
    EXPECT_EQ(view->ContextMenuAt(OnColumn(1, 2.5), false), 177) << "the right borehole is empty";
    EXPECT_EQ(view->m_contextSide, 1);
    const QRectF& traces = view->Layout().tracePlot[2];
    EXPECT_EQ(view->ContextMenuAt(QPoint(static_cast<int>(traces.center().x() * view->PixelsPerMmX()), 200), false),
              176);
    // From the keyboard the selection decides and the side stays.
    view->m_contextSide = 0;
    EXPECT_EQ(view->ContextMenuAt(QPoint(-1, -1), true), 177);
    view->Select(-1, -1, 0, 4);
    QPoint at;
    EXPECT_EQ(view->ContextMenuAt(QPoint(-1, -1), true, &at), 175);
    EXPECT_EQ(at, view->UnitDeviceRect(0, 4).topLeft());
    EXPECT_EQ(view->m_contextSide, 0);
}

TEST_F(ViewState, TheTraceColourMenuGoesIntoTheViewMenuOnce)
{
    CMainFrame frame(false);
    view->SetMainFrame(&frame);
    view->OnInitialUpdate();
    view->OnInitialUpdate();
    int found = 0;
    for (QAction* top : frame.menuBar()->actions())
        if (top->menu())
            for (QAction* entry : top->menu()->actions())
                if (entry->menu() && entry->text() == "Set &Trace Colour") {
                    ++found;
                    EXPECT_EQ(entry->menu()->actions().size(), 17);
                    EXPECT_EQ(entry->menu()->actions().first()->objectName(), "id1200");
                }
    EXPECT_EQ(found, 1);
    EXPECT_NE(frame.GetCommand(1216), nullptr);
    frame.UpdateCommands();
    EXPECT_EQ(frame.StatusPane(59140)->text(), "OVR");
    view->m_settings.insertMode = true;
    frame.UpdateCommands();
    EXPECT_EQ(frame.StatusPane(59140)->text(), "INS");
}

TEST_F(ViewState, BoundariesMadeByAltPressRespectTheMinimumThickness)
{
    FillBorehole(Hole(0), L"A", Units(3, 2.0)); // bases 2, 4, 6
    view->m_settings.minimumThickness = 0.5;
    view->CreateBoundaryAt(6.3, -1, 0);
    EXPECT_EQ(Hole(0).unitCount(), 3);
    EXPECT_EQ(sandbox.beeps.count, 1);
    view->CreateBoundaryAt(7, -1, 0);
    ASSERT_EQ(Hole(0).unitCount(), 4);
    EXPECT_EQ(view->m_dragUnit, 3);
    EXPECT_DOUBLE_EQ(Hole(0)[3].bottom, 7);
    // Inside unit 1 (2 m to 4 m): within half a metre of either end nothing happens, not even a beep.
    view->CreateBoundaryAt(2.2, 1, 0);
    view->CreateBoundaryAt(3.8, 1, 0);
    EXPECT_EQ(Hole(0).unitCount(), 4);
    EXPECT_EQ(sandbox.beeps.count, 1);
    view->CreateBoundaryAt(3, 1, 0);
    ASSERT_EQ(Hole(0).unitCount(), 5);
    EXPECT_DOUBLE_EQ(Hole(0)[1].bottom, 3);
    EXPECT_DOUBLE_EQ(Hole(0)[2].bottom, 4);
    EXPECT_EQ(view->m_dragPane, 0);
}

TEST_F(ViewState, PicturesOfTheSelectionShowOnlyItsDepthRange)
{
    FillBorehole(Hole(0), L"A", {{2, {{L"CLAYSTONE", 100}}}, {4, {{L"COAL", 100}}}, {6, {{L"CLAYSTONE", 100}}}});
    view->Select(-1, -1, 0, 1);
    const CQuorView::Picture picture = view->RecordSelectionPicture(view->m_selection);
    const double h = view->Layout().lineHeight;
    ASSERT_FALSE(picture.svg.isEmpty());
    // One line height above the unit, then the unit's 2 m at 1:100.
    EXPECT_NEAR(picture.image.height(), (h + 20) * view->PixelsPerMmY(), 2);
    const QRectF& column = view->Layout().leftColumn;
    const QPoint middle(static_cast<int>(column.center().x() * view->PixelsPerMmX()),
                        static_cast<int>((h + 10) * view->PixelsPerMmY()));
    EXPECT_LT(qGray(picture.image.pixel(middle)), 60) << "the coal unit";
    // The SVG draws the same.
    QSvgRenderer renderer(picture.svg);
    ASSERT_TRUE(renderer.isValid());
    QImage fromSvg(picture.image.size(), QImage::Format_ARGB32);
    fromSvg.fill(Qt::white);
    QPainter painter(&fromSvg);
    renderer.render(&painter);
    painter.end();
    EXPECT_LT(qGray(fromSvg.pixel(middle)), 60);

    // Copying puts the picture on the clipboard as SVG and as an image.
    CopySelection(view->m_selection, *view, 0);
    const QMimeData* data = sandbox.clipboard.mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_TRUE(data->hasImage());
}
