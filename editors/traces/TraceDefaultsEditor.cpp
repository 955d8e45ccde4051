#include "editors/traces/TraceDefaultsEditor.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/ConfigText.h"
#include "core/catalogue/Messages.h"
#include "platform/Numbers.h"
#include "platform/services/Services.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/PositionedItems.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/DialogButtons.h"
#include "widgets/dialogs/HelpPages.h"

using ORBAX_Utilities::get_message_wide;

namespace {

constexpr int kMinimumEdit = 1292;
constexpr int kMaximumEdit = 1293;
constexpr unsigned kHelpContext = 0x20000 + 209;
const wchar_t kNewTraceTopic[] = L"hidd_newtracedef.htm";

QString qs(const std::wstring& text) { return QString::fromStdWString(text); }

template <class Button>
Button* named(Button* button, int id)
{
    button->setObjectName(QStringLiteral("id%1").arg(id));
    return button;
}

} // namespace

CTraceDefaultsEditor::CTraceDefaultsEditor(const TraceDefinitionList& definitions, QWidget* parent)
    : QDialog(parent), m_traces(definitions)
{
    setObjectName(QStringLiteral("dlg209"));
    setWindowTitle(QStringLiteral("Trace Defaults Editor"));

    m_list = named(new QListWidget(this), 1174);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* add = named(new QPushButton(QStringLiteral("&Add..."), this), 1242);
    m_delete = named(new QPushButton(QStringLiteral("&Delete"), this), 1264);
    m_rename = named(new QPushButton(QStringLiteral("&Rename..."), this), 1249);
    m_up = named(new QPushButton(QString(QChar(0x25B2)), this), 1246);
    m_down = named(new QPushButton(QString(QChar(0x25BC)), this), 1247);
    for (QPushButton* arrow : {m_up, m_down}) {
        QFont font = arrow->font();
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
        arrow->setFont(font);
        arrow->setMaximumWidth(arrow->fontMetrics().horizontalAdvance(QChar(0x25B2)) * 3 + 8);
    }

    m_plain = named(new QRadioButton(QStringLiteral("P&lain"), this), 1294);
    m_pattern = named(new QRadioButton(QStringLiteral("&Pattern"), this), 1285);
    m_matchGroup = new QButtonGroup(this);
    m_matchGroup->addButton(m_plain, 1294);
    m_matchGroup->addButton(m_pattern, 1285);

    m_colour = named(new QComboBox(this), 1142);
    m_fieldGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_field[i] = named(new QRadioButton(QStringLiteral("&%1").arg(i + 1), this), 1107 + i);
        m_fieldGroup->addButton(m_field[i], 1107 + i);
    }
    m_invisible = named(new QCheckBox(QStringLiteral("Trace is always in&visible"), this), 1300);
    m_actualRange = named(new QRadioButton(QStringLiteral("&Use actual range"), this), 1291);
    m_suggestedRange = named(new QRadioButton(QStringLiteral("Use su&ggested range"), this), 1290);
    m_rangeGroup = new QButtonGroup(this);
    m_rangeGroup->addButton(m_actualRange, 1291);
    m_rangeGroup->addButton(m_suggestedRange, 1290);
    m_minimum = new QLineEdit(this);
    m_minimum->setObjectName(QStringLiteral("id%1").arg(kMinimumEdit));
    m_maximum = new QLineEdit(this);
    m_maximum->setObjectName(QStringLiteral("id%1").arg(kMaximumEdit));

    // Layout: the names on the left with their buttons, the values of the selected one on the right.
    auto* nameLabel = new QLabel(QStringLiteral("&Trace name search pattern:"), this);
    nameLabel->setBuddy(m_list);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(add);
    listButtons->addWidget(m_delete);
    listButtons->addWidget(m_rename);
    listButtons->addStretch(1);
    listButtons->addWidget(m_up);
    listButtons->addWidget(m_down);
    auto* left = new QVBoxLayout;
    left->addWidget(nameLabel);
    left->addWidget(m_list, 1);
    left->addLayout(listButtons);

    auto* matchBox = new QGroupBox(QStringLiteral("Match type:"), this);
    auto* matchLayout = new QHBoxLayout(matchBox);
    matchLayout->addWidget(m_plain);
    matchLayout->addWidget(m_pattern);
    auto* fieldBox = new QGroupBox(QStringLiteral("Display field:"), this);
    auto* fieldLayout = new QHBoxLayout(fieldBox);
    for (QRadioButton* radio : m_field)
        fieldLayout->addWidget(radio);
    auto* rangeBox = new QGroupBox(QStringLiteral("Display range:"), this);
    auto* rangeLayout = new QGridLayout(rangeBox);
    rangeLayout->addWidget(m_actualRange, 0, 0, 1, 2);
    rangeLayout->addWidget(m_suggestedRange, 1, 0, 1, 2);
    auto* minimumLabel = new QLabel(QStringLiteral("M&inimum:"), this);
    minimumLabel->setBuddy(m_minimum);
    auto* maximumLabel = new QLabel(QStringLiteral("Ma&ximum:"), this);
    maximumLabel->setBuddy(m_maximum);
    rangeLayout->addWidget(minimumLabel, 2, 0);
    rangeLayout->addWidget(m_minimum, 2, 1);
    rangeLayout->addWidget(maximumLabel, 3, 0);
    rangeLayout->addWidget(m_maximum, 3, 1);
    auto* colourLabel = new QLabel(QStringLiteral("&Colour:"), this);
    colourLabel->setBuddy(m_colour);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colour, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(matchBox);
    right->addLayout(colourRow);
    right->addWidget(fieldBox);
    right->addWidget(rangeBox);
    right->addWidget(m_invisible);
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto showHelp = [this] { HelpPages::ShowContext(this, kHelpContext); };
    const DialogButtonRow buttons = OkCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("Help"), showHelp);
    AddHelpKey(this, showHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons.layout);

    // The colours, sorted by name, each carrying its index.
    for (int colour = 0; colour < TraceColourCount; ++colour)
        SortedItems::addSorted(m_colour, qs(get_message_wide(300 + colour)), colour);
    m_colour->setCurrentIndex(-1);

    for (std::size_t i = 0; i < m_traces.size(); ++i) {
        if (m_traces[i].name.empty())
            continue; // kept and written back, but not listed
        auto* item = new QListWidgetItem(qs(ConfigText::Widen(m_traces[i].name)), m_list);
        item->setData(Qt::UserRole, static_cast<int>(i));
    }

    connect(add, &QPushButton::clicked, this, &CTraceDefaultsEditor::OnAdd);
    connect(m_rename, &QPushButton::clicked, this, &CTraceDefaultsEditor::OnRename);
    connect(m_delete, &QPushButton::clicked, this, &CTraceDefaultsEditor::OnDelete);
    connect(m_up, &QPushButton::clicked, this, &CTraceDefaultsEditor::OnMoveUp);
    connect(m_down, &QPushButton::clicked, this, &CTraceDefaultsEditor::OnMoveDown);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CTraceDefaultsEditor::OnSelchangeTrace);
    connect(m_colour, &QComboBox::activated, this, &CTraceDefaultsEditor::OnSelchangeColour);
    connect(m_matchGroup, &QButtonGroup::idClicked, this, &CTraceDefaultsEditor::OnMatchType);
    connect(m_fieldGroup, &QButtonGroup::idClicked, this, &CTraceDefaultsEditor::OnDisplayField);
    connect(m_rangeGroup, &QButtonGroup::idClicked, this, &CTraceDefaultsEditor::OnRangeType);
    connect(m_invisible, &QCheckBox::clicked, this, &CTraceDefaultsEditor::OnInvisible);

    SortedItems::selectQuietly(m_list, m_list->count() > 0 ? 0 : -1);
    OnSelchangeTrace();
}

int CTraceDefaultsEditor::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

QString CTraceDefaultsEditor::FormatRange(double value)
{
    return QString::fromStdString(ORBAX_Platform::format_shortest(value));
}

bool CTraceDefaultsEditor::GetDlgItemDouble(int id, double& value) const
{
    const QLineEdit* edit = id == kMinimumEdit ? m_minimum : id == kMaximumEdit ? m_maximum : nullptr;
    if (!edit)
        throw std::runtime_error("Invalid dialog child item " + std::to_string(id));
    std::wstring text = edit->text().toStdWString();
    text = text.substr(0, text.find(L'\0'));
    std::size_t used = 0;
    double read = ORBAX_Platform::parse_double(text, &used);
    // The file holds finite numbers only; anything else keeps the value it had.
    if (used == 0 || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

int CTraceDefaultsEditor::definitionAt(int row) const { return PositionedItems::PositionAt(m_list, row); }

// The selected row, not the current one: the list makes its first row current without selecting it
// when it takes the focus, and nothing the user did not select may be changed or deleted.
int CTraceDefaultsEditor::selectedDefinition() const { return definitionAt(SortedItems::selectedRow(m_list)); }

void CTraceDefaultsEditor::storeRange()
{
    int index = definitionAt(m_shown);
    if (index < 0)
        return;
    TraceDefinition& definition = m_traces[static_cast<std::size_t>(index)];
    GetDlgItemDouble(kMinimumEdit, definition.minimum);
    GetDlgItemDouble(kMaximumEdit, definition.maximum);
}

void CTraceDefaultsEditor::clearControls()
{
    m_colour->setCurrentIndex(-1);
    m_minimum->clear();
    m_maximum->clear();
    for (QButtonGroup* group : {m_matchGroup, m_rangeGroup, m_fieldGroup}) {
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons())
            button->setChecked(false);
        group->setExclusive(true);
    }
    m_invisible->setChecked(false);
}

void CTraceDefaultsEditor::OnSelchangeTrace()
{
    storeRange();
    m_shown = SortedItems::selectedRow(m_list);
    int index = definitionAt(m_shown);
    if (index < 0) {
        clearControls();
    } else {
        const TraceDefinition& definition = m_traces[static_cast<std::size_t>(index)];
        (definition.pattern == 1 ? m_pattern : m_plain)->setChecked(true);
        m_invisible->setChecked(!definition.visible);
        if (definition.displayField >= 1 && definition.displayField <= 3) {
            m_field[definition.displayField - 1]->setChecked(true);
        } else {
            m_fieldGroup->setExclusive(false);
            for (QRadioButton* radio : m_field)
                radio->setChecked(false);
            m_fieldGroup->setExclusive(true);
        }
        m_colour->setCurrentIndex(m_colour->findData(definition.colourIndex));
        (definition.ownRange ? m_actualRange : m_suggestedRange)->setChecked(true);
        m_minimum->setText(FormatRange(definition.minimum));
        m_maximum->setText(FormatRange(definition.maximum));
    }
    enableControls();
}

void CTraceDefaultsEditor::enableControls()
{
    const int row = SortedItems::selectedRow(m_list);
    const bool selected = definitionAt(row) >= 0;
    const bool values = selected && !m_invisible->isChecked();
    m_rename->setEnabled(selected);
    m_delete->setEnabled(selected);
    m_up->setEnabled(selected && row > 0);
    m_down->setEnabled(selected && row < m_list->count() - 1);
    m_invisible->setEnabled(selected);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_field[0], m_field[1], m_field[2], m_plain, m_pattern, m_colour,
                                         m_actualRange, m_suggestedRange, m_minimum, m_maximum})
        control->setEnabled(values);
}

bool CTraceDefaultsEditor::askName(std::wstring& name)
{
    // Trace definitions may share a name; an empty one, or one the file cannot hold, is refused.
    return EditorNames::AskNewName(this, name, {230, 231, kNewTraceTopic, 0}, {});
}

void CTraceDefaultsEditor::OnAdd()
{
    std::wstring name = L"new_trace_name";
    if (!askName(name))
        return;
    TraceDefinition definition; // 0 to 100, blue, field 1, visible, suggested range, plain
    definition.name = ConfigText::Narrow(name);
    m_traces.push_back(definition);
    auto* item = new QListWidgetItem(qs(ConfigText::Widen(definition.name)), m_list);
    item->setData(Qt::UserRole, static_cast<int>(m_traces.size() - 1));
    SortedItems::selectQuietly(m_list, m_list->count() - 1);
    OnSelchangeTrace();
}

void CTraceDefaultsEditor::OnRename()
{
    int index = selectedDefinition();
    if (index < 0)
        return;
    TraceDefinition& definition = m_traces[static_cast<std::size_t>(index)];
    std::wstring name = ConfigText::Widen(definition.name);
    if (!askName(name))
        return;
    if (m_plain->isChecked()) {
        definition.name = ConfigText::Narrow(name);
        definition.pattern = 0;
    } else if (!definition.SetName(ConfigText::Narrow(name))) {
        ORBAX_Platform::showMessage(this, get_message_wide(232), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Warning);
    }
    PositionedItems::Rename(m_list, SortedItems::selectedRow(m_list), qs(ConfigText::Widen(definition.name)));
    OnSelchangeTrace();
}

void CTraceDefaultsEditor::OnDelete()
{
    if (PositionedItems::Erase(m_traces, m_list, SortedItems::selectedRow(m_list)) < 0)
        return;
    // The edits held the removed definition's range: they go with it.
    m_shown = -1;
    clearControls();
    enableControls();
}

void CTraceDefaultsEditor::moveSelected(int step)
{
    const int row = SortedItems::selectedRow(m_list);
    if (!PositionedItems::MoveSelected(m_list, m_traces, step))
        return;
    // The range edits belong to the definition shown, which has moved with its row.
    if (m_shown == row)
        m_shown = row + step;
    else if (m_shown == row + step)
        m_shown = row;
    enableControls();
}

void CTraceDefaultsEditor::OnMoveUp() { moveSelected(-1); }

void CTraceDefaultsEditor::OnMoveDown() { moveSelected(+1); }

void CTraceDefaultsEditor::OnSelchangeColour()
{
    int index = selectedDefinition();
    if (index < 0 || m_colour->currentIndex() < 0)
        return;
    m_traces[static_cast<std::size_t>(index)].colourIndex = m_colour->currentData().toInt();
}

void CTraceDefaultsEditor::OnMatchType()
{
    int index = selectedDefinition();
    if (index < 0)
        return;
    TraceDefinition& definition = m_traces[static_cast<std::size_t>(index)];
    if (m_plain->isChecked()) {
        definition.pattern = 0;
    } else if (m_pattern->isChecked() && !definition.SetName(definition.name)) {
        ORBAX_Platform::showMessage(this, get_message_wide(232), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Warning);
    }
}

void CTraceDefaultsEditor::OnDisplayField()
{
    int index = selectedDefinition();
    if (index < 0)
        return;
    int checked = m_fieldGroup->checkedId();
    m_traces[static_cast<std::size_t>(index)].displayField = checked == 1108 ? 2 : checked == 1109 ? 3 : 1;
}

void CTraceDefaultsEditor::OnRangeType()
{
    int index = selectedDefinition();
    if (index >= 0)
        m_traces[static_cast<std::size_t>(index)].ownRange = m_actualRange->isChecked();
}

void CTraceDefaultsEditor::OnInvisible()
{
    int index = selectedDefinition();
    if (index < 0)
        return;
    m_traces[static_cast<std::size_t>(index)].visible = !m_invisible->isChecked();
    enableControls();
}

void CTraceDefaultsEditor::accept()
{
    storeRange();
    QDialog::accept();
}
