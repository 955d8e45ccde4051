#include "editors/hatchlists/HatchListEditor.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editors/hatchlists/NewRecordDialog.h"
#include "platform/services/Services.h"
#include "widgets/controls/EditedTables.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/GuardedHandler.h"
#include "widgets/controls/HatchListBox.h"
#include "widgets/controls/PositionedItems.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/HelpPages.h"

namespace {

constexpr std::uint32_t unresolvedColour = 0xFFFF0000u;
const EditorNames::NamePrompt hatchListPrompt{226, 227, L"hidd_newhatchlist.htm", EditorNames::DuplicateHatchList};
const EditorNames::NamePrompt rockTypePrompt{228, 229, L"hidd_newrocktype.htm", EditorNames::DuplicateRockType,
                                             EditorNames::NameKind::RockType};
// The kind radios in kind order: Bitmap, Isovector, Anivector, Inbuilt.
const int kindRadioIds[4] = {1281, 1282, 1283, 1285};

std::vector<std::wstring> RockTypesOf(const HatchList& list)
{
    std::vector<std::wstring> names;
    for (const HatchListEntry& entry : list.entries)
        names.push_back(entry.rockType);
    return names;
}

} // namespace

CHatchListEditor::CHatchListEditor(const HatchListTable& hatchListTable, const VectorTable& vectors,
                                   const BitmapTable& bitmaps, const InbuiltTable& inbuilts, QWidget* parent)
    : QDialog(parent), hatchLists(EditedTables::Copy(hatchListTable)), vectorTable(&vectors), bitmapTable(&bitmaps),
      inbuiltTable(&inbuilts), hatchListCombo(new QComboBox(this)),
      m_lists(hatchLists, hatchListCombo, hatchListPrompt, [](const std::wstring& name) { return HatchList(name); })
{
    build();
    OnInitDialog();
}

void CHatchListEditor::build()
{
    setObjectName(QStringLiteral("dlg208"));
    setWindowTitle(QStringLiteral("Hatch List Editor"));

    hatchListCombo->setObjectName(QStringLiteral("id1274"));
    auto* listLabel = new QLabel(QStringLiteral("&Hatch List:"), this);
    listLabel->setBuddy(hatchListCombo);
    auto* addList = EditorButton("&Add...", 1242, this);
    m_deleteList = EditorButton("D&elete", 1264, this);
    m_renameList = EditorButton("&Rename...", 1249, this);
    auto* top = new QHBoxLayout;
    top->addWidget(listLabel);
    top->addWidget(hatchListCombo, 1);
    top->addWidget(addList);
    top->addWidget(m_deleteList);
    top->addWidget(m_renameList);

    rockTypeList = new CHatchListBox(vectorTable, bitmapTable, inbuiltTable, this);
    rockTypeList->setSorted(true);
    rockTypeList->setMinimumSize(360, 260);
    m_addRock = EditorButton("A&dd...", 1275, this);
    m_deleteRock = EditorButton("De&lete", 1276, this);
    m_renameRock = EditorButton("Re&name...", 1277, this);
    auto* rockGroup = new QGroupBox(QStringLiteral("Roc&k tyes"), this);
    auto* rockButtons = new QVBoxLayout;
    rockButtons->addWidget(m_addRock);
    rockButtons->addWidget(m_deleteRock);
    rockButtons->addWidget(m_renameRock);
    rockButtons->addStretch(1);
    auto* rockLayout = new QHBoxLayout(rockGroup);
    rockLayout->addWidget(rockTypeList, 1);
    rockLayout->addLayout(rockButtons);

    kindGroup = new QButtonGroup(this);
    const char* kindTexts[4] = {"&Bitmap", "&Isovector", "Ani&vector", "Inb&uilt"};
    auto* patternGroup = new QGroupBox(QStringLiteral("Hatch patttern"), this);
    auto* kinds = new QHBoxLayout;
    for (int kind = 0; kind < 4; ++kind) {
        auto* radio = new QRadioButton(QString::fromLatin1(kindTexts[kind]), patternGroup);
        radio->setObjectName(QStringLiteral("id%1").arg(kindRadioIds[kind]));
        kindGroup->addButton(radio, kind);
        kinds->addWidget(radio);
    }
    kinds->addStretch(1);
    elementCombo = new QComboBox(patternGroup);
    elementCombo->setObjectName(QStringLiteral("id1284"));
    elementCombo->setEditable(true);
    elementCombo->setInsertPolicy(QComboBox::NoInsert);
    auto* elementLabel = new QLabel(QStringLiteral("Element na&me:"), patternGroup);
    elementLabel->setBuddy(elementCombo);
    auto* element = new QHBoxLayout;
    element->addWidget(elementLabel);
    element->addWidget(elementCombo, 1);
    auto* patternLayout = new QVBoxLayout(patternGroup);
    patternLayout->addLayout(kinds);
    patternLayout->addLayout(element);

    QHBoxLayout* buttons = OkCancelHelpRow(this, [this] { OnHelp(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rockGroup, 1);
    layout->addWidget(patternGroup);
    layout->addLayout(buttons);
    // Laid out now, so that the swatches take a third of the list's width as it will show.
    resize(sizeHint().expandedTo(QSize(560, 520)));
    layout->activate();

    connect(hatchListCombo, &QComboBox::activated, this, &CHatchListEditor::OnSelchangeHatchList);
    // A click makes the item current before it selects it: the handler runs once the selection is made.
    connect(rockTypeList, &QListWidget::itemSelectionChanged, this, &CHatchListEditor::OnSelchangeRockType);
    connect(elementCombo, &QComboBox::activated, this, &CHatchListEditor::OnSelchangeElement);
    // A click on the radio already checked also changes the kind.
    connect(kindGroup, &QButtonGroup::idClicked, this, &CHatchListEditor::OnPatternKind);
    connect(addList, &QPushButton::clicked, this, &CHatchListEditor::OnAddHatchList);
    connect(m_deleteList, &QPushButton::clicked, this, &CHatchListEditor::OnDeleteHatchList);
    connect(m_renameList, &QPushButton::clicked, this, &CHatchListEditor::OnRenameHatchList);
    connect(m_addRock, &QPushButton::clicked, this, &CHatchListEditor::OnAddRockType);
    connect(m_deleteRock, &QPushButton::clicked, this, &CHatchListEditor::OnDeleteRockType);
    connect(m_renameRock, &QPushButton::clicked, this, &CHatchListEditor::OnRenameRockType);
}

int CHatchListEditor::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

void CHatchListEditor::OnInitDialog()
{
    m_lists.Fill();
    UpdateControls();
    OnSelchangeHatchList();
}

HatchList* CHatchListEditor::SelectedList()
{
    const int position = m_lists.Selected();
    return position < 0 ? nullptr : &hatchLists[static_cast<std::size_t>(position)];
}

HatchListEntry* CHatchListEditor::SelectedEntry()
{
    HatchList* list = SelectedList();
    const int item = rockTypeList->GetCurSel();
    if (!list || item < 0)
        return nullptr;
    const int index = rockTypeList->ItemData(item);
    if (index < 0 || index >= static_cast<int>(list->entries.size()))
        return nullptr;
    return &list->entries[static_cast<std::size_t>(index)];
}

void CHatchListEditor::OnSelchangeHatchList()
{
    EDITOR_GUARDED({
        rockTypeList->ResetContent();
        if (HatchList* list = SelectedList()) {
            for (std::size_t i = 0; i < list->entries.size(); ++i)
                rockTypeList->AddString(QString::fromStdWString(HatchListEntry::DisplayText(list->entries[i])),
                                        static_cast<int>(i));
            for (int item = 0; item < rockTypeList->count(); ++item)
                ShowEntryState(item);
        }
        UpdateControls();
    });
}

void CHatchListEditor::ShowEntryState(int item)
{
    HatchList* list = SelectedList();
    const int index = rockTypeList->ItemData(item);
    if (!list || index < 0 || index >= static_cast<int>(list->entries.size()))
        return;
    const HatchListEntry& entry = list->entries[static_cast<std::size_t>(index)];
    rockTypeList->SetItemHatch(item, entry.patternName, entry.kind);
    if (entry.patternId == 0)
        rockTypeList->SetItemColour(item, unresolvedColour);
    else
        rockTypeList->ClearItemColour(item);
}

void CHatchListEditor::FillElementCombo(int kind)
{
    const QSignalBlocker blocker(elementCombo);
    elementCombo->clear();
    auto fill = [this](const auto& table) {
        for (const auto& record : table)
            if (!record.second.GetName().empty())
                SortedItems::addSorted(elementCombo, QString::fromStdWString(record.second.GetName()), record.first);
    };
    switch (kind) {
    case HatchListEntry::Bitmap: fill(*bitmapTable); break;
    case HatchListEntry::Isovector:
    case HatchListEntry::Anivector: fill(*vectorTable); break;
    case HatchListEntry::Inbuilt: fill(*inbuiltTable); break;
    default: break;
    }
    elementCombo->setCurrentIndex(-1);
    elementCombo->setEditText(QString());
}

void CHatchListEditor::OnSelchangeRockType()
{
    EDITOR_GUARDED({
        HatchListEntry* entry = SelectedEntry();
        if (entry) {
            for (int kind = 0; kind < 4; ++kind)
                kindGroup->button(kind)->setChecked(kind == entry->kind);
            if (entry->kind < 0 || entry->kind > 3) {
                // No radio stands for such a kind: none is checked.
                kindGroup->setExclusive(false);
                for (QAbstractButton* radio : kindGroup->buttons())
                    radio->setChecked(false);
                kindGroup->setExclusive(true);
            }
            FillElementCombo(entry->kind);
            SortedItems::selectQuietly(elementCombo, SortedItems::findData(elementCombo, entry->patternId));
        }
        UpdateControls();
    });
}

void CHatchListEditor::OnPatternKind(int newKind)
{
    EDITOR_GUARDED({
        HatchListEntry* entry = SelectedEntry();
        if (!entry)
            return;
        const bool vectorToVector =
            (entry->kind == HatchListEntry::Isovector && newKind == HatchListEntry::Anivector) ||
            (entry->kind == HatchListEntry::Anivector && newKind == HatchListEntry::Isovector);
        entry->kind = newKind;
        if (vectorToVector) {
            HatchListEntry::Resolve(*bitmapTable, *entry, *vectorTable, *inbuiltTable, true);
        } else {
            FillElementCombo(newKind);
            entry->patternName.clear();
            entry->patternId = 0;
        }
        StoreElement();
    });
}

void CHatchListEditor::OnSelchangeElement() { EDITOR_GUARDED(StoreElement()); }

void CHatchListEditor::StoreElement()
{
    HatchListEntry* entry = SelectedEntry();
    if (!entry)
        return;
    std::wstring name;
    const int chosen = elementCombo->currentIndex();
    if (chosen >= 0) {
        const int id = elementCombo->itemData(chosen).toInt();
        switch (entry->kind) {
        case HatchListEntry::Bitmap: name = bitmapTable->Get(id).name; break;
        case HatchListEntry::Isovector:
        case HatchListEntry::Anivector: name = vectorTable->Get(id).name; break;
        case HatchListEntry::Inbuilt: name = inbuiltTable->Get(id).name; break;
        default: break;
        }
    }
    entry->patternName = name;
    entry->patternId = 0;
    HatchListEntry::Resolve(*bitmapTable, *entry, *vectorTable, *inbuiltTable, true);
    const int item = rockTypeList->GetCurSel();
    RefreshItem(item);
    ShowEntryState(item);
}

void CHatchListEditor::RefreshItem(int item)
{
    HatchList* list = SelectedList();
    const int index = rockTypeList->ItemData(item);
    if (!list || index < 0 || index >= static_cast<int>(list->entries.size()))
        return;
    PositionedItems::Rename(rockTypeList, item,
                            QString::fromStdWString(HatchListEntry::DisplayText(list->entries[index])));
}

void CHatchListEditor::OnAddHatchList()
{
    EDITOR_GUARDED({
        CNewHatchList dialog(EditorNames::NamesOf(hatchLists), this);
        if (dialog.DoModal() != QDialog::Accepted)
            return;
        std::wstring name = dialog.newName;
        if (!m_lists.AcceptName(this, name))
            return;
        HatchList created(name);
        if (dialog.copy) {
            for (const HatchList& source : hatchLists)
                if (source.name == dialog.copyFrom) {
                    created.entries = source.entries;
                    break;
                }
        }
        hatchLists.push_back(created);
        m_lists.ListLast();
        OnSelchangeHatchList();
    });
}

void CHatchListEditor::OnDeleteHatchList()
{
    EDITOR_GUARDED({
        if (m_lists.Delete() >= 0)
            OnSelchangeHatchList();
    });
}

void CHatchListEditor::OnRenameHatchList()
{
    EDITOR_GUARDED({
        if (m_lists.Rename(this) >= 0)
            OnSelchangeHatchList();
    });
}

void CHatchListEditor::OnAddRockType()
{
    EDITOR_GUARDED({
        HatchList* list = SelectedList();
        if (!list)
            return;
        std::wstring name = L"new rocktype";
        if (!EditorNames::AskNewName(this, name, rockTypePrompt, RockTypesOf(*list)))
            return;
        list->entries.emplace_back(HatchListEntry::Isovector, std::wstring(), name);
        const int index = static_cast<int>(list->entries.size()) - 1;
        const int item =
            rockTypeList->AddString(QString::fromStdWString(HatchListEntry::DisplayText(list->entries.back())), index);
        rockTypeList->SetItemHatch(item, std::wstring(), HatchListEntry::Isovector);
        rockTypeList->SetCurSel(item);
        rockTypeList->scrollToItem(rockTypeList->item(item));
        OnSelchangeRockType();
    });
}

void CHatchListEditor::OnDeleteRockType()
{
    EDITOR_GUARDED({
        HatchList* list = SelectedList();
        if (!list || !SelectedEntry())
            return;
        PositionedItems::Erase(list->entries, rockTypeList, rockTypeList->GetCurSel());
        OnSelchangeRockType();
    });
}

void CHatchListEditor::OnRenameRockType()
{
    EDITOR_GUARDED({
        HatchList* list = SelectedList();
        HatchListEntry* entry = SelectedEntry();
        if (!list || !entry)
            return;
        std::wstring name = entry->rockType;
        if (!EditorNames::AskNewName(this, name, rockTypePrompt, RockTypesOf(*list)))
            return;
        entry->rockType = name;
        const int item = rockTypeList->GetCurSel();
        RefreshItem(item);
        ShowEntryState(item);
        OnSelchangeRockType();
    });
}

void CHatchListEditor::OnHelp() { HelpPages::ShowContext(this, 0x20000u + 208); }

void CHatchListEditor::UpdateControls()
{
    const bool list = SelectedList() != nullptr;
    const bool entry = list && SelectedEntry() != nullptr;
    m_deleteList->setEnabled(list);
    m_renameList->setEnabled(list);
    rockTypeList->setEnabled(list);
    m_addRock->setEnabled(list);
    m_deleteRock->setEnabled(entry);
    m_renameRock->setEnabled(entry);
    for (QAbstractButton* radio : kindGroup->buttons())
        radio->setEnabled(entry);
    elementCombo->setEnabled(entry);
}
