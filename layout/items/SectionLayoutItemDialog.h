#pragma once
// "Section Properties": which boreholes and trace fields a section shows, between which depths or
// seams, at what scale and with what column widths. The dialog edits a copy of the section; the caller
// takes the copy over after OK.
#include <memory>

#include <QPointF>

#include "layout/geometry/SectionLayoutItem.h"
#include "widgets/dialogs/DdxDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class CQuorDoc;

class CSectionLayoutItemDialog : public DdxDialog {
    Q_OBJECT
public:
    CSectionLayoutItemDialog(const QPointF& position, const CQuorDoc& document, const SectionLayoutItem& item,
                             QWidget* parent = nullptr);

    // The copy the dialog edits.
    const std::shared_ptr<SectionLayoutItem>& Item() const { return m_item; }
    const QPointF& Position() const { return m_position; }

    // The user chose another borehole for the top (1334) or the bottom (1333): that end's seam list is
    // filled with the borehole's seams.
    void OnTopBoreholeChanged();
    void OnBottomBoreholeChanged();
    // Enables the depth edit or the seam list of each end by its option, and OK while anything is shown.
    void UpdateControls();

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    // The distinct non-empty seams of a borehole's units in ascending order, into a seam list; the name
    // shown before stays chosen when the list has it, and `keep` (a stored name) is listed even when
    // no unit carries it.
    void fillSeams(QComboBox* seams, int borehole, const std::wstring& keep);

    QPointF m_position;
    const CQuorDoc& m_document;
    std::shared_ptr<SectionLayoutItem> m_item;

    QLineEdit* m_scale = nullptr;
    QComboBox* m_topBorehole = nullptr;
    QComboBox* m_bottomBorehole = nullptr;
    QComboBox* m_topOption = nullptr;
    QComboBox* m_bottomOption = nullptr;
    QLineEdit* m_topDepth = nullptr;
    QLineEdit* m_bottomDepth = nullptr;
    QComboBox* m_topSeam = nullptr;
    QComboBox* m_bottomSeam = nullptr;
    QCheckBox* m_show[SectionLayoutItem::ColumnKinds] = {};
    QLineEdit* m_boreWidth = nullptr;
    QLineEdit* m_traceWidth = nullptr;
    QLineEdit* m_annotationWidth = nullptr;
    QLineEdit* m_depthWidth = nullptr;
    QPushButton* m_ok = nullptr;
};
