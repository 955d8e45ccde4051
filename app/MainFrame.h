#pragma once
// The main window: menus, the docking toolbar, the status bar with its message pane and three
// panes the view fills, and a queue of status messages shown in turn every 2000 ms while more than
// one is queued.
#include <functional>
#include <list>
#include <map>
#include <set>

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include "docview/commands/CommandFrame.h"

class ApplicationServices;
class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;

class CMainFrame : public QMainWindow, public CommandFrame {
    Q_OBJECT
public:
    using StatusPosition = CommandFrame::StatusPosition;

    // Builds the menus, toolbar and status bar; the page-layout command only in developer mode.
    explicit CMainFrame(bool developerMode, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Queues a message, shows it at once and makes it current; returns its position for later removal.
    StatusPosition AddStatusMessage(const QString& text) override;
    // Removes a queued message; the end position is ignored.
    void RemoveStatusMessage(StatusPosition position) override;
    // Replaces the text of a queued message; shown at once when it is the current one.
    void SetStatusMessageText(StatusPosition position, const QString& text) override;
    StatusPosition StatusEnd() { return m_messages.end(); }
    std::size_t StatusMessageCount() const { return m_messages.size(); }
    bool IsRotating() const { return m_timer.isActive(); }
    QString StatusPaneText() const;

    // A status pane by its indicator number (109, 110, 111); null for any other number.
    QLabel* StatusPane(int id) const override;

    // The command with this number (menu item or toolbar button); null when the frame has none.
    QAction* GetCommand(int id) const override;
    // A command that no menu of the frame lists (the view puts it into menus of its own); returns
    // the existing one when the number is known already.
    QAction* AddCommand(int id, const QString& text) override;

    // The central area: a stack that shows the borehole view, or the page-layout view in its place.
    QStackedWidget* ViewStack() const override { return m_viewStack; }
    // Puts a view into the stack (once) and shows it.
    void ShowView(QWidget* view) override;
    QMainWindow* Window() override { return this; }
    // Runs `handler` when the command is chosen, and `update` before its menu shows and while the
    // toolbar is visible, to enable, tick or relabel it.
    void SetCommandHandler(int id, std::function<void()> handler, std::function<void(QAction&)> update = {}) override;
    // Whether a handler runs the command (a command without one stays disabled).
    bool HasCommandHandler(int id) const { return m_handlers.count(id) != 0; }
    // Runs `update` with the status pane `id` (109, 110, 111) wherever the command rules run.
    void SetPaneUpdate(int id, std::function<void(QLabel&)> update) override;
    // Runs every update rule now, the status panes' with them.
    void UpdateCommands() override;
    // Runs them once when the program next waits for input: after a key, a button let go, a wheel
    // step, a drop or a window coming forward, whatever the widget that took it. Nothing runs while
    // the program sits idle.
    void RequestCommandUpdate();
    // A view shown in front of the borehole view takes the commands it knows before their bindings:
    // `run` returns true when it ran the command, `update` when it set the command's state. Empty
    // functions end the route, and every command falls back to its binding.
    void SetCommandRoute(std::function<bool(int)> run, std::function<bool(int, QAction&)> update) override;

    // The files of the recent-file list, most recent first, as the File menu shows them.
    void SetRecentFiles(const std::vector<std::wstring>& files);
    // The menu text of a recent file (without its number).
    static QString RecentFileLabel(const QString& path);

    // The application whose "SaveSettings" decides whether the window's placement is kept at the end.
    void SetApplication(ApplicationServices* app) { m_app = app; }

    // Asked before the window closes; false keeps it open.
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }

    // Rotation step (timer 101).
    void OnTimer();

signals:
    // The entry's file as the list holds it (a name that is not UTF-8 among them).
    void recentFileChosen(const std::wstring& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus(bool developerMode);
    void createToolBar();
    void createStatusBar();
    QAction* addCommand(QMenu* menu, int id, const QString& text);
    void showInPane(const QString& text);
    void runCommand(int id);

    std::list<QString> m_messages;
    StatusPosition m_current;
    QTimer m_timer;

    QLabel* m_messagePane = nullptr;
    std::map<int, QLabel*> m_panes;
    QToolBar* m_toolBar = nullptr;
    QStackedWidget* m_viewStack = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    std::vector<QAction*> m_recentActions;
    std::vector<std::wstring> m_recentFiles; // what the entries open, kept as the names they are
    std::map<int, QAction*> m_commands;
    std::map<int, std::function<void()>> m_handlers;
    std::map<int, std::function<void(QAction&)>> m_updates;
    std::map<int, std::function<void(QLabel&)>> m_paneUpdates;
    QTimer m_commandUpdate; // single shot, at the next turn of the event loop
    bool m_wasShown = false;
    ApplicationServices* m_app = nullptr;
    std::function<bool()> m_closeQuery;
    std::function<bool(int)> m_routeRun;
    std::function<bool(int, QAction&)> m_routeUpdate;
    // The commands whose state a route has set since it began.
    std::set<int> m_routed;
};
