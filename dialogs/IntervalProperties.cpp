#include "dialogs/IntervalProperties.h"

#include <cmath>
#include <cstdio>

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "core/model/Borehole.h"
#include "widgets/dialogs/DialogUnits.h"

using ORBAX_Logging::Borehole;
using ORBAX_Logging::Interval;
using ORBAX_Logging::LithData;

namespace {

QString fixed3(double value)
{
    wchar_t text[64];
    std::swprintf(text, 64, L"%0.3f", value);
    return QString::fromWCharArray(text);
}

QLineEdit* readOnlyEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    edit->setReadOnly(true);
    return edit;
}

QLabel* label(QWidget* parent, const QString& text, int id = 0)
{
    auto* label = new QLabel(text, parent);
    if (id)
        label->setObjectName(QStringLiteral("id%1").arg(id));
    return label;
}

QPushButton* arrowButton(QWidget* parent, int id, ushort glyph, const QFont& font)
{
    auto* button = new QPushButton(QString(QChar(glyph)), parent);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    button->setFont(font);
    button->setAutoDefault(false);
    button->setFixedWidth(button->sizeHint().height() + 6);
    return button;
}

} // namespace

CIntervalProperties::CIntervalProperties(UnitPropertiesHost& view, QWidget* parent)
    : DdxDialog(193, parent), m_view(view)
{
    setWindowTitle(QStringLiteral("Unit Properties"));
    DialogUnits units(this);

    m_from = readOnlyEdit(this, 1011);
    m_thickness = readOnlyEdit(this, 1194);
    m_to = readOnlyEdit(this, 1012);
    m_seamPly = readOnlyEdit(this, 1070);
    m_recovered = readOnlyEdit(this, 1193);
    m_sample = readOnlyEdit(this, 1195);
    m_recoveredLabel = label(this, QStringLiteral("Recovered thickness:"), 1214);
    m_seamLabel = label(this, QStringLiteral("Seam/Ply:"), 1215);
    m_sampleLabel = label(this, QStringLiteral("Sample number:"), 1216);

    auto* values = new QGridLayout;
    values->addWidget(label(this, QStringLiteral("From:")), 0, 0);
    values->addWidget(m_from, 0, 1);
    values->addWidget(label(this, QStringLiteral("To:")), 0, 2);
    values->addWidget(m_to, 0, 3);
    values->addWidget(label(this, QStringLiteral("Estimated thickness:")), 1, 0);
    values->addWidget(m_thickness, 1, 1);
    values->addWidget(m_recoveredLabel, 1, 2);
    values->addWidget(m_recovered, 1, 3);
    values->addWidget(m_seamLabel, 2, 0);
    values->addWidget(m_seamPly, 2, 1);
    values->addWidget(m_sampleLabel, 2, 2);
    values->addWidget(m_sample, 2, 3);

    // The list shows a description column and a value column, the description column as wide as the
    // widest description.
    m_fields = new QTreeWidget(this);
    m_fields->setObjectName(QStringLiteral("id1182"));
    m_fields->setColumnCount(2);
    m_fields->setHeaderHidden(true);
    m_fields->setRootIsDecorated(false);
    m_fields->setSelectionMode(QAbstractItemView::SingleSelection);
    m_fields->setMinimumHeight(units.y(150));

    // Arrow glyphs from a face that has them; "Arial" where the system substitutes one that does.
    QFont arrows(QStringLiteral("DejaVu Sans"));
    arrows.setPointSizeF(font().pointSizeF() > 0 ? font().pointSizeF() : 9.0);
    m_previousUnit = arrowButton(this, 1184, 0x25B2, arrows);
    m_nextUnit = arrowButton(this, 1185, 0x25BC, arrows);
    m_previousElement = arrowButton(this, 1188, 0x25C4, arrows);
    m_nextElement = arrowButton(this, 1187, 0x25BA, arrows);
    m_previousUnit->setToolTip(QStringLiteral("Previous unit"));
    m_nextUnit->setToolTip(QStringLiteral("Next unit"));
    m_previousElement->setToolTip(QStringLiteral("Previous element"));
    m_nextElement->setToolTip(QStringLiteral("Next element"));
    m_elementText = label(this, QString(), 1218);
    m_elementText->setAlignment(Qt::AlignCenter);
    m_elementText->setMinimumWidth(units.x(70));

    auto* stepping = new QHBoxLayout;
    stepping->addWidget(m_previousUnit);
    stepping->addWidget(m_nextUnit);
    stepping->addStretch();
    stepping->addWidget(m_previousElement);
    stepping->addWidget(m_elementText);
    stepping->addWidget(m_nextElement);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("id2"));
    close->setDefault(true);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("id57670"));
    help->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addWidget(m_fields, 1);
    layout->addLayout(stepping);
    layout->addLayout(buttons);
    resize(units.size(330, 298));

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connectHelp(help);
    connect(m_previousElement, &QPushButton::clicked, this, &CIntervalProperties::OnPreviousElement);
    connect(m_nextElement, &QPushButton::clicked, this, &CIntervalProperties::OnNextElement);
    connect(m_previousUnit, &QPushButton::clicked, this, &CIntervalProperties::OnPreviousUnit);
    connect(m_nextUnit, &QPushButton::clicked, this, &CIntervalProperties::OnNextUnit);
}

bool CIntervalProperties::OnInitDialog()
{
    if (!DdxDialog::OnInitDialog())
        return false;
    const int side = m_view.SelectedSide();
    const Borehole* borehole = side >= 0 ? m_view.Borehole(side) : nullptr;
    auto without = [](QLineEdit* edit, QLabel* caption) {
        edit->clear();
        edit->setEnabled(false);
        caption->setEnabled(false);
    };
    if (borehole && borehole->schema) {
        if (!borehole->hasSeamField())
            without(m_seamPly, m_seamLabel);
        if (!borehole->hasRecoveredField())
            without(m_recovered, m_recoveredLabel);
        if (!borehole->hasSampleField())
            without(m_sample, m_sampleLabel);
    }
    Refresh();
    return true;
}

const Borehole* CIntervalProperties::selectedBorehole(int& unit) const
{
    const int side = m_view.SelectedSide();
    unit = m_view.SelectedUnit();
    const Borehole* borehole = side >= 0 ? m_view.Borehole(side) : nullptr;
    if (!borehole || unit < 0 || unit >= borehole->unitCount())
        return nullptr;
    return borehole;
}

void CIntervalProperties::clearAll()
{
    for (QLineEdit* edit : {m_from, m_thickness, m_to, m_seamPly, m_recovered, m_sample})
        edit->clear();
    m_fields->clear();
    m_elementText->clear();
}

void CIntervalProperties::addFieldLine(const QString& description, const QString& text)
{
    auto* item = new QTreeWidgetItem(m_fields);
    item->setText(0, description + QLatin1Char(':'));
    item->setText(1, text);
}

std::vector<QString> CIntervalProperties::FieldLines() const
{
    std::vector<QString> lines;
    for (int i = 0; i < m_fields->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_fields->topLevelItem(i);
        lines.push_back(item->text(0) + QLatin1Char('\t') + item->text(1));
    }
    return lines;
}

void CIntervalProperties::Refresh()
{
    int index = -1;
    const Borehole* borehole = selectedBorehole(index);
    if (!borehole) {
        clearAll();
        return;
    }
    const Interval& unit = (*borehole)[static_cast<std::size_t>(index)];
    const bool hasSchema = static_cast<bool>(borehole->schema);
    m_from->setText(fixed3(unit.bottom - unit.thickness));
    m_to->setText(fixed3(unit.bottom));
    m_thickness->setText(fixed3(unit.thickness));
    if (hasSchema && borehole->hasRecoveredField())
        m_recovered->setText(std::isnan(unit.recovered) ? QString() : fixed3(unit.recovered));
    if (hasSchema && borehole->hasSeamField()) {
        QString text = QString::fromStdWString(unit.seam.str());
        if (!unit.ply.empty())
            text += QStringLiteral(" - ") + QString::fromStdWString(unit.ply.str());
        m_seamPly->setText(text);
    }
    if (hasSchema && borehole->hasSampleField())
        m_sample->setText(QString::fromStdWString(unit.sample.str()));

    // The row shown: the only element, the composite row of an interbedded unit as a whole, or one of
    // its elements. A unit without elements has no row to show.
    const int elementCount = static_cast<int>(unit.elements.size());
    LithData blank;
    const LithData* row = nullptr;
    if (elementCount == 1)
        row = &unit.elements[0];
    else if (elementCount > 1 && m_element == 0)
        row = &unit.compositeOr(blank);
    else if (m_element >= 1 && m_element <= elementCount)
        row = &unit.elements[static_cast<std::size_t>(m_element) - 1];

    m_fields->clear();
    if (hasSchema) {
        const auto& fields = borehole->schema->fields;
        std::vector<const ORBAX_Logging::FieldDefinition*> shown;
        const int rock = borehole->schema->indexOf(ORBAX_Logging::ROCKTYPE);
        const int percentage = borehole->schema->indexOf(ORBAX_Logging::PERCENTAGE);
        if (rock >= 0)
            shown.push_back(&fields[static_cast<std::size_t>(rock)]);
        if (percentage >= 0)
            shown.push_back(&fields[static_cast<std::size_t>(percentage)]);
        for (const auto& field : fields)
            if (ORBAX_Logging::isFreeField(field.kind))
                shown.push_back(&field);
        for (const auto* field : shown) {
            std::wstring text;
            if (row)
                ORBAX_Logging::fieldValueToString(text, *row, field->name);
            addFieldLine(QString::fromStdWString(field->name), QString::fromStdWString(text));
        }
        m_fields->resizeColumnToContents(0);
    }

    const bool percentages = hasSchema && borehole->hasPercentageField();
    m_previousElement->setEnabled(percentages && m_element != 0);
    m_nextElement->setEnabled(percentages && elementCount >= 2 && m_element < elementCount);
    m_nextUnit->setEnabled(index + 1 < borehole->unitCount());
    m_previousUnit->setEnabled(index >= 1);

    if (elementCount < 2)
        m_elementText->clear();
    else if (m_element != 0)
        m_elementText->setText(QString::fromStdWString(
            ORBAX_Utilities::format_message(113, {std::to_wstring(elementCount), std::to_wstring(m_element)})));
    else
        m_elementText->setText(
            QString::fromStdWString(ORBAX_Utilities::format_message(114, {std::to_wstring(elementCount)})));
}

void CIntervalProperties::OnPreviousElement()
{
    if (m_element >= 1)
        --m_element;
    Refresh();
}

void CIntervalProperties::OnNextElement()
{
    int index = -1;
    const Borehole* borehole = selectedBorehole(index);
    if (borehole) {
        const auto count = static_cast<int>((*borehole)[static_cast<std::size_t>(index)].elements.size());
        if (count >= 2 && m_element < count)
            ++m_element;
    }
    Refresh();
}

void CIntervalProperties::OnPreviousUnit()
{
    int index = -1;
    if (selectedBorehole(index) && index >= 1) {
        m_view.SelectAndShowUnit(m_view.SelectedSide(), index - 1);
        m_element = 0;
        Refresh();
    }
}

void CIntervalProperties::OnNextUnit()
{
    if (m_view.SelectNextUnit()) {
        m_element = 0;
        Refresh();
    }
}
