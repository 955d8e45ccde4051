// The page-layout view's commands: adding, editing and deleting items, the printer's set-up and the
// print of the page.
#include <QAbstractPrintDialog>
#include <QAction>
#include <QMarginsF>
#include <QMenu>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "docview/document/QuorDoc.h"
#include "layout/items/LegendLayoutItemDialog.h"
#include "layout/items/SectionLayoutItemDialog.h"
#include "layout/items/TitleLayoutItemDialog.h"
#include "layout/view/QuorLayout.h"
#include "platform/services/Services.h"
#include "resources/CommandIds.h"

using namespace QuorCommand;

namespace {

// An item's dialog is a window, which the windowless items do not run themselves: the item's kind
// picks its EditProperties. True when the user pressed OK.
bool EditItemProperties(LayoutItem& item, CQuorDoc& document, const QPointF& position)
{
    if (auto* section = dynamic_cast<SectionLayoutItem*>(&item))
        return section->EditProperties(document, position);
    if (auto* legend = dynamic_cast<LegendLayoutItem*>(&item))
        return legend->EditProperties(document, position);
    if (auto* title = dynamic_cast<TitleLayoutItem*>(&item))
        return title->EditProperties(document, position);
    return false;
}

} // namespace

void CQuorLayout::place(std::shared_ptr<LayoutItem> item)
{
    m_page.Append(std::move(item));
    itemsChanged();
}

void CQuorLayout::itemsChanged()
{
    if (m_document)
        for (const LayoutEntry& entry : m_page.entries)
            entry.item->NoOp(*m_document, *this);
    // A legend placed before the sections lists them once they are placed.
    collectLegends();
    update();
}

void CQuorLayout::OnAddSection()
{
    if (!m_document)
        return;
    const SectionLayoutItem defaults;
    CSectionLayoutItemDialog dialog(QPointF(0, 0), *m_document, defaults, this);
    if (dialog.DoModal() == QDialog::Accepted)
        place(dialog.Item());
}

void CQuorLayout::OnAddLegend()
{
    if (!m_document)
        return;
    // The legend collects its entries now, from the sections already placed.
    const LegendLayoutItem collected(*this, *m_document);
    CLegendLayoutItemDialog dialog(collected, this);
    if (dialog.DoModal() == QDialog::Accepted)
        place(dialog.Item());
}

void CQuorLayout::OnAddTitle()
{
    const TitleLayoutItem defaults;
    CTitleLayoutItemDialog dialog(defaults, this);
    if (dialog.DoModal() == QDialog::Accepted)
        place(dialog.Item());
}

void CQuorLayout::OnProperties()
{
    LayoutEntry* entry = m_page.Selected();
    if (!entry || !m_document)
        return;
    // The entry is held while its dialog runs.
    const std::shared_ptr<LayoutItem> item = entry->item;
    if (EditItemProperties(*item, *m_document, entry->position))
        itemsChanged();
}

void CQuorLayout::OnDelete()
{
    if (m_page.DeleteSelection())
        itemsChanged();
}

void CQuorLayout::OnUpdateDelete(QAction& action) { action.setEnabled(m_page.Selected() != nullptr); }

void CQuorLayout::OnPageSetup()
{
    QPrinter& printer = Printer();
    const QMarginsF edge = printer.pageLayout().minimumMargins();
    // The dialog shows the layout's margins as the printer's; they come back to the layout, and the
    // printer keeps only its unprintable edge.
    printer.setPageMargins(QMarginsF(m_page.leftMargin, m_page.topMargin, m_page.rightMargin, m_page.bottomMargin),
                           QPageLayout::Millimeter);
    QPageSetupDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPageSetup"));
    const bool accepted = ORBAX_Platform::dialogs().run(dialog) == QDialog::Accepted;
    if (accepted) {
        const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
        m_page.leftMargin = static_cast<float>(margins.left());
        m_page.topMargin = static_cast<float>(margins.top());
        m_page.rightMargin = static_cast<float>(margins.right());
        m_page.bottomMargin = static_cast<float>(margins.bottom());
    }
    printer.setPageMargins(accepted ? printer.pageLayout().minimumMargins() : edge, QPageLayout::Millimeter);
    if (accepted) {
        m_page.zoom = 0.0f;
        update();
    }
}

void CQuorLayout::OnPrintSetup()
{
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPrintSetup"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (ORBAX_Platform::dialogs().run(dialog) != QDialog::Accepted)
        return;
    printer.setPageMargins(printer.pageLayout().minimumMargins(), QPageLayout::Millimeter);
    m_page.zoom = 0.0f;
    update();
}

void CQuorLayout::OnFilePrint()
{
    QPrinter& printer = Printer();
    printer.setDocName(QString::fromStdWString(m_document ? m_document->GetTitle() : std::wstring()));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (ORBAX_Platform::dialogs().run(dialog) != QDialog::Accepted)
        return;
    PrintPage(printer);
    // The dialog may have changed the paper.
    update();
}

bool CQuorLayout::OnCommand(int id)
{
    switch (id) {
    case ID_DELETE_KEY: OnDelete(); return true;
    case ID_FILE_PRINT: OnFilePrint(); return true;
    case ID_FILE_PRINT_PREVIEW: return true;
    default: return false;
    }
}

bool CQuorLayout::OnUpdateCommand(int id, QAction& action)
{
    switch (id) {
    case ID_DELETE_KEY: OnUpdateDelete(action); return true;
    case ID_FILE_PRINT: action.setEnabled(true); return true;
    case ID_FILE_PRINT_PREVIEW: action.setEnabled(false); return true;
    default: return false;
    }
}

QMenu* CQuorLayout::OnContextMenu(const QPoint& globalPoint)
{
    if (!m_page.Selected())
        return nullptr;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("menu223"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* properties = menu->addAction(QStringLiteral("Properties"));
    properties->setObjectName(QStringLiteral("id%1").arg(ID_LAYOUT_PROPERTIES));
    connect(properties, &QAction::triggered, this, &CQuorLayout::OnProperties);
    QAction* remove = menu->addAction(QStringLiteral("Delete"));
    remove->setObjectName(QStringLiteral("id%1").arg(ID_LAYOUT_DELETE));
    connect(remove, &QAction::triggered, this, &CQuorLayout::OnDelete);
    menu->popup(globalPoint);
    return menu;
}
