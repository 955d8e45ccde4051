#include "editors/patterns/BitmapEditor.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "editors/patterns/BitmapView.h"
#include "editors/patterns/ImageFileFilter.h"
#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/controls/UpDownControl.h"
#include "widgets/dialogs/ErrorList.h"
#include "widgets/dialogs/PromptedName.h"

namespace {

constexpr std::uint32_t incompleteColour = 0xFFFF0000u;
constexpr int filterMessage = 224;

constexpr EditorNames::NamePrompt kNamePrompt{222, 223, L"hidd_newbitmap.htm", EditorNames::DuplicateBitmap};
constexpr CPatternEditor::Texts kTexts{207, "Bitmap Editor", "&Bitmap hatch:", 1174, 225, L"new bitmap", kNamePrompt};

std::filesystem::path ProgramFolder() { return ORBAX_Platform::Settings::ProgramFolder(); }

// The image file named in the field, as the name it stands for (a name Qt gave back with U+FFFD for a
// byte stays so, and names no file).
std::wstring FieldName(const QLineEdit* edit)
{
    std::wstring name;
    ORBAX_Platform::name_from_qt(edit->text(), name);
    return name;
}

// The width typed: a whole number, or 0 for anything else (which the compile then refuses).
int TypedWidth(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

CBitmapEditor::CBitmapEditor(const BitmapTable& table, QWidget* parent)
    : PatternTableEditor(
          kTexts, table, [](const std::wstring& name) { return BitmapPattern(name); }, parent)
{
    build();
    OnInitDialog();
}

void CBitmapEditor::build()
{
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
    MakeCompileButton();

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

    Layout(source, previewGroup, QSize(600, 520));

    connect(nameCombo, &QComboBox::activated, this, &CBitmapEditor::OnSelchangeBitmap);
    // Filling the edits from code notifies as typing does; showing a pattern clears the flag after.
    connect(rowsEdit, &QPlainTextEdit::textChanged, this, &CBitmapEditor::OnChangeDefinition);
    connect(widthEdit, &QLineEdit::textChanged, this, &CBitmapEditor::OnChangeDefinition);
    connect(externalRadio, &QRadioButton::clicked, this, &CBitmapEditor::OnSourceType);
    connect(monoRadio, &QRadioButton::clicked, this, &CBitmapEditor::OnSourceType);
    connect(browseButton, &QPushButton::clicked, this, &CBitmapEditor::OnBrowseFile);
}

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

void CBitmapEditor::PointPreviews()
{
    preview->pattern = shownPosition >= 0 ? &patterns[static_cast<std::size_t>(shownPosition)] : nullptr;
    preview->update();
}

void CBitmapEditor::OnSelchangeBitmap() { SelectionChanged(); }

void CBitmapEditor::ShowPattern(int position)
{
    if (position < 0) {
        widthEdit->clear();
        rowsEdit->clear();
    } else {
        const BitmapPattern& pattern = patterns[static_cast<std::size_t>(position)];
        const bool external = pattern.kind == BitmapPattern::ImageFile;
        externalRadio->setChecked(external);
        monoRadio->setChecked(!external);
        if (external) {
            fileEdit->setText(ORBAX_Platform::qt_from_name(pattern.fileName));
            rowsEdit->clear();
            widthEdit->clear();
        } else {
            fileEdit->clear();
            widthEdit->setText(QString::number(pattern.width));
            rowsEdit->setPlainText(QString::fromStdWString(pattern.rowsText));
        }
    }
}

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
    const bool parsed = BitmapPattern::ParseMonoData(messages, rowsEdit->toPlainText().toStdWString(), compiled, 1);
    if (parsed)
        pattern = compiled;
    return CompileDone(parsed, messages);
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
            BitmapPattern::LoadImageFile(FieldName(fileEdit), pattern, errorText, ProgramFolder());
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
        std::filesystem::path start = folder;
        if (!fileEdit->text().isEmpty()) {
            start = ORBAX_Platform::path_from_wide(FieldName(fileEdit));
            if (start.is_relative())
                start = folder / start;
        }
        QString selectedFilter;
        QString chosen;
        if (!ORBAX_Platform::filePrompts().openFileName(
                this, QStringLiteral("Open"), ORBAX_Platform::qt_from_name(ORBAX_Platform::wide_from_path(start)),
                ImageFileFilter(ORBAX_Utilities::get_message_wide(filterMessage)), selectedFilter, chosen))
            return;
        std::wstring name;
        // A name the configuration file cannot hold is refused here, while the pattern keeps its file:
        // written in another form it would name another file at the next start.
        if (!PromptedFileName(this, chosen, name) || !EditorNames::AcceptFileName(this, name))
            return;
        std::wstring errorText;
        if (!BitmapPattern::LoadImageFile(name, pattern, errorText, folder)) {
            ErrorEntries entries;
            addErrorEntry(ORBAX_Utilities::format_message2(1108, pattern.name, pattern.fileName) + L"\n" + errorText,
                          entries, 0x30008);
            CErrorList errors(entries, this);
            errors.DoModal();
        }
        fileEdit->setText(ORBAX_Platform::qt_from_name(pattern.fileName));
        preview->update();
        ColourItemOf(position);
    });
}

void CBitmapEditor::UpdatePatternControls(bool selected)
{
    const bool external = externalRadio->isChecked();
    externalRadio->setEnabled(selected);
    monoRadio->setEnabled(selected);
    widthEdit->setEnabled(selected && !external);
    rowsEdit->setEnabled(selected && !external);
    spin->setEnabled(!external);
    compileButton->setEnabled(selected && modified && !external);
    fileEdit->setEnabled(selected && external);
    browseButton->setEnabled(selected && external);
}
