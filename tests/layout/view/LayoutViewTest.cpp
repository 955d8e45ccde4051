// The page-layout view in the main frame: opened by Print Layout, closed by its bar's Close, items
// added through their dialogs, picked, dragged, edited and deleted with the mouse and the keys, its
// margins set up and its page drawn.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>

#include "layout/geometry/LegendLayoutItem.h"
#include "layout/geometry/SectionLayoutItem.h"
#include "layout/geometry/TitleLayoutItem.h"
#include "tests/layout/view/LayoutTestSupport.h"

using namespace QuorCommand;

namespace {

// An entry's text and whether it can be chosen.
QString State(const QAction& action) { return action.text() + (action.isEnabled() ? "" : " (disabled)"); }

// Every menu of the frame with its entries and submenus, one line each, as text.
void DescribeMenu(const QMenu& menu, const QString& indent, QStringList& lines)
{
    for (QAction* action : menu.actions()) {
        lines << indent + (action->isSeparator() ? QStringLiteral("----") : State(*action));
        if (action->menu())
            DescribeMenu(*action->menu(), indent + QStringLiteral("  "), lines);
    }
}

QStringList Describe(CMainFrame& frame)
{
    // The commands' labels as their rules set them.
    frame.UpdateCommands();
    QStringList lines;
    for (QAction* top : frame.menuBar()->actions()) {
        lines << top->text();
        if (top->menu())
            DescribeMenu(*top->menu(), QStringLiteral("  "), lines);
    }
    for (QToolBar* bar : frame.findChildren<QToolBar*>())
        if (bar->isVisible()) {
            lines << QStringLiteral("toolbar ") + bar->objectName();
            for (QAction* action : bar->actions())
                lines << QStringLiteral("  ") + State(*action);
        }
    return lines;
}

void Mouse(QWidget* widget, QEvent::Type type, const QPointF& at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

class LayoutView : public LayoutTest::FrameFixture {
protected:
    // The client pixel of an item-space point.
    QPointF Pixel(CQuorLayout& layout, const QPointF& item)
    {
        return layout.Page().ToDevice(layout.logicalDpiX(), layout.logicalDpiY()).map(item);
    }
    // A title block placed at `position` without its dialog.
    void PlaceBlock(CQuorLayout& layout, const QPointF& position)
    {
        layout.Page().Append(std::make_shared<TitleLayoutItem>());
        layout.Page().entries.back().position = position;
    }
};

} // namespace

TEST_F(LayoutView, PrintLayoutAndCloseSwitchTheFrameAndLeaveItsMenusAsTheyWere)
{
    const QStringList before = Describe(*frame);
    for (int round = 0; round < 3; ++round) {
        CQuorLayout* layout = OpenLayout();
        ASSERT_NE(layout, nullptr);
        EXPECT_EQ(frame->ViewStack()->currentWidget(), layout);
        EXPECT_EQ(layout->LinkedView(), view);
        QToolBar* bar = frame->findChild<QToolBar*>(QStringLiteral("dlg214"));
        ASSERT_NE(bar, nullptr);
        for (int id : {1331, 1332, 1335, 1339, 1340, 1333})
            EXPECT_TRUE(bar->findChild<QAction*>(QStringLiteral("id%1").arg(id))->isEnabled()) << id;
        EXPECT_FALSE(bar->findChild<QAction*>(QStringLiteral("id1334"))->isEnabled());
        // Asked again, the layout there is shown; no second one is made.
        Run(ID_PRINT_LAYOUT);
        EXPECT_EQ(document->Layout(), layout);

        QPointer<CQuorLayout> gone = layout;
        bar->findChild<QAction*>(QStringLiteral("id1333"))->trigger();
        EXPECT_EQ(frame->ViewStack()->currentWidget(), view);
        EXPECT_EQ(document->Layout(), nullptr);
        Settle();
        EXPECT_TRUE(gone.isNull());
        EXPECT_EQ(frame->findChild<QToolBar*>(QStringLiteral("dlg214")), nullptr);
        EXPECT_EQ(Describe(*frame), before) << "round " << round;
    }
}

TEST_F(LayoutView, PrintLayoutWaitsForTheTraceLoads)
{
    document->pendingTraceLoads = 1;
    frame->UpdateCommands();
    EXPECT_FALSE(frame->GetCommand(ID_PRINT_LAYOUT)->isEnabled());
    document->OnPrintLayout();
    EXPECT_EQ(document->Layout(), nullptr);
    document->pendingTraceLoads = 0;
    frame->UpdateCommands();
    EXPECT_TRUE(frame->GetCommand(ID_PRINT_LAYOUT)->isEnabled());
}

TEST_F(LayoutView, ItemsArePlacedOnlyAfterOkAndALegendCollectsFromThePlacedSections)
{
    FillRight();
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    sandbox.dialogs.result = QDialog::Rejected;
    layout->OnAddSection();
    layout->OnAddTitle();
    layout->OnAddLegend();
    EXPECT_TRUE(layout->Page().entries.empty());
    EXPECT_EQ(sandbox.dialogs.shown, (std::vector<QString>{"dlg215", "dlg219", "dlg218"}));

    sandbox.dialogs.result = QDialog::Accepted;
    layout->OnAddSection();
    // Two rows added in the dialog of a new block are placed with it.
    sandbox.dialogs.inspect = [](QDialog& d) {
        if (auto* add = d.findChild<QPushButton*>(QStringLiteral("id1339"))) {
            add->click();
            add->click();
        }
    };
    layout->OnAddTitle();
    sandbox.dialogs.inspect = nullptr;
    layout->OnAddLegend();
    auto& entries = layout->Page().entries;
    ASSERT_EQ(entries.size(), 3u);
    for (const LayoutEntry& entry : entries)
        EXPECT_EQ(entry.position, QPointF(0, 0));
    EXPECT_NE(dynamic_cast<SectionLayoutItem*>(entries[0].item.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TitleLayoutItem&>(*entries[1].item).rows.size(), 3u);
    const auto& legend = dynamic_cast<LegendLayoutItem&>(*entries[2].item);
    std::vector<std::wstring> names;
    for (const auto& entry : legend.entries)
        names.push_back(entry->name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"COAL", L"SANDSTONE"}));
}

TEST_F(LayoutView, ALegendPlacedOnAnEmptyPageListsTheSectionsPlacedAfterIt)
{
    FillRight();
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    sandbox.dialogs.result = QDialog::Accepted;
    layout->OnAddLegend();
    const auto& legend = dynamic_cast<LegendLayoutItem&>(*layout->Page().entries[0].item);
    EXPECT_TRUE(legend.entries.empty());
    layout->OnAddSection();
    EXPECT_EQ(legend.entries.size(), 2u) << "coal and sandstone, without a repaint or the options";
}

TEST_F(LayoutView, AClickPicksTheFirstPlacedItemAndADragMovesIt)
{
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    layout->grab(); // the first paint fits the page to the window
    ASSERT_GT(layout->Page().zoom, 0.0f);
    PlaceBlock(*layout, QPointF(0, 0));
    PlaceBlock(*layout, QPointF(30, 30));

    Mouse(layout, QEvent::MouseButtonPress, Pixel(*layout, QPointF(40, 40)));
    EXPECT_EQ(layout->Page().selection, 0);
    Mouse(layout, QEvent::MouseMove, Pixel(*layout, QPointF(60, 70)));
    Mouse(layout, QEvent::MouseButtonRelease, Pixel(*layout, QPointF(60, 70)));
    const QPointF moved = layout->Page().entries[0].position;
    EXPECT_NEAR(moved.x(), 20, 0.5);
    EXPECT_NEAR(moved.y(), 30, 0.5);
    // After the release the mouse no longer drags.
    Mouse(layout, QEvent::MouseMove, Pixel(*layout, QPointF(100, 100)));
    EXPECT_EQ(layout->Page().entries[0].position, moved);

    // Empty paper clears the selection; the context menu then does not open.
    Mouse(layout, QEvent::MouseButtonPress, Pixel(*layout, QPointF(150, 200)));
    Mouse(layout, QEvent::MouseButtonRelease, Pixel(*layout, QPointF(150, 200)));
    EXPECT_EQ(layout->Page().selection, -1);
    EXPECT_EQ(layout->OnContextMenu(QPoint(10, 10)), nullptr);
}

TEST_F(LayoutView, DeleteReachesTheLayoutWhileItShowsAndOnlyWithASelection)
{
    // The borehole view's own Del.
    int viewDeletes = 0;
    frame->SetCommandHandler(ID_DELETE_KEY, [&] { ++viewDeletes; });
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    layout->grab();
    PlaceBlock(*layout, QPointF(0, 0));
    PlaceBlock(*layout, QPointF(100, 0));
    frame->UpdateCommands();
    QAction* del = frame->GetCommand(ID_DELETE_KEY);
    EXPECT_FALSE(del->isEnabled());
    del->trigger();
    EXPECT_EQ(layout->Page().entries.size(), 2u);

    Mouse(layout, QEvent::MouseButtonPress, Pixel(*layout, QPointF(110, 10)));
    Mouse(layout, QEvent::MouseButtonRelease, Pixel(*layout, QPointF(110, 10)));
    frame->UpdateCommands();
    EXPECT_TRUE(del->isEnabled());
    del->trigger();
    ASSERT_EQ(layout->Page().entries.size(), 1u);
    EXPECT_EQ(layout->Page().entries[0].position, QPointF(0, 0));
    EXPECT_EQ(layout->Page().selection, -1);

    // The context menu's Delete does the same.
    Mouse(layout, QEvent::MouseButtonPress, Pixel(*layout, QPointF(10, 10)));
    Mouse(layout, QEvent::MouseButtonRelease, Pixel(*layout, QPointF(10, 10)));
    QMenu* menu = layout->OnContextMenu(layout->mapToGlobal(QPoint(20, 20)));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->findChild<QAction*>(QStringLiteral("id32975"))->text(), "Properties");
    menu->findChild<QAction*>(QStringLiteral("id32974"))->trigger();
    menu->close();
    EXPECT_TRUE(layout->Page().entries.empty());

    EXPECT_EQ(viewDeletes, 0);

    // Back in the borehole view, Del is the view's again.
    layout->Bar()->findChild<QAction*>(QStringLiteral("id1333"))->trigger();
    Settle();
    frame->UpdateCommands();
    EXPECT_TRUE(del->isEnabled());
    del->trigger();
    EXPECT_EQ(viewDeletes, 1);
}

TEST_F(LayoutView, ADoubleClickEditsTheItemUnderIt)
{
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    layout->grab();
    PlaceBlock(*layout, QPointF(20, 20));
    const QPointF at = Pixel(*layout, QPointF(30, 30));
    Mouse(layout, QEvent::MouseButtonPress, at);
    Mouse(layout, QEvent::MouseButtonRelease, at);
    Mouse(layout, QEvent::MouseButtonDblClick, at);
    EXPECT_EQ(sandbox.dialogs.shown, (std::vector<QString>{"dlg219"}));
}

TEST_F(LayoutView, PageSetupTakesTheMarginsAndRefitsThePage)
{
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    layout->grab();
    const float fitted = layout->Page().zoom;
    layout->Page().zoom = 2.0f;
    QMarginsF shown;
    const QSizeF paper = layout->GetPaperSize();
    QSizeF paperDuringDialog;
    sandbox.dialogs.inspect = [&](QDialog& d) {
        QPrinter* printer = static_cast<QPageSetupDialog&>(d).printer();
        shown = printer->pageLayout().margins(QPageLayout::Millimeter);
        // The page shown behind the dialog keeps its paper.
        paperDuringDialog = layout->GetPaperSize();
        printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    };
    sandbox.dialogs.result = QDialog::Accepted;
    layout->OnPageSetup();
    EXPECT_EQ(paperDuringDialog, paper);
    EXPECT_NEAR(shown.left(), 20, 0.01);
    EXPECT_NEAR(shown.bottom(), 20, 0.01);
    EXPECT_FLOAT_EQ(layout->Page().leftMargin, 10);
    EXPECT_FLOAT_EQ(layout->Page().bottomMargin, 10);
    EXPECT_EQ(layout->Page().zoom, 0.0f);
    // The printer keeps its printable area; only the layout has the margins.
    EXPECT_EQ(layout->Printer().pageLayout().margins(QPageLayout::Millimeter),
              layout->Printer().pageLayout().minimumMargins());
    layout->grab();
    EXPECT_FLOAT_EQ(layout->Page().zoom, fitted);

    // Cancel changes nothing.
    sandbox.dialogs.result = QDialog::Rejected;
    layout->OnPageSetup();
    EXPECT_FLOAT_EQ(layout->Page().leftMargin, 10);
    EXPECT_FLOAT_EQ(layout->Page().zoom, fitted);
}

TEST_F(LayoutView, ThePageShowsPaperMarginsAndItemsWithTheSelectionBeneath)
{
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    layout->resize(800, 600);
    layout->grab();
    PlaceBlock(*layout, QPointF(10, 10));
    PlaceBlock(*layout, QPointF(40, 10));
    const QSizeF paper = layout->GetPaperSize();
    auto colourAt = [&](const QImage& image, const QPointF& item) {
        const QPoint p = Pixel(*layout, item).toPoint();
        return image.pixel(p);
    };
    QImage image = layout->grab().toImage();
    EXPECT_EQ(colourAt(image, QPointF(paper.width(), 5)), 0xFF708090u); // beside the paper
    EXPECT_EQ(colourAt(image, QPointF(-10, 100)), 0xFFFFFACDu);         // in the left margin
    EXPECT_EQ(colourAt(image, QPointF(15, 30)), 0xFF4169E1u);           // inside the first block
    EXPECT_EQ(colourAt(image, QPointF(5, 100)), 0xFFFFFACDu);           // paper inside the margins

    // Selected, the first block is drawn first: the second one covers their overlap.
    Mouse(layout, QEvent::MouseButtonPress, Pixel(*layout, QPointF(15, 30)));
    Mouse(layout, QEvent::MouseButtonRelease, Pixel(*layout, QPointF(15, 30)));
    ASSERT_EQ(layout->Page().selection, 0);
    image = layout->grab().toImage();
    // The pink frame along the selected block's left edge, hidden under the other block on its right.
    const double perMm = layout->Page().zoom * layout->logicalDpiX() / 25.4;
    bool pink = false;
    const QPoint edge = Pixel(*layout, QPointF(10, 40)).toPoint();
    for (int dx = -3; dx <= 3; ++dx)
        pink = pink || image.pixel(edge.x() + dx, edge.y()) == 0xFFFFC0CBu;
    EXPECT_TRUE(pink);
    EXPECT_NE(colourAt(image, QPointF(59.9 - 1.0 / perMm, 40)), 0xFFFFC0CBu);
}

TEST_F(LayoutView, LegendNamesStayInsideTheFrameOnScreenAndFollowTheHatchListTheOptionsChoose)
{
    ViewTest::FillBorehole(document->GetBorehole(1), L"east",
                           {{2, {{L"MUDSTONE", 100}}}, {4, {{L"SHALE", 100}}}, {6, {{L"SANDSTONE", 100}}}});
    CQuorLayout* layout = OpenLayout();
    ASSERT_NE(layout, nullptr);
    layout->resize(800, 600);
    sandbox.dialogs.result = QDialog::Accepted;
    layout->OnAddSection();
    layout->Page().entries[0].position = QPointF(120, 0);
    layout->OnAddLegend();
    const auto& legend = dynamic_cast<LegendLayoutItem&>(*layout->Page().entries[1].item);
    ASSERT_EQ(legend.entries.size(), 2u) << "the standard list draws mudstone and shale alike";
    // At a small zoom (small fonts on screen are laid out wider) the frame holds every name: right of it,
    // along the rows of the entries, only paper.
    layout->Page().zoom = 0.2f;
    const QImage image = layout->grab().toImage();
    double frame = 3; // the frame's right edge: the first pixel not white between the first two entries
    while (image.pixel(Pixel(*layout, QPointF(frame, 11)).toPoint()) == 0xFFFFFFFFu)
        frame += 0.25;
    for (double y = 2; y < 2 + 4 * 10; y += 0.25)
        for (double x = frame + 2.5; x < frame + 20; x += 0.25)
            ASSERT_EQ(image.pixel(Pixel(*layout, QPointF(x, y)).toPoint()), 0xFFFFFACDu) << x << " " << y;
    // Another hatch list chosen in the options: the legend collects its entries from it at once.
    for (const auto& [id, list] : tables.hatchLists)
        if (list.GetName() == L"Colour")
            tables.currentHatchListId = id;
    emit view->drawingChanged();
    EXPECT_EQ(legend.entries.size(), 3u);
}
