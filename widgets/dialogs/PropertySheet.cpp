#include "widgets/dialogs/PropertySheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/services/Services.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/HelpPages.h"

PropertyPage::PropertyPage(int resource, const QString& title, QWidget* parent)
    : QWidget(parent), m_resource(resource), m_title(title)
{
    setObjectName(QStringLiteral("dlg%1").arg(resource));
}

bool PropertyPage::OnSetActive()
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    return true;
}

bool PropertyPage::OnKillActive() { return UpdateData(true); }

bool PropertyPage::UpdateData(bool save)
{
    return Ddx::Run(this, [this, save] { exchange(save); });
}

PropertySheet::PropertySheet(const std::wstring& caption, bool withHelp, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PropertySheet"));
    setWindowTitle(QString::fromStdWString(caption));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("id1"));
    m_ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("id2"));
    if (withHelp) {
        m_help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
        m_help->setObjectName(QStringLiteral("id9"));
        connect(m_help, &QPushButton::clicked, this, &PropertySheet::OnHelp);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertySheet::reject);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &PropertySheet::OnHelp);
    connect(m_tabs, &QTabWidget::currentChanged, this, &PropertySheet::onTabChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
}

void PropertySheet::AddPage(PropertyPage* page)
{
    page->m_sheet = this;
    m_pages.push_back(page);
    QSignalBlocker block(m_tabs);
    m_tabs->addTab(page, page->title());
}

PropertyPage* PropertySheet::currentPage() const
{
    return m_current >= 0 && m_current < static_cast<int>(m_pages.size()) ? m_pages[static_cast<std::size_t>(m_current)]
                                                                          : nullptr;
}

int PropertySheet::DoModal()
{
    if (m_pages.empty())
        return QDialog::Rejected;
    m_current = -1;
    {
        QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(0);
    }
    if (!m_pages.front()->OnSetActive())
        return QDialog::Rejected;
    m_current = 0;
    return ORBAX_Platform::dialogs().run(*this);
}

bool PropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size()))
        return false;
    if (index == m_current)
        return true;
    if (PropertyPage* leaving = currentPage())
        if (!leaving->OnKillActive()) {
            QSignalBlocker block(m_tabs);
            m_tabs->setCurrentIndex(m_current);
            return false;
        }
    {
        QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(index);
    }
    int previous = m_current;
    m_current = index;
    if (!m_pages[static_cast<std::size_t>(index)]->OnSetActive()) {
        m_current = previous;
        QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(previous);
        return false;
    }
    return true;
}

void PropertySheet::onTabChanged(int index) { SetActivePage(index); }

void PropertySheet::accept()
{
    if (PropertyPage* page = currentPage())
        if (!page->OnKillActive())
            return;
    QDialog::accept();
}

void PropertySheet::OnHelp()
{
    if (PropertyPage* page = currentPage())
        HelpPages::ShowContext(this, 0x20000u + static_cast<unsigned>(page->resource()));
}
