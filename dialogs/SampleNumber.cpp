#include "dialogs/SampleNumber.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"

CSampleNumber::CSampleNumber(const std::wstring& next, const std::wstring& start, const std::wstring& end,
                             QWidget* parent)
    : DdxDialog(159, parent), nextValue(next), rangeStart(start), rangeEnd(end)
{
    setWindowTitle(QStringLiteral("Sample Number"));
    m_start = new QLineEdit(this);
    m_start->setObjectName(QStringLiteral("id1104"));
    m_start->setReadOnly(true);
    m_start->setFocusPolicy(Qt::NoFocus);
    m_end = new QLineEdit(this);
    m_end->setObjectName(QStringLiteral("id1105"));
    m_end->setReadOnly(true);
    m_end->setFocusPolicy(Qt::NoFocus);
    m_next = new QLineEdit(this);
    m_next->setObjectName(QStringLiteral("id1106"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Range "), this), 0, 0);
    grid->addWidget(m_start, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("to"), this), 0, 2);
    grid->addWidget(m_end, 0, 3);
    auto* nextLabel = new QLabel(QStringLiteral("Next &Value "), this);
    nextLabel->setBuddy(m_next);
    grid->addWidget(nextLabel, 1, 0);
    grid->addWidget(m_next, 1, 1, 1, 3);

    const DialogButtonRow buttons =
        OkCancelButtons(this, QStringLiteral("OK"), QStringLiteral("&Help"), [this] { OnHelp(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.layout);
}

bool CSampleNumber::OnInitDialog()
{
    m_start->setText(QString::fromStdWString(rangeStart));
    m_end->setText(QString::fromStdWString(rangeEnd));
    if (!DdxDialog::OnInitDialog())
        return false;
    m_next->setFocus();
    m_next->selectAll();
    return true;
}

void CSampleNumber::exchange(bool save) { Ddx::Text(save, m_next, nextValue); }
