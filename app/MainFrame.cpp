#include "MainFrame.h"

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

#include "Messages.h"
#include "Settings.h"
#include "QuorApp.h"
#include "StringTable.h"

namespace {

constexpr int kRotationPeriodMs = 2000;
constexpr int kPrintLayout = 32971;
constexpr int kContextHelp = 57669;
constexpr int kExit = 57665;
constexpr int kFirstRecentFile = 57616;
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
    {57600, "&New Borehole\tCtrl+N"}, {57601, "&Open Borehole...\tCtrl+O"}, {57603, "&Save Borehole\tCtrl+S"},
    {32915, "Save Borehole &As..."}, {0, nullptr}, {32908, "Open &Trace..."}, {32909, "Trace &Manager..."},
    {32910, "&Close All Traces"}, {0, nullptr}, {57607, "&Print...\tCtrl+P"}, {32959, "Print Samp&le Labels..."},
    {32873, "Page Set&up..."}, {kPrintLayout, "Print La&yout"},
};
const MenuItem kEditMenu[] = {
    {57643, "&Undo\tCtrl+Z"}, {0, nullptr}, {57634, "&Copy\tCtrl+C"}, {57637, "&Paste\tCtrl+V"},
    {32963, "Paste &Special...\tCtrl+T"}, {0, nullptr}, {32938, "Insert &Mode\tIns"},
    {32918, "&Relabel Sample Numbers..."},
};
const MenuItem kViewMenu[] = {
    {32846, "&Scale..."}, {32797, "Sample &Numbers"}, {32845, "&Ruler"}, {32895, "Fine Scr&oll\tCtrl+F"},
    {32844, "&Link Scrollbars"}, {32896, "Set &Display Top Depth..."}, {0, nullptr}, {32798, "&Filter Traces"},
    {-1, "Set &Trace Field"}, {32867, "Column &1"}, {32868, "Column &2"}, {32869, "Column &3"}, {-2, nullptr},
    {32897, "Sh&ift Trace..."}, {32898, "&Average Trace..."}, {0, nullptr}, {32941, "&Options..."},
};
const MenuItem kModeMenu[] = {
    {32839, "&Create Boundaries\tF2"}, {32840, "&Pick && Drag\tF3"}, {32842, "&Set Rock\tF4"},
    {32791, "&Merge\tF5"}, {32792, "&Insert\tF6"}, {32841, "Set &Base Depth\tF7"}, {32889, "Correla&te\tF8"},
    {32838, "&Delete\tF9"}, {0, nullptr}, {32831, "&Normal\tEsc"},
};
const MenuItem kHelpMenu[] = {
    {32893, "&Help Topics"}, {32958, "Getting Started Guide"}, {32810, "&Release Notes"}, {0, nullptr},
    {32890, "&About QUOR_Log..."},
};

// Toolbar 128, 0 being a separator.
const int kToolBar[] = {57600, 57601, 32908, 57603, 57607, 0,     32846, 32797, 32918, 32845, 32895, 32844, 32896, 0,
                        32839, 32840, 32842, 32791, 32792, 32841, 32889, 32838, 32831, 0,     32798, 32897, 32898, 0,
                        kContextHelp};

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

CMainFrame::~CMainFrame()
{
    m_timer.stop();
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
            } else if (item->id != kPrintLayout || developerMode) {
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
        action->setObjectName(QStringLiteral("id%1").arg(kFirstRecentFile + i));
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, action] { emit recentFileChosen(action->data().toString()); });
        m_fileMenu->addAction(action);
        m_recentActions.push_back(action);
    }
    m_recentSeparator->setVisible(false);
    m_fileMenu->addSeparator();
    QAction* exit = addCommand(m_fileMenu, kExit, QStringLiteral("E&xit"));
    exit->setStatusTip(QStringLiteral("Quit the application"));
    SetCommandHandler(kExit, [this] { close(); });

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
    contextHelp->setObjectName(QStringLiteral("id%1").arg(kContextHelp));
    m_commands[kContextHelp] = contextHelp;

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
            case 57600: action->setIcon(style()->standardIcon(QStyle::SP_FileIcon)); break;
            case 57601: action->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon)); break;
            case 57603: action->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton)); break;
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
    if (m_wasShown && app && app->m_saveSettings)
    {
        QByteArray geometry = saveGeometry();
        ORBAX_Platform::Settings(L"Options").writeBinary(
            L"WindowPlacement", std::vector<std::uint8_t>(geometry.begin(), geometry.end()));
    }
    m_timer.stop();
    m_idleUpdate.stop();
}
