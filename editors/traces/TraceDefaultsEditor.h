#pragma once
// The editor of the trace definitions: the rules that give a newly loaded curve its colour, column,
// visibility and range by its name. It works on its own copy; the caller takes the copy after OK.
#include <string>
#include <vector>

#include <QDialog>

#include "config/TraceDefinition.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class CTraceDefaultsEditor : public QDialog {
    Q_OBJECT
public:
    explicit CTraceDefaultsEditor(const TraceDefinitionList& definitions, QWidget* parent = nullptr);

    int DoModal();

    // The working list, in the order the caller puts it back.
    const TraceDefinitionList& Definitions() const { return m_traces; }

    // The number in a range edit: its leading number, as a stream reads it; false (and `value`
    // unchanged) when the text does not begin with a finite number.
    bool GetDlgItemDouble(int id, double& value) const;
    // A range value as the edits show it: the shortest text that reads back to the same number.
    static QString FormatRange(double value);

public slots:
    void OnAdd();
    void OnRename();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();
    void OnSelchangeTrace();
    void OnSelchangeColour();
    void OnMatchType();
    void OnDisplayField();
    void OnRangeType();
    void OnInvisible();
    // OK: the range edits are stored into the definition shown first.
    void accept() override;

private:
    // The working-list index of the list entry at `row`; -1 for none.
    int definitionAt(int row) const;
    int selectedDefinition() const;
    // Stores the range edits into the definition shown, when there is one.
    void storeRange();
    void enableControls();
    void clearControls();
    // Moves the selected definition one place up (-1) or down (+1).
    void moveSelected(int step);
    bool askName(std::wstring& name);

    TraceDefinitionList m_traces;

    QRadioButton* m_plain;
    QRadioButton* m_pattern;
    QListWidget* m_list;
    QComboBox* m_colour;
    QRadioButton* m_actualRange;
    QRadioButton* m_suggestedRange;
    QCheckBox* m_invisible;
    QRadioButton* m_field[3];
    QButtonGroup* m_matchGroup;
    QButtonGroup* m_fieldGroup;
    QButtonGroup* m_rangeGroup;
    QLineEdit* m_minimum;
    QLineEdit* m_maximum;
    QPushButton* m_rename;
    QPushButton* m_delete;
    QPushButton* m_up;
    QPushButton* m_down;

    // The list row whose definition the controls show; -1 for none.
    int m_shown = -1;
};
