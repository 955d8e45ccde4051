#include "layout/items/SectionLayoutItemDialog.h"

#include <set>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "docview/document/QuorDoc.h"
#include "printsetup/pagesetup/FloatOneDecimal.h"
#include "widgets/dialogs/DataExchange.h"

namespace {

constexpr int ScaleRefusal = 380; // "Please enter a scale greater than 0."

QComboBox* Combo(QWidget* parent, int id)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("id%1").arg(id));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QLineEdit* Edit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    return edit;
}

const QStringList& OptionTexts()
{
    static const QStringList texts{QStringLiteral("Depth"), QStringLiteral("Top of seam"),
                                   QStringLiteral("Bottom of seam")};
    return texts;
}

} // namespace

CSectionLayoutItemDialog::CSectionLayoutItemDialog(const QPointF& position, const CQuorDoc& document,
                                                   const SectionLayoutItem& item, QWidget* parent)
    : DdxDialog(215, parent), m_position(position), m_document(document),
      m_item(std::make_shared<SectionLayoutItem>(item))
{
    setWindowTitle(QStringLiteral("Section Properties"));
    auto* layout = new QVBoxLayout(this);

    auto* scaleRow = new QHBoxLayout;
    m_scale = Edit(this, 1044);
    auto* scaleLabel = new QLabel(QStringLiteral("&Scale:"), this);
    scaleLabel->setBuddy(m_scale);
    scaleRow->addWidget(scaleLabel);
    scaleRow->addWidget(new QLabel(QStringLiteral("1:"), this));
    scaleRow->addWidget(m_scale);
    scaleRow->addWidget(new QLabel(QStringLiteral("(depth units per mm)"), this));
    scaleRow->addStretch(1);
    layout->addLayout(scaleRow);

    auto* ends = new QGroupBox(QStringLiteral("Depth range"), this);
    auto* endsGrid = new QGridLayout(ends);
    m_topBorehole = Combo(ends, 1334);
    m_bottomBorehole = Combo(ends, 1333);
    m_topOption = Combo(ends, 1335);
    m_bottomOption = Combo(ends, 1336);
    m_topOption->addItems(OptionTexts());
    m_bottomOption->addItems(OptionTexts());
    m_topDepth = Edit(ends, 1338);
    m_bottomDepth = Edit(ends, 1337);
    m_topSeam = Combo(ends, 1339);
    m_bottomSeam = Combo(ends, 1341);
    endsGrid->addWidget(new QLabel(QStringLiteral("Borehole"), ends), 0, 1);
    endsGrid->addWidget(new QLabel(QStringLiteral("From"), ends), 0, 2);
    endsGrid->addWidget(new QLabel(QStringLiteral("Depth"), ends), 0, 3);
    endsGrid->addWidget(new QLabel(QStringLiteral("Seam"), ends), 0, 4);
    m_topSeam->setMinimumContentsLength(12);
    m_bottomSeam->setMinimumContentsLength(12);
    auto* topLabel = new QLabel(QStringLiteral("&Top:"), ends);
    topLabel->setBuddy(m_topBorehole);
    auto* bottomLabel = new QLabel(QStringLiteral("&Bottom:"), ends);
    bottomLabel->setBuddy(m_bottomBorehole);
    endsGrid->addWidget(topLabel, 1, 0);
    endsGrid->addWidget(m_topBorehole, 1, 1);
    endsGrid->addWidget(m_topOption, 1, 2);
    endsGrid->addWidget(m_topDepth, 1, 3);
    endsGrid->addWidget(m_topSeam, 1, 4);
    endsGrid->addWidget(bottomLabel, 2, 0);
    endsGrid->addWidget(m_bottomBorehole, 2, 1);
    endsGrid->addWidget(m_bottomOption, 2, 2);
    endsGrid->addWidget(m_bottomDepth, 2, 3);
    endsGrid->addWidget(m_bottomSeam, 2, 4);
    endsGrid->setColumnStretch(4, 1);
    layout->addWidget(ends);

    auto* columns = new QGroupBox(QStringLiteral("Display"), this);
    auto* columnsGrid = new QGridLayout(columns);
    const int checkIds[SectionLayoutItem::ColumnKinds] = {1154, 1155, 1156, 1152, 1153};
    const char* checkTexts[SectionLayoutItem::ColumnKinds] = {"&Left borehole", "&Right borehole", "&First trace field",
                                                              "S&econd trace field", "T&hird trace field"};
    for (int k = 0; k < SectionLayoutItem::ColumnKinds; ++k) {
        m_show[k] = new QCheckBox(QString::fromLatin1(checkTexts[k]), columns);
        m_show[k]->setObjectName(QStringLiteral("id%1").arg(checkIds[k]));
        columnsGrid->addWidget(m_show[k], k, 0);
        connect(m_show[k], &QCheckBox::clicked, this, &CSectionLayoutItemDialog::UpdateControls);
    }
    m_depthWidth = Edit(columns, 1344);
    m_boreWidth = Edit(columns, 1340);
    m_annotationWidth = Edit(columns, 1343);
    m_traceWidth = Edit(columns, 1342);
    const std::pair<const char*, QLineEdit*> widths[] = {{"Depth &width:", m_depthWidth},
                                                         {"B&ore field width:", m_boreWidth},
                                                         {"&Annotation width:", m_annotationWidth},
                                                         {"Tra&ce field width:", m_traceWidth}};
    int row = 0;
    for (const auto& [text, edit] : widths) {
        auto* label = new QLabel(QString::fromLatin1(text), columns);
        label->setBuddy(edit);
        columnsGrid->addWidget(label, row, 1);
        columnsGrid->addWidget(edit, row, 2);
        columnsGrid->addWidget(new QLabel(QStringLiteral("mm"), columns), row, 3);
        ++row;
    }
    layout->addWidget(columns);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = box->button(QDialogButtonBox::Ok);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);

    // Only the user's choice of a borehole refills its seams; filling from code goes another way.
    connect(m_topBorehole, &QComboBox::activated, this, &CSectionLayoutItemDialog::OnTopBoreholeChanged);
    connect(m_bottomBorehole, &QComboBox::activated, this, &CSectionLayoutItemDialog::OnBottomBoreholeChanged);
    connect(m_topOption, &QComboBox::currentIndexChanged, this, &CSectionLayoutItemDialog::UpdateControls);
    connect(m_bottomOption, &QComboBox::currentIndexChanged, this, &CSectionLayoutItemDialog::UpdateControls);
}

bool CSectionLayoutItemDialog::OnInitDialog()
{
    for (QComboBox* combo : {m_topBorehole, m_bottomBorehole}) {
        combo->clear();
        for (int k = 0; k < BoreholeDocument::PaneCount; ++k)
            combo->addItem(
                QStringLiteral("Bore %1: %2").arg(k).arg(QString::fromStdWString(m_document.GetBorehole(k).name)));
    }
    // The seam lists hold the chosen boreholes' seams from the start, so that a seam the section
    // already names stays chosen when the dialog is closed with OK untouched.
    fillSeams(m_topSeam, m_item->topBorehole, m_item->topSpec.seam);
    fillSeams(m_bottomSeam, m_item->bottomBorehole, m_item->bottomSpec.seam);
    const bool loaded = DdxDialog::OnInitDialog();
    UpdateControls();
    return loaded;
}

void CSectionLayoutItemDialog::exchange(bool save)
{
    SectionLayoutItem& item = *m_item;
    Ddx::Text(save, m_scale, item.scale);
    // A section is drawn at its scale: one of 0 or below would give it no depth at all.
    if (save && !IsUsableSectionScale(item.scale))
        throw Ddx::Refusal(m_scale, ORBAX_Utilities::get_message_wide(ScaleRefusal));
    Ddx::ComboIndex(save, m_topBorehole, item.topBorehole);
    Ddx::ComboIndex(save, m_bottomBorehole, item.bottomBorehole);
    Ddx::ComboIndex(save, m_topOption, item.topSpec.option);
    Ddx::ComboIndex(save, m_bottomOption, item.bottomSpec.option);
    // Each end exchanges its depth or its seam by its option; loading shows both, so that switching
    // the option shows what the section keeps for the other.
    auto end = [save](DepthSpec& bound, QLineEdit* depth, QComboBox* seams) {
        if (!save) {
            Ddx::Text(false, depth, bound.depth);
            seams->setCurrentIndex(seams->findText(QString::fromStdWString(bound.seam), Qt::MatchExactly));
        } else if (bound.option == DepthSpec::Depth) {
            Ddx::Text(true, depth, bound.depth);
        } else {
            bound.seam = seams->currentText().toStdWString();
        }
    };
    end(item.topSpec, m_topDepth, m_topSeam);
    end(item.bottomSpec, m_bottomDepth, m_bottomSeam);
    bool* flags[SectionLayoutItem::ColumnKinds] = {&item.showLeftBorehole, &item.showRightBorehole, &item.showTrace1,
                                                   &item.showTrace2, &item.showTrace3};
    for (int k = 0; k < SectionLayoutItem::ColumnKinds; ++k)
        Ddx::Check(save, m_show[k], *flags[k]);
    DDX_Float(save, m_boreWidth, item.boreFieldWidth);
    DDX_Float(save, m_traceWidth, item.traceFieldWidth);
    DDX_Float(save, m_annotationWidth, item.annotationWidth);
    DDX_Float(save, m_depthWidth, item.depthWidth);
}

void CSectionLayoutItemDialog::fillSeams(QComboBox* seams, int borehole, const std::wstring& keep)
{
    const QString shown = seams->currentText();
    std::set<std::wstring> names;
    const int pane = borehole == BoreholeDocument::Left ? BoreholeDocument::Left : BoreholeDocument::Right;
    for (const ORBAX_Logging::Interval& unit : m_document.GetBorehole(pane)) {
        std::wstring name = unit.seam.str();
        if (!name.empty())
            names.insert(std::move(name));
    }
    if (!keep.empty())
        names.insert(keep);
    seams->clear();
    for (const std::wstring& name : names)
        seams->addItem(QString::fromStdWString(name));
    seams->setCurrentIndex(seams->findText(shown, Qt::MatchExactly));
}

void CSectionLayoutItemDialog::OnTopBoreholeChanged() { fillSeams(m_topSeam, m_topBorehole->currentIndex(), {}); }

void CSectionLayoutItemDialog::OnBottomBoreholeChanged()
{
    fillSeams(m_bottomSeam, m_bottomBorehole->currentIndex(), {});
}

void CSectionLayoutItemDialog::UpdateControls()
{
    const bool topIsDepth = m_topOption->currentIndex() == DepthSpec::Depth;
    m_topSeam->setEnabled(!topIsDepth);
    m_topDepth->setEnabled(topIsDepth);
    const bool bottomIsDepth = m_bottomOption->currentIndex() == DepthSpec::Depth;
    m_bottomSeam->setEnabled(!bottomIsDepth);
    m_bottomDepth->setEnabled(bottomIsDepth);
    bool any = false;
    for (QCheckBox* check : m_show)
        any = any || check->isChecked();
    m_ok->setEnabled(any);
}

bool SectionLayoutItem::EditProperties(CQuorDoc& document, const QPointF& position)
{
    CSectionLayoutItemDialog dialog(position, document, *this);
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    *this = *dialog.Item();
    return true;
}
