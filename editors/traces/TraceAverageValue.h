#pragma once
// The Average Trace dialog: one curve of a loaded trace file, a depth interval typed by the user and
// the mean of the curve's samples in it. It changes nothing.
#include <string>

#include "widgets/dialogs/DdxDialog.h"

class CurveProperty;
class LasProperty;
class QLineEdit;

class CTraceAverageValue : public DdxDialog {
    Q_OBJECT
public:
    // The interval starts as the file's whole depth range; `precision` is the number of significant
    // digits of the result.
    CTraceAverageValue(const LasProperty& file, const CurveProperty& curve, int precision, QWidget* parent = nullptr);

    // The mean as the result box shows it: `precision` significant digits, "nan" when there is none.
    static std::wstring FormatResult(double mean, int precision);

public slots:
    void OnCalculate();

protected:
    // The curve name, the bottom and top depths (refused unless they read as numbers) and the result.
    void exchange(bool save) override;

private:
    const CurveProperty* m_curve;
    double m_bottomDepth;
    double m_topDepth;
    std::wstring m_result;
    std::wstring m_curveName;
    int m_precision;

    QLineEdit* m_nameEdit;
    QLineEdit* m_topEdit;
    QLineEdit* m_bottomEdit;
    QLineEdit* m_resultEdit;
};
