#include "dialogs/AboutDlg.h"

#include <iomanip>
#include <sstream>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "dialogs/LinkMarkup.h"
#include "dialogs/QuorLogo.h"
#include "dialogs/UpdateCheck.h"
#include "dialogs/UpdateInfo.h"
#include "platform/services/Services.h"

namespace {

// The maker's contact details, as the link label shows them.
const wchar_t kContactMarkup[] = L"ORBAX Geological Software\n"
                                 L"PO Box 3370, Example Street, Exampleton\n"
                                 L"Telephone: +00 7 3000 0000\n"
                                 L"Web: <a href=\"http://www.orbax.example/\">www.orbax.example</a>\n"
                                 L"E-mail: <a href=\"mailto:support@orbax.example\">support@orbax.example</a>";

QLabel* linkLabel(const QString& html, const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(false);
    label->setWordWrap(true);
    label->setText(html);
    return label;
}

} // namespace

// ---------------------------------------------------------------------------------------------------

CSysLinkMessageBox::CSysLinkMessageBox(const QString& caption, const QString& html, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlg260"));
    setWindowTitle(caption);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("id1355"));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    m_text = linkLabel(html, "id1356", this);
    m_text->setMinimumWidth(280);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(m_text, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // The text may come from the network: only web links are opened, whatever it holds.
    connect(m_text, &QLabel::linkActivated, this, [](const QString& link) {
        if (IsWebLink(link.toStdWString()))
            ORBAX_Platform::shell().openUrl(link);
    });
}

int CSysLinkMessageBox::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

int SysLinkMessageBox(QWidget* parent, const QString& caption, const QString& html)
{
    CSysLinkMessageBox box(caption, html, parent);
    return box.DoModal();
}

// ---------------------------------------------------------------------------------------------------

std::wstring CAboutDlg::VersionText()
{
    std::wostringstream date;
    date.imbue(std::locale::classic());
    date << std::setfill(L'0') << std::setw(4) << QuorLogReleaseYear << L'-' << std::setw(2) << QuorLogReleaseMonth
         << L'-' << std::setw(2) << QuorLogReleaseDay;
    return ORBAX_Utilities::format_message(183,
                                           {std::to_wstring(QuorLogVersionMajor), std::to_wstring(QuorLogVersionMinor),
                                            std::to_wstring(QuorLogVersionBuild), date.str()});
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_update(new CUpdateCheck(this))
{
    setObjectName(QStringLiteral("dlg100"));
    setWindowTitle(QStringLiteral("About QUOR_Log"));

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("id1171"));
    logo->setPixmap(QuorLogoPixmap(QSize(64, 64)));
    auto* version = new QLabel(QString::fromStdWString(VersionText()), this);
    version->setObjectName(QStringLiteral("id1204"));
    auto* copyright = new QLabel(QStringLiteral("Copyright (C) 2016 ORBAX"), this);
    auto* contact = linkLabel(QString::fromStdWString(LinkMarkupToHtml(kContactMarkup, {}, true)), "id1354", this);
    m_check = new QPushButton(QStringLiteral("Check for &updates"), this);
    m_check->setObjectName(QStringLiteral("id1339"));
    m_check->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(copyright);
    texts->addSpacing(8);
    texts->addWidget(contact);
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_check);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_check, &QPushButton::clicked, this, &CAboutDlg::OnCheckForUpdates);
    connect(contact, &QLabel::linkActivated, this, &CAboutDlg::OnNMClickSysLink);
    connect(m_update, &CUpdateCheck::finished, this, &CAboutDlg::OnUpdateCheckFinished);
}

CAboutDlg::~CAboutDlg() { m_update->Abort(); }

int CAboutDlg::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

bool CAboutDlg::IsChecking() const { return m_update->IsRunning(); }

void CAboutDlg::OnCheckForUpdates()
{
    if (m_update->Start())
        m_check->setEnabled(false);
}

void CAboutDlg::OnNMClickSysLink(const QString& link)
{
    // A failure to open is not reported.
    ORBAX_Platform::shell().openUrl(link);
}

void CAboutDlg::done(int result)
{
    m_update->Abort();
    m_check->setEnabled(true);
    QDialog::done(result);
}

void CAboutDlg::OnUpdateCheckFinished(int outcome, const QString& text)
{
    m_check->setEnabled(true);
    if (outcome == CUpdateCheck::Answer)
        SysLinkMessageBox(this, QString::fromStdWString(ORBAX_Utilities::get_message_wide(57344)), text);
    else
        ORBAX_Platform::showMessage(this, text.toStdWString(), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Warning);
}
