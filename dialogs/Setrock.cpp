#include "dialogs/Setrock.h"

#include <algorithm>
#include <climits>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "widgets/controls/HatchComboBox.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"
#include "widgets/dialogs/DialogUnits.h"

namespace {

// The whole number an edit holds; false when it holds none (the edits take digits only, so only an
// empty or overlong text fails).
bool EditNumber(const QLineEdit* edit, int& value)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty() || text.size() > 9)
        return false;
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

// The number as the window reads it for arithmetic: 0 when it holds none.
int EditValue(const QLineEdit* edit)
{
    int value = 0;
    return EditNumber(edit, value) ? value : 0;
}

bool InPercentRange(long long value) { return value >= 1 && value <= 99; }

QLineEdit* PercentageEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(60);
    return edit;
}

QLabel* RemainderStatic(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(60);
    return label;
}

} // namespace

Setrock::Setrock(std::vector<std::wstring>& rockTypes, std::vector<int>& percentages, const HatchList* hatchList,
                 const VectorTable& vectors, const BitmapTable& bitmaps, const InbuiltTable& inbuilts, QWidget* parent)
    : DdxDialog(152, parent), m_hatchList(hatchList), m_rockTypes(&rockTypes), m_percentages(&percentages)
{
    if (rockTypes.empty())
        rockTypes.push_back(std::wstring());
    if (percentages.empty())
        percentages.push_back(100);
    m_useSecond = percentages.size() >= 2 && percentages[1] > 0;
    // Rows follow each other: a third rock type stands only beside a second, so a unit whose second
    // percentage is 0 opens with one row rather than with a third row that could not be removed.
    m_useThird = m_useSecond && percentages.size() >= 3 && percentages[2] > 0;
    // Elements beyond the third have no row: they are kept as they are and counted in the third
    // row's remainder, so that the unit still sums to 100. All three rows are then in use, and stay.
    for (std::size_t i = 3; i < percentages.size(); ++i)
        m_beyondThird += percentages[i];
    m_hasBeyondThird = percentages.size() > 3;
    if (m_hasBeyondThird)
        m_useSecond = m_useThird = true;
    build(vectors, bitmaps, inbuilts);
}

void Setrock::build(const VectorTable& vectors, const BitmapTable& bitmaps, const InbuiltTable& inbuilts)
{
    setWindowTitle(QStringLiteral("Set Rock Type"));

    const char* listNames[3] = {"id1087", "id1088", "id1091"};
    for (int i = 0; i < 3; ++i) {
        m_lists[i] = new CHatchComboBox(&vectors, &bitmaps, &inbuilts, this);
        m_lists[i]->setObjectName(QString::fromLatin1(listNames[i]));
        m_lists[i]->setSorted(true);
        m_lists[i]->setMinimumWidth(DialogUnits(this).x(200));
    }
    auto* first = new QLabel(QStringLiteral("&First rock type "), this);
    first->setBuddy(m_lists[0]);
    m_second = new QCheckBox(QStringLiteral("&Second rock type"), this);
    m_second->setObjectName(QStringLiteral("id1006"));
    m_third = new QCheckBox(QStringLiteral("&Third rock type"), this);
    m_third->setObjectName(QStringLiteral("id1007"));
    m_percentage1 = PercentageEdit("id1089", this);
    m_percentage2 = PercentageEdit("id1090", this);
    m_remainder1 = RemainderStatic("id1143", this);
    m_remainder2 = RemainderStatic("id1139", this);
    m_remainder3 = RemainderStatic("id1142", this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Percentage"), this), 0, 2, 1, 2);
    grid->addWidget(first, 1, 0);
    grid->addWidget(m_second, 2, 0);
    grid->addWidget(m_third, 3, 0);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(m_lists[i], i + 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("%"), this), i + 1, 3);
    }
    // The edit and the remainder of a row share its place; one of them is shown at a time.
    grid->addWidget(m_percentage1, 1, 2);
    grid->addWidget(m_remainder1, 1, 2);
    grid->addWidget(m_percentage2, 2, 2);
    grid->addWidget(m_remainder2, 2, 2);
    grid->addWidget(m_remainder3, 3, 2);
    grid->setColumnStretch(1, 1);

    const DialogButtonRow buttons =
        OkCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("Help"), [this] { OnHelp(); });
    m_ok = buttons.ok;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons.layout);
    resize(DialogUnits(this).size(372, 110).expandedTo(sizeHint()));
    // The swatches are as wide as a third of each list once laid out.
    layout->activate();

    connect(m_second, &QCheckBox::clicked, this, &Setrock::OnSecondRockType);
    connect(m_third, &QCheckBox::clicked, this, &Setrock::OnThirdRockType);
    for (QLineEdit* edit : {m_percentage1, m_percentage2}) {
        connect(edit, &QLineEdit::textChanged, this, &Setrock::OnChangePercentage);
        connect(edit, &QLineEdit::editingFinished, this, &Setrock::OnKillFocusPercentage);
    }
    for (CHatchComboBox* list : m_lists)
        connect(list, &QComboBox::activated, this, &Setrock::OnSelchangeRockType);
}

bool Setrock::OnInitDialog()
{
    for (CHatchComboBox* list : m_lists)
        FillList(list);
    const bool loaded = DdxDialog::OnInitDialog();
    Validate();
    return loaded;
}

void Setrock::FillList(CHatchComboBox* list)
{
    list->ResetContent();
    if (!m_hatchList)
        return;
    const std::vector<HatchListEntry>& entries = m_hatchList->entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].rockType.empty())
            list->AddString(QString::fromStdWString(entries[i].rockType), static_cast<int>(i));
    for (int line = 0; line < list->count(); ++line) {
        const HatchListEntry& entry = entries[static_cast<std::size_t>(list->ItemData(line))];
        list->SetItemHatch(line, entry.patternName, entry.kind);
    }
    list->SetCurSel(-1);
}

void Setrock::exchange(bool save)
{
    std::vector<std::wstring>& rockTypes = *m_rockTypes;
    std::vector<int>& percentages = *m_percentages;
    QLineEdit* edits[2] = {m_percentage1, m_percentage2};
    QLabel* remainders[3] = {m_remainder1, m_remainder2, m_remainder3};
    const std::size_t percentageRows = std::min<std::size_t>(3, percentages.size());

    // The typed percentages are read first, so that a refusal leaves the sequences as they were.
    int typed[2] = {0, 0};
    if (save)
        for (std::size_t i = 0; i < std::min<std::size_t>(2, percentageRows); ++i)
            Ddx::Text(true, edits[i], typed[i]);

    Ddx::Check(save, m_second, m_useSecond);
    Ddx::Check(save, m_third, m_useThird);

    // Only the first three elements have rows.
    const std::size_t rows = std::min<std::size_t>(3, rockTypes.size());
    for (std::size_t i = 0; i < rows; ++i) {
        CHatchComboBox* list = m_lists[i];
        if (save)
            rockTypes[i] = list->GetCurSel() < 0 ? std::wstring() : list->currentText().toStdWString();
        else
            list->SetCurSel(SortedItems::findExactOrPrefix(list, rockTypes[i]));
    }

    const bool wasRewriting = m_rewriting;
    m_rewriting = true; // the edits' change notifications must not rewrite the remainders meanwhile
    long long sum = 0;
    for (std::size_t i = 0; i < percentageRows; ++i) {
        if (i < 2) {
            if (save)
                percentages[i] = typed[i];
            else
                Ddx::Text(false, edits[i], percentages[i]);
            sum += percentages[i];
        } else {
            percentages[i] = static_cast<int>(std::clamp<long long>(100 - sum - m_beyondThird, INT_MIN, INT_MAX));
        }
        if (!save)
            remainders[i]->setText(QString::number(percentages[i]));
    }
    if (!save) {
        for (std::size_t i = percentageRows; i < 3; ++i) {
            if (i < 2)
                edits[i]->setText(QStringLiteral("0"));
            remainders[i]->setText(QStringLiteral("0"));
        }
    }
    m_rewriting = wasRewriting;
}

void Setrock::OnSecondRockType()
{
    Validate();
    if (!m_second->isChecked()) {
        const QSignalBlocker blocker(m_percentage1);
        m_percentage1->setText(QStringLiteral("100"));
        m_remainder1->setText(QStringLiteral("100"));
        m_remainder2->setText(QStringLiteral("0"));
        if (m_rockTypes->size() > 1)
            m_rockTypes->pop_back();
        if (m_percentages->size() > 1)
            m_percentages->pop_back();
    } else {
        m_rockTypes->push_back(std::wstring());
        m_percentages->push_back(0);
    }
    RewriteRemainders();
}

void Setrock::OnThirdRockType()
{
    Validate();
    if (!m_third->isChecked()) {
        m_remainder3->setText(QStringLiteral("0"));
        if (m_rockTypes->size() > 1)
            m_rockTypes->pop_back();
        if (m_percentages->size() > 1)
            m_percentages->pop_back();
    } else {
        m_rockTypes->push_back(std::wstring());
        m_percentages->push_back(0);
    }
    RewriteRemainders();
}

void Setrock::OnChangePercentage()
{
    if (!m_rewriting)
        RewriteRemainders();
}

void Setrock::OnKillFocusPercentage() { RewriteRemainders(); }

void Setrock::OnSelchangeRockType() { Validate(); }

void Setrock::RewriteRemainders()
{
    const bool wasRewriting = m_rewriting;
    m_rewriting = true;
    const int remainder = 100 - EditValue(m_percentage1);
    if (m_third->isChecked()) {
        m_remainder3->setText(QString::number(std::max(0LL, remainder - EditValue(m_percentage2) - m_beyondThird)));
    } else {
        const QString text = QString::number(std::max(0, remainder));
        m_percentage2->setText(text);
        m_remainder2->setText(text);
    }
    Validate();
    m_rewriting = wasRewriting;
}

void Setrock::Validate()
{
    bool valid = true;
    const bool second = m_second->isChecked();
    const bool third = m_third->isChecked();

    m_lists[1]->setEnabled(second);
    m_percentage1->setVisible(second);
    m_remainder1->setVisible(!second);
    m_third->setEnabled(second && !m_hasBeyondThird);
    int first = 0;
    if (second)
        valid = valid && EditNumber(m_percentage1, first) && InPercentRange(first) && m_lists[1]->GetCurSel() >= 0;

    m_lists[2]->setEnabled(third);
    m_percentage2->setVisible(third);
    m_remainder2->setVisible(!third);
    m_second->setEnabled(!third);
    if (third) {
        // The second percentage itself must lie in range too: a second rock type of 0 % would be
        // read as absent the next time the unit is opened.
        int secondValue = 0;
        const bool secondOk = EditNumber(m_percentage2, secondValue) && InPercentRange(secondValue);
        const long long rest = 100 - EditValue(m_percentage2) - (second ? EditValue(m_percentage1) : 0) - m_beyondThird;
        valid = valid && secondOk && InPercentRange(rest) && m_lists[2]->GetCurSel() >= 0;
    }
    m_ok->setEnabled(valid);
}
