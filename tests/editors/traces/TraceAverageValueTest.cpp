// The Average Trace dialog over a LAS file written by the test: the interval from the file, depths
// in either order, the half-open interval, significant digits and refused depths.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "app/QuorApp.h"
#include "config/traces/LasProperty.h"
#include "editors/traces/TraceAverageValue.h"
#include "platform/Paths.h"
#include "tests/support/AppTestSupport.h"

namespace {

// Depths 500 down to 100 (a descending file), GR 1000 + depth except one null at 250 and 12.3456
// at 400; SP 1234.5 everywhere.
std::wstring writeLas(const AppTest::Sandbox& sandbox)
{
    std::string text = "~Version\n VERS. 2.0 :\n WRAP. NO :\n~Well\n STRT.M 500 :\n STOP.M 100 :\n STEP.M -50 :\n"
                       " NULL. -999.25 :\n~Curve\n DEPT.M :\n GR.API : gamma\n SP.MV : sp\n~Ascii\n";
    for (int depth = 500; depth >= 100; depth -= 50) {
        std::string gr = depth == 250 ? "-999.25" : depth == 400 ? "12.3456" : std::to_string(1000 + depth);
        text += std::to_string(depth) + " " + gr + " 1234.5\n";
    }
    auto path = sandbox.file("trace.las");
    QuorTest::write_file(path, text);
    return path.wstring();
}

struct Fixture {
    AppTest::Sandbox sandbox;
    CQuorApp app;
    LasProperty file;
    Fixture()
    {
        std::wstring error;
        EXPECT_EQ(file.read(writeLas(sandbox), error), 0) << QString::fromStdWString(error).toStdString();
    }
    const CurveProperty& curve(const char* name)
    {
        for (const auto& c : file.curves())
            if (c.mnemonic == name)
                return c;
        throw std::runtime_error("no curve");
    }
};

void check(Fixture& f, CTraceAverageValue& dialog);

QString calculate(CTraceAverageValue& dialog, const QString& top, const QString& bottom)
{
    dialog.findChild<QLineEdit*>("id1134")->setText(top);
    dialog.findChild<QLineEdit*>("id1135")->setText(bottom);
    dialog.findChild<QPushButton*>("id1137")->click();
    return dialog.findChild<QLineEdit*>("id1136")->text();
}

TEST(TraceAverageValue, IntervalDigitsAndRefusals)
{
    Fixture f;
    CTraceAverageValue dialog(f.file, f.curve("GR"), 1 + 2);
    f.sandbox.dialogs.inspect = [&](QDialog&) { check(f, dialog); };
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    CTraceAverageValue sp(f.file, f.curve("SP"), 3);
    f.sandbox.dialogs.inspect = [&](QDialog&) { EXPECT_EQ(calculate(sp, "100", "500"), "1.23e+03"); };
    sp.DoModal();
    EXPECT_EQ(CTraceAverageValue::FormatResult(-std::numeric_limits<double>::quiet_NaN(), 3), L"nan");
    EXPECT_EQ(CTraceAverageValue::FormatResult(0.000123456, 4), L"0.0001235");
}

void check(Fixture& f, CTraceAverageValue& dialog)
{
    EXPECT_EQ(dialog.objectName(), "dlg170");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("id1138")->text(), "GR");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("id1134")->text(), "100");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("id1135")->text(), "500");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("id1136")->text(), "");

    // 300 <= d < 350: the sample at 300 only; the upper depth is left out.
    EXPECT_EQ(calculate(dialog, "300", "350"), "1.3e+03");
    EXPECT_EQ(calculate(dialog, "350", "300"), "1.3e+03");
    // Three significant digits of 12.3456.
    EXPECT_EQ(calculate(dialog, " 400 ", "400.5"), "12.3");
    // The depths are shown back as typed, in the order typed.
    EXPECT_EQ(dialog.findChild<QLineEdit*>("id1134")->text(), "400");
    // A null sample in the interval, or no sample at all: "nan".
    EXPECT_EQ(calculate(dialog, "200", "300"), "nan");
    EXPECT_EQ(calculate(dialog, "101", "149"), "nan");
    EXPECT_TRUE(f.sandbox.boxes.shown.empty());

    // A depth that is not a number is refused and nothing is calculated.
    EXPECT_EQ(calculate(dialog, "300", "350m"), "nan");
    ASSERT_EQ(f.sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(f.sandbox.boxes.shown[0].text, L"Please enter a number.");
    EXPECT_EQ(calculate(dialog, "", "350"), "nan");
    EXPECT_EQ(f.sandbox.boxes.shown.size(), 2u);
    dialog.findChild<QPushButton*>("id2")->click();
}

} // namespace
