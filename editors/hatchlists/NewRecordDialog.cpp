#include "editors/hatchlists/NewRecordDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/DialogButtons.h"

namespace {

QString IdName(int id) { return QStringLiteral("id%1").arg(id); }

} // namespace

NewRecordDialog::NewRecordDialog(const Layout& layout, const std::vector<std::wstring>& names, QWidget* parent)
    : DdxDialog(layout.dialogId, parent), existingNames(names)
{
    setWindowTitle(QString::fromLatin1(layout.caption));

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(IdName(layout.nameEditId));
    auto* nameLabel = new QLabel(QString::fromLatin1(layout.nameLabel), this);
    nameLabel->setBuddy(m_nameEdit);
    m_copyCheck = new QCheckBox(QStringLiteral("&Copy settings from:"), this);
    m_copyCheck->setObjectName(IdName(1310));
    m_sourceCombo = new QComboBox(this);
    m_sourceCombo->setObjectName(IdName(layout.sourceComboId));
    m_sourceCombo->setEditable(layout.sourceEditable);
    if (layout.sourceEditable)
        m_sourceCombo->setInsertPolicy(QComboBox::NoInsert);
    m_sourceCombo->setEnabled(false);

    auto* form = new QGridLayout;
    form->addWidget(nameLabel, 0, 0);
    form->addWidget(m_nameEdit, 0, 1);
    form->addWidget(m_copyCheck, 1, 0);
    form->addWidget(m_sourceCombo, 1, 1);
    form->setColumnStretch(1, 1);

    const DialogButtonRow buttons =
        OkCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("Help"), [this] { OnHelp(); });
    m_ok = buttons.ok;

    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addStretch(1);
    main->addLayout(buttons.layout);
    setMinimumWidth(360);

    connect(m_copyCheck, &QCheckBox::clicked, this, &NewRecordDialog::UpdateControls);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &NewRecordDialog::UpdateControls);
    // Only a choice from the list counts, not typing in the schema dialog's edit field.
    connect(m_sourceCombo, &QComboBox::activated, this, &NewRecordDialog::UpdateControls);
}

bool NewRecordDialog::OnInitDialog()
{
    m_sourceCombo->clear();
    for (const std::wstring& name : existingNames)
        SortedItems::addSorted(m_sourceCombo, QString::fromStdWString(name));
    SortedItems::selectQuietly(m_sourceCombo, -1);
    UpdateControls();
    const bool loaded = DdxDialog::OnInitDialog();
    UpdateControls();
    return loaded;
}

void NewRecordDialog::exchange(bool save)
{
    if (save) {
        newName = m_nameEdit->text().toStdWString();
        copyFrom = m_sourceCombo->currentText().toStdWString();
        copy = m_copyCheck->isChecked();
        return;
    }
    m_nameEdit->setText(QString::fromStdWString(newName));
    // A stored source selects the first entry that begins with it; an empty one selects nothing.
    const int index =
        copyFrom.empty() ? -1 : m_sourceCombo->findText(QString::fromStdWString(copyFrom), Qt::MatchStartsWith);
    SortedItems::selectQuietly(m_sourceCombo, index);
    if (index < 0 && m_sourceCombo->isEditable())
        m_sourceCombo->setEditText(QString::fromStdWString(copyFrom));
    m_copyCheck->setChecked(copy);
}

void NewRecordDialog::UpdateControls()
{
    const bool copying = m_copyCheck->isChecked();
    m_sourceCombo->setEnabled(copying);
    m_ok->setEnabled(!m_nameEdit->text().isEmpty() && (!copying || m_sourceCombo->currentIndex() >= 0));
}

CNewHatchList::CNewHatchList(const std::vector<std::wstring>& names, QWidget* parent)
    : NewRecordDialog({321, "New Hatch List", "New hatch list &name:", 1174, 1274, false}, names, parent)
{
}

CNewSchema::CNewSchema(const std::vector<std::wstring>& names, QWidget* parent)
    : NewRecordDialog({317, "New Schema", "New schema &name:", 1309, 1241, true}, names, parent)
{
}
