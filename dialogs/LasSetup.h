#pragma once
// The trace manager (dialog 134, "Trace Manager"): lists the trace files of the view, adds a file
// (read at once) or unloads one, and edits each trace's column, colour, filter distance, vertical
// shift and value range. It edits the caller's file entries in place; the caller applies them after
// OK. Files it reads itself belong to their entries until then, and Cancel discards them.
#include <string>
#include <vector>

#include "config/TraceDefinition.h"
#include "config/traces/LasProperty.h"
#include "widgets/dialogs/DdxDialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class LasSetup : public DdxDialog {
    Q_OBJECT
public:
    // `traceDefinitions`: the look that files read here take, as the view's loads give it.
    LasSetup(std::vector<TraceSetInfo>& entries, TraceDefinitionList traceDefinitions, QWidget* parent = nullptr);

    int chosenFile() const { return m_file; }
    int chosenTrace() const { return m_trace; }

    // The dialog's handlers, public so that tests can drive them as a user's actions would.
    void OnChooseFile();
    void OnChooseTrace();
    void OnAddNew();
    void OnUnload();
    void reject() override;

    QListWidget* fileList() const { return m_files; }
    QListWidget* traceList() const { return m_traces; }

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    void buildControls();
    void updateControls();
    // Lists the chosen entry's listed traces.
    void fillTraces();
    // Adds a line to the file list in case-insensitive order; returns its row.
    int addFileLine(const std::wstring& name, int entry);
    int rowOfEntry(int entry) const;
    void setTraceControlsEnabled(bool enabled);

    std::vector<TraceSetInfo>& m_entries;
    TraceDefinitionList m_traceDefinitions;
    int m_file = -1;
    int m_trace = -1;

    QListWidget* m_files = nullptr;
    QListWidget* m_traces = nullptr;
    QComboBox* m_colour = nullptr;
    QButtonGroup* m_field = nullptr;
    QButtonGroup* m_range = nullptr;
    QRadioButton* m_fieldButtons[3] = {};
    QRadioButton* m_actual = nullptr;
    QRadioButton* m_suggested = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_stop = nullptr;
    QLineEdit* m_increment = nullptr;
    QLineEdit* m_actualMin = nullptr;
    QLineEdit* m_actualMax = nullptr;
    QLineEdit* m_suggestedMin = nullptr;
    QLineEdit* m_suggestedMax = nullptr;
    QLineEdit* m_shift = nullptr;
    QLineEdit* m_filter = nullptr;
    QPushButton* m_unload = nullptr;
    QPushButton* m_addNew = nullptr;
};

// Reads a number as the real-number prompt does: blanks skipped, the leading number taken, anything
// after it ignored; false (and the value untouched) when no number can be read.
bool ReadLeadingNumber(const std::wstring& text, double& value);
