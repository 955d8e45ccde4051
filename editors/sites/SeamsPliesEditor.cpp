#include "editors/sites/SeamsPliesEditor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/services/Services.h"
#include "widgets/controls/EditedTables.h"
#include "widgets/controls/EditorButton.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/PositionedItems.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/HelpPages.h"

namespace {

constexpr unsigned kHelpContext = 0x20000 + 211;

QString qs(const std::wstring& text) { return QString::fromStdWString(text); }

QPushButton* arrow(bool up, int id, QWidget* parent)
{
    QPushButton* b = EditorButton(QString(QChar(up ? 0x25B2 : 0x25BC)), id, parent);
    QFont font = b->font();
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    b->setFont(font);
    b->setMaximumWidth(b->fontMetrics().horizontalAdvance(QChar(0x25B2)) * 3 + 8);
    return b;
}

void addEntry(QListWidget* list, const std::wstring& text, int data)
{
    auto* item = new QListWidgetItem(qs(text), list);
    item->setData(Qt::UserRole, data);
}

std::vector<std::wstring> seamNames(const CorrelationDefinition& site) { return EditorNames::NamesOf(site.seams); }

} // namespace

CSeamsPliesEditor::CSeamsPliesEditor(const CorrelationTable& sites, QWidget* parent)
    : QDialog(parent), m_sites(EditedTables::Copy(sites))
{
    setObjectName(QStringLiteral("dlg211"));
    setWindowTitle(QStringLiteral("Seams and Plies Editor"));

    m_siteCombo = new QComboBox(this);
    m_siteCombo->setObjectName(QStringLiteral("id1299"));
    m_siteCombo->setMinimumContentsLength(20);
    auto* addSite = EditorButton(QStringLiteral("&Add..."), 1242, this);
    auto* deleteSite = EditorButton(QStringLiteral("D&elete"), 1264, this);
    auto* renameSite = EditorButton(QStringLiteral("&Rename..."), 1249, this);

    m_seamList = new QListWidget(this);
    m_seamList->setObjectName(QStringLiteral("id1297"));
    m_addSeam = EditorButton(QStringLiteral("A&dd..."), 1243, this);
    m_deleteSeam = EditorButton(QStringLiteral("De&lete"), 1265, this);
    m_renameSeam = EditorButton(QStringLiteral("Re&name..."), 1250, this);
    m_seamUp = arrow(true, 1253, this);
    m_seamDown = arrow(false, 1254, this);

    m_plyList = new QListWidget(this);
    m_plyList->setObjectName(QStringLiteral("id1298"));
    m_addPly = EditorButton(QStringLiteral("Add&..."), 1244, this);
    m_deletePly = EditorButton(QStringLiteral("Dele&te"), 1266, this);
    m_renamePly = EditorButton(QStringLiteral("Rena&me..."), 1251, this);
    m_plyUp = arrow(true, 1248, this);
    m_plyDown = arrow(false, 1252, this);

    QHBoxLayout* okCancelHelp = OkCancelHelpRow(this, [this] { HelpPages::ShowContext(this, kHelpContext); });

    auto* siteLabel = new QLabel(QStringLiteral("S&ite:"), this);
    siteLabel->setBuddy(m_siteCombo);
    auto* siteRow = new QHBoxLayout;
    siteRow->addWidget(siteLabel);
    siteRow->addWidget(m_siteCombo, 1);
    siteRow->addWidget(addSite);
    siteRow->addWidget(deleteSite);
    siteRow->addWidget(renameSite);

    auto column = [this](const QString& title, QListWidget* list, QPushButton* add, QPushButton* remove,
                         QPushButton* rename, QPushButton* up, QPushButton* down) {
        auto* label = new QLabel(title, this);
        label->setBuddy(list);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(add);
        buttons->addWidget(remove);
        buttons->addWidget(rename);
        buttons->addStretch(1);
        buttons->addWidget(up);
        buttons->addWidget(down);
        auto* layout = new QVBoxLayout;
        layout->addWidget(label);
        layout->addWidget(list, 1);
        layout->addLayout(buttons);
        return layout;
    };
    auto* lists = new QHBoxLayout;
    lists->addLayout(
        column(QStringLiteral("Seams:"), m_seamList, m_addSeam, m_deleteSeam, m_renameSeam, m_seamUp, m_seamDown));
    lists->addLayout(
        column(QStringLiteral("Plies:"), m_plyList, m_addPly, m_deletePly, m_renamePly, m_plyUp, m_plyDown));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(siteRow);
    layout->addLayout(lists, 1);
    layout->addLayout(okCancelHelp);
    resize(560, 360);

    connect(m_siteCombo, &QComboBox::activated, this, &CSeamsPliesEditor::OnSelchangeSite);
    connect(addSite, &QPushButton::clicked, this, &CSeamsPliesEditor::OnAddSite);
    connect(renameSite, &QPushButton::clicked, this, &CSeamsPliesEditor::OnRenameSite);
    connect(deleteSite, &QPushButton::clicked, this, &CSeamsPliesEditor::OnDeleteSite);
    connect(m_seamList, &QListWidget::itemSelectionChanged, this, &CSeamsPliesEditor::OnSelchangeSeam);
    connect(m_addSeam, &QPushButton::clicked, this, &CSeamsPliesEditor::OnAddSeam);
    connect(m_renameSeam, &QPushButton::clicked, this, &CSeamsPliesEditor::OnRenameSeam);
    connect(m_deleteSeam, &QPushButton::clicked, this, &CSeamsPliesEditor::OnDeleteSeam);
    connect(m_seamUp, &QPushButton::clicked, this, &CSeamsPliesEditor::OnMoveSeamUp);
    connect(m_seamDown, &QPushButton::clicked, this, &CSeamsPliesEditor::OnMoveSeamDown);
    connect(m_plyList, &QListWidget::itemSelectionChanged, this, &CSeamsPliesEditor::OnSelchangePly);
    connect(m_addPly, &QPushButton::clicked, this, &CSeamsPliesEditor::OnAddPly);
    connect(m_renamePly, &QPushButton::clicked, this, &CSeamsPliesEditor::OnRenamePly);
    connect(m_deletePly, &QPushButton::clicked, this, &CSeamsPliesEditor::OnDeletePly);
    connect(m_plyUp, &QPushButton::clicked, this, &CSeamsPliesEditor::OnMovePlyUp);
    connect(m_plyDown, &QPushButton::clicked, this, &CSeamsPliesEditor::OnMovePlyDown);

    FillSites();
    SortedItems::selectQuietly(m_siteCombo, m_siteCombo->count() > 0 ? 0 : -1);
    EnableButtons();
    FillSeams();
}

int CSeamsPliesEditor::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

int CSeamsPliesEditor::selectedSite() const
{
    return PositionedItems::PositionAt(m_siteCombo, m_siteCombo->currentIndex());
}

int CSeamsPliesEditor::selectedSeam() const
{
    return selectedSite() < 0 ? -1 : PositionedItems::PositionAt(m_seamList, SortedItems::selectedRow(m_seamList));
}

int CSeamsPliesEditor::selectedPly() const
{
    return selectedSeam() < 0 ? -1 : PositionedItems::PositionAt(m_plyList, SortedItems::selectedRow(m_plyList));
}

CorrelationDefinition* CSeamsPliesEditor::site()
{
    int index = selectedSite();
    return index < 0 ? nullptr : &m_sites[static_cast<std::size_t>(index)];
}

CorrelationSeam* CSeamsPliesEditor::seam()
{
    CorrelationDefinition* s = site();
    int index = selectedSeam();
    return s && index >= 0 ? &s->seams[static_cast<std::size_t>(index)] : nullptr;
}

void CSeamsPliesEditor::FillSites()
{
    QSignalBlocker block(m_siteCombo);
    m_siteCombo->clear();
    for (std::size_t i = 0; i < m_sites.size(); ++i)
        if (!m_sites[i].name.empty())
            m_siteCombo->addItem(qs(m_sites[i].name), static_cast<int>(i));
    m_siteCombo->setCurrentIndex(-1);
}

void CSeamsPliesEditor::FillSeams()
{
    {
        QSignalBlocker block(m_seamList);
        m_seamList->clear();
        if (const CorrelationDefinition* s = site())
            for (std::size_t i = 0; i < s->seams.size(); ++i)
                addEntry(m_seamList, s->seams[i].name, static_cast<int>(i));
        m_seamList->setCurrentRow(-1);
    }
    FillPlies();
}

void CSeamsPliesEditor::FillPlies()
{
    QSignalBlocker block(m_plyList);
    m_plyList->clear();
    if (const CorrelationSeam* s = seam())
        for (std::size_t i = 0; i < s->plies.size(); ++i)
            addEntry(m_plyList, s->plies[i], static_cast<int>(i));
    m_plyList->setCurrentRow(-1);
    EnableButtons();
}

void CSeamsPliesEditor::EnableButtons()
{
    const bool s = selectedSite() >= 0;
    // The selected rows, not the current ones: a list that takes the focus makes its first row
    // current without selecting it, and nothing the user did not select may be deleted or moved.
    const int seamRow = SortedItems::selectedRow(m_seamList);
    const bool m = s && seamRow >= 0;
    const int plyRow = SortedItems::selectedRow(m_plyList);
    const bool p = m && plyRow >= 0;
    m_seamList->setEnabled(s);
    m_addSeam->setEnabled(s);
    m_deleteSeam->setEnabled(m);
    m_renameSeam->setEnabled(m);
    m_seamUp->setEnabled(m && seamRow > 0);
    m_seamDown->setEnabled(m && seamRow < m_seamList->count() - 1);
    m_plyList->setEnabled(m);
    m_addPly->setEnabled(m);
    m_deletePly->setEnabled(p);
    m_renamePly->setEnabled(p);
    m_plyUp->setEnabled(p && plyRow > 0);
    m_plyDown->setEnabled(p && plyRow < m_plyList->count() - 1);
}

// ---------------------------------------------------------------------------------------------------
// Sites

void CSeamsPliesEditor::OnSelchangeSite()
{
    FillSeams();
    EnableButtons();
}

void CSeamsPliesEditor::OnAddSite()
{
    const std::vector<std::wstring> names = EditorNames::NamesOf(m_sites);
    std::wstring name = L"new site";
    if (!EditorNames::AskNewName(this, name, {233, 234, L"hidd_newsite.htm", EditorNames::DuplicateSite}, names))
        return;
    m_sites.emplace_back(name); // id 0: the table gives it the next id when the copy is put back
    {
        QSignalBlocker block(m_siteCombo);
        m_siteCombo->addItem(qs(name), static_cast<int>(m_sites.size() - 1));
        m_siteCombo->setCurrentIndex(m_siteCombo->count() - 1);
    }
    FillSeams();
}

void CSeamsPliesEditor::OnRenameSite()
{
    CorrelationDefinition* s = site();
    if (!s)
        return;
    const std::vector<std::wstring> names = EditorNames::NamesOf(m_sites);
    std::wstring name = s->name;
    if (!EditorNames::AskNewName(this, name, {233, 234, L"hidd_newsite.htm", EditorNames::DuplicateSite}, names))
        return;
    s->name = name;
    PositionedItems::Rename(m_siteCombo, m_siteCombo->currentIndex(), qs(name));
    FillSeams();
}

void CSeamsPliesEditor::OnDeleteSite()
{
    if (selectedSite() < 0)
        return;
    PositionedItems::Erase(m_sites, m_siteCombo, m_siteCombo->currentIndex());
    // No site is selected now: its seams and plies are no longer shown.
    FillSeams();
}

// ---------------------------------------------------------------------------------------------------
// Seams

void CSeamsPliesEditor::OnSelchangeSeam() { FillPlies(); }

void CSeamsPliesEditor::OnAddSeam()
{
    CorrelationDefinition* s = site();
    if (!s)
        return;
    std::wstring name = L"new seam";
    if (!EditorNames::AskNewName(this, name, {235, 236, L"hidd_newsite.htm", EditorNames::DuplicateSeam},
                                 seamNames(*s)))
        return;
    s->seams.emplace_back(name);
    addEntry(m_seamList, name, static_cast<int>(s->seams.size() - 1));
    SortedItems::selectQuietly(m_seamList, m_seamList->count() - 1);
    FillPlies();
}

void CSeamsPliesEditor::OnRenameSeam()
{
    CorrelationSeam* m = seam();
    if (!m)
        return;
    std::wstring name = m->name;
    if (!EditorNames::AskNewName(this, name, {235, 236, L"hidd_newseam.htm", EditorNames::DuplicateSeam},
                                 seamNames(*site())))
        return;
    m->name = name;
    // The renamed seam stays the one being edited.
    PositionedItems::Rename(m_seamList, SortedItems::selectedRow(m_seamList), qs(name));
    FillPlies();
}

void CSeamsPliesEditor::OnDeleteSeam()
{
    CorrelationDefinition* s = site();
    if (!s || selectedSeam() < 0)
        return;
    PositionedItems::Erase(s->seams, m_seamList, SortedItems::selectedRow(m_seamList));
    FillPlies();
}

void CSeamsPliesEditor::moveSeam(int step)
{
    if (CorrelationDefinition* s = site(); s && selectedSeam() >= 0)
        if (PositionedItems::MoveSelected(m_seamList, s->seams, step))
            EnableButtons();
}

void CSeamsPliesEditor::OnMoveSeamUp() { moveSeam(-1); }

void CSeamsPliesEditor::OnMoveSeamDown() { moveSeam(+1); }

// ---------------------------------------------------------------------------------------------------
// Plies

void CSeamsPliesEditor::OnSelchangePly() { EnableButtons(); }

void CSeamsPliesEditor::OnAddPly()
{
    CorrelationSeam* m = seam();
    if (!m)
        return;
    std::wstring name = L"new ply";
    if (!EditorNames::AskNewName(this, name, {237, 238, L"hidd_newply.htm", EditorNames::DuplicatePly}, m->plies))
        return;
    m->plies.push_back(name);
    addEntry(m_plyList, name, static_cast<int>(m->plies.size() - 1));
    SortedItems::selectQuietly(m_plyList, m_plyList->count() - 1);
    EnableButtons();
}

void CSeamsPliesEditor::OnRenamePly()
{
    CorrelationSeam* m = seam();
    const int index = selectedPly();
    if (!m || index < 0)
        return;
    std::wstring name = m->plies[static_cast<std::size_t>(index)];
    if (!EditorNames::AskNewName(this, name, {237, 238, L"hidd_newseam.htm", EditorNames::DuplicatePly}, m->plies))
        return;
    m->plies[static_cast<std::size_t>(index)] = name;
    PositionedItems::Rename(m_plyList, SortedItems::selectedRow(m_plyList), qs(name));
    EnableButtons();
}

void CSeamsPliesEditor::OnDeletePly()
{
    CorrelationSeam* m = seam();
    if (!m || selectedPly() < 0)
        return;
    PositionedItems::Erase(m->plies, m_plyList, SortedItems::selectedRow(m_plyList));
    EnableButtons();
}

void CSeamsPliesEditor::movePly(int step)
{
    if (CorrelationSeam* m = seam(); m && selectedPly() >= 0)
        if (PositionedItems::MoveSelected(m_plyList, m->plies, step))
            EnableButtons();
}

void CSeamsPliesEditor::OnMovePlyUp() { movePly(-1); }

void CSeamsPliesEditor::OnMovePlyDown() { movePly(+1); }
