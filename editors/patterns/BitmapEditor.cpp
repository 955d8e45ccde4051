#include "editors/patterns/BitmapEditor.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "editors/patterns/BitmapView.h"
#include "editors/patterns/ImageFileFilter.h"
#include "platform/Paths.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/controls/ColourComboBox.h"
#include "widgets/controls/EditedTables.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/controls/UpDownControl.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

constexpr std::uint32_t incompleteColour = 0xFFFF0000u;
const wchar_t* const newBitmapTopic = L"hidd_newbitmap.htm";
constexpr int pendingChangesMessage = 225;
constexpr int filterMessage = 224;

std::filesystem::path ProgramFolder() { return ORBAX_Platform::Settings::ProgramFolder(); }

// The width typed: a whole number, or 0 for anything else (which the compile then refuses).
int TypedWidth(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

CBitmapEditor::CBitmapEditor(const BitmapTable& table, QWidget* parent)
    : QDialog(parent), patterns(EditedTables::Copy(table))
{
    build();
    OnInitDialog();
}

void CBitmapEditor::build()
{
    setObjectName(QStringLiteral("dlg207"));
    setWindowTitle(QStringLiteral("Bitmap Editor"));

    nameCombo = new CColourComboBox(this);
    nameCombo->setObjectName(QStringLiteral("id1174"));
    nameCombo->setSorted(true);
    auto* nameLabel = new QLabel(QStringLiteral("&Bitmap hatch:"), this);
    nameLabel->setBuddy(nameCombo);
    auto* addButton = EditorButton("&Add...", 1242, this);
    deleteButton = EditorButton("&Delete", 1264, this);
    renameButton = EditorButton("&Rename...", 1249, this);
    auto* top = new QHBoxLayout;
    top->addWidget(nameLabel);
    top->addWidget(nameCombo, 1);
    top->addWidget(addButton);
    top->addWidget(deleteButton);
    top->addWidget(renameButton);

    externalRadio = new QRadioButton(QStringLiteral("&External file"), this);
    externalRadio->setObjectName(QStringLiteral("id1265"));
    monoRadio = new QRadioButton(QStringLiteral("&Mono"), this);
    monoRadio->setObjectName(QStringLiteral("id1266"));
    auto* sources = new QButtonGroup(this);
    sources->addButton(externalRadio);
    sources->addButton(monoRadio);
    fileEdit = new QLineEdit(this);
    fileEdit->setObjectName(QStringLiteral("id1267"));
    fileEdit->setReadOnly(true);
    browseButton = EditorButton("&...", 1268, this);
    browseButton->setMaximumWidth(32);
    // The rows, one per line as the configuration file lists them.
    rowsEdit = new QPlainTextEdit(this);
    rowsEdit->setObjectName(QStringLiteral("id1256"));
    rowsEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    rowsEdit->setTabChangesFocus(true);
    rowsEdit->setMinimumHeight(90);
    rowsEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    widthEdit = new QLineEdit(this);
    widthEdit->setObjectName(QStringLiteral("id1009"));
    widthEdit->setMaximumWidth(60);
    spin = new UpDownControl(widthEdit, 1, 100, this);
    spin->setObjectName(QStringLiteral("id1170"));
    auto* widthLabel = new QLabel(QStringLiteral("&Width:"), this);
    widthLabel->setBuddy(widthEdit);
    compileButton = EditorButton("&Compile and update", 1259, this);

    auto* source = new QGridLayout;
    source->addWidget(externalRadio, 0, 0);
    source->addWidget(fileEdit, 0, 1, 1, 3);
    source->addWidget(browseButton, 0, 4);
    source->addWidget(monoRadio, 1, 0, Qt::AlignTop);
    source->addWidget(rowsEdit, 1, 1, 1, 4);
    source->addWidget(widthLabel, 2, 1, Qt::AlignRight);
    auto* width = new QHBoxLayout;
    width->setSpacing(0);
    width->addWidget(widthEdit);
    width->addWidget(spin);
    source->addLayout(width, 2, 2);
    source->addWidget(compileButton, 2, 3, 1, 2, Qt::AlignRight);
    source->setColumnStretch(3, 1);

    preview = new CBitmapView(this);
    preview->setObjectName(QStringLiteral("id1253"));
    auto* previewGroup = new QGroupBox(QStringLiteral("Preview"), this);
    auto* previewLayout = new QVBoxLayout(previewGroup);
    previewLayout->addWidget(preview);

    auto* ok = EditorButton("&OK", 1, this);
    ok->setDefault(true);
    auto* cancel = EditorButton("Cancel", 2, this);
    auto* help = EditorButton("Help", 57670, this);
    QHBoxLayout* buttons = ButtonRow({ok, cancel, help});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(source);
    layout->addWidget(previewGroup, 1);
    layout->addLayout(buttons);
    resize(sizeHint().expandedTo(QSize(600, 520)));

    connect(ok, &QPushButton::clicked, this, &CBitmapEditor::accept);
    connect(cancel, &QPushButton::clicked, this, &CBitmapEditor::reject);
    connect(help, &QPushButton::clicked, this, &CBitmapEditor::OnHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, &CBitmapEditor::OnHelp);
    connect(nameCombo, &QComboBox::activated, this, &CBitmapEditor::OnSelchangeBitmap);
    // Filling the edits from code notifies as typing does; showing a pattern clears the flag after.
    connect(rowsEdit, &QPlainTextEdit::textChanged, this, &CBitmapEditor::OnChangeDefinition);
    connect(widthEdit, &QLineEdit::textChanged, this, &CBitmapEditor::OnChangeDefinition);
    connect(compileButton, &QPushButton::clicked, this, &CBitmapEditor::OnCompileAndUpdate);
    connect(addButton, &QPushButton::clicked, this, &CBitmapEditor::OnAdd);
    connect(deleteButton, &QPushButton::clicked, this, &CBitmapEditor::OnDelete);
    connect(renameButton, &QPushButton::clicked, this, &CBitmapEditor::OnRename);
    connect(externalRadio, &QRadioButton::clicked, this, &CBitmapEditor::OnSourceType);
    connect(monoRadio, &QRadioButton::clicked, this, &CBitmapEditor::OnSourceType);
    connect(browseButton, &QPushButton::clicked, this, &CBitmapEditor::OnBrowseFile);
}

int CBitmapEditor::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

void CBitmapEditor::OnInitDialog()
{
    for (std::size_t i = 0; i < patterns.size(); ++i)
        if (!patterns[i].name.empty())
            nameCombo->AddString(QString::fromStdWString(patterns[i].name), static_cast<int>(i));
    for (std::size_t i = 0; i < patterns.size(); ++i)
        ColourItemOf(static_cast<int>(i));
    nameCombo->SetCurSel(nameCombo->count() > 0 ? 0 : -1);
    UpdateControls();
    ShowSelection();
}

int CBitmapEditor::SelectedPosition() const { return nameCombo->SelectedRecord(static_cast<int>(patterns.size())); }

void CBitmapEditor::ColourItemOf(int position)
{
    const int item = SortedItems::findData(nameCombo, position);
    if (item < 0)
        return;
    const BitmapPattern& pattern = patterns[static_cast<std::size_t>(position)];
    if (pattern.width != 0 && pattern.height != 0)
        nameCombo->ClearItemColour(item);
    else
        nameCombo->SetItemColour(item, incompleteColour);
}

void CBitmapEditor::PointPreview()
{
    preview->pattern = shownPosition >= 0 ? &patterns[static_cast<std::size_t>(shownPosition)] : nullptr;
    preview->update();
}

bool CBitmapEditor::SettlePendingChanges()
{
    if (!modified || lastSelection == -1)
        return true;
    const ORBAX_Platform::MessageResult answer =
        ORBAX_Platform::showMessage(this, ORBAX_Utilities::get_message_wide(pendingChangesMessage),
                                    ORBAX_Platform::MessageButtons::YesNo, ORBAX_Platform::MessageIcon::Question);
    if (answer != ORBAX_Platform::MessageResult::Yes)
        return true;
    if (CompileShown())
        return true;
    // Back to the pattern whose changes did not compile, wherever a sorted insertion has put it.
    nameCombo->SetCurSel(SortedItems::findData(nameCombo, shownPosition));
    lastSelection = nameCombo->GetCurSel();
    UpdateControls();
    return false;
}

void CBitmapEditor::OnSelchangeBitmap()
{
    EDITOR_GUARDED({
        if (SettlePendingChanges())
            ShowSelection();
    });
}

void CBitmapEditor::ShowSelection()
{
    const int position = SelectedPosition();
    shownPosition = position;
    if (position < 0) {
        widthEdit->clear();
        rowsEdit->clear();
    } else {
        const BitmapPattern& pattern = patterns[static_cast<std::size_t>(position)];
        const bool external = pattern.kind == BitmapPattern::ImageFile;
        externalRadio->setChecked(external);
        monoRadio->setChecked(!external);
        if (external) {
            fileEdit->setText(QString::fromStdWString(pattern.fileName));
            rowsEdit->clear();
            widthEdit->clear();
        } else {
            fileEdit->clear();
            widthEdit->setText(QString::number(pattern.width));
            rowsEdit->setPlainText(QString::fromStdWString(pattern.rowsText));
        }
    }
    PointPreview();
    modified = false;
    lastSelection = nameCombo->GetCurSel();
    UpdateControls();
}

void CBitmapEditor::OnChangeDefinition()
{
    modified = true;
    UpdateControls();
}

void CBitmapEditor::OnCompileAndUpdate() { EDITOR_GUARDED(CompileShown()); }

bool CBitmapEditor::CompileShown()
{
    if (shownPosition < 0)
        return false;
    BitmapPattern& pattern = patterns[static_cast<std::size_t>(shownPosition)];
    if (externalRadio->isChecked()) {
        // An image-file pattern has nothing to compile: its file was read when it was chosen.
        modified = false;
        UpdateControls();
        return true;
    }
    // Compiled into a copy, so that rows that do not compile leave the pattern as it was.
    BitmapPattern compiled(pattern);
    compiled.width = TypedWidth(widthEdit);
    ConfigMessageList messages;
    if (BitmapPattern::ParseMonoData(messages, rowsEdit->toPlainText().toStdWString(), compiled, 1)) {
        pattern = compiled;
        modified = false;
        UpdateControls();
    } else {
        CErrorList errors(messages, this);
        errors.DoModal();
    }
    PointPreview();
    ColourItemOf(shownPosition);
    return !HasConfigFailure(messages);
}

void CBitmapEditor::OnAdd()
{
    EDITOR_GUARDED({
        std::wstring name = L"new bitmap";
        if (!EditorNames::AskName(this, name, 222, 223, newBitmapTopic))
            return;
        if (!EditorNames::AcceptName(this, name, EditorNames::NamesOf(patterns), EditorNames::DuplicateBitmap))
            return;
        patterns.emplace_back(name);
        PointPreview(); // the list may have moved in memory
        const int position = static_cast<int>(patterns.size()) - 1;
        nameCombo->SetCurSel(nameCombo->AddString(QString::fromStdWString(name), position));
        ColourItemOf(position);
        if (SettlePendingChanges())
            ShowSelection();
    });
}

void CBitmapEditor::OnRename()
{
    EDITOR_GUARDED({
        const int item = nameCombo->GetCurSel();
        const int position = SelectedPosition();
        if (position < 0)
            return;
        std::wstring name = patterns[static_cast<std::size_t>(position)].name;
        if (!EditorNames::AskName(this, name, 222, 223, newBitmapTopic))
            return;
        if (!EditorNames::AcceptName(this, name, EditorNames::NamesOf(patterns), EditorNames::DuplicateBitmap))
            return;
        patterns[static_cast<std::size_t>(position)].name = name;
        nameCombo->ReplaceItem(item, QString::fromStdWString(name), position);
        ColourItemOf(position);
        if (SettlePendingChanges())
            ShowSelection();
    });
}

void CBitmapEditor::OnDelete()
{
    EDITOR_GUARDED({
        const int item = nameCombo->GetCurSel();
        const int position = SelectedPosition();
        if (position < 0)
            return;
        shownPosition = -1;
        PointPreview();
        patterns.erase(patterns.begin() + position);
        nameCombo->ReleaseItemOfRecord(item, position);
        modified = false;
        ShowSelection();
    });
}

void CBitmapEditor::OnSourceType()
{
    EDITOR_GUARDED({
        const int position = SelectedPosition();
        if (position < 0)
            return;
        if (monoRadio->isChecked()) {
            if (widthEdit->text().isEmpty())
                widthEdit->setText(QStringLiteral("8"));
            fileEdit->clear();
            modified = true;
        } else {
            BitmapPattern& pattern = patterns[static_cast<std::size_t>(position)];
            std::wstring errorText;
            // A file that cannot be read is not reported here: the pattern turns red until one can.
            BitmapPattern::LoadImageFile(fileEdit->text().toStdWString(), pattern, errorText, ProgramFolder());
            ColourItemOf(position);
            widthEdit->clear();
            rowsEdit->clear();
            // The file has been taken: nothing is left to compile.
            modified = false;
        }
        preview->update();
        UpdateControls();
    });
}

void CBitmapEditor::OnBrowseFile()
{
    EDITOR_GUARDED({
        const int position = SelectedPosition();
        if (position < 0 || !externalRadio->isChecked())
            return;
        BitmapPattern& pattern = patterns[static_cast<std::size_t>(position)];
        const std::filesystem::path folder = ProgramFolder();
        QString start = QString::fromStdString(folder.string());
        if (!fileEdit->text().isEmpty()) {
            std::filesystem::path initial = ORBAX_Platform::path_from_wide(fileEdit->text().toStdWString());
            if (initial.is_relative())
                initial = folder / initial;
            start = QString::fromStdString(initial.string());
        }
        QString selectedFilter;
        QString chosen;
        if (!ORBAX_Platform::filePrompts().openFileName(
                this, QStringLiteral("Open"), start, ImageFileFilter(ORBAX_Utilities::get_message_wide(filterMessage)),
                selectedFilter, chosen))
            return;
        std::wstring errorText;
        if (!BitmapPattern::LoadImageFile(chosen.toStdWString(), pattern, errorText, folder)) {
            ErrorEntries entries;
            addErrorEntry(ORBAX_Utilities::format_message2(1108, pattern.name, pattern.fileName) + L"\n" + errorText,
                          entries, 0x30008);
            CErrorList errors(entries, this);
            errors.DoModal();
        }
        fileEdit->setText(QString::fromStdWString(pattern.fileName));
        preview->update();
        ColourItemOf(position);
    });
}

void CBitmapEditor::accept()
{
    bool close = false;
    EDITOR_GUARDED(close = SettlePendingChanges());
    if (close)
        QDialog::accept();
}

void CBitmapEditor::OnHelp() { ORBAX_Platform::help().showContext(0x20000u + 207); }

void CBitmapEditor::UpdateControls()
{
    const bool selected = SelectedPosition() >= 0;
    const bool external = externalRadio->isChecked();
    renameButton->setEnabled(selected);
    deleteButton->setEnabled(selected);
    externalRadio->setEnabled(selected);
    monoRadio->setEnabled(selected);
    widthEdit->setEnabled(selected && !external);
    rowsEdit->setEnabled(selected && !external);
    spin->setEnabled(!external);
    compileButton->setEnabled(selected && modified && !external);
    fileEdit->setEnabled(selected && external);
    browseButton->setEnabled(selected && external);
}
