#include "dialogs/LasSetup.h"

#include <filesystem>
#include <sstream>

#include <QButtonGroup>
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
#include "core/model/NoCaseCompare.h"
#include "las/LasException.h"
#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"
#include "widgets/dialogs/DialogUnits.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PromptedName.h"

using ORBAX_Utilities::get_message_wide;

namespace {

constexpr int kResource = 134;

QString Text(const std::wstring& text) { return QString::fromStdWString(text); }

std::wstring Fixed3(double value)
{
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed);
    out.precision(3);
    out << value;
    return out.str();
}

void ShowNumber(QLineEdit* edit, double value) { edit->setText(Text(Fixed3(value))); }

// Three decimals on display; read back as the real-number prompt reads, keeping the value when the
// text holds no number.
void Number(bool save, QLineEdit* edit, double& value)
{
    if (!save)
        ShowNumber(edit, value);
    else
        ReadLeadingNumber(edit->text().toStdWString(), value);
}

// "LAS files (*.LAS)|*.LAS|All Files (*.*)|*.*||" as a file prompt's filter list.
QString PromptFilter(const std::wstring& text) { return QtFileFilters(text).join(QStringLiteral(";;")); }

QLineEdit* MakeEdit(QWidget* parent, int id, bool readOnly = false)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    edit->setReadOnly(readOnly);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

bool ReadLeadingNumber(const std::wstring& text, double& value)
{
    std::wistringstream in(text);
    double read = 0;
    if (!(in >> read))
        return false;
    value = read;
    return true;
}

LasSetup::LasSetup(std::vector<TraceSetInfo>& entries, TraceDefinitionList traceDefinitions, QWidget* parent)
    : DdxDialog(kResource, parent), m_entries(entries), m_traceDefinitions(std::move(traceDefinitions))
{
    setWindowTitle(QStringLiteral("Trace Manager"));
    buildControls();
    resize(DialogUnits(this).size(354, 270));
}

void LasSetup::buildControls()
{
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    top->addLayout(columns, 1);

    // Files: the list, the file's depths, and the buttons that add and unload files.
    auto* fileBox = new QVBoxLayout;
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("id1038"));
    m_files->setSortingEnabled(false);
    m_files->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    fileBox->addWidget(MakeLabel(this, QStringLiteral("&Files:"), m_files));
    fileBox->addWidget(m_files, 1);
    auto* depths = new QGridLayout;
    m_start = MakeEdit(this, 1039, true);
    m_stop = MakeEdit(this, 1040, true);
    m_increment = MakeEdit(this, 1041, true);
    depths->addWidget(MakeLabel(this, QStringLiteral("Start:"), m_start), 0, 0);
    depths->addWidget(m_start, 0, 1);
    depths->addWidget(MakeLabel(this, QStringLiteral("Stop:"), m_stop), 1, 0);
    depths->addWidget(m_stop, 1, 1);
    depths->addWidget(MakeLabel(this, QStringLiteral("Increment:"), m_increment), 2, 0);
    depths->addWidget(m_increment, 2, 1);
    fileBox->addLayout(depths);
    auto* fileButtons = new QHBoxLayout;
    m_addNew = new QPushButton(QStringLiteral("Add Ne&w..."), this);
    m_addNew->setObjectName(QStringLiteral("id1141"));
    m_unload = new QPushButton(QStringLiteral("&Unload"), this);
    m_unload->setObjectName(QStringLiteral("id1140"));
    fileButtons->addWidget(m_addNew);
    fileButtons->addWidget(m_unload);
    fileBox->addLayout(fileButtons);
    columns->addLayout(fileBox, 3);

    // Traces of the chosen file.
    auto* traceBox = new QVBoxLayout;
    m_traces = new QListWidget(this);
    m_traces->setObjectName(QStringLiteral("id1144"));
    m_traces->setSortingEnabled(false);
    traceBox->addWidget(MakeLabel(this, QStringLiteral("&Traces:"), m_traces));
    traceBox->addWidget(m_traces, 1);
    columns->addLayout(traceBox, 2);

    // The chosen trace's settings.
    auto* settings = new QVBoxLayout;
    auto* fieldGroup = new QGroupBox(QStringLiteral("Field"), this);
    auto* fieldLayout = new QHBoxLayout(fieldGroup);
    m_field = new QButtonGroup(this);
    static const char* const fieldTexts[3] = {"&1", "&2", "&3"};
    for (int i = 0; i < 3; ++i) {
        m_fieldButtons[i] = new QRadioButton(QString::fromLatin1(fieldTexts[i]), fieldGroup);
        m_fieldButtons[i]->setObjectName(QStringLiteral("id%1").arg(1107 + i));
        m_field->addButton(m_fieldButtons[i], i);
        fieldLayout->addWidget(m_fieldButtons[i]);
    }
    settings->addWidget(fieldGroup);

    auto* colourRow = new QHBoxLayout;
    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("id1142"));
    colourRow->addWidget(MakeLabel(this, QStringLiteral("&Colour:"), m_colour));
    colourRow->addWidget(m_colour, 1);
    settings->addLayout(colourRow);

    m_range = new QButtonGroup(this);
    auto rangeGroup = [this, settings](const QString& title, const QString& radioText, int radioId, int minId,
                                       const QString& minText, int maxId, const QString& maxText, bool readOnly,
                                       QRadioButton*& radio, QLineEdit*& minEdit, QLineEdit*& maxEdit) {
        auto* group = new QGroupBox(title, this);
        auto* grid = new QGridLayout(group);
        radio = new QRadioButton(radioText, group);
        radio->setObjectName(QStringLiteral("id%1").arg(radioId));
        m_range->addButton(radio, m_range->buttons().size());
        minEdit = MakeEdit(group, minId, readOnly);
        maxEdit = MakeEdit(group, maxId, readOnly);
        grid->addWidget(radio, 0, 0, 1, 2);
        grid->addWidget(MakeLabel(group, minText, minEdit), 1, 0);
        grid->addWidget(minEdit, 1, 1);
        grid->addWidget(MakeLabel(group, maxText, maxEdit), 2, 0);
        grid->addWidget(maxEdit, 2, 1);
        settings->addWidget(group);
    };
    rangeGroup(QStringLiteral("Actual Range"), QStringLiteral("U&sing"), 1029, 1037, QStringLiteral("M&in:"), 1020,
               QStringLiteral("&Max:"), true, m_actual, m_actualMin, m_actualMax);
    rangeGroup(QStringLiteral("Suggested Range"), QStringLiteral("Usin&g"), 1030, 1026, QStringLiteral("Mi&n:"), 1027,
               QStringLiteral("Ma&x:"), false, m_suggested, m_suggestedMin, m_suggestedMax);

    auto* shiftRow = new QGridLayout;
    m_shift = MakeEdit(this, 1128);
    m_filter = MakeEdit(this, 1143);
    shiftRow->addWidget(MakeLabel(this, QStringLiteral("S&hift:"), m_shift), 0, 0);
    shiftRow->addWidget(m_shift, 0, 1);
    shiftRow->addWidget(MakeLabel(this, QStringLiteral("Filter &distance:"), m_filter), 1, 0);
    shiftRow->addWidget(m_filter, 1, 1);
    settings->addLayout(shiftRow);
    settings->addStretch(1);
    columns->addLayout(settings, 3);

    top->addLayout(OkCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("Help"), [this] { OnHelp(); }).layout);

    // Choices by the user only: lists filled or selected from code send nothing.
    connect(m_files, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_files->signalsBlocked())
            OnChooseFile();
    });
    connect(m_traces, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_traces->signalsBlocked())
            OnChooseTrace();
    });
    connect(m_addNew, &QPushButton::clicked, this, &LasSetup::OnAddNew);
    connect(m_unload, &QPushButton::clicked, this, &LasSetup::OnUnload);
}

bool LasSetup::OnInitDialog()
{
    {
        QSignalBlocker block(m_files);
        m_files->clear();
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].state != TraceSetInfo::ToUnload && m_entries[i].state != TraceSetInfo::Discarded)
                addFileLine(m_entries[i].fileName, static_cast<int>(i));
    }
    {
        QSignalBlocker block(m_colour);
        m_colour->clear();
        for (int c = 0; c <= 16; ++c)
            m_colour->addItem(Text(get_message_wide(300 + c)), c);
        m_colour->setCurrentIndex(-1);
    }
    updateControls();
    return DdxDialog::OnInitDialog();
}

int LasSetup::addFileLine(const std::wstring& name, int entry)
{
    // Sorted without regard to case, as the list always was; Qt's own sorting would go by case.
    const NoCaseCompare compare;
    int row = 0;
    while (row < m_files->count() && compare.Compare(m_files->item(row)->text().toStdWString(), name) <= 0)
        ++row;
    auto* item = new QListWidgetItem(Text(name));
    item->setData(Qt::UserRole, entry);
    m_files->insertItem(row, item);
    return row;
}

int LasSetup::rowOfEntry(int entry) const
{
    for (int row = 0; row < m_files->count(); ++row)
        if (m_files->item(row)->data(Qt::UserRole).toInt() == entry)
            return row;
    return -1;
}

void LasSetup::exchange(bool save)
{
    const bool fileChosen = m_file >= 0 && static_cast<std::size_t>(m_file) < m_entries.size();
    if (!fileChosen) {
        if (!save) {
            m_start->clear();
            m_stop->clear();
            m_increment->clear();
        }
    } else if (!save) {
        const TraceSetInfo& entry = m_entries[static_cast<std::size_t>(m_file)];
        ShowNumber(m_start, entry.startDepth);
        ShowNumber(m_stop, entry.stopDepth);
        ShowNumber(m_increment, entry.step);
    }
    const bool traceChosen =
        fileChosen && m_trace >= 0 &&
        static_cast<std::size_t>(m_trace) < m_entries[static_cast<std::size_t>(m_file)].curves.size();
    if (!traceChosen) {
        if (!save) {
            for (QLineEdit* edit : {m_shift, m_filter, m_actualMin, m_actualMax, m_suggestedMin, m_suggestedMax})
                edit->clear();
            int none = -1;
            Ddx::Radio(false, m_range, none);
            Ddx::Radio(false, m_field, none);
            Ddx::ComboIndex(false, m_colour, none);
        }
        return;
    }
    TraceSettings& trace = m_entries[static_cast<std::size_t>(m_file)].curves[static_cast<std::size_t>(m_trace)];
    Number(save, m_shift, trace.depthOffset);
    Ddx::Text(save, m_filter, trace.smoothingWindow);
    Ddx::ComboIndex(save, m_colour, trace.colourIndex);
    Ddx::Radio(save, m_field, trace.displayField);
    int range = trace.ownRange ? 0 : 1;
    Ddx::Radio(save, m_range, range);
    if (save && range >= 0)
        trace.ownRange = range == 0;
    Number(save, m_suggestedMin, trace.rangeMinimum);
    Number(save, m_suggestedMax, trace.rangeMaximum);
    if (!save) {
        ShowNumber(m_actualMin, trace.minimum);
        ShowNumber(m_actualMax, trace.maximum);
    }
}

void LasSetup::fillTraces()
{
    QSignalBlocker block(m_traces);
    m_traces->clear();
    if (m_file < 0)
        return;
    const TraceSetInfo& entry = m_entries[static_cast<std::size_t>(m_file)];
    for (std::size_t i = 0; i < entry.curves.size(); ++i) {
        if (!entry.curves[i].listed)
            continue;
        auto* item = new QListWidgetItem(Text(entry.curves[i].mnemonic));
        item->setData(Qt::UserRole, static_cast<int>(i));
        m_traces->addItem(item);
    }
}

void LasSetup::OnChooseFile()
{
    QListWidgetItem* item = m_files->currentItem();
    if (!item || !item->isSelected()) {
        QSignalBlocker block(m_traces);
        m_traces->clear();
        m_file = -1;
        m_trace = -1;
    } else {
        const int chosen = item->data(Qt::UserRole).toInt();
        if (chosen != m_file) {
            // The trace being left keeps its edits; a refused value keeps the user where they were.
            if (!UpdateData(true)) {
                QSignalBlocker block(m_files);
                const int row = rowOfEntry(m_file);
                m_files->setCurrentRow(row);
                if (row < 0)
                    m_files->clearSelection();
                return;
            }
            m_file = chosen;
            m_trace = -1;
            fillTraces();
            UpdateData(false);
        }
    }
    updateControls();
}

void LasSetup::OnChooseTrace()
{
    QListWidgetItem* item = m_traces->currentItem();
    const int chosen = item && item->isSelected() ? item->data(Qt::UserRole).toInt() : -1;
    if (chosen != m_trace) {
        if (!UpdateData(true)) {
            QSignalBlocker block(m_traces);
            for (int row = 0; row < m_traces->count(); ++row)
                if (m_traces->item(row)->data(Qt::UserRole).toInt() == m_trace)
                    m_traces->setCurrentRow(row);
            return;
        }
        m_trace = chosen;
        UpdateData(false);
    }
    updateControls();
}

void LasSetup::OnAddNew()
{
    if (!UpdateData(true))
        return;
    ORBAX_Platform::Settings options(L"Options");
    const std::wstring folder = options.readString(L"LasPath", std::wstring());
    QString selected;
    QString chosen;
    std::wstring name;
    if (ORBAX_Platform::filePrompts().openFileName(this, Text(get_message_wide(154)),
                                                   ORBAX_Platform::qt_from_name(folder),
                                                   PromptFilter(get_message_wide(171)), selected, chosen) &&
        PromptedFileName(this, chosen, name)) {
        auto file = std::make_unique<LasProperty>(m_traceDefinitions);
        std::wstring errorText;
        int result = 0;
        try {
            result = file->read(name, errorText);
        } catch (const ORBAX_Geophysics::LasException& e) {
            result = e.code() != 0 ? e.code() : 3;
            errorText = ConfigText::Widen(e.what());
        } catch (const std::exception& e) {
            result = 3;
            errorText = ConfigText::Widen(e.what());
        }
        if (result != 0) {
            ORBAX_Platform::showMessage(this, errorText, ORBAX_Platform::MessageButtons::Ok,
                                        ORBAX_Platform::MessageIcon::Error);
        } else {
            TraceSetInfo entry(*file);
            entry.state = TraceSetInfo::Added;
            entry.loadedFile = std::move(file);
            m_entries.push_back(std::move(entry));
            const int index = static_cast<int>(m_entries.size()) - 1;
            int row;
            {
                QSignalBlocker block(m_files);
                row = addFileLine(m_entries.back().fileName, index);
                m_files->setCurrentRow(row);
            }
            OnChooseFile();
            options.writeString(L"LasPath", ORBAX_Platform::folder_of_name(name));
        }
    }
    updateControls();
}

void LasSetup::OnUnload()
{
    QListWidgetItem* item = m_files->currentItem();
    if (item && item->isSelected()) {
        const int index = item->data(Qt::UserRole).toInt();
        {
            QSignalBlocker block(m_files);
            delete m_files->takeItem(m_files->row(item));
            m_files->clearSelection();
        }
        if (index >= 0 && static_cast<std::size_t>(index) < m_entries.size()) {
            TraceSetInfo& entry = m_entries[static_cast<std::size_t>(index)];
            if (entry.loadedFile) {
                entry.loadedFile.reset();
                entry.state = TraceSetInfo::Discarded;
            } else {
                entry.state = TraceSetInfo::ToUnload;
            }
        }
        // No file is chosen any more, so the trace step below saves nothing into the unloaded entry.
        m_file = -1;
        {
            QSignalBlocker block(m_traces);
            m_traces->clear();
        }
        OnChooseTrace();
    }
    updateControls();
}

void LasSetup::reject()
{
    for (TraceSetInfo& entry : m_entries)
        if (entry.state == TraceSetInfo::Added) {
            entry.loadedFile.reset();
            entry.state = TraceSetInfo::Discarded;
        }
    DdxDialog::reject();
}

void LasSetup::setTraceControlsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{m_shift, m_actual, m_suggested, m_actualMin, m_actualMax,
                                                            m_suggestedMin, m_suggestedMax, m_colour, m_filter,
                                                            m_fieldButtons[0], m_fieldButtons[1], m_fieldButtons[2]})
        control->setEnabled(enabled);
}

void LasSetup::updateControls()
{
    const bool fileChosen = m_file >= 0;
    for (QWidget* control : std::initializer_list<QWidget*>{m_traces, m_unload, m_start, m_stop, m_increment})
        control->setEnabled(fileChosen);
    setTraceControlsEnabled(fileChosen && m_trace >= 0);
}
