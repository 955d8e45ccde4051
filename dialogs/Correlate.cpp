#include "dialogs/Correlate.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "config/CorrelationDefinition.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/DialogButtons.h"

int FindNameEntry(const QComboBox& combo, const std::wstring& name)
{
    // Every name begins with the empty one: it selects the first entry, the empty entry of both lists.
    if (name.empty())
        return combo.count() > 0 ? 0 : -1;
    return SortedItems::findExactOrPrefix(&combo, name);
}

CCorrelate::CCorrelate(const CorrelationDefinition* site, const std::wstring& seamName, const std::wstring& plyName,
                       QWidget* parent)
    : DdxDialog(156, parent), m_seamName(seamName), m_plyName(plyName), m_site(site)
{
    setWindowTitle(QStringLiteral("Correlate"));

    m_siteEdit = new QLineEdit(this);
    m_siteEdit->setObjectName(QStringLiteral("id1048"));
    m_siteEdit->setReadOnly(true);
    m_siteEdit->setAlignment(Qt::AlignCenter);
    m_seamCombo = new QComboBox(this);
    m_seamCombo->setObjectName(QStringLiteral("id1055"));
    m_plyCombo = new QComboBox(this);
    m_plyCombo->setObjectName(QStringLiteral("id1070"));
    const DialogButtonRow buttons =
        OkCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("Help"), [this] { OnHelp(); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Seam Name:"), m_seamCombo);
    form->addRow(QStringLiteral("&Ply Name:"), m_plyCombo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_siteEdit);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);

    // Only the user's choice refills the plies; the fills below select from code.
    connect(m_seamCombo, &QComboBox::activated, this, &CCorrelate::OnSelchangeSeam);

    m_seamCombo->addItem(QString(), -1);
    if (m_site) {
        for (std::size_t i = 0; i < m_site->seams.size(); ++i)
            m_seamCombo->addItem(QString::fromStdWString(m_site->seams[i].name), static_cast<int>(i));
        m_siteEdit->setText(QString::fromStdWString(m_site->name));
    }
    m_seamCombo->setCurrentIndex(-1);
}

void CCorrelate::exchange(bool save)
{
    if (save) {
        m_seamName = m_seamCombo->currentIndex() < 0 ? m_seamName : m_seamCombo->currentText().toStdWString();
        m_plyName = m_plyCombo->currentIndex() < 0 ? m_plyName : m_plyCombo->currentText().toStdWString();
        return;
    }
    m_seamCombo->setCurrentIndex(FindNameEntry(*m_seamCombo, m_seamName));
    OnSelchangeSeam();
    m_plyCombo->setCurrentIndex(FindNameEntry(*m_plyCombo, m_plyName));
}

void CCorrelate::OnSelchangeSeam()
{
    int selected = m_seamCombo->currentIndex();
    if (selected < 0)
        return;
    QSignalBlocker block(m_plyCombo);
    m_plyCombo->clear();
    int seam = m_seamCombo->itemData(selected).toInt();
    if (seam < 0 || !m_site || static_cast<std::size_t>(seam) >= m_site->seams.size())
        return;
    m_plyCombo->addItem(QString(), -1);
    const auto& plies = m_site->seams[static_cast<std::size_t>(seam)].plies;
    for (std::size_t i = 0; i < plies.size(); ++i)
        m_plyCombo->addItem(QString::fromStdWString(plies[i]), static_cast<int>(i));
    m_plyCombo->setCurrentIndex(-1);
}
