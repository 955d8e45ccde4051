#include <atomic>
#include <cerrno>
#include <gtest/gtest.h>
#include <thread>

#include "core/catalogue/InternalErrorText.h"
#include "core/catalogue/Messages.h"
#include "core/catalogue/QuorLogException.h"

using namespace ORBAX_Utilities;

namespace {

// A string table of our own, installed as the global locale's for the length of a test.
const StringResource kEntries[] = {
    {1001, L"Unable to open %1\n(%2)"},
    {1022, L"An internal error occurred.  Save your work and restart QUOR_Log.\nFile: %1, Line %2"},
    {1024, L"Value %1 of %2"},
    {1027, L""},
    {11004, L"Error copying file from %1 to %2\n%3."},
    {11005, L"caf\u00E9 \u2013 %1"},
};
const StringTable kTable(kEntries, sizeof kEntries / sizeof kEntries[0]);

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::locale();
        install_message_facets(kTable);
    }
    void TearDown() override { std::locale::global(m_saved); }

private:
    std::locale m_saved;
};

std::wstring sub(const std::wstring& text, const std::vector<std::wstring>& args)
{
    return substitute_arguments(text, args);
}

} // namespace

TEST(Formatting, PlaceholderRules)
{
    EXPECT_EQ(sub(L"Value %1 of %2", {L"x"}), L"Value x of ");
    EXPECT_EQ(sub(L"100%", {}), L"100");
    EXPECT_EQ(sub(L"100%%", {}), L"100%");
    EXPECT_EQ(sub(L"50% done", {}), L"50 done");
    EXPECT_EQ(sub(L"a%nb", {}), L"a\nb");
    EXPECT_EQ(sub(L"%N", {}), L"N");
    EXPECT_EQ(sub(L"%0|%3", {L"a", L"b"}), L"|");
    EXPECT_EQ(sub(L"%1%1", {L"ab"}), L"abab");
    EXPECT_EQ(sub(L"%1", {L"%2 stays"}), L"%2 stays");
    EXPECT_EQ(sub(L"", {L"a"}), L"");
    EXPECT_EQ(sub(L"%", {L"a"}), L"");
}

TEST(Formatting, WholeDigitRunIsOneNumber)
{
    std::vector<std::wstring> ten;
    for (int i = 1; i <= 10; ++i)
        ten.push_back(L"a" + std::to_wstring(i));
    EXPECT_EQ(sub(L"[%10]", ten), L"[a10]");
    ten.pop_back();
    EXPECT_EQ(sub(L"[%10]", ten), L"[]");
    // A run too long for an int names no argument and is consumed whole.
    EXPECT_EQ(sub(L"<%99999999999999999999999999>", ten), L"<>");
    EXPECT_EQ(sub(L"<%00001>", ten), L"<a1>");
}

TEST_F(MessagesTest, LookupAndFormatting)
{
    EXPECT_EQ(get_message_wide(1024), L"Value %1 of %2");
    EXPECT_EQ(format_message(11004, {L"a.txt", L"a.txt.backup", L"Access is denied"}),
              L"Error copying file from a.txt to a.txt.backup\nAccess is denied.");
    EXPECT_EQ(format_message1(1024, L"x"), L"Value x of ");
    EXPECT_EQ(format_message2(1001, L"f", L"why"), L"Unable to open f\n(why)");
    // The narrow lookup narrows through code page 1252.
    EXPECT_EQ(get_message(11005), "caf\xE9 \x96 %1");
}

TEST_F(MessagesTest, BlockRule)
{
    // 1008 to 1023 and 1024 to 1039 are blocks with texts: a missing number in it is an empty text.
    EXPECT_EQ(get_message_wide(1023), L"");
    EXPECT_EQ(get_message_wide(1027), L"");
    EXPECT_EQ(get_message(1030), "");
    // Block 992..1007 holds 1001; 1040..1055 holds nothing.
    EXPECT_EQ(get_message_wide(1000), L"");
    EXPECT_EQ(get_message_wide(1040), L"Message 1040 not found!");
    EXPECT_EQ(get_message_wide(99999), L"Message 99999 not found!");
    EXPECT_EQ(get_message(-5), "Message -5 not found!");
    EXPECT_EQ(get_message_wide(-1), L"Message -1 not found!");
}

TEST_F(MessagesTest, CataloguesAreNumberedAndReused)
{
    std::locale loc;
    const auto& facet = std::use_facet<std::messages<wchar_t>>(loc);
    auto first = facet.open("", loc);
    auto second = facet.open("system", loc);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    facet.close(first);
    EXPECT_EQ(facet.open("", loc), 1);
    EXPECT_EQ(facet.open("kernel32.dll", loc), -1);
    EXPECT_EQ(facet.get(second, 0, ENOENT, L"dflt"), L"No such file or directory");
    EXPECT_EQ(facet.get(1, 0, 1024, L"dflt"), L"Value %1 of %2");
    facet.close(1);
    facet.close(second);
    // Lookups leave no catalogue open.
    auto* ours = dynamic_cast<const win32_resource_messages<wchar_t>*>(&facet);
    ASSERT_NE(ours, nullptr);
    get_message_wide(1001);
    EXPECT_EQ(ours->open_catalogues(), 0u);
}

TEST_F(MessagesTest, SystemTexts)
{
    EXPECT_EQ(SystemErrorText(ENOENT), L"No such file or directory");
    EXPECT_EQ(SystemErrorText(0), L"Message for error 0 not found");
    std::wstring text;
    EXPECT_TRUE(load_system_message(EACCES, text));
    EXPECT_EQ(text, L"Permission denied");
}

TEST_F(MessagesTest, ExceptionCarriesUnformattedInternalErrorText)
{
    QuorLogException e;
    EXPECT_STREQ(e.what(), "An internal error occurred.  Save your work and restart QUOR_Log.\nFile: %1, Line %2");
    QuorLogException other("disk full");
    EXPECT_STREQ(other.what(), "disk full");
}

TEST_F(MessagesTest, InternalErrorNamesTheSourceFileAndLine)
{
    const std::wstring head = L"An internal error occurred.  Save your work and restart QUOR_Log.\nFile: ";
    EXPECT_EQ(internal_error_text("/src/app/MainFrame.cpp", 540, SourceName::FileName),
              head + L"MainFrame.cpp, Line 540");
    EXPECT_EQ(internal_error_text("/src/config/Quor_Log_Config.cpp", 7, SourceName::Stem),
              head + L"Quor_Log_Config, Line 7");
    EXPECT_EQ(internal_error_text("QuorView_Command", 1309), head + L"QuorView_Command, Line 1309");
    // The macro names the file and the line it stands at.
    const int line = __LINE__ + 1;
    const std::wstring here = QUOR_INTERNAL_ERROR_TEXT();
    EXPECT_EQ(here, head + L"MessagesTest, Line " + std::to_wstring(line));
}

TEST_F(MessagesTest, ConcurrentLookups)
{
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&wrong] {
            for (int i = 0; i < 2000; ++i) {
                if (get_message_wide(1024) != L"Value %1 of %2")
                    ++wrong;
                if (get_message(1040) != "Message 1040 not found!")
                    ++wrong;
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(ProgramTables, NoNumberIsDefinedTwice)
{
    // The test program carries every string table of the project.
    const StringTable& table = ProgramStringTable();
    EXPECT_TRUE(table.duplicate_ids().empty());
    const wchar_t* text = nullptr;
    EXPECT_TRUE(table.find(1022, text));
    EXPECT_EQ(std::wstring(text).substr(0, 28), L"An internal error occurred. ");
}
