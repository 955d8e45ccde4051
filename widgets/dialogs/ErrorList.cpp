#include "widgets/dialogs/ErrorList.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "core/catalogue/Messages.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "widgets/dialogs/DialogUnits.h"
#include "widgets/dialogs/HelpPages.h"

using ORBAX_Utilities::get_message_wide;

namespace {

constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs; // no mnemonic processing
constexpr int kHelpContextBase = 0x1000;
constexpr int kDialogHelpContext = 0x20000 + 191;
constexpr int kCancelledByUser = 23;

} // namespace

void addErrorEntry(const std::wstring& text, ErrorEntries& entries, std::uint32_t status)
{
    entries.emplace_back(static_cast<std::uint16_t>(status & 0xFFFFu), static_cast<std::uint16_t>(status >> 16), text);
}

bool hasReportableErrors(const ErrorEntries& entries)
{
    for (const ErrorEntry& entry : entries)
        if (entry.severity != 0 && entry.code != kCancelledByUser)
            return true;
    return false;
}

std::wstring errorLine(const ErrorEntry& entry) { return get_message_wide(166 + entry.severity) + L": " + entry.text; }

// ---------------------------------------------------------------------------------------------------

CErrorListBox::CErrorListBox(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("id1182"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    m_inset = std::max(1, style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) / 2);
    setItemDelegate(new CErrorListDelegate(this));
}

QSize CErrorListBox::MeasureItem(const QString& text, int width) const
{
    QRect area(0, 0, std::max(1, width - 2 * m_inset), 0);
    QRect measured = fontMetrics().boundingRect(area, kTextFlags, text);
    // An empty text still takes one row.
    int height = std::max(measured.height(), fontMetrics().height());
    return QSize(measured.width() + 2 * m_inset, height);
}

int CErrorListBox::clientWidth() const
{
    // The viewport takes its size only once the list is laid out, which is after the dialog fills
    // it; the frame's inner width less a vertical scroll bar is the width lines will be drawn at.
    return std::max(1, contentsRect().width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

void CErrorListBox::AddEntries(const ErrorEntries& entries)
{
    int width = (count() > 0 && m_extent > 0) ? m_extent : clientWidth();
    for (const ErrorEntry& entry : entries) {
        QString line = ORBAX_Platform::display_text(errorLine(entry));
        auto* item = new QListWidgetItem(line);
        QSize size = MeasureItem(line, width);
        if (size.width() > width)
            width = size.width();
        // Measured once, as the line is added: a later resize keeps the heights.
        item->setSizeHint(QSize(width, size.height()));
        addItem(item);
    }
    m_extent = width;
}

void CErrorListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    if (event->size().width() != m_lastWidth) {
        m_lastWidth = event->size().width();
        viewport()->update();
    }
}

CErrorListDelegate::CErrorListDelegate(CErrorListBox* list) : QStyledItemDelegate(list), m_list(list) {}

void CErrorListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    const QPalette& palette = option.palette;
    QRect rect = option.rect;
    bool selected = option.state & QStyle::State_Selected;
    QColor background;
    QColor foreground;
    if (selected) {
        background = palette.color(QPalette::Active, QPalette::Highlight);
        foreground = palette.color(QPalette::Active, QPalette::HighlightedText);
    } else {
        // Banded rows: even lines in the button-highlight colour, odd lines on the list's own background.
        background = index.row() % 2 == 0 ? palette.color(QPalette::Light) : palette.color(QPalette::Base);
        foreground = palette.color(QPalette::Text);
    }
    painter->fillRect(rect, background);
    painter->setPen(foreground);
    painter->setFont(option.font);
    int inset = m_list->horizontalInset();
    painter->drawText(rect.adjusted(inset, 0, -inset, 0), kTextFlags, index.data(Qt::DisplayRole).toString());
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = rect;
        focus.backgroundColor = background;
        m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_list);
    }
    painter->restore();
}

// ---------------------------------------------------------------------------------------------------

CErrorList::CErrorList(const ErrorEntries& entries, QWidget* parent) : QDialog(parent), m_entries(&entries) { build(); }

CErrorList::CErrorList(const ErrorEntries& entries, const std::wstring& caption, QWidget* parent)
    : QDialog(parent), m_entries(&entries), m_caption(caption), m_hasCaption(true)
{
    build();
}

void CErrorList::build()
{
    setObjectName(QStringLiteral("dlg191"));
    // A resizable frame with a caption and no system menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Errors or warnings occurred"));
    setSizeGripEnabled(true);

    DialogUnits units(this);
    m_list = new CErrorListBox(this);
    m_copy = new QPushButton(QStringLiteral("&Copy"), this);
    m_copy->setObjectName(QStringLiteral("id32795"));
    m_copy->setAutoDefault(false);
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("id1"));
    m_ok->setDefault(true);
    m_help = new QPushButton(QStringLiteral("&Help"), this);
    m_help->setObjectName(QStringLiteral("id9"));
    m_help->setAutoDefault(false);

    // Each control keeps its distances from the right and bottom edges as the dialog is resized.
    auto* anchors = new EdgeAnchors(this, units.size(274, 156));
    anchors->add(m_list, units.rect(7, 7, 260, 121), EdgeAnchors::Stretch);
    anchors->add(m_copy, units.rect(4, 138, 50, 14), EdgeAnchors::MoveRightBottom);
    anchors->add(m_ok, units.rect(166, 138, 50, 14), EdgeAnchors::MoveRightBottom);
    anchors->add(m_help, units.rect(220, 138, 50, 14), EdgeAnchors::MoveRightBottom);

    connect(m_copy, &QPushButton::clicked, this, &CErrorList::OnCopy);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_help, &QPushButton::clicked, this, &CErrorList::OnHelp);

    m_list->AddEntries(*m_entries);
    if (m_hasCaption)
        setWindowTitle(QString::fromStdWString(m_caption));
}

int CErrorList::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

void CErrorList::OnCopy()
{
    QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::wstring text;
    for (const QModelIndex& index : selected) {
        if (!text.empty())
            text += L"\r\n";
        text += index.data(Qt::DisplayRole).toString().toStdWString();
    }
    ORBAX_Platform::clipboard().setText(text);
}

void CErrorList::OnHelp()
{
    int lowest = -1;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        if (lowest < 0 || index.row() < lowest)
            lowest = index.row();
    // Line i is entry i: the list is unsorted and filled in order.
    if (lowest < 0 || lowest >= static_cast<int>(m_entries->size()))
        HelpPages::ShowContext(this, kDialogHelpContext);
    else
        HelpPages::ShowContext(this, kHelpContextBase + (*m_entries)[lowest].code);
}
