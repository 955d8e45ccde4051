#include "dialogs/PasteSpecial.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"

using namespace ORBAX_Logging;

CPasteSpecial::CPasteSpecial(const std::vector<FieldDefinition>* fields, QWidget* parent)
    : DdxDialog(130, parent), m_fields(fields)
{
    setWindowTitle(QStringLiteral("Paste Special"));
    auto* label = new QLabel(QStringLiteral("Select the fields to be pasted:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("id1245"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    label->setBuddy(m_list);
    const DialogButtonRow buttons =
        OkCancelButtons(this, QStringLiteral("OK"), QStringLiteral("&Help"), [this] { OnHelp(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons.layout);
}

bool CPasteSpecial::OnInitDialog()
{
    m_list->clear();
    m_lineField.clear();
    if (m_fields) {
        for (std::size_t f = 0; f < m_fields->size(); ++f) {
            const FieldDefinition& field = (*m_fields)[f];
            // Depths, thickness, percentage and recovered length belong to the unit pasted into.
            switch (field.kind) {
            case BOTTOM:
            case PERCENTAGE:
            case THICKNESS:
            case RECOVERED:
            case TOP: continue;
            default: break;
            }
            m_list->addItem(QString::fromStdWString(field.name));
            m_lineField.push_back(static_cast<unsigned>(f));
        }
    }
    return DdxDialog::OnInitDialog();
}

void CPasteSpecial::exchange(bool save) { DDX_ListSelection(save, m_list, selection); }

std::vector<bool> CPasteSpecial::GetSelectedFields() const
{
    std::vector<bool> fields(m_fields ? m_fields->size() : 0, false);
    for (std::size_t line = 0; line < selection.size() && line < m_lineField.size(); ++line)
        if (selection[line] && m_lineField[line] < fields.size())
            fields[m_lineField[line]] = true;
    return fields;
}

void DDX_ListSelection(bool save, QListWidget* list, std::vector<bool>& selected)
{
    Ddx::ListSelection(save, list, selected);
}
