#include "editors/schemas/ImportSchema.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PromptedName.h"
#include "widgets/dialogs/SortedLists.h"

CImportSchema::CImportSchema(QWidget* parent) : DdxDialog(212, parent)
{
    setWindowTitle(QStringLiteral("Import Schema"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("id1174"));
    auto* nameLabel = new QLabel(QStringLiteral("Schema name:"), this);
    nameLabel->setBuddy(m_name);
    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("id1267"));
    m_file->setFrameShape(QFrame::StyledPanel);
    m_file->setMinimumWidth(m_file->fontMetrics().averageCharWidth() * 40);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("id1268"));
    browse->setAutoDefault(false);
    m_dataLogs = new QComboBox(this);
    m_dataLogs->setObjectName(QStringLiteral("id1316"));
    auto* dataLogLabel = new QLabel(QStringLiteral("Data log:"), this);
    dataLogLabel->setBuddy(m_dataLogs);

    auto* grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("File name:"), this), 1, 0);
    grid->addWidget(m_file, 1, 1);
    grid->addWidget(browse, 1, 2);
    grid->addWidget(dataLogLabel, 2, 0);
    grid->addWidget(m_dataLogs, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    const DialogButtonRow buttons =
        OkCancelButtons(this, QStringLiteral("OK"), QStringLiteral("&Help"), [this] { OnHelp(); });
    m_ok = buttons.ok;
    connect(browse, &QPushButton::clicked, this, &CImportSchema::OnBrowse);
    connect(m_dataLogs, &QComboBox::activated, this, &CImportSchema::OnDataLogChange);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.layout);
}

bool CImportSchema::OnInitDialog()
{
    if (!DdxDialog::OnInitDialog())
        return false;
    UpdateOk();
    return true;
}

void CImportSchema::exchange(bool save)
{
    if (!save)
        showFileName();
    Ddx::Text(save, m_name, schemaName);
    if (save) {
        if (!m_dataLogs->isEnabled())
            dataLogIndex = 0;
        else if (m_dataLogs->currentIndex() >= 0)
            dataLogIndex = m_dataLogs->currentData().toInt();
    }
}

void CImportSchema::showFileName()
{
    // The whole path is kept in fileName; the label shows it shortened in the middle when too long.
    QString path = ORBAX_Platform::display_text(fileName);
    m_file->setToolTip(path);
    m_file->setText(m_file->fontMetrics().elidedText(path, Qt::ElideMiddle, std::max(40, m_file->width() - 8)));
}

void CImportSchema::OnBrowse()
{
    const QStringList filters = QtFileFilters(ORBAX_Utilities::get_message_wide(242));
    QString selected = filters.isEmpty() ? QString() : filters.front();
    QString chosen;
    std::wstring name;
    if (!ORBAX_Platform::filePrompts().openFileName(this, windowTitle(), ORBAX_Platform::qt_from_name(fileName),
                                                    filters.join(QStringLiteral(";;")), selected, chosen) ||
        !PromptedFileName(this, chosen, name))
        return;
    fileName = name;
    showFileName();
    fileType = FileFilterPosition(filters, selected) == 1 ? 1 : 0;
    ListDataLogs();
    UpdateOk();
}

void CImportSchema::ListDataLogs()
{
    QSignalBlocker block(m_dataLogs);
    m_dataLogs->clear();
    std::vector<std::wstring> names;
    std::vector<unsigned> counts;
    try {
        ORBAX_Logging::Borehole_Prolog4::listTemplates(fileName, names, counts);
    } catch (const std::exception&) {
        names.clear();
    }
    m_dataLogs->setEnabled(!names.empty());
    for (std::size_t i = 0; i < names.size(); ++i)
        addSorted(m_dataLogs, names[i], static_cast<int>(i));
    m_dataLogs->setCurrentIndex(-1);
}

void CImportSchema::OnDataLogChange() { UpdateOk(); }

void CImportSchema::UpdateOk()
{
    // Typing a name does not look again: the state follows the name at the next browse or data-log
    // choice.
    std::wstring name = schemaName;
    Ddx::Text(true, m_name, name);
    const bool dataLogDone = !m_dataLogs->isEnabled() || m_dataLogs->currentIndex() >= 0;
    m_ok->setEnabled(!name.empty() && !fileName.empty() && dataLogDone);
}
