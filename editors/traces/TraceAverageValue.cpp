#include "editors/traces/TraceAverageValue.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/ConfigText.h"
#include "config/traces/LasProperty.h"
#include "platform/Numbers.h"
#include "platform/services/Services.h"

namespace {

// A depth as the dialog shows it: up to 15 significant digits.
QString depthText(double value)
{
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out.precision(15);
    out << value;
    return QString::fromStdWString(out.str());
}

// The whole text must be one number, blanks around it allowed.
bool readDepth(const QString& text, double& value)
{
    std::wstring wide = text.toStdWString();
    std::size_t used = 0;
    double parsed = ORBAX_Platform::parse_double(wide, &used);
    if (used == 0 || wide.find_first_not_of(L" \t", used) != std::wstring::npos)
        return false;
    value = parsed;
    return true;
}

QLineEdit* edit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

} // namespace

CTraceAverageValue::CTraceAverageValue(const LasProperty& file, const CurveProperty& curve, int precision,
                                       QWidget* parent)
    : QDialog(parent), m_curve(&curve), m_bottomDepth(std::max(file.start_depth(), file.stop_depth())),
      m_topDepth(std::min(file.start_depth(), file.stop_depth())), m_curveName(ConfigText::Widen(curve.mnemonic)),
      m_precision(precision)
{
    setObjectName(QStringLiteral("dlg170"));
    setWindowTitle(QStringLiteral("Calculate Trace Average Value"));

    m_nameEdit = edit("id1138", this);
    m_nameEdit->setReadOnly(true);
    m_topEdit = edit("id1134", this);
    m_bottomEdit = edit("id1135", this);
    m_resultEdit = edit("id1136", this);
    m_resultEdit->setReadOnly(true);
    auto* calculate = new QPushButton(QStringLiteral("C&alculate"), this);
    calculate->setObjectName(QStringLiteral("id1137"));
    calculate->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("id2"));
    close->setAutoDefault(false);

    auto* grid = new QGridLayout;
    auto addRow = [&](int row, const char* label, QLineEdit* field) {
        auto* text = new QLabel(QString::fromLatin1(label), this);
        text->setBuddy(field);
        grid->addWidget(text, row, 0);
        grid->addWidget(field, row, 1);
    };
    addRow(0, "Curve name", m_nameEdit);
    addRow(1, "&Top Depth", m_topEdit);
    addRow(2, "&Bottom Depth", m_bottomEdit);
    addRow(3, "Calculated Average Value", m_resultEdit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(calculate);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(calculate, &QPushButton::clicked, this, &CTraceAverageValue::OnCalculate);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    DoDataExchange(false);
}

int CTraceAverageValue::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

bool CTraceAverageValue::DoDataExchange(bool save)
{
    if (!save) {
        m_nameEdit->setText(QString::fromStdWString(m_curveName));
        m_bottomEdit->setText(depthText(m_bottomDepth));
        m_topEdit->setText(depthText(m_topDepth));
        m_resultEdit->setText(QString::fromStdWString(m_result));
        return true;
    }
    // In the order the members are exchanged: the bottom depth first.
    for (auto [field, member] : {std::pair{m_bottomEdit, &m_bottomDepth}, std::pair{m_topEdit, &m_topDepth}}) {
        if (!readDepth(field->text(), *member)) {
            ORBAX_Platform::showMessage(this, L"Please enter a number.", ORBAX_Platform::MessageButtons::Ok,
                                        ORBAX_Platform::MessageIcon::Warning);
            field->setFocus();
            field->selectAll();
            return false;
        }
    }
    return true;
}

std::wstring CTraceAverageValue::FormatResult(double mean, int precision)
{
    // A NaN is written as "nan" whatever its sign bit.
    if (std::isnan(mean))
        mean = std::numeric_limits<double>::quiet_NaN();
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out.precision(precision);
    out << mean;
    return out.str();
}

void CTraceAverageValue::OnCalculate()
{
    if (!DoDataExchange(true))
        return;
    double low = std::min(m_topDepth, m_bottomDepth);
    double high = std::max(m_topDepth, m_bottomDepth);
    m_result = FormatResult(m_curve->average_between(low, high), m_precision);
    DoDataExchange(false);
}
