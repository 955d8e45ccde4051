#include <functional>
#include <map>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/MainFrame.h"
#include "tests/support/AppTestSupport.h"

namespace {

bool menuHolds(const QMenu* menu, int id)
{
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QStringLiteral("id%1").arg(id))
            return true;
        if (action->menu() && menuHolds(action->menu(), id))
            return true;
    }
    return false;
}

bool menuBarHolds(CMainFrame& frame, int id)
{
    for (QAction* action : frame.menuBar()->actions())
        if (action->menu() && menuHolds(action->menu(), id))
            return true;
    return false;
}

TEST(StatusMessages, OneMessageShowsWithoutRotation)
{
    CMainFrame frame(false);
    frame.AddStatusMessage("Opening 1 trace file(s)");
    EXPECT_EQ(frame.StatusPaneText(), "Opening 1 trace file(s)");
    EXPECT_FALSE(frame.IsRotating());
}

TEST(StatusMessages, TwoMessagesAlternateOnEachTick)
{
    CMainFrame frame(false);
    frame.AddStatusMessage("a");
    frame.AddStatusMessage("b");
    EXPECT_EQ(frame.StatusPaneText(), "b");
    EXPECT_TRUE(frame.IsRotating());
    frame.OnTimer();
    EXPECT_EQ(frame.StatusPaneText(), "a");
    frame.OnTimer();
    EXPECT_EQ(frame.StatusPaneText(), "b");
}

TEST(StatusMessages, RemovingTheCurrentShowsTheNextAtOnce)
{
    CMainFrame frame(false);
    auto a = frame.AddStatusMessage("a");
    frame.AddStatusMessage("b");
    auto c = frame.AddStatusMessage("c");
    frame.RemoveStatusMessage(c); // current and last: wraps to the first
    EXPECT_EQ(frame.StatusPaneText(), "a");
    frame.RemoveStatusMessage(a);
    EXPECT_EQ(frame.StatusPaneText(), "b");
    EXPECT_EQ(frame.StatusMessageCount(), 1u);
}

TEST(StatusMessages, RemovingAnotherMessageWaitsForTheTick)
{
    CMainFrame frame(false);
    auto a = frame.AddStatusMessage("a");
    frame.AddStatusMessage("b");
    frame.AddStatusMessage("c");
    frame.RemoveStatusMessage(a);
    EXPECT_EQ(frame.StatusPaneText(), "c");
    frame.OnTimer();
    EXPECT_EQ(frame.StatusPaneText(), "b");
    frame.RemoveStatusMessage(frame.StatusEnd()); // ignored
    EXPECT_EQ(frame.StatusMessageCount(), 2u);
}

TEST(StatusMessages, TextChangeShowsOnlyForTheCurrent)
{
    CMainFrame frame(false);
    auto a = frame.AddStatusMessage("a");
    auto b = frame.AddStatusMessage("b");
    frame.SetStatusMessageText(a, "a2");
    EXPECT_EQ(frame.StatusPaneText(), "b");
    frame.SetStatusMessageText(b, "b2");
    EXPECT_EQ(frame.StatusPaneText(), "b2");
    frame.OnTimer();
    EXPECT_EQ(frame.StatusPaneText(), "a2");
}

TEST(StatusMessages, EmptyingTheQueueWhileRotatingIsSafe)
{
    CMainFrame frame(false);
    auto a = frame.AddStatusMessage("a");
    auto b = frame.AddStatusMessage("b");
    frame.RemoveStatusMessage(b);
    frame.RemoveStatusMessage(a);
    EXPECT_EQ(frame.StatusPaneText(), "");
    EXPECT_TRUE(frame.IsRotating()) << "removal leaves the timer to the next tick";
    frame.OnTimer(); // must not step from a freed position
    EXPECT_FALSE(frame.IsRotating());
    EXPECT_EQ(frame.StatusPaneText(), "");
    frame.AddStatusMessage("again");
    EXPECT_EQ(frame.StatusPaneText(), "again");
    frame.OnTimer();
    EXPECT_EQ(frame.StatusPaneText(), "again");
}

TEST(MainFrame, PrintLayoutOnlyInDeveloperMode)
{
    CMainFrame normal(false);
    EXPECT_FALSE(menuBarHolds(normal, 32971));
    CMainFrame developer(true);
    EXPECT_TRUE(menuBarHolds(developer, 32971));
    EXPECT_TRUE(menuBarHolds(developer, 57601));
}

TEST(MainFrame, StatusPanesToolbarAndPrompts)
{
    CMainFrame frame(false);
    for (int id : {109, 110, 111})
        ASSERT_NE(frame.StatusPane(id), nullptr) << id;
    EXPECT_EQ(frame.StatusPane(112), nullptr);
    QAction* open = frame.GetCommand(57601);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->statusTip(), "Open an existing borehole");
    EXPECT_EQ(open->toolTip(), "Open Borehole");
    QToolBar* toolBar = frame.findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    EXPECT_TRUE(toolBar->actions().contains(open));
    EXPECT_EQ(toolBar->allowedAreas(), Qt::AllToolBarAreas);
}

TEST(MainFrame, CommandsRunThroughTheGuardAndTheirUpdateRules)
{
    AppTest::Sandbox sandbox;
    CMainFrame frame(false);
    QAction* ruler = frame.GetCommand(32845);
    ASSERT_NE(ruler, nullptr);
    EXPECT_FALSE(ruler->isEnabled()) << "no handler bound yet";
    bool ticked = true;
    frame.SetCommandHandler(
        32845, [] { throw std::runtime_error("boom"); },
        [&ticked](QAction& action) {
            action.setCheckable(true);
            action.setChecked(ticked);
        });
    frame.UpdateCommands();
    EXPECT_TRUE(ruler->isChecked());
    ruler->trigger();
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_NE(sandbox.boxes.shown[0].text.find(L"An internal error occurred."), std::wstring::npos);
    EXPECT_NE(sandbox.boxes.shown[0].text.find(L"File: MainFrame.cpp, Line "), std::wstring::npos);
    EXPECT_EQ(sandbox.boxes.shown[0].title, L"QUOR_Log 3.3");
}

} // namespace

namespace {

// Command states follow input to the program, once per turn of the event loop, and an idle window
// runs no rule at all.
TEST(MainFrame, CommandRulesRunAfterInputNotWhileIdle)
{
    AppTest::Sandbox sandbox;
    CMainFrame frame(false);
    int runs = 0;
    frame.SetCommandHandler(
        32845, [] {}, [&runs](QAction&) { ++runs; });
    frame.show();
    auto idle = [](int milliseconds) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    // Showing and activating the window are input too; a slow build takes longer to get through
    // them, so wait until the updates they asked for have stopped.
    int settled = -1;
    for (int round = 0; round < 20 && runs != settled; ++round) {
        settled = runs;
        idle(250);
    }
    idle(600);
    EXPECT_EQ(runs, settled) << "nothing polls while the window idles";

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(frame.menuBar(), &release);
    QApplication::sendEvent(&frame, &release);
    idle(200);
    EXPECT_EQ(runs, settled + 1) << "two events before the loop turned: one update";
}

// Every toolbar button shows one of our own drawings, sharp at 16 and at 32 pixels: something is
// drawn, and the larger picture is rendered at its own size rather than blown up.
TEST(MainFrame, ToolbarButtonsShowTheirOwnPictures)
{
    AppTest::Sandbox sandbox;
    CMainFrame frame(false);
    auto* bar = frame.findChild<QToolBar*>("ToolBar");
    ASSERT_TRUE(bar);
    int buttons = 0;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        ++buttons;
        SCOPED_TRACE(action->objectName().toStdString());
        ASSERT_FALSE(action->icon().isNull());
        for (int size : {16, 32}) {
            const QImage image = action->icon().pixmap(size, size).toImage();
            ASSERT_EQ(image.width(), size);
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(opaque, size * size / 16) << "a visible drawing at " << size << " px";
        }
        EXPECT_FALSE(action->toolTip().isEmpty());
    }
    EXPECT_EQ(buttons, 25);
}

// The keys of the command table: each key reaches one command only.
TEST(MainFrame, KeysReachTheirCommands)
{
    AppTest::Sandbox sandbox;
    CMainFrame frame(false);
    auto keysOf = [&frame](int id) {
        QStringList keys;
        if (QAction* action = frame.GetCommand(id))
            for (const QKeySequence& key : action->shortcuts())
                keys << key.toString();
        return keys;
    };
    EXPECT_EQ(keysOf(32963), QStringList({"Ctrl+Shift+V"})) << "Paste Special, never Ctrl+T";
    EXPECT_EQ(keysOf(57643), QStringList({"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(keysOf(57634), QStringList({"Ctrl+C", "Ctrl+Ins"}));
    EXPECT_EQ(keysOf(57637), QStringList({"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(keysOf(32955), QStringList({"Esc"}));
    EXPECT_TRUE(keysOf(32831).isEmpty()) << "Normal shows Esc in its menu; the key itself cancels";
    EXPECT_EQ(keysOf(32951), QStringList({"Return", "Enter"}));
    EXPECT_EQ(keysOf(32836), QStringList({"Del"}));
    EXPECT_EQ(keysOf(32833), QStringList({"I"}));
    EXPECT_EQ(keysOf(32957), QStringList({"Ctrl+End"}));
    EXPECT_EQ(keysOf(32839), QStringList({"F2"}));
    EXPECT_EQ(keysOf(32938), QStringList({"Ins"}));

    // No two commands share a key.
    std::map<QString, int> owner;
    for (QAction* action : frame.findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            auto [at, added] = owner.emplace(key.toString(), 0);
            EXPECT_TRUE(added) << key.toString().toStdString() << " is bound twice";
        }
    }
}

// Alt and a letter open one entry only: within each menu and submenu no two entries (recent files
// included) share an accelerator, so Alt+F, X always exits.
TEST(MainFrame, NoTwoEntriesOfAMenuShareAnAccelerator)
{
    AppTest::Sandbox sandbox;
    CMainFrame frame(true);
    frame.SetRecentFiles({L"/a/one.pro", L"/b/two.csv"});
    std::function<void(const QMenu*)> check = [&check](const QMenu* menu) {
        std::map<QChar, QString> owner;
        for (QAction* action : menu->actions()) {
            const QString text = action->text();
            for (int i = 0; i + 1 < text.size(); ++i) {
                if (text[i] != QLatin1Char('&'))
                    continue;
                if (text[i + 1] != QLatin1Char('&')) {
                    auto [at, added] = owner.emplace(text[i + 1].toUpper(), text);
                    EXPECT_TRUE(added) << menu->title().toStdString() << ": " << text.toStdString() << " and "
                                       << at->second.toStdString();
                }
                ++i;
            }
            if (action->menu())
                check(action->menu());
        }
    };
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) {
        titles << action->text();
        check(action->menu());
    }
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Mode", "&Tools", "&Help"}));
    QAction* exit = frame.GetCommand(57665);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), "E&xit");
}

} // namespace
