#include "dialogs/OptionsView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/SpinButton.h"

namespace {

constexpr int kPrecisionLow = 0;
constexpr int kPrecisionHigh = 10;
constexpr int kScaleRefusal = 29501; // "Please enter a scale greater than 0."

// The number in an edit read as a window reads an unsigned integer: digits with blanks around them,
// anything else 0.
unsigned readUnsigned(const QLineEdit* edit)
{
    unsigned value = 0;
    return Ddx::ParseUnsigned(edit->text().toStdWString(), value) ? value : 0u;
}

QLineEdit* lineEdit(int id, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    return edit;
}

} // namespace

const wchar_t* const COptionsView::ToleranceTexts[ToleranceCount] = {L"0.001", L"0.002", L"0.005", L"0.01", L"0.02",
                                                                     L"0.05",  L"0.1",   L"0.2",   L"0.5",  L"1.0"};
const int COptionsView::ToleranceDivisors[ToleranceCount] = {1000, 500, 200, 100, 50, 20, 10, 5, 2, 1};

int COptionsView::DecimalsNeeded(int divisor)
{
    // The ceiling of log10(divisor), counted in whole numbers so that 1000 needs exactly 3.
    int decimals = 0;
    for (long long power = 1; power < divisor; power *= 10)
        ++decimals;
    return decimals;
}

COptionsView::COptionsView(bool ruler, bool fineScroll, int toleranceDivisor, double scale, double minimumThickness,
                           int insertMode, int depthPrecision, int tracePrecision, QWidget* parent)
    : PropertyPage(314, QStringLiteral("View"), parent), m_ruler(ruler), m_fineScroll(fineScroll),
      m_toleranceDivisor(toleranceDivisor), m_scale(scale), m_minimumThickness(minimumThickness),
      m_insertMode(insertMode), m_depthPrecision(depthPrecision), m_tracePrecision(tracePrecision)
{
    m_rulerCheck = new QCheckBox(QStringLiteral("&Ruler"), this);
    m_rulerCheck->setObjectName(QStringLiteral("id1149"));
    m_fineScrollCheck = new QCheckBox(QStringLiteral("&Fine Scroll"), this);
    m_fineScrollCheck->setObjectName(QStringLiteral("id1151"));
    m_scaleEdit = lineEdit(1044, this);
    m_toleranceCombo = new QComboBox(this);
    m_toleranceCombo->setObjectName(QStringLiteral("id1047"));
    m_thicknessEdit = lineEdit(1045, this);
    auto* overwrite = new QRadioButton(QStringLiteral("O&verwrite"), this);
    overwrite->setObjectName(QStringLiteral("id1001"));
    auto* insert = new QRadioButton(QStringLiteral("&Insert"), this);
    insert->setObjectName(QStringLiteral("id139"));
    m_insertGroup = new QButtonGroup(this);
    m_insertGroup->addButton(overwrite, 0);
    m_insertGroup->addButton(insert, 1);
    m_depthPrecisionEdit = lineEdit(1230, this);
    auto* depthSpin = new SpinButton(this);
    depthSpin->setObjectName(QStringLiteral("id1229"));
    depthSpin->setBuddy(m_depthPrecisionEdit);
    m_tracePrecisionEdit = lineEdit(1231, this);
    auto* traceSpin = new SpinButton(this);
    traceSpin->setObjectName(QStringLiteral("id1233"));
    traceSpin->setBuddy(m_tracePrecisionEdit);
    m_warning =
        new QLabel(QStringLiteral("Check that Display Precision is sufficient for given Depth Tolerance"), this);
    m_warning->setObjectName(QStringLiteral("id1232"));
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("color: #b00000"));

    for (QLineEdit* edit : {m_scaleEdit, m_thicknessEdit, m_depthPrecisionEdit, m_tracePrecisionEdit})
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field, QWidget* extra = nullptr, const QString& unit = {}) {
        auto* text = new QLabel(label, this);
        text->setBuddy(field);
        // The widest label makes the column as wide as its size hint, which the font's rounding can
        // leave a pixel short of the drawn text: a little room on the right keeps its last letter whole.
        text->setContentsMargins(0, 0, 2, 0);
        grid->addWidget(text, row, 0);
        auto* cell = new QHBoxLayout;
        cell->addWidget(field);
        if (extra)
            cell->addWidget(extra);
        if (!unit.isEmpty())
            cell->addWidget(new QLabel(unit, this));
        cell->addStretch(1);
        grid->addLayout(cell, row, 1);
        ++row;
    };
    addRow(QStringLiteral("&Scale   1:"), m_scaleEdit);
    addRow(QStringLiteral("&Depth Tolerance"), m_toleranceCombo, nullptr, QStringLiteral("(metres)"));
    addRow(QStringLiteral("Minimum thickness"), m_thicknessEdit, nullptr, QStringLiteral("(metres)"));
    addRow(QStringLiteral("Depth Display &Precision"), m_depthPrecisionEdit, depthSpin);
    addRow(QStringLiteral("&Trace Range Display Precision"), m_tracePrecisionEdit, traceSpin);

    auto* insertBox = new QGroupBox(QStringLiteral("Insert Mode"), this);
    auto* insertLayout = new QHBoxLayout(insertBox);
    insertLayout->addWidget(overwrite);
    insertLayout->addWidget(insert);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_rulerCheck);
    checks->addWidget(m_fineScrollCheck);
    checks->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(checks);
    layout->addLayout(grid);
    layout->addWidget(insertBox);
    layout->addWidget(m_warning);
    layout->addStretch(1);

    connect(m_depthPrecisionEdit, &QLineEdit::textChanged, this, &COptionsView::OnPrecisionChange);
    connect(m_toleranceCombo, &QComboBox::activated, this, &COptionsView::OnPrecisionChange);
}

void COptionsView::OnInitDialog()
{
    for (auto* spin : findChildren<SpinButton*>())
        spin->setRange(kPrecisionLow, kPrecisionHigh);
    for (const wchar_t* text : ToleranceTexts)
        m_toleranceCombo->addItem(QString::fromWCharArray(text));
    m_toleranceCombo->setCurrentIndex(-1);
}

bool COptionsView::OnSetActive()
{
    if (!PropertyPage::OnSetActive())
        return false;
    bool loaded = UpdateData(false);
    OnPrecisionChange();
    return loaded;
}

void COptionsView::exchange(bool save)
{
    Ddx::Check(save, m_rulerCheck, m_ruler);
    Ddx::Check(save, m_fineScrollCheck, m_fineScroll);
    Ddx::Text(save, m_scaleEdit, m_scale);
    // The view divides depths by the scale: a scale of 0 or below cannot be drawn.
    if (save && !(m_scale > 0))
        throw Ddx::Refusal(m_scaleEdit, ORBAX_Utilities::get_message_wide(kScaleRefusal));
    if (!save) {
        int index = -1;
        for (int i = 0; i < ToleranceCount; ++i)
            if (ToleranceDivisors[i] == m_toleranceDivisor)
                index = i;
        m_toleranceCombo->setCurrentIndex(index);
    } else if (int index = m_toleranceCombo->currentIndex(); index >= 0 && index < ToleranceCount) {
        m_toleranceDivisor = ToleranceDivisors[index];
    }
    Ddx::Text(save, m_thicknessEdit, m_minimumThickness);
    Ddx::Radio(save, m_insertGroup, m_insertMode);
    Ddx::Text(save, m_depthPrecisionEdit, m_depthPrecision);
    Ddx::Text(save, m_tracePrecisionEdit, m_tracePrecision);
}

void COptionsView::OnPrecisionChange()
{
    if (int index = m_toleranceCombo->currentIndex(); index >= 0 && index < ToleranceCount)
        m_toleranceDivisor = ToleranceDivisors[index];
    const unsigned shown = readUnsigned(m_depthPrecisionEdit);
    m_warning->setVisible(shown < static_cast<unsigned>(DecimalsNeeded(m_toleranceDivisor)));
}

bool COptionsView::PrecisionWarningShown() const { return !m_warning->isHidden(); }
