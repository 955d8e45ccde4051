// The page-layout view: its bar, its printer, its drawing on screen and on paper.
#include "layout/view/QuorLayout.h"

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

#include "core/catalogue/Messages.h"
#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "docview/view/geometry/DrawingResources.h"
#include "docview/view/geometry/FittedText.h"
#include "layout/geometry/LegendLayoutItem.h"
#include "layout/view/BoreholeViewAdapter.h"
#include "platform/qt/Graphics.h"
#include "platform/services/Services.h"
#include "resources/CommandIds.h"
#include "widgets/controls/GuardedHandler.h"

using ORBAX_Platform::Graphics;
using namespace QuorCommand;

namespace {

constexpr std::uint32_t kGround = 0xFF708090u;      // around the paper
constexpr std::uint32_t kPaper = 0xFFFFFACDu;       // the paper
constexpr std::uint32_t kMarginFrame = 0xFFC0C0C0u; // the area inside the margins
constexpr std::uint32_t kSelectionFrame = 0xFFFFC0CBu;
constexpr int PrintFailed = 381; // "Unable to print the layout to %1."

} // namespace

CQuorLayout::CQuorLayout(CQuorDoc* document, CQuorView* view, CommandFrame* frame, QWidget* parent)
    : QWidget(parent), m_document(document), m_view(view), m_frame(frame ? frame->Window() : nullptr)
{
    setObjectName(QStringLiteral("QuorLayout"));
    // Painting covers the whole window: nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

CQuorLayout::~CQuorLayout()
{
    // Close takes the bar out of the frame first; a frame that goes with its views deletes it with
    // them, and then the bar is already gone or goes here without the frame being asked anything.
    delete m_bar;
}

void CQuorLayout::OnCreate()
{
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The printer's own margins are only its unprintable edge; the layout keeps margins of its own.
    m_printer->setFullPage(false);
    m_printer->setPageMargins(m_printer->pageLayout().minimumMargins(), QPageLayout::Millimeter);

    m_bar = new QToolBar(QStringLiteral("Layout"), m_frame);
    m_bar->setObjectName(QStringLiteral("dlg214"));
    m_bar->setMovable(false);
    m_bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [this](int id, const QString& text, void (CQuorLayout::*handler)()) {
        auto* action = new QAction(text, m_bar);
        // The buttons read as the bar's did, dots included.
        action->setIconText(text);
        action->setObjectName(QStringLiteral("id%1").arg(id));
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        else
            action->setEnabled(false);
        m_bar->addAction(action);
        if (QWidget* button = m_bar->widgetForAction(action))
            button->setObjectName(QStringLiteral("id%1").arg(id));
        return action;
    };
    add(ID_LAYOUT_ADD_SECTION, QStringLiteral("Add section..."), &CQuorLayout::OnAddSection);
    add(ID_LAYOUT_ADD_LEGEND, QStringLiteral("Add legend..."), &CQuorLayout::OnAddLegend);
    add(ID_LAYOUT_ADD_TITLE, QStringLiteral("Add title..."), &CQuorLayout::OnAddTitle);
    m_bar->addSeparator();
    add(ID_LAYOUT_PAGE_SETUP, QStringLiteral("Page Setup..."), &CQuorLayout::OnPageSetup);
    add(ID_LAYOUT_PRINT_SETUP, QStringLiteral("Print Setup..."), &CQuorLayout::OnPrintSetup);
    // A layout is never stored: "Save Layout..." stays disabled.
    add(ID_LAYOUT_SAVE, QStringLiteral("Save Layout..."), nullptr);
    m_bar->addSeparator();
    // "Close" is the document's: it puts the borehole view back.
    QAction* close = add(ID_LAYOUT_CLOSE, QStringLiteral("Close"), nullptr);
    close->setEnabled(true);
    connect(close, &QAction::triggered, this, [this] {
        if (m_document)
            QuorGuard::RunGuarded(this, __FILE__, __LINE__, [this] { m_document->OnCloseLayout(); });
    });
    if (m_frame) {
        // A line of its own below the frame's tool bar.
        m_frame->addToolBar(Qt::TopToolBarArea, m_bar);
        m_frame->insertToolBarBreak(m_bar);
    }
}

double CQuorLayout::dpiX() const { return logicalDpiX() > 0 ? logicalDpiX() : 96.0; }
double CQuorLayout::dpiY() const { return logicalDpiY() > 0 ? logicalDpiY() : 96.0; }

QSizeF CQuorLayout::GetPaperSize() const
{
    QSizeF paper;
    if (m_printer) {
        // The paper less the printer's unprintable edge, whatever margins the printer holds for a
        // moment (Page Setup shows the layout's own there while its dialog is open).
        QPageLayout page = m_printer->pageLayout();
        page.setUnits(QPageLayout::Millimeter);
        paper = page.fullRect().marginsRemoved(page.minimumMargins()).size();
    }
    // A printer that reports no paper still gets a page to compose on.
    if (!(paper.width() > 0) || !(paper.height() > 0))
        paper = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return paper;
}

const DrawingResources& CQuorLayout::Resources()
{
    if (!m_resources) {
        // The resources of printing at scale 1: the view's fonts, the regular tick font in the bold one's
        // place.
        DrawingResources::Fonts fonts;
        std::uint32_t selection = DrawingResources::SelectionColour;
        if (m_view) {
            fonts.tickFace = QString::fromStdWString(m_view->m_tickFontDescription.face);
            fonts.tickPoints = m_view->m_tickFontDescription.size;
            fonts.generalFace = QString::fromStdWString(m_view->m_generalFontDescription.face);
            fonts.generalPoints = m_view->m_generalFontDescription.size;
            selection = m_view->m_selectionColour;
        }
        m_resources = DrawingResources::Create(fonts, false, selection);
        // The page is printed: its texts go down to the size printing sets them in.
        m_resources->smallestTextPoints = LegiblePrintPoints;
    }
    return *m_resources;
}

void CQuorLayout::OnDrawingChanged()
{
    m_resources.reset();
    collectLegends();
    update();
}

void CQuorLayout::collectLegends()
{
    if (m_document)
        for (const LayoutEntry& entry : m_page.entries)
            if (auto* legend = dynamic_cast<LegendLayoutItem*>(entry.item.get()))
                legend->Rebuild(*m_document, *this);
}

QPointF CQuorLayout::ClientToItem(const QPoint& point) const { return m_page.DeviceToItem(point, dpiX(), dpiY()); }

QRect CQuorLayout::ItemToClient(const QRectF& rect) const { return m_page.ItemToDevicePixels(rect, dpiX(), dpiY()); }

CQuorView* CQuorLayout::LinkedView() const { return m_view; }

QToolBar* CQuorLayout::Bar() const { return m_bar; }

void CQuorLayout::measure(const std::function<void(Graphics&)>& work)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setDotsPerMeterX(static_cast<int>(dpiX() / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(dpiY() / 0.0254 + 0.5));
    QPainter painter(&image);
    Graphics graphics(painter);
    work(graphics);
}

void CQuorLayout::OnDraw(QPainter& painter)
{
    const QSizeF paper = GetPaperSize();
    const QSizeF client(width() / dpiX() * 25.4, height() / dpiY() * 25.4);
    if (m_page.zoom == 0.0f)
        m_page.zoom = LayoutPage::FitZoom(client, paper);
    painter.fillRect(rect(), ORBAX_Platform::ColourFromArgb(kGround));
    if (!(m_page.zoom > 0.0f) || !m_view || !m_document)
        return;
    const DrawingResources& resources = Resources();

    Graphics graphics(painter);
    const QTransform page = m_page.World();
    graphics.setWorldTransform(page);
    graphics.fillRect(m_page.PaperRect(paper), kPaper);
    const QRectF area = m_page.MarginRect(paper);
    painter.setPen(MakeDrawingPen(kMarginFrame, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    auto drawEntry = [&](const LayoutEntry& entry) {
        ORBAX_Platform::GraphicsState state(graphics);
        graphics.setWorldTransform(QTransform::fromTranslate(entry.position.x(), entry.position.y()) * page);
        entry.item->Draw(graphics, area, *m_document, BoreholeViewAdapter(*m_view), resources);
    };
    // The selected item first, beneath the others, with its frame.
    const LayoutEntry* selected = m_page.Selected();
    if (selected) {
        drawEntry(*selected);
        graphics.setWorldTransform(QTransform::fromTranslate(selected->position.x(), selected->position.y()) * page);
        const QRectF bounds = selected->item->GetBounds(graphics, *m_document, BoreholeViewAdapter(*m_view), resources);
        painter.setPen(MakeDrawingPen(kSelectionFrame, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bounds);
        graphics.setWorldTransform(page);
    }
    for (const LayoutEntry& entry : m_page.entries)
        if (&entry != selected)
            drawEntry(entry);
}

void CQuorLayout::OnPrint(QPainter& painter, QPrinter& printer)
{
    if (!m_view || !m_document)
        return;
    const QSizeF paper = printer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    const DrawingResources& resources = Resources();
    Graphics graphics(painter);
    const QTransform page = QTransform::fromTranslate(m_page.leftMargin, m_page.topMargin);
    const QRectF area = m_page.MarginRect(paper);
    for (const LayoutEntry& entry : m_page.entries) {
        ORBAX_Platform::GraphicsState state(graphics);
        graphics.setWorldTransform(QTransform::fromTranslate(entry.position.x(), entry.position.y()) * page);
        entry.item->Draw(graphics, area, *m_document, BoreholeViewAdapter(*m_view), resources);
    }
}

bool CQuorLayout::PrintPage(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        ORBAX_Platform::showMessage(this, ORBAX_Utilities::format_message1(PrintFailed, target.toStdWString()),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Warning);
        return false;
    }
    OnPrint(painter, printer);
    painter.end();
    return true;
}

void CQuorLayout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    try {
        OnDraw(painter);
    } catch (...) {
        // A page that cannot be drawn shows what was drawn of it; the next paint tries again.
    }
}
