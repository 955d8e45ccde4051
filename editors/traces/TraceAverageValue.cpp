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
#include "widgets/dialogs/DataExchange.h"

namespace {

QLineEdit* edit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

} // namespace

CTraceAverageValue::CTraceAverageValue(const LasProperty& file, const CurveProperty& curve, int precision,
                                       QWidget* parent)
    : DdxDialog(170, parent), m_curve(&curve), m_bottomDepth(std::max(file.start_depth(), file.stop_depth())),
      m_topDepth(std::min(file.start_depth(), file.stop_depth())), m_curveName(ConfigText::Widen(curve.mnemonic)),
      m_precision(precision)
{
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
}

void CTraceAverageValue::exchange(bool save)
{
    Ddx::Text(save, m_nameEdit, m_curveName);
    Ddx::Text(save, m_bottomEdit, m_bottomDepth);
    Ddx::Text(save, m_topEdit, m_topDepth);
    Ddx::Text(save, m_resultEdit, m_result);
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
    if (!UpdateData(true))
        return;
    double low = std::min(m_topDepth, m_bottomDepth);
    double high = std::max(m_topDepth, m_bottomDepth);
    m_result = FormatResult(m_curve->average_between(low, high), m_precision);
    UpdateData(false);
}
