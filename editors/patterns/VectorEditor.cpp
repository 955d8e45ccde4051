#include "editors/patterns/VectorEditor.h"

#include <locale>
#include <sstream>

#include <QColorDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/Quor_Log_Config.h"
#include "core/catalogue/Messages.h"
#include "editors/patterns/VectorView.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/controls/ColourPatch.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

constexpr std::uint32_t patchStartColour = 0xFFF5DEB3u;
constexpr std::uint32_t white = 0xFFFFFFFFu;

constexpr EditorNames::NamePrompt kNamePrompt{220, 221, L"hidd_newvector.htm", EditorNames::DuplicateVector};
constexpr CPatternEditor::Texts kTexts{206, "Vector Editor", "Vector &pattern:", 1254, 218, L"new vector", kNamePrompt};

// A size as the wide stream writes a float by default: six significant digits, no trailing zeros.
QString SizeText(float value)
{
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return QString::fromStdWString(out.str());
}

// The decimal number typed, read without regard to the user's locale; 0 when there is none (which
// the compile refuses as not positive).
double TypedSize(const QLineEdit* edit)
{
    std::wistringstream in(edit->text().toStdWString());
    in.imbue(std::locale::classic());
    double value = 0;
    if (!(in >> value))
        return 0;
    return value;
}

QColor ColourFromColorref(std::uint32_t colorref)
{
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

// The colour chooser's 16 custom colours come from, and go back to, the profile as COLORREF values.
void LoadCustomColoursIntoChooser()
{
    const ORBAX_Platform::Settings options(L"Options");
    std::uint32_t colours[16];
    LoadCustomColours(colours, options.readBinary(L"CustomColors"));
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ColourFromColorref(colours[i]));
}

void StoreCustomColoursFromChooser()
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(64);
    for (int i = 0; i < 16; ++i) {
        const QColor colour = QColorDialog::customColor(i);
        bytes.push_back(static_cast<std::uint8_t>(colour.red()));
        bytes.push_back(static_cast<std::uint8_t>(colour.green()));
        bytes.push_back(static_cast<std::uint8_t>(colour.blue()));
        bytes.push_back(0);
    }
    ORBAX_Platform::Settings options(L"Options");
    options.writeBinary(L"CustomColors", bytes);
}

} // namespace

CVectorEditor::CVectorEditor(const VectorTable& table, QWidget* parent)
    : PatternTableEditor(
          kTexts, table, [](const std::wstring& name) { return VectorPattern(name, 10.0f, 10.0f); }, parent)
{
    build();
    OnInitDialog();
}

void CVectorEditor::build()
{
    widthEdit = new QLineEdit(this);
    widthEdit->setObjectName(QStringLiteral("id1009"));
    heightEdit = new QLineEdit(this);
    heightEdit->setObjectName(QStringLiteral("id1258"));
    widthEdit->setMaximumWidth(100);
    heightEdit->setMaximumWidth(100);
    colourPatch = new CColourPatch(this);
    colourPatch->setObjectName(QStringLiteral("id1142"));
    colourPatch->colour = patchStartColour;
    colourPatch->setFixedSize(40, 20);
    colourButton = EditorButton("&...", 1260, this);
    colourButton->setMaximumWidth(32);
    auto* widthLabel = new QLabel(QStringLiteral("&Width:"), this);
    widthLabel->setBuddy(widthEdit);
    auto* heightLabel = new QLabel(QStringLiteral("&Height:"), this);
    heightLabel->setBuddy(heightEdit);
    auto* colourLabel = new QLabel(QStringLiteral("&Background colour:"), this);
    colourLabel->setBuddy(colourButton);
    auto* cell = new QGridLayout;
    cell->addWidget(widthLabel, 0, 0);
    cell->addWidget(widthEdit, 0, 1);
    cell->addWidget(new QLabel(QStringLiteral("mm"), this), 0, 2);
    cell->addWidget(heightLabel, 1, 0);
    cell->addWidget(heightEdit, 1, 1);
    cell->addWidget(new QLabel(QStringLiteral("mm"), this), 1, 2);
    cell->addWidget(colourLabel, 2, 0);
    auto* colour = new QHBoxLayout;
    colour->addWidget(colourPatch);
    colour->addWidget(colourButton);
    colour->addStretch(1);
    cell->addLayout(colour, 2, 1, 1, 2);
    cell->setRowStretch(3, 1);

    definitionEdit = new QPlainTextEdit(this);
    definitionEdit->setObjectName(QStringLiteral("id1256"));
    definitionEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The element lines are columns of numbers: a fixed-pitch font keeps them aligned.
    definitionEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    definitionEdit->setMinimumSize(420, 160);
    auto* definitionLabel = new QLabel(QStringLiteral("&Element definitions:"), this);
    definitionLabel->setBuddy(definitionEdit);
    MakeCompileButton();
    auto* definition = new QVBoxLayout;
    definition->addWidget(definitionLabel);
    definition->addWidget(definitionEdit, 1);
    definition->addWidget(compileButton, 0, Qt::AlignRight);
    auto* middle = new QHBoxLayout;
    middle->addLayout(cell);
    middle->addLayout(definition, 1);

    fullWidthPreview = new CVectorView(true, this);
    fullWidthPreview->setObjectName(QStringLiteral("id1255"));
    tiledPreview = new CVectorView(false, this);
    tiledPreview->setObjectName(QStringLiteral("id1253"));
    auto* previews = new QGroupBox(QStringLiteral("Previews"), this);
    auto* previewLayout = new QGridLayout(previews);
    previewLayout->addWidget(new QLabel(QStringLiteral("Anisotropic (full width)"), previews), 0, 0);
    previewLayout->addWidget(new QLabel(QStringLiteral("Isotropic (tiled)"), previews), 0, 1);
    previewLayout->addWidget(fullWidthPreview, 1, 0);
    previewLayout->addWidget(tiledPreview, 1, 1);
    previewLayout->setRowStretch(1, 1);

    Layout(middle, previews, QSize(780, 600));

    connect(nameCombo, &QComboBox::activated, this, &CVectorEditor::OnSelchangeVector);
    // Filling the edits from code notifies as typing does; showing a pattern clears the flag after.
    connect(definitionEdit, &QPlainTextEdit::textChanged, this, &CVectorEditor::OnChangeDefinition);
    connect(widthEdit, &QLineEdit::textChanged, this, &CVectorEditor::OnChangeDefinition);
    connect(heightEdit, &QLineEdit::textChanged, this, &CVectorEditor::OnChangeDefinition);
    connect(colourButton, &QPushButton::clicked, this, &CVectorEditor::OnChooseColour);
}

void CVectorEditor::OnSelchangeVector() { SelectionChanged(); }

void CVectorEditor::PointPreviews()
{
    const VectorPattern* shown = shownPosition >= 0 ? &patterns[static_cast<std::size_t>(shownPosition)] : nullptr;
    fullWidthPreview->pattern = shown;
    tiledPreview->pattern = shown;
    fullWidthPreview->update();
    tiledPreview->update();
}

void CVectorEditor::ShowPattern(int position)
{
    if (position < 0) {
        widthEdit->clear();
        heightEdit->clear();
        colourPatch->colour = white;
        definitionEdit->clear();
    } else {
        const VectorPattern& pattern = patterns[static_cast<std::size_t>(position)];
        widthEdit->setText(SizeText(pattern.width));
        heightEdit->setText(SizeText(pattern.height));
        colourPatch->colour = pattern.colour;
        definitionEdit->setPlainText(QString::fromStdWString(pattern.sourceText));
    }
    colourPatch->update();
}

bool CVectorEditor::CompileShown()
{
    if (shownPosition < 0)
        return false;
    VectorPattern& pattern = patterns[static_cast<std::size_t>(shownPosition)];
    const double height = TypedSize(heightEdit);
    const double width = TypedSize(widthEdit);
    ConfigMessageList messages;
    if (!(width > 0) || !(height > 0)) {
        messages.emplace_back(46, 3, ORBAX_Utilities::format_message1(1146, pattern.name));
        CErrorList errors(messages, this);
        errors.DoModal();
        return false;
    }
    // Compiled into a copy: text that does not compile leaves the pattern drawing as it did.
    VectorPattern compiled(pattern);
    compiled.height = static_cast<float>(height);
    compiled.width = static_cast<float>(width);
    compiled.colour = colourPatch->colour;
    const bool compiles = VectorPattern::Compile(compiled, definitionEdit->toPlainText().toStdWString(), messages, 1);
    if (compiles)
        pattern = compiled;
    return CompileDone(compiles, messages);
}

void CVectorEditor::OnChooseColour()
{
    EDITOR_GUARDED({
        if (SelectedPosition() < 0)
            return;
        LoadCustomColoursIntoChooser();
        QColor chosen;
        if (!ORBAX_Platform::filePrompts().chooseColour(this, QColor::fromRgba(colourPatch->colour), chosen))
            return;
        StoreCustomColoursFromChooser();
        colourPatch->colour = chosen.rgb() | 0xFF000000u;
        colourPatch->update();
        modified = true;
        UpdateControls();
    });
}

void CVectorEditor::UpdatePatternControls(bool selected)
{
    widthEdit->setEnabled(selected);
    heightEdit->setEnabled(selected);
    colourButton->setEnabled(selected);
    definitionEdit->setEnabled(selected);
    compileButton->setEnabled(selected && modified);
}
