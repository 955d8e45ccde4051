#pragma once
// A view over a document of two sample boreholes, with the shipped configuration's hatch list, sized
// and rendered into images of a known resolution for pixel probes at computed positions.
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "config/Quor_Log_Config.h"
#include "core/model/Borehole.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/TestSupport.h"

namespace ViewTest {

// The shipped configuration, read as the program reads it, with "Standard" as the current hatch list.
inline void LoadShippedConfiguration(ConfigurationTables& tables)
{
    QuorLogConfig config(tables);
    ConfigMessageList messages;
    config.ResetConfiguration();
    const std::filesystem::path path = QuorTest::source_dir() / "resources" / "QuorLogConfig.txt";
    config.ReadConfigurationText(QuorTest::read_file(path), path.wstring(), messages);
    for (const auto& [id, list] : tables.hatchLists)
        if (list.GetName() == L"Standard")
            tables.currentHatchListId = id;
}

inline ORBAX_Logging::SchemaPtr SchemaNamed(const ConfigurationTables& tables, const std::wstring& name)
{
    for (const auto& schema : tables.schemas)
        if (schema->name == name)
            return schema;
    return tables.schemas.front();
}

struct TestUnit {
    double bottom;
    std::vector<std::pair<std::wstring, int>> elements; // rock type, percentage
    std::wstring sample = {};
    std::wstring seam = {};
    std::wstring ply = {};
};

inline void FillBorehole(ORBAX_Logging::Borehole& hole, const std::wstring& name, const std::vector<TestUnit>& units)
{
    hole.clear();
    hole.name = name;
    double top = 0;
    for (const TestUnit& row : units) {
        ORBAX_Logging::Interval unit(hole.schema);
        std::vector<std::int32_t> percentages;
        std::vector<std::wstring> rocks;
        for (const auto& [rock, percentage] : row.elements) {
            rocks.push_back(rock);
            percentages.push_back(percentage);
        }
        unit.setRockTypes(L"IN GENERAL", percentages, rocks);
        unit.bottom = row.bottom;
        unit.thickness = row.bottom - top;
        unit.sample = row.sample;
        unit.seam = row.seam;
        unit.ply = row.ply;
        hole.push_back(unit);
        top = row.bottom;
    }
}

// A fixture: the sandbox, the configuration, a document and its view at a fixed size.
class ViewFixture : public ::testing::Test {
protected:
    ViewFixture()
    {
        LoadShippedConfiguration(tables);
        schema = SchemaNamed(tables, L"Coal");
        document = std::make_unique<CQuorDoc>(schema);
        view = std::make_unique<CQuorView>(document.get());
        view->saveSettingsWanted = [] { return false; };
        view->SetConfigurationTables(&tables);
        view->resize(1200, 800);
        view->OnSize();
    }

    ORBAX_Logging::Borehole& Hole(int pane) { return document->GetBorehole(pane); }

    // The whole client area drawn as the window would be, into an image of the view's resolution.
    QImage Render(bool forScreen = false)
    {
        QImage image(view->size(), QImage::Format_ARGB32);
        image.setDotsPerMeterX(static_cast<int>(std::lround(view->PixelsPerMmX() * 1000)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(view->PixelsPerMmY() * 1000)));
        image.fill(0xFF808080u);
        QPainter painter(&image);
        view->OnDraw(painter, view->DeviceToPage(QRectF(QPointF(0, 0), QSizeF(view->size()))), forScreen);
        return image;
    }

    // A page point (millimetres) in image pixels.
    QPoint Pixel(double xMm, double yMm) const
    {
        return QPoint(static_cast<int>(std::floor(xMm * view->PixelsPerMmX())),
                      static_cast<int>(std::floor(yMm * view->PixelsPerMmY())));
    }

    AppTest::Sandbox sandbox;
    ConfigurationTables tables;
    ORBAX_Logging::SchemaPtr schema;
    std::unique_ptr<CQuorDoc> document;
    std::unique_ptr<CQuorView> view;
};

} // namespace ViewTest

namespace ViewTest {

// A LAS 2.0 file of `rows` rows from `start` in steps of `step`; each curve gives its value for a row
// (NaN for a missing value, written as the NULL value).
struct LasCurve {
    std::string mnemonic;
    std::function<double(int row)> value;
};

inline std::string LasText(double start, double step, int rows, const std::vector<LasCurve>& curves)
{
    auto number = [](double v) {
        if (std::isnan(v))
            return std::string("-999.25");
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.4f", v);
        return std::string(buffer);
    };
    std::string text = "~Version information\n VERS. 2.0 : CWLS log ASCII Standard\n WRAP. NO : one line per step\n";
    text += "~Well information\n STRT.M " + number(start) + " : start\n STOP.M " + number(start + step * (rows - 1)) +
            " : stop\n STEP.M " + number(step) + " : step\n NULL. -999.25 : null\n";
    text += "~Curve information\n DEPT.M : depth\n";
    for (const LasCurve& curve : curves)
        text += " " + curve.mnemonic + ".U : " + curve.mnemonic + "\n";
    text += "~A\n";
    for (int row = 0; row < rows; ++row) {
        text += number(start + step * row);
        for (const LasCurve& curve : curves)
            text += " " + number(curve.value(row));
        text += "\n";
    }
    return text;
}

} // namespace ViewTest
