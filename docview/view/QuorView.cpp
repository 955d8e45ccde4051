#include "docview/view/QuorView.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QUrl>

#include "core/catalogue/InternalErrorText.h"
#include "core/catalogue/Messages.h"
#include "core/model/Exception.h"
#include "dialogs/ApplicationServices.h"
#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/print/PrintJob.h"
#include "docview/view/TraceColours.h"
#include "docview/view/TraceLoadJob.h"
#include "platform/qt/Graphics.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "resources/CommandIds.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/dialogs/ErrorList.h"
#include "widgets/profile/QuorSettings.h"

using ORBAX_Utilities::get_message_wide;
using namespace ViewGeometry;

namespace {

constexpr int kMenuUnit = 175;
constexpr int kMenuTrace = 176;
constexpr int kMenuOther = 177;
constexpr int kOverwritePane = 59140;
constexpr int kInvalidateMargin = 10; // pixels above and below a unit whose selection changes

// The pane scroll bars drawn by the application's style, at a fraction of the cost: they repaint at
// every scroll and zoom step, and are as tall as the window.
// - The groove, which does not move with the bar's value, and the slider, whose size does not change
//   while the pane scrolls, are drawn once for their size, state and colours and kept as pictures.
// - The arrows are drawn in bands of fewer rows than Qt hands to its thread pool: waiting for the
//   pool's threads on each fill costs more than the fills themselves.
class BandedScrollBarStyle : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override
    {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_ScrollBar || !painter || !bar || option->rect.isEmpty() ||
            proxy()->styleHint(SH_ScrollBar_Transient, option, widget)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const bool vertical = bar->orientation == Qt::Vertical;
        // The bands of an area, across the bar.
        auto bands = [vertical](const QRect& area, auto&& band) {
            const int from = vertical ? area.top() : area.left();
            const int to = vertical ? area.bottom() : area.right();
            for (int start = from; start <= to; start += kBand) {
                const int length = std::min(kBand, to + 1 - start);
                band(vertical ? QRect(area.left(), start, area.width(), length)
                              : QRect(start, area.top(), length, area.height()));
            }
        };
        auto drawPicture = [&](const QRect& area, const QPixmap& pixmap) {
            const qreal ratio = pixmap.devicePixelRatio();
            bands(area, [&](const QRect& band) {
                const QRect source = band.translated(-area.topLeft());
                painter->drawPixmap(
                    band, pixmap,
                    QRectF(source.x() * ratio, source.y() * ratio, source.width() * ratio, source.height() * ratio));
            });
        };
        if (bar->subControls & SC_ScrollBarGroove)
            drawPicture(bar->rect, picture(*bar, SC_ScrollBarGroove, bar->rect, painter, widget));
        const QRect slider = proxy()->subControlRect(control, bar, SC_ScrollBarSlider, widget);
        // The slider's outline reaches a pixel beyond its rectangle.
        const QRect sliderArea = slider.adjusted(-1, -1, 1, 1);
        if ((bar->subControls & SC_ScrollBarSlider) && slider.isValid())
            drawPicture(sliderArea, picture(*bar, SC_ScrollBarSlider, sliderArea, painter, widget));
        for (SubControl part : {SC_ScrollBarSubLine, SC_ScrollBarAddLine}) {
            if (!(bar->subControls & part))
                continue;
            QStyleOptionSlider alone(*bar);
            alone.subControls = part;
            bands(proxy()->subControlRect(control, bar, part, widget).adjusted(-1, -1, 1, 1), [&](const QRect& band) {
                painter->save();
                painter->setClipRect(band, Qt::IntersectClip);
                QProxyStyle::drawComplexControl(control, &alone, painter, widget);
                painter->restore();
            });
        }
    }

private:
    static constexpr int kBand = 64;

    // One part of a bar (`area`: where it draws, in the bar's coordinates) as the style draws it alone,
    // drawn once for its size, the bar's state and colours (the last few kept: two bars, two parts).
    const QPixmap& picture(const QStyleOptionSlider& bar, SubControl part, const QRect& area, QPainter* painter,
                           const QWidget* widget) const
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QString key = QStringLiteral("%1 %2x%3@%4 %5 %6 %7 %8 %9 %10")
                                .arg(int(part))
                                .arg(area.width())
                                .arg(area.height())
                                .arg(ratio)
                                .arg(bar.palette.cacheKey())
                                .arg(int(bar.palette.currentColorGroup()))
                                .arg(int(bar.state))
                                .arg(int(bar.activeSubControls & part))
                                .arg(int(bar.orientation))
                                .arg(int(bar.direction));
        for (const Picture& kept : m_pictures)
            if (kept.key == key)
                return kept.pixmap;
        QStyleOptionSlider alone(bar);
        alone.subControls = part;
        QImage image((QSizeF(area.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        {
            QPainter drawing(&image);
            drawing.translate(-area.topLeft());
            QProxyStyle::drawComplexControl(CC_ScrollBar, &alone, &drawing, widget);
        }
        Picture& slot = m_pictures[m_next];
        m_next = (m_next + 1) % std::size(m_pictures);
        slot.key = key;
        slot.pixmap = QPixmap::fromImage(std::move(image));
        return slot.pixmap;
    }

    struct Picture {
        QString key;
        QPixmap pixmap;
    };
    mutable Picture m_pictures[8];
    mutable std::size_t m_next = 0;
};

} // namespace

CQuorView::CQuorView(CQuorDoc* document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("QuorView"));
    // Everything is painted by the view, so Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    // The hover line, the lithology pane and the cursor follow the pointer without a button held.
    setMouseTracking(true);
    std::copy(std::begin(TraceColourTable), std::end(TraceColourTable), m_traceColours);
    m_unnamedText = get_message_wide(172);
    saveSettingsWanted = [this] { return m_app != nullptr && m_app->Startup().m_saveSettings; };

    ORBAX_Platform::Settings section(L"View");
    m_settings.Load(section);
    m_titleFontDescription.Load(L"TitleFont");
    m_generalFontDescription.Load(L"GeneralFont");
    m_tickFontDescription.Load(L"TickFont");
    CQuorSettings pageSetup(L"PageSetup");
    m_pageSetup.Load(pageSetup);

    m_pixelsPerMmX = logicalDpiX() / 25.4;
    m_pixelsPerMmY = logicalDpiY() / 25.4;
    CreateDrawingResources();
    m_selectionPenPixels = static_cast<int>(std::floor(DrawingResources::SelectionPenWidth * m_pixelsPerMmX + 0.5));

    createScrollBars();
    m_autoScrollTimer.setInterval(500);
    connect(&m_autoScrollTimer, &QTimer::timeout, this, &CQuorView::OnTimer);
    if (document)
        connect(document, &CQuorDoc::paneChanged, this, [this](int) {
            // A pane's borehole was replaced or edited: every update repaints the whole view.
            m_selection.truncate(unitCount(m_activePane < 0 ? 0 : m_activePane));
            UpdateScrollRanges();
            update();
        });
    ComputeLayout();
    UpdateScrollRanges();
}

CQuorView::~CQuorView()
{
    m_autoScrollTimer.stop();
    // A worker posts to this view: it must have finished before the view goes. Completions still
    // queued are dropped with the view, and their jobs with them.
    for (Worker& worker : m_workers)
        if (worker.thread.joinable())
            worker.thread.join();
    m_workers.clear();
    if (m_document)
        m_document->pendingTraceLoads -= m_pendingLoads;
    if (m_hasStatusMessage)
        if (CommandFrame* frame = GetMainFrame())
            frame->RemoveStatusMessage(m_statusMessage);
    try {
        if (saveSettingsWanted && saveSettingsWanted())
            SaveSettings();
    } catch (...) {
        // A profile that cannot be written loses the settings, not the program.
    }
    m_traces.clear();
    // The bars go before their style.
    delete m_leftScrollBar;
    delete m_rightScrollBar;
}

void CQuorView::SetApplication(ApplicationServices* app)
{
    m_app = app;
    // A configuration given to the view before stays the one it draws with.
    if (app && !m_tables)
        m_tables = &app->Tables();
}

void CQuorView::SetMainFrame(CommandFrame* frame) { m_frame = frame ? frame->Window() : nullptr; }

CommandFrame* CQuorView::GetMainFrame() const
{
    if (m_frame)
        return dynamic_cast<CommandFrame*>(m_frame.data());
    return dynamic_cast<CommandFrame*>(window());
}

void CQuorView::SaveSettings() const
{
    {
        ORBAX_Platform::Settings section(L"View");
        m_settings.Save(section);
        section.sync();
    }
    m_titleFontDescription.Save(L"TitleFont");
    m_generalFontDescription.Save(L"GeneralFont");
    m_tickFontDescription.Save(L"TickFont");
    CQuorSettings pageSetup(L"PageSetup");
    m_pageSetup.Save(pageSetup);
}

void CQuorView::OnInitialUpdate()
{
    CommandFrame* frame = GetMainFrame();
    if (!frame || m_colourMenuInserted)
        return;
    // The colour commands, 1200 to 1216, named by the colour messages 300 to 316.
    m_traceColourMenu = new QMenu(QString::fromStdWString(get_message_wide(214)), frame->Window());
    for (int c = 0; c <= TraceColourNoLine; ++c) {
        QAction* action = frame->AddCommand(QuorCommand::ID_TRACE_COLOUR_FIRST + c,
                                            QString::fromStdWString(get_message_wide(300 + c)));
        if (action)
            m_traceColourMenu->addAction(action);
    }
    QAction* shift = frame->GetCommand(QuorCommand::ID_SHIFT_TRACE);
    for (QAction* top : frame->Window()->menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (menu && shift && menu->actions().contains(shift)) {
            menu->insertMenu(shift, m_traceColourMenu);
            break;
        }
    }
    m_colourMenuInserted = true;
    // The overwrite pane follows insert mode whenever the frame updates its commands.
    frame->SetPaneUpdate(kOverwritePane, [this](QLabel&) { OnUpdateIndicatorOvr(); });
    OnUpdateIndicatorOvr();
}

// ---------------------------------------------------------------------------------------------------
// Conversions

QPointF CQuorView::DeviceToPage(const QPointF& point) const
{
    return QPointF(point.x() / m_pixelsPerMmX, point.y() / m_pixelsPerMmY);
}

QPointF CQuorView::PageToDevice(const QPointF& point) const
{
    return QPointF(point.x() * m_pixelsPerMmX, point.y() * m_pixelsPerMmY);
}

QRectF CQuorView::DeviceToPage(const QRectF& rect) const
{
    return QRectF(DeviceToPage(rect.topLeft()), DeviceToPage(rect.bottomRight()));
}

QRectF CQuorView::PageToDevice(const QRectF& rect) const
{
    return QRectF(PageToDevice(rect.topLeft()), PageToDevice(rect.bottomRight()));
}

QRect CQuorView::PageRectToDevice(const QRectF& rect) const
{
    const QRectF device = PageToDevice(rect);
    const int left = static_cast<int>(std::floor(device.left() + 0.5));
    const int top = static_cast<int>(std::floor(device.top() + 0.5));
    const int right = static_cast<int>(std::floor(device.right() + 0.5));
    const int bottom = static_cast<int>(std::floor(device.bottom() + 0.5));
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

void CQuorView::InvalidatePageRect(const QRectF& rect) { update(PageRectToDevice(rect)); }

QScrollBar* CQuorView::PaneScrollBar(int pane) const { return pane == 0 ? m_leftScrollBar : m_rightScrollBar; }

double CQuorView::GetPaneScrollPosition(int pane) const { return m_scrollPosition[pane == 0 ? 0 : 1] / m_pixelsPerMmY; }

double CQuorView::GetPaneTopDepth(int pane) const { return GetPaneScrollPosition(pane) * m_settings.scale; }

double CQuorView::DeviceYToDepth(int pane, double y) const
{
    return GetPaneTopDepth(pane) + m_settings.scale * (y / m_pixelsPerMmY - m_layout.column(pane).top());
}

void CQuorView::SetPaneTopDepth(int pane, double depth)
{
    QScrollBar* bar = PaneScrollBar(pane);
    int position = 0;
    if (!depthToPosition(depth, position))
        return;
    setPanePosition(pane, std::clamp(position, bar->minimum(), bar->maximum()));
}

bool CQuorView::depthToPosition(double depth, int& position) const
{
    const double y = std::floor(depth / m_settings.scale * m_pixelsPerMmY + 0.5);
    if (!std::isfinite(y))
        return false;
    position = static_cast<int>(std::clamp(y, -2.0e9, 2.0e9));
    return true;
}

double CQuorView::SnapDepth(double depth) const { return ViewGeometry::SnapDepth(depth, m_settings.tolerance); }

int CQuorView::DepthToDevice(double depth) const
{
    return static_cast<int>(std::floor(depth / m_settings.scale * m_pixelsPerMmY + 0.5));
}

bool CQuorView::SetScale(double scale)
{
    if (!IsUsableScale(scale))
        return false;
    const double left = GetPaneTopDepth(0);
    const double right = GetPaneTopDepth(1);
    m_settings.scale = scale;
    ComputeLayout();
    computeScrollRanges();
    RefitTraceCurves();
    placePanesAt(left, right);
    update();
    return true;
}

bool CQuorView::SetScaleAtPoint(const QPoint& point, double scale)
{
    if (!IsUsableScale(scale))
        return false;
    const double left = DeviceYToDepth(0, point.y());
    const double right = DeviceYToDepth(1, point.y());
    m_settings.scale = scale;
    ComputeLayout();
    computeScrollRanges();
    RefitTraceCurves();
    const double y = point.y() / m_pixelsPerMmY;
    placePanesAt(left - (y - m_layout.leftColumn.top()) * scale, right - (y - m_layout.rightColumn.top()) * scale);
    update();
    return true;
}

void CQuorView::placePanesAt(double leftDepth, double rightDepth)
{
    int left = m_scrollPosition[0];
    int right = m_scrollPosition[1];
    depthToPosition(leftDepth, left);
    depthToPosition(rightDepth, right);
    placePanes(left, right);
}

// ---------------------------------------------------------------------------------------------------
// Panes and units

const ORBAX_Logging::Borehole* CQuorView::borehole(int pane) const
{
    if (!m_document || pane < 0 || pane > 1)
        return nullptr;
    return &m_document->GetBorehole(pane);
}

int CQuorView::unitCount(int pane) const
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    return hole ? hole->unitCount() : 0;
}

QRectF CQuorView::UnitRectOfPane(int pane, int unit) const
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole)
        throw ORBAX_Logging::Exception(ORBAX_Logging::Exception::UnitOutOfRange);
    return UnitRectInColumn(m_layout.column(pane), GetPaneTopDepth(pane), m_settings.scale, unit, *hole);
}

QRect CQuorView::UnitDeviceRect(int pane, int unit) const
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole)
        throw ORBAX_Logging::Exception(ORBAX_Logging::Exception::UnitOutOfRange);
    const QRectF& column = m_layout.column(pane);
    QRectF row = UnitRowRect(column.width(), m_settings.scale, unit, *hole);
    row.translate(column.x(), column.y() - GetPaneTopDepth(pane) / m_settings.scale);
    QRect device = PageRectToDevice(row);
    device.setLeft(device.left() + 1);
    return device;
}

void CQuorView::invalidateUnit(int pane, int unit, int margin, bool /*erase*/)
{
    if (pane < 0 || unit < 0 || unit >= unitCount(pane))
        return;
    QRect rect = UnitDeviceRect(pane, unit);
    rect.adjust(0, -margin, 0, margin);
    update(rect);
}

void CQuorView::invalidateHeader(int pane)
{
    if (pane < 0 || pane > 1)
        return;
    const QRectF& paneRect = m_layout.pane(pane);
    InvalidatePageRect(
        QRectF(paneRect.x(), paneRect.y(), paneRect.width(), m_layout.column(pane).top() - paneRect.y()));
}

void CQuorView::InvalidatePaneColumn(int pane)
{
    if (pane < 0 || pane > 1)
        return;
    const QRectF& column = m_layout.column(pane);
    const QRectF& paneRect = m_layout.pane(pane);
    const double margin = m_layout.lineHeight;
    QRect rect = PageRectToDevice(
        QRectF(QPointF(column.left(), column.top() - margin), QPointF(paneRect.right(), column.bottom() + margin)));
    rect.setLeft(rect.left() + 1);
    update(rect);
}

void CQuorView::Select(int traceFile, int curve, int pane, int unit)
{
    if ((pane >= 0 && traceFile >= 0) || curve < 0) {
        traceFile = -1;
        curve = -1;
    }
    if (pane < 0)
        unit = -1;
    if (unit >= unitCount(pane))
        unit = -1;
    const int oldPane = m_activePane;
    const int oldUnit = m_selectedUnit >= unitCount(oldPane) ? -1 : m_selectedUnit;
    const int oldFile = m_selectedTraceFile;
    const int oldCurve = m_selectedCurve;
    auto traceColumnOf = [this](int file, int c) {
        if (file < 0 || c < 0 || static_cast<std::size_t>(file) >= m_traces.size())
            return -1;
        const auto& curves = m_traces[static_cast<std::size_t>(file)]->curves();
        return static_cast<std::size_t>(c) < curves.size() ? curves[static_cast<std::size_t>(c)].displayField : -1;
    };
    const int oldColumn = traceColumnOf(oldFile, oldCurve);

    InvalidateSelection();
    m_selection.clear();
    m_selectedTraceFile = traceFile;
    m_selectedCurve = curve;
    m_activePane = pane < 0 ? -1 : pane;
    m_selectedUnit = unit;

    if (oldPane != m_activePane || oldUnit != m_selectedUnit) {
        for (auto [p, u] : {std::pair{oldPane, oldUnit}, std::pair{m_activePane, m_selectedUnit}}) {
            if (p < 0 || u < 0 || u >= unitCount(p))
                continue;
            invalidateUnit(p, u, kInvalidateMargin, true);
            if ((*borehole(p))[static_cast<std::size_t>(u)].thickness == 0)
                InvalidatePageRect(m_layout.textArea(p));
        }
    }
    if (oldFile != m_selectedTraceFile || oldCurve != m_selectedCurve) {
        for (int column : {oldColumn, traceColumnOf(m_selectedTraceFile, m_selectedCurve)})
            if (column >= 0 && column <= 2)
                InvalidatePageRect(m_layout.traceColumn[column]);
    }
    if (oldPane != m_activePane) {
        invalidateHeader(oldPane);
        invalidateHeader(m_activePane);
    }
    if (m_selectedUnit >= 0)
        m_selection.add(m_selectedUnit);
    emit selectionChanged();
}

void CQuorView::AddUnitToSelection(int pane, int unit)
{
    if (pane == m_activePane && m_selectedUnit >= 0 && unit >= 0 && unit < unitCount(pane)) {
        m_selection.add(unit);
        m_selectedUnit = unit;
        InvalidateSelection();
        emit selectionChanged();
    } else {
        Select(-1, -1, pane, unit);
    }
}

void CQuorView::InvalidateSelection()
{
    if (m_activePane < 0)
        return;
    const int count = unitCount(m_activePane);
    m_selection.truncate(count);
    for (const UnitRange& range : m_selection)
        for (int unit = range.first; unit <= range.last && unit < count; ++unit)
            invalidateUnit(m_activePane, unit, 0, false);
}

void CQuorView::ExtendSelection(int pane, const UnitRangeList& selection)
{
    if (pane != m_activePane)
        Select(-1, -1, pane, -1);
    const int count = unitCount(pane);
    // Units that enter or leave the selection repaint; the others stay as they are.
    auto old = m_selection.begin();
    auto next = selection.begin();
    const int limit = std::max(m_selection.empty() ? -1 : std::prev(m_selection.end())->last,
                               selection.empty() ? -1 : std::prev(selection.end())->last);
    for (int unit = 0; unit <= limit && unit < count; ++unit) {
        while (old != m_selection.end() && old->last < unit)
            ++old;
        while (next != selection.end() && next->last < unit)
            ++next;
        const bool was = old != m_selection.end() && old->first <= unit;
        const bool is = next != selection.end() && next->first <= unit;
        if (was != is)
            invalidateUnit(pane, unit, kInvalidateMargin, true);
    }
    const bool keepCurrent = m_selectedUnit >= 0 && selection.contains(m_selectedUnit);
    m_selection.assign(selection);
    if (!keepCurrent)
        m_selectedUnit = selection.empty() ? -1 : selection.begin()->first;
    emit selectionChanged();
}

void CQuorView::InvalidateUnitsTo(int pane, int unit)
{
    if (pane != m_activePane || m_selectedUnit < 0) {
        Select(-1, -1, pane, unit);
        return;
    }
    const int from = std::min(m_selectedUnit, unit);
    const int to = std::max(m_selectedUnit, unit);
    for (int u = from; u <= to; ++u)
        invalidateUnit(pane, u, 0, false);
}

void CQuorView::SelectAndShowUnit(int pane, int unit)
{
    if (pane < 0 || unit < 0 || unit >= unitCount(pane))
        return;
    const QRectF rect = UnitRectOfPane(pane, unit);
    const QRectF& column = m_layout.column(pane);
    QScrollBar* bar = PaneScrollBar(pane);
    if (rect.top() < column.top()) {
        const int dy = static_cast<int>(std::floor((column.top() - rect.top()) * m_pixelsPerMmY + 0.5));
        bar->setValue(bar->value() - dy);
    } else if (rect.bottom() > column.bottom()) {
        const int dy = static_cast<int>(std::floor((rect.bottom() - column.bottom()) * m_pixelsPerMmY + 0.5));
        bar->setValue(bar->value() + dy);
    }
    Select(-1, -1, pane, unit);
}

void CQuorView::InvalidateBoundaryMove(int extra, int columnLeft, int columnRight, int textLeft, int textRight,
                                       int oldY, int newY)
{
    const int band = static_cast<int>(2 * m_layout.lineHeight * m_pixelsPerMmY);
    for (int y : {oldY, newY}) {
        update(QRect(QPoint(columnLeft - extra, y - band / 2), QPoint(columnRight + extra, y + band / 2)));
        update(QRect(QPoint(textLeft - extra, y - band / 2), QPoint(textRight + extra, y + band / 2)));
    }
}

bool CQuorView::UnitNeedsRepaintOnResize(int pane, int unit) const
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole || unit < 0 || unit >= hole->unitCount())
        return false;
    const ORBAX_Logging::Interval& interval = (*hole)[static_cast<std::size_t>(unit)];
    if (interval.elements.empty())
        return false;
    const HatchList* list = m_tables ? ::GetHatchList(m_tables->hatchLists, m_tables->currentHatchListId) : nullptr;
    if (!list)
        return true;
    for (const ORBAX_Logging::LithData& element : interval.elements) {
        const HatchListEntry* entry = HatchList::FindRockType(*list, element.rockType.str());
        if (!entry || entry->patternId == 0 || (entry->kind == HatchListEntry::Inbuilt && entry->patternId > 4))
            return true;
    }
    return false;
}

bool CQuorView::FindSampleNumberPattern(int pane, std::wstring& prefix, std::wstring& suffix, std::int32_t& firstNumber,
                                        std::int32_t& width) const
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole || m_selection.empty())
        return false;
    for (const UnitRange& range : m_selection)
        for (int unit = range.first; unit <= range.last; ++unit) {
            bool prefixDiffers = false, suffixDiffers = false, widthDiffers = false;
            std::wstring p, s;
            std::int32_t first = 0, w = 0;
            if (hole->sampleNumberPattern(unit, unit, p, s, first, w, prefixDiffers, suffixDiffers, widthDiffers)) {
                prefix = p;
                suffix = s;
                firstNumber = first;
                width = w;
                return true;
            }
        }
    return false;
}

void CQuorView::CreateBoundaryAt(double depth, int unit, int pane)
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole)
        return;
    m_dragPane = pane;
    const double minimum = m_settings.minimumThickness;
    if (unit < 0) {
        const double base = hole->unitCount() > 0 ? hole->back().bottom : 0.0;
        if (depth > base + minimum) {
            m_dragUnit = m_document->AppendUnit(pane, depth);
            update();
        } else {
            ORBAX_Platform::beep();
        }
        return;
    }
    if (unit >= hole->unitCount())
        return;
    const double top = unit == 0 ? 0.0 : (*hole)[static_cast<std::size_t>(unit - 1)].bottom;
    const double base = (*hole)[static_cast<std::size_t>(unit)].bottom;
    if (depth >= top + minimum && depth <= base - minimum) {
        m_dragUnit = m_document->InsertUnit(pane, unit, false, false, depth);
        update();
    }
}

// ---------------------------------------------------------------------------------------------------
// Scrolling

void CQuorView::createScrollBars()
{
    m_scrollBarStyle = std::make_unique<BandedScrollBarStyle>();
    m_leftScrollBar = new QScrollBar(Qt::Vertical, this);
    m_leftScrollBar->setObjectName(QStringLiteral("id101"));
    m_rightScrollBar = new QScrollBar(Qt::Vertical, this);
    m_rightScrollBar->setObjectName(QStringLiteral("VerticalScrollBar"));
    for (int pane = 0; pane < 2; ++pane) {
        QScrollBar* bar = PaneScrollBar(pane);
        bar->setCursor(Qt::ArrowCursor);
        // A bar paints all of itself: the view need not be drawn under it each time it moves.
        bar->setAutoFillBackground(true);
        bar->setStyle(m_scrollBarStyle.get());
        connect(bar, &QScrollBar::actionTriggered, this, [this, pane](int action) { onScrollAction(pane, action); });
        connect(bar, &QScrollBar::valueChanged, this, [this, pane](int value) { scrollPaneTo(pane, value); });
        // A thumb let go where linked scrolling had widened the range: the range fits the pane again.
        connect(bar, &QScrollBar::sliderReleased, this,
                [this, pane] { setPanePosition(pane, m_scrollPosition[pane == 0 ? 0 : 1]); });
        bar->show();
    }
}

void CQuorView::onScrollAction(int pane, int action)
{
    // The line step follows fine scrolling as it is now.
    QScrollBar* bar = PaneScrollBar(pane);
    const int line = m_settings.fineScroll ? 1 : std::max(1, m_layout.lineStepPixels);
    if (action == QAbstractSlider::SliderSingleStepAdd)
        bar->setSliderPosition(std::min(bar->maximum(), bar->value() + line));
    else if (action == QAbstractSlider::SliderSingleStepSub)
        bar->setSliderPosition(std::max(bar->minimum(), bar->value() - line));
}

void CQuorView::ScrollLines(int pane, int lines)
{
    // Each step is held to the bar's range, so the steps together are held to it once.
    QScrollBar* bar = PaneScrollBar(pane);
    const int line = m_settings.fineScroll ? 1 : std::max(1, m_layout.lineStepPixels);
    const long long position = static_cast<long long>(bar->value()) + static_cast<long long>(lines) * line;
    bar->setValue(static_cast<int>(std::clamp<long long>(position, bar->minimum(), bar->maximum())));
}

void CQuorView::OnVScroll(int pane, ScrollRequest request, int trackPosition)
{
    QScrollBar* bar = PaneScrollBar(pane);
    int position = bar->value();
    switch (request) {
    case LineUp: ScrollLines(pane, -1); return;
    case LineDown: ScrollLines(pane, 1); return;
    case PageUp: position -= bar->pageStep(); break;
    case PageDown: position += bar->pageStep(); break;
    case ThumbTrack: position = trackPosition; break;
    case EndScroll: break;
    }
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void CQuorView::scrollPaneTo(int pane, int position)
{
    const int index = pane == 0 ? 0 : 1;
    if (m_scrolling) {
        m_scrollPosition[index] = position;
        return;
    }
    const int dy = position - m_scrollPosition[index];
    if (dy == 0)
        return;
    m_scrolling = true;
    const int hover = m_hoverRow;
    SetHoverRow(-1);
    if (m_bandShown) {
        // The band keeps to the units it was drawn over.
        m_bandStart.ry() -= dy;
        update();
    }
    if (index == 1 && m_settings.linkScrolling)
        moveLeftLinked(dy);
    m_scrollPosition[index] = position;
    // A pane coming back from where linked scrolling took it gives up the range it no longer needs;
    // not while its thumb is held, whose range must stay as it was when the drag began.
    if (!PaneScrollBar(pane)->isSliderDown())
        setPanePosition(pane, position);
    ScrollPane(pane, dy);
    SetHoverRow(hover);
    invalidateFooters();
    m_scrolling = false;
}

void CQuorView::moveLeftLinked(int dy)
{
    // The left pane keeps its distance to the right one, even past the end of its own range, which
    // then reaches as far as the pane.
    setPanePosition(0, m_scrollPosition[0] + dy);
    ScrollPane(0, dy);
}

void CQuorView::setPanePosition(int pane, int position)
{
    QScrollBar* bar = PaneScrollBar(pane);
    QSignalBlocker block(bar);
    bar->setRange(std::min(0, position), std::max(m_scrollLast, position));
    bar->setValue(position);
    m_scrollPosition[pane == 0 ? 0 : 1] = position;
}

void CQuorView::placePanes(int left, int right)
{
    // The right pane keeps to its range. The left one, while linked, keeps its distance to the right
    // one as linked scrolling would; unlinked it keeps to its own range.
    const int rightPlace = std::clamp(right, 0, m_scrollLast);
    const long long linked = static_cast<long long>(left) + rightPlace - right;
    const int leftPlace = m_settings.linkScrolling ? static_cast<int>(std::clamp(linked, -2000000000LL, 2000000000LL))
                                                   : std::clamp(left, 0, m_scrollLast);
    const bool moved = leftPlace != m_scrollPosition[0] || rightPlace != m_scrollPosition[1];
    setPanePosition(1, rightPlace);
    setPanePosition(0, leftPlace);
    if (moved)
        update();
}

void CQuorView::ScrollPane(int pane, int dy)
{
    if (dy == 0)
        return;
    const QRectF& paneRect = m_layout.pane(pane);
    const QRectF& column = m_layout.column(pane);
    // How far a depth label reaches above or below its tick, in whole pixels.
    const int reach = static_cast<int>(std::ceil(m_layout.tickLineHeight * m_pixelsPerMmY)) + 2;
    auto pixel = [](double device) { return static_cast<int>(std::floor(device + 0.5)); };
    // Only what lies between the top and bottom lines of a frame moves with its depth: the ruler's
    // ticks and the drawing inside. The frame lines stay; the labels of ticks that come in or go out
    // at the ends, and the rows uncovered, are drawn again.
    auto scrollBetweenFrameLines = [&](double left, double right, const QRectF& framed) {
        const int x0 = pixel(left * m_pixelsPerMmX);
        const int width = pixel(right * m_pixelsPerMmX) - x0 + 1;
        const int top = pixel(framed.top() * m_pixelsPerMmY);
        const int bottom = pixel(framed.bottom() * m_pixelsPerMmY);
        if (width <= 0)
            return;
        const int uncovered = std::min(std::abs(dy), std::max(0, bottom - top));
        if (bottom - top > 1 + uncovered)
            scroll(0, -dy, QRect(x0, top + 1, width, bottom - top - 1));
        else
            update(QRect(x0, top, width, bottom - top + 1));
        if (dy < 0) {
            update(QRect(x0, top - reach, width, uncovered + 2 * reach + 1));
            update(QRect(x0, bottom - reach, width, 2 * reach + 1));
        } else {
            update(QRect(x0, top - reach, width, 2 * reach + 1));
            update(QRect(x0, bottom - uncovered - reach, width, uncovered + 2 * reach + 1));
        }
    };
    scrollBetweenFrameLines(paneRect.left(), column.right(), column);
    // Each unit label stands in the middle of the part of its run that shows, so the labels are drawn
    // again whole wherever the pane now starts.
    update(QRect(QPoint(pixel(column.right() * m_pixelsPerMmX), pixel(column.top() * m_pixelsPerMmY) - reach),
                 QPoint(pixel(paneRect.right() * m_pixelsPerMmX), pixel(column.bottom() * m_pixelsPerMmY) + reach)));
    if (pane == 1)
        scrollBetweenFrameLines(m_layout.traceColumn[0].left(), m_layout.traceColumn[2].right(), m_layout.tracePlot[0]);
}

void CQuorView::invalidateFooters()
{
    InvalidatePageRect(m_layout.leftFooter);
    InvalidatePageRect(m_layout.rightFooter);
}

void CQuorView::UpdateScrollRanges()
{
    // New ranges move no pane that need not move: a resize or an edit leaves the left pane where
    // linked scrolling took it, at its distance to the right one.
    computeScrollRanges();
    placePanes(m_scrollPosition[0], m_scrollPosition[1]);
}

void CQuorView::computeScrollRanges()
{
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_leftScrollBar->setGeometry(m_layout.leftScrollBarX, 0, barWidth, height());
    m_rightScrollBar->setGeometry(width() - barWidth, 0, barWidth, height());

    double extent = 100;
    if (m_document) {
        extent = std::max(extent, 1.1 * m_document->GetBoreholeBaseDepth(0));
        extent = std::max(extent, 1.1 * m_document->GetBoreholeBaseDepth(1));
    }
    for (const auto& file : m_traces) {
        double shift = 0;
        for (const CurveProperty& curve : file->curves())
            shift = std::max(shift, curve.depthOffset);
        const double deepest = std::max(file->start_depth(), file->stop_depth());
        if (std::isfinite(deepest))
            extent = std::max(extent, deepest + shift);
    }
    const double maximum = std::clamp(extent / m_settings.scale * m_pixelsPerMmY, 0.0, 2.0e9);
    const int page = std::max(0, static_cast<int>(m_layout.leftColumn.height() * m_pixelsPerMmY));
    // Positions run to maximum - page + 1, as a window's scroll bar counts them.
    m_scrollLast = std::max(0, static_cast<int>(maximum) - page + 1);
    const int line = m_settings.fineScroll ? 1 : std::max(1, m_layout.lineStepPixels);
    for (int pane = 0; pane < 2; ++pane) {
        QScrollBar* bar = PaneScrollBar(pane);
        QSignalBlocker block(bar);
        bar->setPageStep(std::max(1, page));
        bar->setSingleStep(line);
    }
}

void CQuorView::StartAutoScroll()
{
    m_autoScroll = true;
    m_autoScrollTimer.start();
}

void CQuorView::StopAutoScroll()
{
    m_autoScroll = false;
    m_autoScrollTimer.stop();
}

void CQuorView::OnTimer()
{
    if (m_activePane < 0)
        return;
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    // Both sides in whole millimetres; the rows are the left column's for either pane.
    const double y = std::floor(cursor.y() / m_pixelsPerMmY);
    const double start = std::floor(m_buttonDownPoint.y() / m_pixelsPerMmY);
    const QRectF& body = m_layout.leftColumn;
    if (y > body.bottom() && start <= body.bottom())
        OnVScroll(m_activePane, LineDown);
    else if (y < body.top() && start >= body.top())
        OnVScroll(m_activePane, LineUp);
}

// ---------------------------------------------------------------------------------------------------
// Window events

void CQuorView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    OnSize();
}

void CQuorView::OnSize()
{
    ComputeLayout();
    RefitTraceCurves();
    UpdateScrollRanges();
    update();
}

void CQuorView::UpdateCursorAtMessagePos() { UpdateCursorForMode(mapFromGlobal(QCursor::pos())); }

void CQuorView::ShowInternalError(const char* sourceFile, int line, const std::wstring& text)
{
    ErrorEntries entries;
    std::wstring message = ORBAX_Utilities::internal_error_text(sourceFile, line);
    if (!text.empty())
        message += L"\n" + text;
    addErrorEntry(message, entries, (3u << 16) | 22u);
    CErrorList list(entries, this);
    list.DoModal();
}

void CQuorView::setStatusText(int id, const QString& text)
{
    if (CommandFrame* frame = GetMainFrame())
        if (QLabel* pane = frame->StatusPane(id))
            pane->setText(text);
}

void CQuorView::OnUpdateIndicatorOvr()
{
    setStatusText(kOverwritePane, m_settings.insertMode ? QStringLiteral("INS") : QStringLiteral("OVR"));
}

int CQuorView::HitTestSide(const QPoint& clientPoint) const
{
    if (!rect().contains(clientPoint))
        return 0;
    const QPointF p = DeviceToPage(QPointF(clientPoint));
    int bits = 0;
    if (p.x() <= m_layout.rightPane.left() && p.x() < m_layout.leftPane.right()) {
        bits = HitLeft;
        if (m_layout.leftColumn.contains(p))
            bits |= HitColumn;
    } else if (p.x() > m_layout.rightPane.left()) {
        bits = HitRight;
        if (m_layout.rightColumn.contains(p)) {
            bits |= HitColumn;
        } else {
            for (int k = 0; k < 3; ++k)
                if (m_layout.traceColumn[k].contains(p))
                    bits |= HitTrace + k;
        }
    }
    return bits;
}

int CQuorView::UnitAtPoint(int pane, const QPoint& clientPoint) const
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole || hole->unitCount() == 0)
        return -1;
    const QPointF p = DeviceToPage(QPointF(clientPoint));
    const QRectF& column = m_layout.column(pane);
    if (p.x() < column.left() || p.x() >= column.right())
        return -1;
    const double depth = DeviceYToDepth(pane, clientPoint.y());
    auto found = std::partition_point(hole->begin(), hole->end(),
                                      [depth](const ORBAX_Logging::Interval& u) { return u.bottom <= depth; });
    if (found == hole->end() || found->bottom - found->thickness > depth)
        return -1;
    return static_cast<int>(found - hole->begin());
}

int CQuorView::ContextMenuAt(const QPoint& clientPoint, bool fromKeyboard, QPoint* menuPoint)
{
    if (fromKeyboard) {
        if (m_activePane >= 0) {
            if (menuPoint) {
                if (m_selectedUnit >= 0 && m_selectedUnit < unitCount(m_activePane))
                    *menuPoint = UnitDeviceRect(m_activePane, m_selectedUnit).topLeft();
                else
                    *menuPoint = PageRectToDevice(m_layout.column(m_activePane)).topLeft();
            }
            return kMenuUnit;
        }
        if (m_selectedTraceFile >= 0 && m_selectedCurve >= 0) {
            if (menuPoint) {
                int column = 0;
                const auto& curves = m_traces[static_cast<std::size_t>(m_selectedTraceFile)]->curves();
                if (static_cast<std::size_t>(m_selectedCurve) < curves.size())
                    column = std::clamp(curves[static_cast<std::size_t>(m_selectedCurve)].displayField, 0, 2);
                *menuPoint = PageRectToDevice(m_layout.traceColumn[column]).topLeft();
            }
            return kMenuTrace;
        }
        if (menuPoint)
            *menuPoint = QPoint(0, 0);
        return kMenuOther;
    }
    if (menuPoint)
        *menuPoint = clientPoint;
    const int bits = HitTestSide(clientPoint);
    m_contextSide = (bits & HitLeft) ? 0 : 1;
    if (bits & HitColumn) {
        const int pane = (bits & HitLeft) ? 0 : 1;
        if (UnitAtPoint(pane, clientPoint) >= 0)
            return kMenuUnit;
    }
    if (bits & HitTrace)
        return kMenuTrace;
    return kMenuOther;
}

QMenu* CQuorView::buildContextMenu(int id)
{
    using namespace QuorCommand;
    CommandFrame* frame = GetMainFrame();
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("menu%1").arg(id));
    if (!frame)
        return menu;
    frame->UpdateCommands();
    // Each entry carries the menu's own text and runs the frame's command of the same number.
    auto add = [frame](QMenu* target, int command, const char* text) {
        QAction* source = frame->GetCommand(command);
        QAction* entry = target->addAction(QString::fromLatin1(text));
        entry->setObjectName(QStringLiteral("id%1").arg(command));
        if (!source) {
            entry->setEnabled(false);
            return;
        }
        entry->setEnabled(source->isEnabled());
        entry->setCheckable(source->isCheckable());
        entry->setChecked(source->isChecked());
        QObject::connect(entry, &QAction::triggered, source, &QAction::trigger);
    };
    switch (id) {
    case kMenuUnit:
        add(menu, ID_SET_ROCK_TYPE, "Set &Rock Type...");
        add(menu, ID_SAMPLE_NUMBER, "Sample &Number...");
        add(menu, ID_CORRELATE_UNIT, "&Correlate...");
        add(menu, ID_MERGE_UP, "&Merge Up");
        add(menu, ID_DELETE_UNIT, "&Delete");
        add(menu, ID_UNIT_PROPERTIES, "Unit &Properties...");
        menu->addSeparator();
        add(menu, ID_EDIT_COPY, "Cop&y");
        add(menu, ID_EDIT_PASTE, "Past&e");
        add(menu, ID_EDIT_PASTE_SPECIAL, "Paste Specia&l...");
        menu->addSeparator();
        add(menu, ID_SCALE, "Set &Scale...");
        add(menu, ID_SET_DISPLAY_TOP_DEPTH, "Set &Display Top Depth...");
        break;
    case kMenuTrace: {
        QMenu* field = menu->addMenu(QStringLiteral("Set &Field"));
        add(field, ID_TRACE_COLUMN1, "Column &1");
        add(field, ID_TRACE_COLUMN2, "Column &2");
        add(field, ID_TRACE_COLUMN3, "Column &3");
        QMenu* colour = menu->addMenu(QString::fromStdWString(get_message_wide(213)));
        for (int c = 0; c <= TraceColourNoLine; ++c) {
            const std::wstring name = get_message_wide(300 + c);
            add(colour, ID_TRACE_COLOUR_FIRST + c, QString::fromStdWString(name).toLatin1().constData());
        }
        add(menu, ID_SHIFT_TRACE, "&Shift...");
        add(menu, ID_AVERAGE_TRACE, "&Average...");
        menu->addSeparator();
        add(menu, ID_SCALE, "Set Sca&le...");
        add(menu, ID_SET_DISPLAY_TOP_DEPTH, "Set &Display Top Depth...");
        break;
    }
    default:
        add(menu, ID_SCALE, "Set Scale...");
        add(menu, ID_SET_DISPLAY_TOP_DEPTH, "Set &Display Top Depth...");
        break;
    }
    return menu;
}

void CQuorView::contextMenuEvent(QContextMenuEvent* event)
{
    OnContextMenu(event->pos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

void CQuorView::OnContextMenu(const QPoint& clientPoint, bool fromKeyboard)
{
    QPoint at;
    const int id = ContextMenuAt(clientPoint, fromKeyboard, &at);
    QMenu* menu = buildContextMenu(id);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(mapToGlobal(at));
}

void CQuorView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CQuorView::dropEvent(QDropEvent* event)
{
    std::vector<std::wstring> files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files.push_back(ORBAX_Platform::name_from_url(url));
    event->acceptProposedAction();
    QuorGuard::RunGuarded(this, __FILE__, __LINE__, [&] { OnDropFiles(files, event->position().toPoint()); });
}

void CQuorView::OnDropFiles(const std::vector<std::wstring>& files, const QPoint& clientPoint)
{
    const QPointF p = DeviceToPage(QPointF(clientPoint));
    if (p.x() >= m_layout.traceColumn[0].left()) {
        for (const std::wstring& file : files)
            StartTraceLoad(file);
        return;
    }
    if (files.empty() || !m_document) {
        ORBAX_Platform::beep();
        return;
    }
    ErrorEntries entries;
    if (files.size() == 1) {
        const int pane = p.x() > m_layout.rightPane.left() ? 1 : 0;
        m_document->openBoreholeByName(pane, files[0], entries);
    } else {
        m_document->openBoreholeByName(0, files[0], entries);
        m_document->openBoreholeByName(1, files[1], entries);
    }
    const bool anyToShow =
        std::any_of(entries.begin(), entries.end(), [](const ErrorEntry& e) { return e.severity != 0; });
    if (anyToShow) {
        CErrorList list(entries, this);
        list.DoModal();
    }
    UpdateScrollRanges();
    update();
}
