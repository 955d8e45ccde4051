#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <thread>

#include "app/MainFrame.h"
#include "docview/view/TraceLoadJob.h"
#include "tests/docview/view/ViewTestSupport.h"

using namespace ViewTest;

namespace {

bool IsWhite(QRgb c) { return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240; }
bool IsGreen(QRgb c) { return qGreen(c) > 150 && qRed(c) < 120 && qBlue(c) < 120; }
// Red text comes out in shades of red on white.
bool IsRed(QRgb c) { return qRed(c) > 200 && qRed(c) - qGreen(c) > 60 && qGreen(c) == qBlue(c); }

TraceDefinition Definition(const std::string& name, int colour, int field, bool ownRange = true)
{
    TraceDefinition definition;
    definition.SetName(name);
    definition.colourIndex = colour;
    definition.displayField = field;
    definition.ownRange = ownRange;
    definition.minimum = 0;
    definition.maximum = 100;
    return definition;
}

class TraceLoading : public ViewFixture {
protected:
    TraceLoading()
    {
        tables.traceDefinitions = {Definition("GR", 2, 1), Definition("NOLINE", 16, 1), Definition("RED", 1, 1),
                                   Definition("DEN", 3, 2), Definition("DEPT", 0, 1)};
        tables.traceDefinitions.back().visible = false; // the depth curve is not drawn
        view->SetMainFrame(&frame);
    }

    std::wstring Write(const std::string& name, const std::string& text)
    {
        QuorTest::write_file(dir / name, text);
        return (dir / name).wstring();
    }

    // Loads through the worker threads and waits for their completions.
    void Load(const std::vector<std::wstring>& files)
    {
        for (const std::wstring& file : files)
            view->StartTraceLoad(file);
        view->WaitForTraceLoads();
    }

    // Whether a pixel within a pixel of the page point passes the test.
    template <class Test>
    bool Near(const QImage& image, double xMm, double yMm, Test test, int radius = 1)
    {
        const QPoint p = Pixel(xMm, yMm);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (image.rect().contains(p + QPoint(dx, dy)) && test(image.pixel(p + QPoint(dx, dy))))
                    return true;
        return false;
    }

    // Where a value of a curve with data range [minimum, maximum] at a depth shows in trace column k.
    QPointF CurvePoint(int k, double value, double minimum, double maximum, double depth)
    {
        const QRectF& plot = view->Layout().tracePlot[k];
        return QPointF(plot.left() + (value - minimum) / (maximum - minimum) * plot.width(),
                       plot.top() + (depth - view->GetPaneTopDepth(1)) / view->GetScale());
    }

    CMainFrame frame{false};
    QuorTest::TempDir dir;
};

} // namespace

TEST_F(TraceLoading, ThreeFilesLoadAtOnceWithOneCountingStatusMessage)
{
    const std::wstring a = Write("a.las", LasText(0, 0.5, 200, {{"GR", [](int r) { return r % 50; }}}));
    const std::wstring b = Write("b.las", LasText(0, 0.5, 300, {{"DEN", [](int r) { return 2 + r * 0.001; }}}));
    const std::wstring c = Write("c.las", LasText(100, 1, 700, {{"GR", [](int r) { return r; }}}));
    view->StartTraceLoad(a);
    EXPECT_EQ(frame.StatusPaneText(), "Opening 1 trace file(s)");
    view->StartTraceLoad(b);
    view->StartTraceLoad(c);
    EXPECT_EQ(frame.StatusPaneText(), "Opening 3 trace file(s)");
    EXPECT_EQ(frame.StatusMessageCount(), 1u);
    EXPECT_EQ(document->pendingTraceLoads, 3);
    view->WaitForTraceLoads();
    EXPECT_EQ(view->Traces().size(), 3u);
    EXPECT_EQ(frame.StatusMessageCount(), 0u);
    EXPECT_EQ(frame.StatusPaneText(), "");
    EXPECT_EQ(document->pendingTraceLoads, 0);
    EXPECT_EQ(view->PendingLoads(), 0);
    EXPECT_TRUE(sandbox.boxes.shown.empty());
    // The scroll range now reaches the deepest file: 799 m at 1:100.
    const int deepest = static_cast<int>(799 / view->GetScale() * view->PixelsPerMmY());
    EXPECT_GE(view->PaneScrollBar(1)->maximum() + view->PaneScrollBar(1)->pageStep(), deepest);
}

TEST_F(TraceLoading, ADroppedFileIsOpenedUnderTheBytesOfItsName)
{
    const std::string latin = (dir / "caf\xE9 #%.las").string(); // not UTF-8, and what a URL encodes
    QuorTest::write_file(latin, LasText(0, 1, 10, {{"GR", [](int r) { return r; }}}));
    QMimeData data;
    data.setUrls({QUrl::fromEncoded(QUrl::fromLocalFile(QString::fromStdString(dir.path().string())).toEncoded() +
                                    "/caf%E9%20%23%25.las")});
    QDropEvent drop(QPointF(view->Layout().tracePlot[1].center().x() * view->PixelsPerMmX(), 100), Qt::CopyAction,
                    &data, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject*>(view.get())->event(&drop); // as a drop from the window system reaches the view
    view->WaitForTraceLoads();
    ASSERT_EQ(view->Traces().size(), 1u);
    EXPECT_EQ(view->Traces()[0]->file_name(), ORBAX_Platform::wide_from_name(latin));
}

TEST_F(TraceLoading, FilesEnterTheListInTheOrderTheirLoadsComplete)
{
    auto job = [&](const std::string& name, const char* mnemonic) {
        auto j = std::make_shared<TraceLoadJob>();
        j->fileName = Write(name, LasText(0, 1, 10, {{mnemonic, [](int r) { return r; }}}));
        j->traceFile = std::make_unique<LasProperty>(tables.traceDefinitions);
        std::shared_ptr<TraceLoadJob> posted;
        j->post = [&posted](std::shared_ptr<TraceLoadJob> done) { posted = done; };
        TraceLoadThreadProc(j);
        EXPECT_EQ(posted, j);
        j->post = nullptr;
        return j;
    };
    auto first = job("first.las", "GR");
    auto second = job("second.las", "DEN");
    view->OnTraceLoaded(second, 1);
    view->OnTraceLoaded(first, 1);
    ASSERT_EQ(view->Traces().size(), 2u);
    EXPECT_EQ(view->Traces()[0]->curves()[1].mnemonic, "DEN");
    EXPECT_EQ(view->Traces()[1]->curves()[1].mnemonic, "GR");
}

TEST_F(TraceLoading, AFileThatIsNotLasShowsTheReadersMessageAndAddsNothing)
{
    Load({Write("notes.txt", "This is not a LAS file\n"), dir.path().wstring() + L"/missing.las"});
    EXPECT_TRUE(view->Traces().empty());
    ASSERT_EQ(sandbox.boxes.shown.size(), 2u);
    for (const auto& box : sandbox.boxes.shown)
        EXPECT_FALSE(box.text.empty());
    EXPECT_EQ(document->pendingTraceLoads, 0);
    EXPECT_EQ(frame.StatusMessageCount(), 0u);
}

namespace {

// A reader that fails by throwing, as a damaged file may make it.
class ThrowingLas : public LasProperty {
public:
    int read(const std::wstring&, std::wstring&) override { throw std::runtime_error("bad curve data"); }
};

} // namespace

TEST_F(TraceLoading, AnExceptionInTheWorkerBecomesAFailureMessage)
{
    auto job = std::make_shared<TraceLoadJob>();
    job->fileName = L"whatever.las";
    job->traceFile = std::make_unique<ThrowingLas>();
    bool posted = false;
    job->post = [&posted](std::shared_ptr<TraceLoadJob>) { posted = true; };
    std::thread worker(TraceLoadThreadProc, job);
    worker.join();
    EXPECT_TRUE(posted);
    EXPECT_NE(job->resultCode, 0);
    EXPECT_EQ(job->errorText, L"bad curve data");
    job->post = nullptr;
    view->OnTraceLoaded(job, 1);
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"bad curve data");
    EXPECT_TRUE(view->Traces().empty());
}

TEST_F(TraceLoading, AViewClosedWhileFilesLoadNeitherCrashesNorLeavesCountsRaised)
{
    const std::wstring big = Write(
        "big.las", LasText(0, 0.1, 60000, {{"GR", [](int r) { return r % 97; }}, {"DEN", [](int r) { return r; }}}));
    view->StartTraceLoad(big);
    view->StartTraceLoad(big);
    EXPECT_EQ(document->pendingTraceLoads, 2);
    view.reset();
    EXPECT_EQ(document->pendingTraceLoads, 0);
    EXPECT_EQ(frame.StatusMessageCount(), 0u);
    // The completions queued for the view that is gone are dropped.
    QCoreApplication::processEvents();
}

TEST_F(TraceLoading, CurvesDrawInTheirColumnAtTheRightPanesDepth)
{
    // GR from 0 to 99 down 0 .. 99 m in green, in trace column 1 (index 0).
    Load({Write("gr.las", LasText(0, 1, 100, {{"GR", [](int r) { return r; }}}))});
    ASSERT_EQ(view->Traces().size(), 1u);
    view->Select(0, 1, -1, -1); // the selected curve is drawn 0.5 mm wide
    QImage image = Render();
    QPointF at = CurvePoint(0, 10, 0, 99, 10);
    EXPECT_TRUE(Near(image, at.x(), at.y(), IsGreen));
    EXPECT_FALSE(Near(image, at.x() + 5, at.y(), IsGreen));

    // Scrolling the left pane alone leaves the traces; scrolling the right pane moves them.
    view->m_settings.linkScrolling = false;
    view->SetPaneTopDepth(0, 5);
    image = Render();
    EXPECT_TRUE(Near(image, at.x(), at.y(), IsGreen));
    view->OnVScroll(1, CQuorView::ThumbTrack,
                    static_cast<int>(std::lround(4 / view->GetScale() * view->PixelsPerMmY())));
    ASSERT_NEAR(view->GetPaneTopDepth(1), 4, 0.01);
    image = Render();
    at = CurvePoint(0, 10, 0, 99, 10);
    EXPECT_TRUE(Near(image, at.x(), at.y(), IsGreen));
    EXPECT_NEAR(view->GetPaneTopDepth(0), 5, 0.01) << "without linking the left pane stays";
}

TEST_F(TraceLoading, GapsSplitTheCurveAndLonePointsAreNotDrawn)
{
    // 50 everywhere except a gap from 20 to 40 m holding one lone sample at 30 m; shown unfiltered at
    // 1:500, so that 60 m fit the column.
    view->m_settings.showFilteredTraces = false;
    ASSERT_TRUE(view->SetScale(0.5));
    Load({Write("gaps.las", LasText(0, 1, 60, {{"GR", [](int r) {
                                                    if (r == 0)
                                                        return 0.0;
                                                    if (r == 59)
                                                        return 100.0;
                                                    if (r > 20 && r < 40 && r != 30)
                                                        return std::nan("");
                                                    return 50.0;
                                                }}}))});
    view->Select(0, 1, -1, -1);
    const QImage image = Render();
    const QPointF before = CurvePoint(0, 50, 0, 100, 10.5);
    const QPointF gap = CurvePoint(0, 50, 0, 100, 25.5);
    const QPointF lone = CurvePoint(0, 50, 0, 100, 30);
    const QPointF after = CurvePoint(0, 50, 0, 100, 47.5);
    EXPECT_TRUE(Near(image, before.x(), before.y(), IsGreen));
    EXPECT_TRUE(Near(image, after.x(), after.y(), IsGreen));
    EXPECT_FALSE(Near(image, gap.x(), gap.y(), IsGreen, 2));
    EXPECT_FALSE(Near(image, lone.x(), lone.y(), IsGreen, 2));
}

TEST_F(TraceLoading, NoLineCurvesStayInTheListButTakeNoLabelRow)
{
    Load({Write("two.las",
                LasText(0, 1, 50, {{"NOLINE", [](int r) { return r; }}, {"RED", [](int r) { return 100 - r; }}}))});
    ASSERT_EQ(view->Traces().size(), 1u);
    ASSERT_EQ(view->Traces()[0]->curves().size(), 3u);
    EXPECT_EQ(view->Traces()[0]->curves()[1].colourIndex, 16);
    const QImage image = Render();
    const QRectF& plot = view->Layout().tracePlot[0];
    const double h = view->Layout().lineHeight;
    // The red curve's labels are on the first label row, the second row is empty.
    auto redInRow = [&](int row) {
        for (double x = plot.left() - 3; x < plot.right() + 3; x += 0.2)
            for (double y = plot.bottom() + (row - 1) * h + 0.3; y < plot.bottom() + row * h - 0.3; y += 0.2)
                if (IsRed(image.pixel(Pixel(x, y))))
                    return true;
        return false;
    };
    EXPECT_TRUE(redInRow(1));
    EXPECT_FALSE(redInRow(2));
    // Nothing of the unseen curve in the plot.
    const QPointF unseen = CurvePoint(0, 10.5, 0, 49, 10.5);
    EXPECT_TRUE(IsWhite(image.pixel(Pixel(unseen.x(), unseen.y()))));
}

TEST_F(TraceLoading, TraceSettingsApplyInPlaceAndMoveThePoints)
{
    Load({Write("gr.las", LasText(0, 1, 20, {{"GR", [](int r) { return r; }}}))});
    LasProperty& file = *view->Traces()[0];
    CurveProperty& curve = file.curves()[1];
    // Row 5 as the view draws it.
    auto point5 = [&] { return curve.PointAt(5, curve.plotWidth, view->GetScale()); };
    const float y5 = point5().Y;
    TraceSettings setting;
    setting.colourIndex = 7;
    setting.displayField = 2;
    setting.ownRange = false;
    setting.rangeMinimum = 0;
    setting.rangeMaximum = 38;
    setting.depthOffset = 2.5;
    setting.smoothingWindow = 4;
    ApplyTraceSettingsToFile(file, {TraceSettings(), setting, setting}); // more settings than curves
    EXPECT_EQ(curve.colourIndex, 7);
    EXPECT_EQ(curve.displayField, 2);
    EXPECT_FALSE(curve.ownRange);
    EXPECT_NEAR(point5().Y - y5, 2.5 / view->GetScale(), 1e-3);
    // Filtered (the default display), sample 5 is the mean of 3 .. 7: 5; on the suggested range of 38.
    EXPECT_NEAR(point5().X, 5.0 / 38 * curve.plotWidth, 1e-3);

    view->SetCurveShift(-1, 0, 1);
    EXPECT_NEAR(point5().Y - y5, -1 / view->GetScale(), 1e-3);
    view->SetCurveShift(-1, 5, 9); // no such trace: nothing happens
}

TEST_F(TraceLoading, FilteringFollowsTheViewAndCloseAllEmptiesTheList)
{
    view->m_settings.showFilteredTraces = false;
    Load({Write("gr.las", LasText(0, 1, 20, {{"GR", [](int r) { return r % 2 ? 10.0 : 0.0; }}}))});
    CurveProperty& curve = view->Traces()[0]->curves()[1];
    EXPECT_FALSE(curve.smoothing);
    const float raw = curve.PointAt(5, curve.plotWidth, view->GetScale()).X;
    view->SetTracesFiltered(*view->Traces()[0], true);
    EXPECT_TRUE(curve.smoothing);
    EXPECT_NE(curve.PointAt(5, curve.plotWidth, view->GetScale()).X, raw);
    view->Select(0, 1, -1, -1);
    view->CloseAllTraces();
    EXPECT_TRUE(view->Traces().empty());
    EXPECT_EQ(view->m_selectedTraceFile, -1);
}
