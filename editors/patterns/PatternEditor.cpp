#include "editors/patterns/PatternEditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "platform/services/Services.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/ErrorList.h"
#include "widgets/dialogs/HelpPages.h"

CPatternEditor::CPatternEditor(const Texts& texts, QWidget* parent) : QDialog(parent), m_texts(texts)
{
    setObjectName(QStringLiteral("dlg%1").arg(texts.dialog));
    setWindowTitle(QString::fromLatin1(texts.title));
    // Made first, so that the name row comes first when the focus moves on.
    nameCombo = new CColourComboBox(this);
    nameCombo->setObjectName(QStringLiteral("id%1").arg(texts.nameComboId));
    nameCombo->setSorted(true);
    m_add = EditorButton("&Add...", 1242, this);
    m_delete = EditorButton("&Delete", 1264, this);
    m_rename = EditorButton("&Rename...", 1249, this);
}

QPushButton* CPatternEditor::MakeCompileButton()
{
    compileButton = EditorButton("&Compile and update", 1259, this);
    connect(compileButton, &QPushButton::clicked, this, &CPatternEditor::OnCompileAndUpdate);
    return compileButton;
}

void CPatternEditor::Layout(QLayout* controls, QWidget* previews, const QSize& minimum)
{
    auto* nameLabel = new QLabel(QString::fromLatin1(m_texts.nameLabel), this);
    nameLabel->setBuddy(nameCombo);
    auto* top = new QHBoxLayout;
    top->addWidget(nameLabel);
    top->addWidget(nameCombo, 1);
    top->addWidget(m_add);
    top->addWidget(m_delete);
    top->addWidget(m_rename);

    QHBoxLayout* okCancelHelp = OkCancelHelpRow(this, [this] { OnHelp(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(controls);
    layout->addWidget(previews, 1);
    layout->addLayout(okCancelHelp);
    resize(sizeHint().expandedTo(minimum));

    connect(m_add, &QPushButton::clicked, this, &CPatternEditor::OnAdd);
    connect(m_delete, &QPushButton::clicked, this, &CPatternEditor::OnDelete);
    connect(m_rename, &QPushButton::clicked, this, &CPatternEditor::OnRename);
}

int CPatternEditor::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

void CPatternEditor::OnInitDialog()
{
    m_names->Fill();
    for (int position = 0; position < m_names->RecordCount(); ++position)
        ColourItemOf(position);
    UpdateControls();
    ShowSelection();
}

int CPatternEditor::SelectedPosition() const { return m_names->Selected(); }

bool CPatternEditor::SettlePendingChanges()
{
    if (!modified || lastSelection == -1)
        return true;
    const ORBAX_Platform::MessageResult answer =
        ORBAX_Platform::showMessage(this, ORBAX_Utilities::get_message_wide(m_texts.pendingChangesMessage),
                                    ORBAX_Platform::MessageButtons::YesNo, ORBAX_Platform::MessageIcon::Question);
    if (answer != ORBAX_Platform::MessageResult::Yes)
        return true;
    if (CompileShown())
        return true;
    // Back to the pattern whose changes did not compile, wherever a sorted insertion has put it.
    SortedItems::selectQuietly(nameCombo, SortedItems::findData(nameCombo, shownPosition));
    lastSelection = nameCombo->currentIndex();
    UpdateControls();
    return false;
}

void CPatternEditor::SelectionChanged()
{
    EDITOR_GUARDED({
        if (SettlePendingChanges())
            ShowSelection();
    });
}

void CPatternEditor::ShowSelection()
{
    shownPosition = SelectedPosition();
    ShowPattern(shownPosition);
    PointPreviews();
    modified = false;
    lastSelection = nameCombo->currentIndex();
    UpdateControls();
}

void CPatternEditor::UpdateControls()
{
    const bool selected = SelectedPosition() >= 0;
    m_rename->setEnabled(selected);
    m_delete->setEnabled(selected);
    UpdatePatternControls(selected);
}

void CPatternEditor::OnChangeDefinition()
{
    modified = true;
    UpdateControls();
}

void CPatternEditor::OnCompileAndUpdate() { EDITOR_GUARDED(CompileShown()); }

bool CPatternEditor::CompileDone(bool compiled, const ConfigMessageList& messages)
{
    if (compiled) {
        modified = false;
        UpdateControls();
    } else {
        CErrorList errors(messages, this);
        errors.DoModal();
    }
    PointPreviews();
    ColourItemOf(shownPosition);
    return !HasConfigFailure(messages);
}

void CPatternEditor::OnAdd()
{
    EDITOR_GUARDED({
        const int position = m_names->Add(this, m_texts.newName);
        if (position < 0)
            return;
        PointPreviews(); // the table may have moved in memory
        ColourItemOf(position);
        if (SettlePendingChanges())
            ShowSelection();
    });
}

void CPatternEditor::OnRename()
{
    EDITOR_GUARDED({
        const int position = m_names->Rename(this);
        if (position < 0)
            return;
        ColourItemOf(position);
        if (SettlePendingChanges())
            ShowSelection();
    });
}

void CPatternEditor::OnDelete()
{
    EDITOR_GUARDED({
        if (SelectedPosition() < 0)
            return;
        // The previews let go of the pattern before it goes.
        shownPosition = -1;
        PointPreviews();
        m_names->Delete();
        modified = false;
        ShowSelection();
    });
}

void CPatternEditor::accept()
{
    bool close = false;
    EDITOR_GUARDED(close = SettlePendingChanges());
    if (close)
        QDialog::accept();
}

void CPatternEditor::OnHelp() { HelpPages::ShowContext(this, 0x20000u + static_cast<unsigned>(m_texts.dialog)); }
