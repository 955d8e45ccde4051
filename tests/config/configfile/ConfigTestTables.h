#pragma once
// Shared helpers of the configuration file tests: a configuration over fresh tables with its folders
// in a scratch folder, table comparison and writing to text.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "config/Quor_Log_Config.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

namespace ConfigTest {

inline std::string describe(const ConfigMessageList& messages)
{
    std::string out;
    for (const ConfigMessage& m : messages)
        out += std::to_string(m.word()) + " " + ORBAX_Platform::utf8_from_wide(m.text) + "\n";
    return out;
}

inline BitmapPattern monoBitmap(const std::wstring& name)
{
    BitmapPattern pattern(name);
    pattern.width = 4;
    ConfigMessageList ignored;
    BitmapPattern::ParseMonoData(ignored, L"0xA 0x5", pattern, 1);
    return pattern;
}

// Writes the configuration's tables through the file writer and returns the file's bytes.
inline std::string writeAndRead(QuorLogConfig& config, const std::filesystem::path& file)
{
    ConfigMessageList messages;
    config.WriteConfiguration(ORBAX_Platform::wide_from_path(file), messages);
    EXPECT_TRUE(messages.empty()) << describe(messages);
    return QuorTest::read_file(file);
}

inline bool sameImage(const BitmapPattern& a, const BitmapPattern& b)
{
    if (a.image.isNull() || b.image.isNull())
        return a.image.isNull() == b.image.isNull();
    if (a.image.size() != b.image.size())
        return false;
    for (int y = 0; y < a.image.height(); ++y)
        for (int x = 0; x < a.image.width(); ++x)
            if (a.image.pixel(x, y) != b.image.pixel(x, y))
                return false;
    return true;
}

// Every table, record by record in order (ids and resolved pattern ids included when `ids`).
inline void expectSameTables(const ConfigurationTables& a, const ConfigurationTables& b, bool ids = true)
{
    ASSERT_EQ(a.bitmaps.size(), b.bitmaps.size());
    for (auto i = a.bitmaps.begin(), j = b.bitmaps.begin(); i != a.bitmaps.end(); ++i, ++j) {
        EXPECT_EQ(i->second.name, j->second.name);
        EXPECT_EQ(i->second.kind, j->second.kind);
        EXPECT_EQ(i->second.width, j->second.width);
        EXPECT_EQ(i->second.height, j->second.height);
        EXPECT_EQ(i->second.fileName, j->second.fileName);
        EXPECT_TRUE(sameImage(i->second, j->second)) << ORBAX_Platform::utf8_from_wide(i->second.name);
    }
    ASSERT_EQ(a.vectors.size(), b.vectors.size());
    for (auto i = a.vectors.begin(), j = b.vectors.begin(); i != a.vectors.end(); ++i, ++j) {
        EXPECT_EQ(i->second.name, j->second.name);
        EXPECT_EQ(i->second.colour, j->second.colour);
        EXPECT_FLOAT_EQ(i->second.width, j->second.width);
        EXPECT_FLOAT_EQ(i->second.height, j->second.height);
        EXPECT_EQ(i->second.elements, j->second.elements);
    }
    ASSERT_EQ(a.hatchLists.size(), b.hatchLists.size());
    for (auto i = a.hatchLists.begin(), j = b.hatchLists.begin(); i != a.hatchLists.end(); ++i, ++j) {
        EXPECT_EQ(i->second.name, j->second.name);
        ASSERT_EQ(i->second.entries.size(), j->second.entries.size());
        for (std::size_t k = 0; k < i->second.entries.size(); ++k) {
            const HatchListEntry& x = i->second.entries[k];
            const HatchListEntry& y = j->second.entries[k];
            EXPECT_EQ(x.kind, y.kind);
            EXPECT_EQ(x.patternName, y.patternName);
            EXPECT_EQ(x.rockType, y.rockType);
            if (ids) {
                EXPECT_EQ(x.patternId, y.patternId);
            }
        }
    }
    ASSERT_EQ(a.correlations.size(), b.correlations.size());
    for (auto i = a.correlations.begin(), j = b.correlations.begin(); i != a.correlations.end(); ++i, ++j) {
        EXPECT_EQ(i->second.name, j->second.name);
        ASSERT_EQ(i->second.seams.size(), j->second.seams.size());
        for (std::size_t k = 0; k < i->second.seams.size(); ++k) {
            EXPECT_EQ(i->second.seams[k].name, j->second.seams[k].name);
            EXPECT_EQ(i->second.seams[k].plies, j->second.seams[k].plies);
        }
    }
    ASSERT_EQ(a.traceDefinitions.size(), b.traceDefinitions.size());
    for (std::size_t k = 0; k < a.traceDefinitions.size(); ++k) {
        const TraceDefinition& x = a.traceDefinitions[k];
        const TraceDefinition& y = b.traceDefinitions[k];
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.pattern, y.pattern);
        EXPECT_EQ(x.visible, y.visible);
        EXPECT_EQ(x.ownRange, y.ownRange);
        EXPECT_EQ(x.colourIndex, y.colourIndex);
        EXPECT_EQ(x.displayField, y.displayField);
        EXPECT_NEAR(x.minimum, y.minimum, std::fabs(x.minimum) * 1e-5);
        EXPECT_NEAR(x.maximum, y.maximum, std::fabs(x.maximum) * 1e-5);
    }
    ASSERT_EQ(a.schemas.size(), b.schemas.size());
    for (auto i = a.schemas.begin(), j = b.schemas.begin(); i != a.schemas.end(); ++i, ++j) {
        EXPECT_EQ((*i)->name, (*j)->name);
        EXPECT_EQ((*i)->fields, (*j)->fields);
        EXPECT_EQ((*i)->flags, (*j)->flags);
    }
}

class ConfigFixture : public ::testing::Test {
protected:
    ConfigFixture() : config(tables)
    {
        config.userFolder = dir.path() / "user" / "ORBAX" / "QUOR_Log 3.0";
        config.programFolder = dir.path() / "program";
        std::filesystem::create_directories(config.programFolder);
    }

    const BitmapPattern& bitmapNamed(const std::wstring& name)
    {
        for (const auto& item : tables.bitmaps)
            if (item.second.name == name)
                return item.second;
        throw std::runtime_error("no bitmap");
    }
    const VectorPattern& vectorNamed(const std::wstring& name)
    {
        for (const auto& item : tables.vectors)
            if (item.second.name == name)
                return item.second;
        throw std::runtime_error("no vector");
    }

    QuorTest::TempDir dir;
    ConfigurationTables tables;
    QuorLogConfig config;
};

} // namespace ConfigTest
