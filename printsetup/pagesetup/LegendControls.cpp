#include "printsetup/pagesetup/LegendControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "printsetup/legend/LegendChoices.h"
#include "printsetup/legend/LegendStyle.h"
#include "printsetup/pagesetup/FloatOneDecimal.h"
#include "widgets/dialogs/DataExchange.h"

namespace {

QComboBox* List(QWidget* parent, int id, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("id%1").arg(id));
    combo->addItems(items);
    return combo;
}

} // namespace

void AddLabelledRow(QGridLayout* grid, int& row, const QString& label, QWidget* control, const QString& unit)
{
    QWidget* parent = grid->parentWidget();
    auto* text = new QLabel(label, parent);
    text->setBuddy(control);
    grid->addWidget(text, row, 0);
    grid->addWidget(control, row, 1);
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit, parent), row, 2);
    ++row;
}

LegendControls AddLegendRows(QWidget* parent, QGridLayout* grid, int& row)
{
    LegendControls controls;
    controls.sort = List(parent, 1324, LegendSortOrderNames());
    controls.include = List(parent, 1325, LegendIncludeModeNames());
    controls.boxWidth = new QLineEdit(parent);
    controls.boxWidth->setObjectName(QStringLiteral("id1009"));
    controls.boxHeight = new QLineEdit(parent);
    controls.boxHeight->setObjectName(QStringLiteral("id1258"));
    controls.font = new QPushButton(parent);
    controls.font->setObjectName(QStringLiteral("id1329"));

    AddLabelledRow(grid, row, QStringLiteral("&Sort order:"), controls.sort);
    AddLabelledRow(grid, row, QStringLiteral("&Include:"), controls.include);
    AddLabelledRow(grid, row, QStringLiteral("Box &width:"), controls.boxWidth, QStringLiteral("mm"));
    AddLabelledRow(grid, row, QStringLiteral("Box &height:"), controls.boxHeight, QStringLiteral("mm"));
    AddLabelledRow(grid, row, QStringLiteral("&Font:"), controls.font);
    return controls;
}

void LegendControls::Exchange(bool save, int& sortOrder, int& includeMode, LegendStyle& style) const
{
    Ddx::ComboIndex(save, sort, sortOrder);
    Ddx::ComboIndex(save, include, includeMode);
    DDX_Float(save, boxHeight, style.boxHeight);
    DDX_Float(save, boxWidth, style.boxWidth);
}

void LegendControls::ShowFont(const FontDescription& description) const
{
    font->setText(QString::fromStdWString(description.ToString()));
}

void LegendControls::ChooseFont(FontDescription& description, QWidget* parent) const
{
    if (description.Choose(parent))
        ShowFont(description);
}
