#include "app/MainFrame.h"

#include <algorithm>
#include <set>

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QSvgRenderer>
#include <QToolBar>
#include <QWhatsThis>

#include "core/catalogue/Messages.h"
#include "core/catalogue/StringTable.h"
#include "dialogs/ApplicationServices.h"
#include "platform/services/QtNames.h"
#include "platform/settings/Settings.h"
#include "resources/CommandIds.h"
#include "widgets/controls/GuardedHandler.h"

using namespace QuorCommand;

namespace {

constexpr int kRotationPeriodMs = 2000;
constexpr int kRecentFileCount = 4;

// The prompt of a command: its string-table entry, the status-bar text before "\n" and the tool tip
// after it. Commands without an entry have neither.
bool commandPrompt(int id, QString& statusTip, QString& toolTip)
{
    std::wstring text;
    if (!ORBAX_Utilities::load_string_resource(id, &ProgramStringTable(), text) || text.empty())
        return false;
    QString prompt = QString::fromStdWString(text);
    int newline = prompt.indexOf(QLatin1Char('\n'));
    statusTip = newline < 0 ? prompt : prompt.left(newline);
    toolTip = newline < 0 ? QString() : prompt.mid(newline + 1);
    return true;
}

// The toolbar's pictures: our own drawings, compiled into the program, rendered at the sizes a
// toolbar asks for so that they stay sharp at 16 and at 32 pixels.
QIcon commandIcon(const QString& name)
{
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    QIcon icon;
    if (!renderer.isValid())
        return icon;
    for (int size : {16, 20, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

struct ToolIcon {
    int id;
    const char* name;
};

const ToolIcon kToolIcons[] = {
    {ID_FILE_NEW, "new_borehole"},
    {ID_FILE_OPEN, "open_borehole"},
    {ID_OPEN_TRACE, "open_trace"},
    {ID_FILE_SAVE, "save_borehole"},
    {ID_FILE_PRINT, "print"},
    {ID_SCALE, "scale"},
    {ID_SAMPLE_NUMBERS, "sample_numbers"},
    {ID_RELABEL_SAMPLE_NUMBERS, "relabel_sample_numbers"},
    {ID_RULER, "ruler"},
    {ID_FINE_SCROLL, "fine_scroll"},
    {ID_LINK_SCROLLBARS, "link_scrollbars"},
    {ID_SET_DISPLAY_TOP_DEPTH, "set_display_top_depth"},
    {ID_MODE_CREATE_BOUNDARIES, "mode_create_boundaries"},
    {ID_MODE_PICK_AND_DRAG, "mode_pick_and_drag"},
    {ID_MODE_SET_ROCK, "mode_set_rock"},
    {ID_MODE_MERGE, "mode_merge"},
    {ID_MODE_INSERT, "mode_insert"},
    {ID_MODE_SET_BASE_DEPTH, "mode_set_base_depth"},
    {ID_MODE_CORRELATE, "mode_correlate"},
    {ID_MODE_DELETE, "mode_delete"},
    {ID_MODE_NORMAL, "mode_normal"},
    {ID_FILTER_TRACES, "filter_traces"},
    {ID_SHIFT_TRACE, "shift_trace"},
    {ID_AVERAGE_TRACE, "average_trace"},
    {ID_CONTEXT_HELP, "context_help"},
};

QString toolIconName(int id)
{
    for (const ToolIcon& icon : kToolIcons)
        if (icon.id == id)
            return QString::fromLatin1(icon.name);
    return QString();
}

// Commands that only keys reach, and the further keys of commands that have a menu entry.
struct KeyBinding {
    int id;
    const char* keys;
};

const KeyBinding kKeyCommands[] = {
    {ID_PAGE_DOWN, "PgDown"},
    {ID_PAGE_UP, "PgUp"},
    {ID_LINE_DOWN, "Ctrl+Down"},
    {ID_LINE_UP, "Ctrl+Up"},
    {ID_MOVE_FOCUS_RIGHT, "Right"},
    {ID_MOVE_FOCUS_LEFT, "Left"},
    {ID_ZOOM_IN, "I"},
    {ID_ZOOM_OUT, "O"},
    {ID_NEXT_UNIT, "Down"},
    {ID_PREVIOUS_UNIT, "Up"},
    {ID_REDRAW, "Ctrl+R"},
    {ID_ENTER_KEY, "Return"},
    {ID_CANCEL_OPERATION, "Esc"},
    {ID_SCROLL_TO_TOP, "Ctrl+Home"},
    {ID_SCROLL_TO_BOTTOM, "Ctrl+End"},
    {ID_DELETE_KEY, "Del"},
};

const KeyBinding kFurtherKeys[] = {
    {ID_EDIT_UNDO, "Alt+Backspace"},
    {ID_EDIT_COPY, "Ctrl+Ins"},
    {ID_EDIT_PASTE, "Shift+Ins"},
    {ID_ENTER_KEY, "Enter"},
};

struct MenuItem {
    int id; // 0 separator, -1 popup start, -2 popup end
    const char* text;
};

// The main menu (resource 128).
const MenuItem kFileMenu[] = {
    {ID_FILE_NEW, "&New Borehole\tCtrl+N"},
    {ID_FILE_OPEN, "&Open Borehole...\tCtrl+O"},
    {ID_FILE_SAVE, "&Save Borehole\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save Borehole &As..."},
    // X is Exit's: the submenu takes the E, which no other entry of the menu has.
    {-1, "&Export Text Description"},
    {ID_EXPORT_LEFT, "&Left Borehole..."},
    {ID_EXPORT_RIGHT, "&Right Borehole..."},
    {ID_EXPORT_BOTH, "&Both Boreholes..."},
    {-2, nullptr},
    {0, nullptr},
    {ID_OPEN_TRACE, "Open &Trace..."},
    {ID_TRACE_MANAGER, "Trace &Manager..."},
    {ID_CLOSE_ALL_TRACES, "&Close All Traces"},
    {0, nullptr},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {ID_PRINT_SAMPLE_LABELS, "Print Samp&le Labels..."},
    {ID_PAGE_SETUP, "Page Set&up..."},
    {ID_PRINT_LAYOUT, "Print La&yout"},
};
const MenuItem kEditMenu[] = {
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
    {0, nullptr},
    {ID_EDIT_COPY, "&Copy\tCtrl+C"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
    {ID_EDIT_PASTE_SPECIAL, "Paste &Special...\tCtrl+Shift+V"},
    {0, nullptr},
    {ID_INSERT_MODE, "Insert &Mode\tIns"},
};
const MenuItem kViewMenu[] = {
    {ID_SCALE, "&Scale..."},
    {ID_SAMPLE_NUMBERS, "Sample &Numbers"},
    {ID_RULER, "&Ruler"},
    {ID_FINE_SCROLL, "Fine Scr&oll\tCtrl+F"},
    {ID_LINK_SCROLLBARS, "&Link Scrollbars"},
    {ID_SET_DISPLAY_TOP_DEPTH, "Set &Display Top Depth..."},
    {0, nullptr},
    {ID_FILTER_TRACES, "&Filter Traces"},
    {-1, "Set &Trace Field"},
    {ID_TRACE_COLUMN1, "Column &1"},
    {ID_TRACE_COLUMN2, "Column &2"},
    {ID_TRACE_COLUMN3, "Column &3"},
    {-2, nullptr},
    {ID_SHIFT_TRACE, "Sh&ift Trace..."},
    {ID_AVERAGE_TRACE, "&Average Trace..."},
};
const MenuItem kToolsMenu[] = {
    {ID_RELABEL_SAMPLE_NUMBERS, "&Relabel Sample Numbers..."},
    {0, nullptr},
    {ID_OPTIONS, "&Options..."},
};
const MenuItem kModeMenu[] = {
    {ID_MODE_CREATE_BOUNDARIES, "&Create Boundaries\tF2"},
    {ID_MODE_PICK_AND_DRAG, "&Pick && Drag\tF3"},
    {ID_MODE_SET_ROCK, "&Set Rock\tF4"},
    {ID_MODE_MERGE, "&Merge\tF5"},
    {ID_MODE_INSERT, "&Insert\tF6"},
    {ID_MODE_SET_BASE_DEPTH, "Set &Base Depth\tF7"},
    {ID_MODE_CORRELATE, "Correla&te\tF8"},
    {ID_MODE_DELETE, "&Delete\tF9"},
    {0, nullptr},
    {ID_MODE_NORMAL, "&Normal\tEsc"},
};
const MenuItem kHelpMenu[] = {
    {ID_HELP_TOPICS, "&Help Topics"},     {ID_GETTING_STARTED_GUIDE, "Getting Started Guide"},
    {ID_RELEASE_NOTES, "&Release Notes"}, {0, nullptr},
    {ID_APP_ABOUT, "&About QUOR_Log..."},
};

// Toolbar 128, 0 being a separator.
const int kToolBar[] = {ID_FILE_NEW,
                        ID_FILE_OPEN,
                        ID_OPEN_TRACE,
                        ID_FILE_SAVE,
                        ID_FILE_PRINT,
                        0,
                        ID_SCALE,
                        ID_SAMPLE_NUMBERS,
                        ID_RELABEL_SAMPLE_NUMBERS,
                        ID_RULER,
                        ID_FINE_SCROLL,
                        ID_LINK_SCROLLBARS,
                        ID_SET_DISPLAY_TOP_DEPTH,
                        0,
                        ID_MODE_CREATE_BOUNDARIES,
                        ID_MODE_PICK_AND_DRAG,
                        ID_MODE_SET_ROCK,
                        ID_MODE_MERGE,
                        ID_MODE_INSERT,
                        ID_MODE_SET_BASE_DEPTH,
                        ID_MODE_CORRELATE,
                        ID_MODE_DELETE,
                        ID_MODE_NORMAL,
                        0,
                        ID_FILTER_TRACES,
                        ID_SHIFT_TRACE,
                        ID_AVERAGE_TRACE,
                        0,
                        ID_CONTEXT_HELP};

} // namespace

// Outside any namespace, as the resource system wants: the icons live in a static library.
static void initialiseIcons() { Q_INIT_RESOURCE(icons); }

CMainFrame::CMainFrame(bool developerMode, QWidget* parent) : QMainWindow(parent), m_current(m_messages.end())
{
    initialiseIcons();
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("QUOR_Log"));
    m_timer.setInterval(kRotationPeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &CMainFrame::OnTimer);
    createMenus(developerMode);
    createToolBar();
    createStatusBar();
    // The views live in a stack: replacing the central widget would delete the borehole view that the
    // page-layout view links back to.
    m_viewStack = new QStackedWidget(this);
    m_viewStack->setObjectName(QStringLiteral("ViewStack"));
    setCentralWidget(m_viewStack);
    // The toolbar's buttons and the status panes follow their update rules when something may have
    // changed them: after input to any window of the program (commands and menus update at once).
    m_commandUpdate.setSingleShot(true);
    m_commandUpdate.setInterval(0);
    connect(&m_commandUpdate, &QTimer::timeout, this, &CMainFrame::UpdateCommands);
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

CMainFrame::~CMainFrame()
{
    m_timer.stop();
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void CMainFrame::RequestCommandUpdate()
{
    if (!m_commandUpdate.isActive())
        m_commandUpdate.start();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::WindowActivate:
        // Pointer moves are left out: they change no command, and the panes they change are set by
        // the view as the pointer moves.
        if (m_wasShown)
            RequestCommandUpdate();
        break;
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text)
{
    auto found = m_commands.find(id);
    QAction* action = found != m_commands.end() ? found->second : nullptr;
    if (!action) {
        action = new QAction(text, this);
        action->setObjectName(QStringLiteral("id%1").arg(id));
        QString statusTip;
        QString toolTip;
        if (commandPrompt(id, statusTip, toolTip)) {
            action->setStatusTip(statusTip);
            if (!toolTip.isEmpty())
                action->setToolTip(toolTip);
        }
        // The menu shows the keys after the tab. Normal's "Esc" is only shown there: the key itself
        // cancels the current operation (32955), which also leaves an edit mode.
        int tab = text.indexOf(QLatin1Char('\t'));
        if (tab >= 0 && id != ID_MODE_NORMAL)
            action->setShortcut(QKeySequence(text.mid(tab + 1)));
        // No handler yet: the command stays disabled until its owner binds one.
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        m_commands[id] = action;
    }
    if (menu)
        menu->addAction(action);
    return action;
}

QAction* CMainFrame::AddCommand(int id, const QString& text) { return addCommand(nullptr, id, text); }

void CMainFrame::ShowView(QWidget* view)
{
    if (m_viewStack->indexOf(view) < 0)
        m_viewStack->addWidget(view);
    m_viewStack->setCurrentWidget(view);
}

void CMainFrame::createMenus(bool developerMode)
{
    auto build = [this, developerMode](const char* title, const MenuItem* begin, const MenuItem* end) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(title));
        QMenu* target = menu;
        for (const MenuItem* item = begin; item != end; ++item) {
            if (item->id == 0) {
                target->addSeparator();
            } else if (item->id == -1) {
                target = menu->addMenu(QString::fromLatin1(item->text));
            } else if (item->id == -2) {
                target = menu;
            } else if (item->id != ID_PRINT_LAYOUT || developerMode) {
                addCommand(target, item->id, QString::fromLatin1(item->text));
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
        return menu;
    };
    m_fileMenu = build("&File", std::begin(kFileMenu), std::end(kFileMenu));
    m_recentSeparator = m_fileMenu->addSeparator();
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("id%1").arg(ID_FILE_MRU_FILE1 + i));
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, i] {
            if (static_cast<std::size_t>(i) < m_recentFiles.size())
                emit recentFileChosen(m_recentFiles[static_cast<std::size_t>(i)]);
        });
        m_fileMenu->addAction(action);
        m_recentActions.push_back(action);
    }
    m_recentSeparator->setVisible(false);
    m_fileMenu->addSeparator();
    QAction* exit = addCommand(m_fileMenu, ID_APP_EXIT, QStringLiteral("E&xit"));
    exit->setStatusTip(QStringLiteral("Quit the application"));
    SetCommandHandler(ID_APP_EXIT, [this] { close(); });

    build("&Edit", std::begin(kEditMenu), std::end(kEditMenu));
    build("&View", std::begin(kViewMenu), std::end(kViewMenu));
    build("&Mode", std::begin(kModeMenu), std::end(kModeMenu));
    build("&Tools", std::begin(kToolsMenu), std::end(kToolsMenu));
    build("&Help", std::begin(kHelpMenu), std::end(kHelpMenu));

    // Keys without a menu entry act on the window, as the menu's keys do.
    for (const KeyBinding& key : kKeyCommands) {
        QAction* action = addCommand(nullptr, key.id, QString());
        action->setShortcut(QKeySequence(QString::fromLatin1(key.keys)));
        addAction(action);
    }
    for (const KeyBinding& key : kFurtherKeys) {
        if (QAction* action = GetCommand(key.id)) {
            QList<QKeySequence> keys = action->shortcuts();
            keys.append(QKeySequence(QString::fromLatin1(key.keys)));
            action->setShortcuts(keys);
        }
    }
}

void CMainFrame::createToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    QAction* contextHelp = QWhatsThis::createAction(this);
    contextHelp->setObjectName(QStringLiteral("id%1").arg(ID_CONTEXT_HELP));
    m_commands[ID_CONTEXT_HELP] = contextHelp;

    for (int id : kToolBar) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = GetCommand(id);
        if (!action)
            continue;
        QIcon icon = commandIcon(toolIconName(id));
        if (!icon.isNull())
            action->setIcon(icon);
        m_toolBar->addAction(action);
    }
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    m_messagePane = new QLabel(bar);
    m_messagePane->setObjectName(QStringLiteral("StatusPane0"));
    bar->addWidget(m_messagePane, 1);
    // The panes' strings only size them; the view writes their texts.
    for (int id : {109, 111, 110, 59140}) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("id%1").arg(id));
        QString sizing = QString::fromStdWString(ORBAX_Utilities::get_message_wide(id));
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sizing) + 8);
        pane->setFrameShape(QFrame::StyledPanel);
        bar->addPermanentWidget(pane);
        m_panes[id] = pane;
    }
}

QLabel* CMainFrame::StatusPane(int id) const
{
    auto found = m_panes.find(id);
    return found == m_panes.end() ? nullptr : found->second;
}

QString CMainFrame::StatusPaneText() const { return m_messagePane->text(); }

QAction* CMainFrame::GetCommand(int id) const
{
    auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::SetCommandHandler(int id, std::function<void()> handler, std::function<void(QAction&)> update)
{
    QAction* action = GetCommand(id);
    if (!action)
        return;
    m_handlers[id] = std::move(handler);
    if (update)
        m_updates[id] = std::move(update);
    else
        m_updates.erase(id);
    action->setEnabled(true);
}

void CMainFrame::SetPaneUpdate(int id, std::function<void(QLabel&)> update)
{
    if (StatusPane(id))
        m_paneUpdates[id] = std::move(update);
}

void CMainFrame::UpdateCommands()
{
    for (auto& [id, update] : m_paneUpdates) {
        try {
            update(*StatusPane(id));
        } catch (...) {
            // A pane whose text cannot be made keeps the one it shows.
        }
    }
    std::set<int> routed;
    if (m_routeUpdate)
        for (auto& [id, action] : m_commands) {
            try {
                if (m_routeUpdate(id, *action))
                    routed.insert(id);
            } catch (...) {
                routed.insert(id);
            }
        }
    m_routed.insert(routed.begin(), routed.end());
    for (auto& [id, update] : m_updates) {
        if (routed.count(id))
            continue;
        if (QAction* action = GetCommand(id)) {
            try {
                update(*action);
            } catch (...) {
                // An update rule that fails leaves its command as it was.
            }
        }
    }
}

void CMainFrame::SetCommandRoute(std::function<bool(int)> run, std::function<bool(int, QAction&)> update)
{
    m_routeRun = std::move(run);
    m_routeUpdate = std::move(update);
    if (!m_routeRun) {
        // The commands the route set are the bindings' again: one with a handler and no rule is enabled.
        // Commands the route never set (the context help, for one) keep their state.
        for (int id : m_routed)
            if (QAction* action = GetCommand(id))
                action->setEnabled(m_handlers.count(id) != 0);
        m_routed.clear();
    }
    UpdateCommands();
}

void CMainFrame::runCommand(int id)
{
    if (m_routeRun) {
        bool ran = false;
        QuorGuard::RunGuarded(this, __FILE__, __LINE__, [&] { ran = m_routeRun(id); });
        if (ran) {
            UpdateCommands();
            return;
        }
    }
    auto found = m_handlers.find(id);
    if (found == m_handlers.end() || !found->second)
        return;
    QuorGuard::RunGuarded(this, __FILE__, __LINE__, found->second);
    // A command may change what the others allow (a selection, the history, the clipboard).
    UpdateCommands();
}

QString CMainFrame::RecentFileLabel(const QString& path)
{
    // The whole path while it is short; else its start and its file name, so that two files of one
    // name in different folders can be told apart. An "&" in a name is shown, not taken as a key.
    constexpr int kLongest = 48;
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > kLongest) {
        const QFileInfo info(path);
        const QString name = info.fileName();
        const QString folder = QDir::toNativeSeparators(info.path());
        const int keep = std::max<int>(0, kLongest - static_cast<int>(name.size()) - 5);
        shown = folder.left(keep) + QStringLiteral("...") + QDir::separator() + name;
    }
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void CMainFrame::SetRecentFiles(const std::vector<std::wstring>& files)
{
    m_recentFiles = files;
    bool any = false;
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < files.size() && !files[i].empty()) {
            const QString path = ORBAX_Platform::display_text(files[i]);
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(RecentFileLabel(path)));
            action->setData(path);
            action->setStatusTip(path);
            action->setVisible(true);
            any = true;
        } else {
            action->setVisible(false);
        }
    }
    m_recentSeparator->setVisible(any);
}

// ---------------------------------------------------------------------------------------------------
// Status messages

void CMainFrame::showInPane(const QString& text) { m_messagePane->setText(text); }

CMainFrame::StatusPosition CMainFrame::AddStatusMessage(const QString& text)
{
    StatusPosition added = m_messages.insert(m_messages.end(), text);
    m_current = added;
    showInPane(text);
    if (m_messages.size() >= 2)
        m_timer.start(); // starting again restarts the period
    return added;
}

void CMainFrame::RemoveStatusMessage(StatusPosition position)
{
    if (position == m_messages.end())
        return;
    if (position == m_current) {
        if (m_messages.size() == 1) {
            showInPane(QString());
            m_current = m_messages.end();
        } else {
            m_current = std::next(position);
            if (m_current == m_messages.end())
                m_current = m_messages.begin();
            showInPane(*m_current);
        }
    }
    m_messages.erase(position);
    // The rotation is not stopped here: the next tick stops it.
}

void CMainFrame::SetStatusMessageText(StatusPosition position, const QString& text)
{
    if (position == m_messages.end())
        return;
    *position = text;
    if (position == m_current)
        showInPane(text);
}

void CMainFrame::OnTimer()
{
    if (m_messages.size() < 2)
        m_timer.stop();
    if (m_messages.empty()) {
        m_current = m_messages.end();
        return;
    }
    if (m_current == m_messages.end() || ++m_current == m_messages.end())
        m_current = m_messages.begin();
    showInPane(*m_current);
}

// ---------------------------------------------------------------------------------------------------

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_wasShown = true;
    RequestCommandUpdate();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // The document asks about unsaved changes first; "Cancel" keeps the window open.
    if (m_closeQuery) {
        bool mayClose = false;
        QuorGuard::RunGuarded(this, __FILE__, __LINE__, [this, &mayClose] { mayClose = m_closeQuery(); });
        if (!mayClose) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    // "SaveSettings" as it is now: the options sheet may have changed it during the run.
    if (m_wasShown && m_app && m_app->Startup().m_saveSettings) {
        QByteArray geometry = saveGeometry();
        ORBAX_Platform::Settings(L"Options")
            .writeBinary(L"WindowPlacement", std::vector<std::uint8_t>(geometry.begin(), geometry.end()));
    }
    m_timer.stop();
    m_commandUpdate.stop();
}
