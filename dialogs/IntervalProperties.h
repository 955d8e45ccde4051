#pragma once
// Unit Properties (dialog 193): everything known about the selected unit, read-only: depths,
// thickness, recovered thickness, seam and ply, sample number, and the rock-type, percentage and free
// field values of the unit as a whole or of one element of an interbedded unit. Arrow buttons step
// through the elements and move the view's selection up and down the borehole, so that a whole
// borehole can be read without closing the dialog. The dialog changes no data.
#include <string>
#include <vector>

#include <QString>

#include "widgets/dialogs/DdxDialog.h"

namespace ORBAX_Logging {
class Borehole;
class LithData;
} // namespace ORBAX_Logging

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// What the dialog needs of the view: the selected side and unit, the boreholes, and the two ways of
// moving the selection.
class UnitPropertiesHost {
public:
    virtual ~UnitPropertiesHost() = default;
    // The active pane (0 left, 1 right) or -1, and its selected unit or -1.
    virtual int SelectedSide() const = 0;
    virtual int SelectedUnit() const = 0;
    virtual const ORBAX_Logging::Borehole* Borehole(int side) const = 0;
    // Scrolls the unit into view and selects it alone.
    virtual void SelectAndShowUnit(int side, int unit) = 0;
    // Moves the selection one unit down; false when it did not move.
    virtual bool SelectNextUnit() = 0;
};

class CIntervalProperties : public DdxDialog {
    Q_OBJECT
public:
    explicit CIntervalProperties(UnitPropertiesHost& view, QWidget* parent = nullptr);

    // Shows the selected unit's values (or empties everything when no unit is selected).
    void Refresh();

    // The field list's lines as "description:" tab text, for reading back.
    std::vector<QString> FieldLines() const;
    int ElementIndex() const { return m_element; }

public slots:
    void OnPreviousElement();
    void OnNextElement();
    void OnPreviousUnit();
    void OnNextUnit();

protected:
    bool OnInitDialog() override;
    void exchange(bool) override {}

private:
    const ORBAX_Logging::Borehole* selectedBorehole(int& unit) const;
    void addFieldLine(const QString& description, const QString& text);
    void clearAll();

    // 0 the unit as a whole, 1 to n element n of an interbedded unit.
    int m_element = 0;
    UnitPropertiesHost& m_view;
    QLineEdit* m_from;
    QLineEdit* m_thickness;
    QLineEdit* m_to;
    QLineEdit* m_seamPly;
    QLineEdit* m_recovered;
    QLineEdit* m_sample;
    QLabel* m_seamLabel;
    QLabel* m_recoveredLabel;
    QLabel* m_sampleLabel;
    QTreeWidget* m_fields;
    QPushButton* m_previousElement;
    QPushButton* m_nextElement;
    QPushButton* m_previousUnit;
    QPushButton* m_nextUnit;
    QLabel* m_elementText;
};
