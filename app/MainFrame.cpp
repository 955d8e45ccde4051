#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWhatsThis>

#include "app/QuorApp.h"
#include "core/catalogue/Messages.h"
#include "core/catalogue/StringTable.h"
#include "platform/settings/Settings.h"
#include "resources/CommandIds.h"

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

// A toolbar picture for commands that have no stock icon: the tool tip's initials on a 16 x 15 tile.
QIcon letterIcon(const QString& toolTip, const QString& fallback)
{
    QString label;
    for (const QString& word : (toolTip.isEmpty() ? fallback : toolTip).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (label.size() < 2 && word.at(0).isLetterOrNumber())
            label += word.at(0).toUpper();
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x20, 0x40, 0x80));
    QFont font = painter.font();
    font.setPixelSize(label.size() > 1 ? 9 : 12);
    font.setBold(true);
    painter.setFont(font);
    painter.drawRect(0, 0, 15, 14);
    painter.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, label);
    return QIcon(pixmap);
}

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
    {0, nullptr},
    {ID_OPEN_TRACE, "Open &Trace..."},
    {ID_TRACE_MANAGER, "Trace &Manager..."},
    {ID_CLOSE_ALL_TRACES, "&Close All Traces"},
    {0, nullptr},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_PRINT_SAMPLE_LABELS, "Print Samp&le Labels..."},
    {ID_PAGE_SETUP, "Page Set&up..."},
    {ID_PRINT_LAYOUT, "Print La&yout"},
};
const MenuItem kEditMenu[] = {
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
    {0, nullptr},
    {ID_EDIT_COPY, "&Copy\tCtrl+C"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
    {ID_EDIT_PASTE_SPECIAL, "Paste &Special...\tCtrl+T"},
    {0, nullptr},
    {ID_INSERT_MODE, "Insert &Mode\tIns"},
    {ID_RELABEL_SAMPLE_NUMBERS, "&Relabel Sample Numbers..."},
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

CMainFrame::CMainFrame(bool developerMode, QWidget* parent) : QMainWindow(parent), m_current(m_messages.end())
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("QUOR_Log"));
    m_timer.setInterval(kRotationPeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &CMainFrame::OnTimer);
    createMenus(developerMode);
    createToolBar();
    createStatusBar();
    // The toolbar's buttons follow their update rules while the program idles.
    m_idleUpdate.setInterval(250);
    connect(&m_idleUpdate, &QTimer::timeout, this, &CMainFrame::UpdateCommands);
}

CMainFrame::~CMainFrame() { m_timer.stop(); }

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
        int tab = text.indexOf(QLatin1Char('\t'));
        if (tab >= 0)
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
        connect(action, &QAction::triggered, this,
                [this, action] { emit recentFileChosen(action->data().toString()); });
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
    build("&Help", std::begin(kHelpMenu), std::end(kHelpMenu));
}

void CMainFrame::createToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(16, 15));
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
        if (action->icon().isNull()) {
            switch (id) {
            case ID_FILE_NEW: action->setIcon(style()->standardIcon(QStyle::SP_FileIcon)); break;
            case ID_FILE_OPEN: action->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon)); break;
            case ID_FILE_SAVE: action->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton)); break;
            default: action->setIcon(letterIcon(action->toolTip(), action->text().remove(QLatin1Char('&')))); break;
            }
        }
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
    for (int id : {109, 111, 110}) {
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

void CMainFrame::UpdateCommands()
{
    for (auto& [id, update] : m_updates) {
        if (QAction* action = GetCommand(id)) {
            try {
                update(*action);
            } catch (...) {
                // An update rule that fails leaves its command as it was.
            }
        }
    }
}

void CMainFrame::runCommand(int id)
{
    auto found = m_handlers.find(id);
    if (found == m_handlers.end() || !found->second)
        return;
    CQuorApp::RunGuarded(this, __FILE__, __LINE__, found->second);
}

void CMainFrame::SetRecentFiles(const std::vector<std::wstring>& files)
{
    bool any = false;
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < files.size() && !files[i].empty()) {
            QString path = QString::fromStdWString(files[i]);
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
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
    m_idleUpdate.start();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    // "SaveSettings" as it is now: the options sheet may have changed it during the run.
    CQuorApp* app = CQuorApp::instance();
    if (m_wasShown && app && app->m_saveSettings) {
        QByteArray geometry = saveGeometry();
        ORBAX_Platform::Settings(L"Options")
            .writeBinary(L"WindowPlacement", std::vector<std::uint8_t>(geometry.begin(), geometry.end()));
    }
    m_timer.stop();
    m_idleUpdate.stop();
}
