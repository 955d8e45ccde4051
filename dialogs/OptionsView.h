#pragma once
// The View page of the options sheet: ruler, fine scroll, scale, depth tolerance, minimum thickness,
// insert mode and the two display precisions, with a warning while the depth precision is too small
// to show the tolerance.
#include "widgets/dialogs/PropertySheet.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class COptionsView : public PropertyPage {
    Q_OBJECT
public:
    COptionsView(bool ruler, bool fineScroll, int toleranceDivisor, double scale, double minimumThickness,
                 int insertMode, int depthPrecision, int tracePrecision, QWidget* parent = nullptr);

    // The tolerances offered, in metres, and the divisor each stands for (the tolerance is
    // 1 / divisor metres).
    static constexpr int ToleranceCount = 10;
    static const wchar_t* const ToleranceTexts[ToleranceCount];
    static const int ToleranceDivisors[ToleranceCount];
    // The decimal places a depth needs to show steps of 1 / divisor metres: 3 for 1000, 0 for 1.
    static int DecimalsNeeded(int divisor);

    // Whether the precision warning (1232) is shown.
    bool PrecisionWarningShown() const;

    bool m_ruler;
    bool m_fineScroll;
    int m_toleranceDivisor;
    double m_scale;
    double m_minimumThickness;
    int m_insertMode; // 0 overwrite, 1 insert
    int m_depthPrecision;
    int m_tracePrecision;

public slots:
    void OnPrecisionChange();

protected:
    void OnInitDialog() override;
    bool OnSetActive() override;
    void exchange(bool save) override;

private:
    QCheckBox* m_rulerCheck;
    QCheckBox* m_fineScrollCheck;
    QLineEdit* m_scaleEdit;
    QComboBox* m_toleranceCombo;
    QLineEdit* m_thicknessEdit;
    QButtonGroup* m_insertGroup;
    QLineEdit* m_depthPrecisionEdit;
    QLineEdit* m_tracePrecisionEdit;
    QLabel* m_warning;
};
