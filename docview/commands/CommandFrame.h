#pragma once
// What the view, its commands, the document and the page-layout view need of the main window: its
// command table (handlers and update rules bound to command numbers, a route for a view shown in
// front), the status bar's message queue and panes, and the stack of views in the central area. The
// main frame implements it; the application hands the frame to the view and the document when it
// makes them.
#include <functional>
#include <list>

#include <QString>

class QAction;
class QLabel;
class QMainWindow;
class QStackedWidget;
class QWidget;

class CommandFrame {
public:
    using StatusPosition = std::list<QString>::iterator;

    virtual ~CommandFrame() = default;

    // ---- Commands
    // The command with this number (menu item or toolbar button); null when the frame has none.
    virtual QAction* GetCommand(int id) const = 0;
    // A command that no menu of the frame lists (the view puts it into menus of its own); returns
    // the existing one when the number is known already.
    virtual QAction* AddCommand(int id, const QString& text) = 0;
    // Runs `handler` when the command is chosen, and `update` before its menu shows and while the
    // toolbar is visible, to enable, tick or relabel it.
    virtual void SetCommandHandler(int id, std::function<void()> handler,
                                   std::function<void(QAction&)> update = {}) = 0;
    // Runs `update` with the status pane `id` (109, 110, 111) wherever the command rules run.
    virtual void SetPaneUpdate(int id, std::function<void(QLabel&)> update) = 0;
    // Runs every update rule now, the status panes' with them.
    virtual void UpdateCommands() = 0;
    // A view shown in front of the borehole view takes the commands it knows before their bindings:
    // `run` returns true when it ran the command, `update` when it set the command's state. Empty
    // functions end the route.
    virtual void SetCommandRoute(std::function<bool(int)> run, std::function<bool(int, QAction&)> update) = 0;

    // ---- The status bar
    // Queues a message, shows it at once and makes it current; returns its position for later removal.
    virtual StatusPosition AddStatusMessage(const QString& text) = 0;
    // Removes a queued message; the end position is ignored.
    virtual void RemoveStatusMessage(StatusPosition position) = 0;
    // Replaces the text of a queued message; shown at once when it is the current one.
    virtual void SetStatusMessageText(StatusPosition position, const QString& text) = 0;
    // A status pane by its indicator number (109, 110, 111); null for any other number.
    virtual QLabel* StatusPane(int id) const = 0;

    // ---- The views
    // The central area: a stack that shows the borehole view, or the page-layout view in its place.
    virtual QStackedWidget* ViewStack() const = 0;
    // Puts a view into the stack (once) and shows it.
    virtual void ShowView(QWidget* view) = 0;
    // The window itself, for its menu bar and tool bars.
    virtual QMainWindow* Window() = 0;
};
