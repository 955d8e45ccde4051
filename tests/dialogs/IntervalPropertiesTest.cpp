// Unit Properties: the values of the selected unit, stepping through the elements of an interbedded
// unit and along the borehole, and the fields a schema does not have.
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/Borehole.h"
#include "dialogs/IntervalProperties.h"
#include "tests/support/AppTestSupport.h"

namespace {

using namespace ORBAX_Logging;

SchemaPtr makeSchema(std::vector<FieldDefinition> fields)
{
    auto schema = std::make_shared<SchemaDefinition>(L"S", std::move(fields));
    LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

SchemaPtr fullSchema()
{
    return makeSchema({{ROCKTYPE, L"Rock"},
                       {PERCENTAGE, L"Percent"},
                       {BOTTOM, L"To"},
                       {STRING, L"Colour"},
                       {SEAM, L"Seam"},
                       {PLY, L"Ply"},
                       {SAMPLE, L"Sample"},
                       {RECOVERED, L"Rec"},
                       {INTEGER, L"Count"}});
}

class FakeView : public UnitPropertiesHost {
public:
    explicit FakeView(SchemaPtr schema) : hole(schema) {}
    int SelectedSide() const override { return side; }
    int SelectedUnit() const override { return unit; }
    const ORBAX_Logging::Borehole* Borehole(int k) const override { return k == 1 ? &hole : nullptr; }
    void SelectAndShowUnit(int k, int i) override
    {
        side = k;
        unit = i;
        ++shown;
    }
    bool SelectNextUnit() override
    {
        if (unit + 1 >= hole.unitCount())
            return false;
        ++unit;
        return true;
    }

    ORBAX_Logging::Borehole hole;
    int side = 1;
    int unit = 0;
    int shown = 0;
};

// Unit 0: one element; unit 1: three elements with a composite row; unit 2: no elements.
void fill(FakeView& view)
{
    const SchemaPtr& schema = view.hole.schema;
    Interval first(schema, LithData(schema));
    first.elements[0].rockType = L"SAND";
    first.elements[0].values.set(3, L"grey");
    first.elements[0].values.set(8, L"4");
    first.bottom = 2.5;
    first.thickness = 2.5;
    first.seam = L"Upper";
    first.sample = L"S-01";
    view.hole.push_back(first);

    Interval mixed(schema, LithData(schema));
    mixed.setRockTypes(L"INTERBEDDED", {50, 30, 20}, {L"SHALE", L"COAL", L"CLAY"});
    mixed.compositeRow().values.set(3, L"mottled");
    mixed.elements[1].values.set(3, L"black");
    mixed.bottom = 4.125;
    mixed.thickness = 1.625;
    mixed.recovered = 1.5;
    mixed.seam = L"Upper";
    mixed.ply = L"U2";
    view.hole.push_back(mixed);

    Interval empty(schema);
    empty.bottom = 5;
    empty.thickness = 0.875;
    view.hole.push_back(empty);
}

QString text(const CIntervalProperties& dialog, int id)
{
    if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("id%1").arg(id)))
        return edit->text();
    return dialog.findChild<QLabel*>(QStringLiteral("id%1").arg(id))->text();
}

QPushButton* button(const CIntervalProperties& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QStringLiteral("id%1").arg(id));
}

bool enabled(const CIntervalProperties& dialog, int id) { return button(dialog, id)->isEnabled(); }

int run(CIntervalProperties& dialog, AppTest::Sandbox& sandbox)
{
    sandbox.dialogs.result = QDialog::Rejected;
    return dialog.DoModal();
}

TEST(IntervalProperties, OneElementUnitShowsItsValuesWithoutElementStepping)
{
    AppTest::Sandbox sandbox;
    FakeView view(fullSchema());
    fill(view);
    CIntervalProperties dialog(view);
    run(dialog, sandbox);
    ASSERT_EQ(sandbox.dialogs.shown.back(), "dlg193");

    EXPECT_EQ(text(dialog, 1011), "0.000");
    EXPECT_EQ(text(dialog, 1012), "2.500");
    EXPECT_EQ(text(dialog, 1194), "2.500");
    EXPECT_EQ(text(dialog, 1193), "") << "no recovered length";
    EXPECT_EQ(text(dialog, 1070), "Upper") << "a seam with an empty ply stands alone";
    EXPECT_EQ(text(dialog, 1195), "S-01");
    EXPECT_EQ(dialog.FieldLines(),
              (std::vector<QString>{"Rock:\tSAND", "Percent:\t100", "Colour:\tgrey", "Count:\t4"}));
    EXPECT_EQ(text(dialog, 1218), "");
    EXPECT_FALSE(enabled(dialog, 1188));
    EXPECT_FALSE(enabled(dialog, 1187));
    EXPECT_FALSE(enabled(dialog, 1184)) << "the first unit has none above it";
    EXPECT_TRUE(enabled(dialog, 1185));
    EXPECT_EQ(button(dialog, 1184)->text(), QString(QChar(0x25B2)));
    EXPECT_EQ(button(dialog, 1187)->text(), QString(QChar(0x25BA)));
}

TEST(IntervalProperties, InterbeddedUnitStepsThroughItsElementsAndUnitsMoveTheSelection)
{
    AppTest::Sandbox sandbox;
    FakeView view(fullSchema());
    fill(view);
    view.unit = 1;
    CIntervalProperties dialog(view);
    run(dialog, sandbox);

    EXPECT_EQ(text(dialog, 1218), "Interbedded unit\n(with 3 elements)");
    EXPECT_EQ(text(dialog, 1070), "Upper - U2");
    EXPECT_EQ(text(dialog, 1193), "1.500");
    EXPECT_EQ(text(dialog, 1011), "2.500");
    EXPECT_EQ(dialog.FieldLines()[0], "Rock:\tINTERBEDDED");
    EXPECT_EQ(dialog.FieldLines()[2], "Colour:\tmottled");
    EXPECT_FALSE(enabled(dialog, 1188));
    ASSERT_TRUE(enabled(dialog, 1187));

    const std::vector<QString> rocks = {"Rock:\tSHALE", "Rock:\tCOAL", "Rock:\tCLAY"};
    for (int e = 1; e <= 3; ++e) {
        button(dialog, 1187)->click();
        EXPECT_EQ(text(dialog, 1218), QStringLiteral("Element %1 of 3").arg(e));
        EXPECT_EQ(dialog.FieldLines()[0], rocks[static_cast<std::size_t>(e) - 1]);
        EXPECT_TRUE(enabled(dialog, 1188));
    }
    EXPECT_EQ(dialog.FieldLines()[1], "Percent:\t20");
    EXPECT_FALSE(enabled(dialog, 1187)) << "no element after the last";
    button(dialog, 1188)->click();
    EXPECT_EQ(dialog.FieldLines()[2], "Colour:\tblack");

    // The unit above: the view selects and shows it, and the element index starts again.
    button(dialog, 1184)->click();
    EXPECT_EQ(view.unit, 0);
    EXPECT_EQ(view.shown, 1);
    EXPECT_EQ(dialog.ElementIndex(), 0);
    EXPECT_EQ(text(dialog, 1195), "S-01");

    // Down to the last unit, which has no elements: no values are made up for it.
    button(dialog, 1185)->click();
    button(dialog, 1185)->click();
    EXPECT_EQ(view.unit, 2);
    EXPECT_FALSE(enabled(dialog, 1185)) << "no unit below the last";
    EXPECT_EQ(dialog.FieldLines(), (std::vector<QString>{"Rock:\t", "Percent:\t", "Colour:\t", "Count:\t"}));
    EXPECT_EQ(text(dialog, 1218), "");
}

TEST(IntervalProperties, FieldsTheSchemaLacksAreDisabledAndEmpty)
{
    AppTest::Sandbox sandbox;
    FakeView view(makeSchema({{ROCKTYPE, L"Rock"}, {BOTTOM, L"To"}, {REAL, L"Density"}}));
    Interval unit(view.hole.schema, LithData(view.hole.schema));
    unit.elements[0].rockType = L"COAL";
    unit.setRockTypes(L"MIX", {60, 40}, {L"COAL", L"SHALE"});
    unit.bottom = 1;
    unit.thickness = 1;
    unit.seam = L"ignored";
    view.hole.push_back(unit);
    CIntervalProperties dialog(view);
    run(dialog, sandbox);

    for (int id : {1070, 1193, 1195}) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("id%1").arg(id));
        EXPECT_FALSE(edit->isEnabled()) << id;
        EXPECT_EQ(edit->text(), "") << id;
    }
    for (int id : {1214, 1215, 1216})
        EXPECT_FALSE(dialog.findChild<QLabel*>(QStringLiteral("id%1").arg(id))->isEnabled()) << id;
    EXPECT_EQ(dialog.FieldLines(), (std::vector<QString>{"Rock:\tMIX", "Density:\t"}));
    EXPECT_FALSE(enabled(dialog, 1187)) << "elements are stepped through only with a percentage field";

    // The selection gone: everything empties.
    view.unit = -1;
    dialog.Refresh();
    EXPECT_TRUE(dialog.FieldLines().empty());
    EXPECT_EQ(text(dialog, 1012), "");
    EXPECT_EQ(text(dialog, 1218), "");
}

TEST(IntervalProperties, HelpOpensTheDialogsPage)
{
    AppTest::Sandbox sandbox;
    FakeView view(fullSchema());
    fill(view);
    CIntervalProperties dialog(view);
    run(dialog, sandbox);
    button(dialog, 57670)->click();
    ASSERT_EQ(sandbox.help.contexts.size(), 1u);
    EXPECT_EQ(sandbox.help.contexts[0], 0x20000u + 193u);
}

} // namespace
