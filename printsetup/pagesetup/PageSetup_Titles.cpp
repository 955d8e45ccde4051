#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "printsetup/pagesetup/PageSetupPages.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PromptedName.h"

CPageSetup_Titles::CPageSetup_Titles(PageSetupSettings& settings, QWidget* parent)
    : PropertyPage(201, QStringLiteral("Titles"), parent), m_settings(settings)
{
    auto* texts = new QGroupBox(QStringLiteral("Title block"), this);
    auto* grid = new QGridLayout(texts);
    const struct {
        int id;
        const char* label;
    } rows[] = {{1002, "&Top:"}, {1004, "&Middle:"}, {1003, "&Left:"}, {1001, "&Right:"}};
    QLineEdit** edits[] = {&m_top, &m_middle, &m_left, &m_right};
    int row = 0;
    for (const auto& line : rows) {
        auto* edit = new QLineEdit(texts);
        *edits[row] = edit;
        edit->setObjectName(QStringLiteral("id%1").arg(line.id));
        auto* label = new QLabel(QString::fromLatin1(line.label), texts);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    auto* codes = new QLabel(QStringLiteral("%d date, %l left borehole, %r right borehole, %n project, "
                                            "%p page, %t number of pages, %s scale, %% a percent sign"),
                             texts);
    codes->setWordWrap(true);
    grid->addWidget(codes, row, 1);

    auto* logo = new QGroupBox(QStringLiteral("Logo"), this);
    auto* logoRow = new QHBoxLayout(logo);
    m_logo = new QLineEdit(logo);
    m_logo->setObjectName(QStringLiteral("id1239"));
    auto* fileLabel = new QLabel(QStringLiteral("&Image file:"), logo);
    fileLabel->setBuddy(m_logo);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), logo);
    browse->setObjectName(QStringLiteral("id1240"));
    connect(browse, &QPushButton::clicked, this, &CPageSetup_Titles::OnBrowseLogo);
    logoRow->addWidget(fileLabel);
    logoRow->addWidget(m_logo, 1);
    logoRow->addWidget(browse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(texts);
    layout->addWidget(logo);
    layout->addStretch();
}

bool CPageSetup_Titles::OnSetActive()
{
    PropertyPage::OnSetActive();
    return UpdateData(false);
}

void CPageSetup_Titles::exchange(bool save)
{
    Ddx::Text(save, m_top, m_settings.topText);
    Ddx::Text(save, m_middle, m_settings.middleText);
    Ddx::Text(save, m_left, m_settings.leftText);
    Ddx::Text(save, m_right, m_settings.rightText);
    Ddx::FileName(save, m_logo, m_settings.logoFile);
}

void CPageSetup_Titles::OnBrowseLogo()
{
    ORBAX_Platform::Settings options(L"Options");
    const QStringList filters = QtFileFilters(ORBAX_Utilities::get_message_wide(211));
    const QString folder = ORBAX_Platform::qt_from_name(options.readString(L"LogoPath", std::wstring()));
    QString selected = FileFilterAt(filters, options.readInt(L"LogoFilter", 1));
    QString chosen;
    if (!ORBAX_Platform::filePrompts().openFileName(this,
                                                    QString::fromStdWString(ORBAX_Utilities::get_message_wide(212)),
                                                    folder, filters.join(QStringLiteral(";;")), selected, chosen))
        return;
    std::wstring name;
    if (!PromptedFileName(this, chosen, name))
        return;
    options.writeString(L"LogoPath", ORBAX_Platform::folder_of_name(name));
    options.writeInt(L"LogoFilter", FileFilterPosition(filters, selected));
    m_logo->setText(ORBAX_Platform::qt_from_name(name));
}
