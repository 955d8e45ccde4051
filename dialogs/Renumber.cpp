#include "dialogs/Renumber.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"
#include "widgets/dialogs/SpinButton.h"

namespace {

QLineEdit* namedEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    return edit;
}

QCheckBox* namedCheck(QWidget* parent, int id, const QString& text)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QStringLiteral("id%1").arg(id));
    return box;
}

} // namespace

std::wstring PaddedNumber(unsigned value, int width)
{
    std::wstring digits = std::to_wstring(value);
    if (width > 0 && digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), L'0');
    return digits;
}

void DDX_PaddedNumber(bool save, QLineEdit* edit, int width, unsigned& value)
{
    if (!save) {
        edit->setText(QString::fromStdWString(PaddedNumber(value, width)));
        return;
    }
    // A sign or a letter would otherwise read as a huge number or as 0.
    if (!Ddx::ParseUnsigned(edit->text().toStdWString(), value))
        throw Ddx::Refusal(edit, ORBAX_Utilities::get_message_wide(Ddx::IntegerRefusal));
}

CRenumber::CRenumber(const std::wstring& prefix, int number, const std::wstring& postfix, int width_, QWidget* parent)
    : DdxDialog(157, parent), currentPrefix(prefix), currentNumber(number), currentPostfix(postfix), newPrefix(prefix),
      newNumber(static_cast<unsigned>(number < 0 ? 0 : number)), newPostfix(postfix), width(width_)
{
    setWindowTitle(QStringLiteral("Relabel Sample Numbers"));
    m_currentPrefix = namedEdit(this, 1163);
    m_currentNumber = namedEdit(this, 1001);
    m_currentPostfix = namedEdit(this, 1002);
    m_newPrefix = namedEdit(this, 1164);
    m_newNumber = namedEdit(this, 1003);
    m_newPostfix = namedEdit(this, 1004);
    m_maintainPrefix = namedCheck(this, 1165, QString());
    m_maintainNumber = namedCheck(this, 1166, QString());
    m_maintainPostfix = namedCheck(this, 1167, QString());
    m_maintainOrder = namedCheck(this, 1161, QStringLiteral("&Maintain sample order (apply offset to number)"));
    m_width = namedEdit(this, 1009);
    m_widthSpin = new SpinButton(this);
    m_widthSpin->setBuddy(m_width);
    m_widthSpin->setRange(0, 20);
    m_widthSpin->setObjectName(QStringLiteral("id1170"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Prefix"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Number"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Postfix"), this), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Current Start Value"), this), 1, 0);
    grid->addWidget(m_currentPrefix, 1, 1);
    grid->addWidget(m_currentNumber, 1, 2);
    grid->addWidget(m_currentPostfix, 1, 3);
    auto* newLabel = new QLabel(QStringLiteral("New Start &Value"), this);
    newLabel->setBuddy(m_newPrefix);
    grid->addWidget(newLabel, 2, 0);
    grid->addWidget(m_newPrefix, 2, 1);
    grid->addWidget(m_newNumber, 2, 2);
    grid->addWidget(m_newPostfix, 2, 3);
    // The mnemonic takes the focus to the first of the three boxes it heads.
    auto* maintainLabel = new QLabel(QStringLiteral("Maintain ori&ginal:"), this);
    maintainLabel->setBuddy(m_maintainPrefix);
    grid->addWidget(maintainLabel, 3, 0);
    grid->addWidget(m_maintainPrefix, 3, 1, Qt::AlignHCenter);
    grid->addWidget(m_maintainNumber, 3, 2, Qt::AlignHCenter);
    grid->addWidget(m_maintainPostfix, 3, 3, Qt::AlignHCenter);

    auto* widthRow = new QHBoxLayout;
    auto* widthLabel = new QLabel(QStringLiteral("Number field &width:"), this);
    widthLabel->setBuddy(m_width);
    widthRow->addWidget(widthLabel);
    widthRow->addWidget(m_width);
    widthRow->addWidget(m_widthSpin);
    widthRow->addStretch(1);

    const DialogButtonRow buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_maintainOrder);
    layout->addLayout(widthRow);
    layout->addLayout(buttons.layout);

    for (QCheckBox* box : {m_maintainOrder, m_maintainPrefix, m_maintainNumber, m_maintainPostfix})
        connect(box, &QCheckBox::clicked, this, &CRenumber::UpdateControls);
    connect(m_width, &QLineEdit::textChanged, this, &CRenumber::OnWidthChange);
}

void CRenumber::exchange(bool save)
{
    Ddx::Text(save, m_currentPrefix, currentPrefix);
    Ddx::Text(save, m_currentNumber, currentNumber);
    Ddx::Text(save, m_currentPostfix, currentPostfix);
    Ddx::Text(save, m_newPrefix, newPrefix);
    int typedWidth = width;
    Ddx::Text(save, m_width, typedWidth);
    if (save && (typedWidth < m_widthSpin->minimum() || typedWidth > m_widthSpin->maximum())) {
        // Only the arrows' range is taken: a wider field would write a sample number of that many
        // digits into every unit. While the original number is kept the width is not used, and the
        // refusal would point at an edit the user cannot reach.
        if (m_width->isEnabled())
            throw Ddx::Refusal(m_width,
                               ORBAX_Utilities::format_message(61714, {std::to_wstring(m_widthSpin->minimum()),
                                                                       std::to_wstring(m_widthSpin->maximum())}));
        typedWidth = std::clamp(typedWidth, m_widthSpin->minimum(), m_widthSpin->maximum());
    }
    width = typedWidth;
    DDX_PaddedNumber(save, m_newNumber, width, newNumber);
    Ddx::Text(save, m_newPostfix, newPostfix);
    Ddx::Check(save, m_maintainOrder, maintainOrder);
    Ddx::Check(save, m_maintainPrefix, maintainPrefix);
    Ddx::Check(save, m_maintainNumber, maintainNumber);
    Ddx::Check(save, m_maintainPostfix, maintainPostfix);
}

void CRenumber::UpdateControls()
{
    const bool keepNumber = m_maintainNumber->isChecked();
    m_newNumber->setEnabled(!keepNumber);
    m_maintainOrder->setEnabled(!keepNumber);
    m_width->setEnabled(!keepNumber);
    m_widthSpin->setEnabled(!keepNumber);
    m_newPrefix->setEnabled(!m_maintainPrefix->isChecked());
    m_newPostfix->setEnabled(!m_maintainPostfix->isChecked());
}

void CRenumber::OnWidthChange()
{
    unsigned number = 0;
    // Text in the number edit that is no number is left for OK to refuse.
    if (!Ddx::ParseUnsigned(m_newNumber->text().toStdWString(), number))
        return;
    // The width the arrows stand at: the width edit's number within their range.
    int width = 0;
    if (Ddx::ParseInteger(m_width->text().toStdWString(), width))
        width = std::clamp(width, m_widthSpin->minimum(), m_widthSpin->maximum());
    else
        width = m_widthSpin->minimum();
    m_newNumber->setText(QString::fromStdWString(PaddedNumber(number, width)));
}
