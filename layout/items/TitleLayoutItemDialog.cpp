#include "layout/items/TitleLayoutItemDialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "layout/items/TitleLayoutItemControl.h"
#include "widgets/dialogs/DialogUnits.h"

CTitleLayoutItemDialog::CTitleLayoutItemDialog(const TitleLayoutItem& item, QWidget* parent)
    : DdxDialog(219, parent), m_item(std::make_shared<TitleLayoutItem>(item))
{
    setWindowTitle(QStringLiteral("Title Properties"));
    setSizeGripEnabled(true);
    const DialogUnits units(this);
    auto* anchors = new EdgeAnchors(this, units.size(310, 196));

    m_grid = new CTitleLayoutItemControl(this);
    anchors->add(m_grid, units.rect(7, 7, 296, 120), EdgeAnchors::Stretch);

    // Only adding a row works; the other controls show what the block will offer and do nothing yet.
    auto button = [&](const QString& text, int id, int x, int y, bool works) {
        auto* b = new QPushButton(text, this);
        if (id)
            b->setObjectName(QStringLiteral("id%1").arg(id));
        b->setEnabled(works);
        b->setAutoDefault(false);
        anchors->add(b, units.rect(x, y, 64, 14), EdgeAnchors::MoveBottom);
        return b;
    };
    auto* addAbove = button(QStringLiteral("Add row above"), 1339, 7, 134, true);
    connect(addAbove, &QPushButton::clicked, this, &CTitleLayoutItemDialog::OnAddRowAbove);
    button(QStringLiteral("Add row below"), 0, 75, 134, false);
    button(QStringLiteral("Delete row"), 0, 143, 134, false);
    button(QStringLiteral("Add column left"), 0, 7, 152, false);
    button(QStringLiteral("Add column right"), 0, 75, 152, false);
    button(QStringLiteral("Delete column"), 0, 143, 152, false);
    button(QStringLiteral("Font..."), 0, 7, 174, false);
    button(QStringLiteral("Browse..."), 0, 75, 174, false);

    auto edit = [&](const QString& label, int id, int y) {
        auto* text = new QLabel(label, this);
        anchors->add(text, units.rect(214, y + 3, 44, 9), EdgeAnchors::MoveBottom);
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("id%1").arg(id));
        e->setEnabled(false);
        anchors->add(e, units.rect(260, y, 43, 14), EdgeAnchors::MoveBottom);
    };
    edit(QStringLiteral("Row height"), 1349, 134);
    edit(QStringLiteral("Cell width"), 1348, 152);

    // The two radios share the room between the buttons and OK: the shorter text gives the longer
    // the room it needs.
    auto radio = [&](const QString& text, int x, int width) {
        auto* r = new QRadioButton(text, this);
        r->setEnabled(false);
        QRect place = units.rect(x, 176, width, 10);
        place.setWidth(std::max(place.width(), r->sizeHint().width()));
        anchors->add(r, place, EdgeAnchors::MoveBottom);
    };
    radio(QStringLiteral("Text"), 143, 30);
    radio(QStringLiteral("Picture"), 174, 39);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    anchors->add(box, units.rect(214, 174, 89, 14), EdgeAnchors::MoveBottom);

    // Never smaller than it opens.
    setMinimumSize(size());
}

bool CTitleLayoutItemDialog::OnInitDialog()
{
    if (!DdxDialog::OnInitDialog())
        return false;
    m_grid->SetItem(m_item);
    return true;
}

void CTitleLayoutItemDialog::exchange(bool) {}

void CTitleLayoutItemDialog::OnAddRowAbove()
{
    m_item->InsertRow();
    m_grid->update();
}

bool TitleLayoutItem::EditProperties(CQuorDoc&, const QPointF&)
{
    CTitleLayoutItemDialog dialog(*this);
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    // OK keeps what was done in the dialog: the rows it added (the rows themselves are shared).
    const TitleLayoutItem& edited = *dialog.Item();
    rows = edited.rows;
    width = edited.width;
    height = edited.height;
    return true;
}
