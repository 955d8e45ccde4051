#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "printsetup/pagesetup/FloatOneDecimal.h"
#include "printsetup/pagesetup/PageSetupPages.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/SpinButton.h"

namespace {

template <class Control>
Control* Named(Control* control, int id)
{
    control->setObjectName(QStringLiteral("id%1").arg(id));
    return control;
}

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CPageSetup_Layout::CPageSetup_Layout(PageSetupSettings& settings, QWidget* parent)
    : PropertyPage(202, QStringLiteral("Layout"), parent), m_settings(settings)
{
    auto* page = new QGroupBox(QStringLiteral("Page"), this);
    m_columns = Named(new QLineEdit(page), 1158);
    m_columns->setMaximumWidth(60);
    m_spin = Named(new SpinButton(page), 1157);
    m_spin->setBuddy(m_columns);
    auto* columnRow = new QHBoxLayout(page);
    columnRow->addWidget(Label(QStringLiteral("&Columns per page:"), m_columns, page));
    columnRow->addWidget(m_columns);
    columnRow->addWidget(m_spin);
    columnRow->addStretch();

    auto* shown = new QGroupBox(QStringLiteral("Show"), this);
    m_left = Named(new QCheckBox(QStringLiteral("&Left borehole"), shown), 1154);
    m_right = Named(new QCheckBox(QStringLiteral("&Right borehole"), shown), 1155);
    m_trace1 = Named(new QCheckBox(QStringLiteral("&First trace field"), shown), 1156);
    m_trace2 = Named(new QCheckBox(QStringLiteral("&Second trace field"), shown), 1152);
    m_trace3 = Named(new QCheckBox(QStringLiteral("&Third trace field"), shown), 1153);
    auto* shownGrid = new QGridLayout(shown);
    shownGrid->addWidget(m_left, 0, 0);
    shownGrid->addWidget(m_right, 1, 0);
    shownGrid->addWidget(m_trace1, 0, 1);
    shownGrid->addWidget(m_trace2, 1, 1);
    shownGrid->addWidget(m_trace3, 2, 1);

    auto* widths = new QGroupBox(QStringLiteral("Maximum field widths"), this);
    m_boreWidth = Named(new QLineEdit(widths), 1159);
    m_traceWidth = Named(new QLineEdit(widths), 1160);
    auto* widthGrid = new QGridLayout(widths);
    widthGrid->addWidget(Label(QStringLiteral("&Borehole field:"), m_boreWidth, widths), 0, 0);
    widthGrid->addWidget(m_boreWidth, 0, 1);
    widthGrid->addWidget(new QLabel(QStringLiteral("mm"), widths), 0, 2);
    widthGrid->addWidget(Label(QStringLiteral("Tr&ace field:"), m_traceWidth, widths), 1, 0);
    widthGrid->addWidget(m_traceWidth, 1, 1);
    widthGrid->addWidget(new QLabel(QStringLiteral("mm"), widths), 1, 2);
    widthGrid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addWidget(shown);
    layout->addWidget(widths);
    layout->addStretch();
}

void CPageSetup_Layout::OnInitDialog()
{
    m_spin->setRange(PageSetupSettings::MinColumns, PageSetupSettings::MaxColumns);
}

bool CPageSetup_Layout::OnSetActive()
{
    PropertyPage::OnSetActive();
    return UpdateData(false);
}

void CPageSetup_Layout::exchange(bool save)
{
    int columns = m_settings.columnsPerPage;
    Ddx::Text(save, m_columns, columns);
    // A page of no columns (or of a negative count) cannot be printed: refuse what the arrows would
    // not give.
    if (save && (columns < PageSetupSettings::MinColumns || columns > PageSetupSettings::MaxColumns))
        throw Ddx::Refusal(m_columns,
                           ORBAX_Utilities::format_message(61714, {std::to_wstring(PageSetupSettings::MinColumns),
                                                                   std::to_wstring(PageSetupSettings::MaxColumns)}));
    m_settings.columnsPerPage = columns;
    Ddx::Check(save, m_left, m_settings.showLeftBorehole);
    Ddx::Check(save, m_right, m_settings.showRightBorehole);
    Ddx::Check(save, m_trace1, m_settings.showTrace1);
    Ddx::Check(save, m_trace2, m_settings.showTrace2);
    Ddx::Check(save, m_trace3, m_settings.showTrace3);
    DDX_FloatOneDecimal(save, m_boreWidth, m_settings.maxBoreWidth);
    DDX_FloatOneDecimal(save, m_traceWidth, m_settings.maxTraceWidth);
}
