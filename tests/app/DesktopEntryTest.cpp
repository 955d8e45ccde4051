#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "app/QuorLogCommandLine.h"
#include "core/catalogue/Messages.h"
#include "tests/support/TestSupport.h"

namespace {

std::string value(const std::string& text, const std::string& section, const std::string& key)
{
    std::istringstream in(text);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[')
            inSection = line == "[" + section + "]";
        else if (inSection && line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return {};
}

// The desktop opens ".hole" files with the program through the installed entry and file type: both
// must name the same type, the type's pattern must be the document's, and the verbs must be ones the
// command line understands.
TEST(DesktopEntry, OpensAndPrintsTheDocumentsFileType)
{
    const std::string entry = QuorTest::read_file(QuorTest::source_dir() / "app" / "desktop" / "quor_log.desktop");
    const std::string mime = QuorTest::read_file(QuorTest::source_dir() / "app" / "desktop" / "quor_log-mime.xml");

    std::smatch type;
    ASSERT_TRUE(std::regex_search(mime, type, std::regex("<mime-type type=\"([^\"]+)\"")));
    EXPECT_EQ(value(entry, "Desktop Entry", "MimeType"), type[1].str() + ";");

    std::smatch glob;
    ASSERT_TRUE(std::regex_search(mime, glob, std::regex("<glob pattern=\"([^\"]+)\"")));
    // The document string: name, ..., filter, extension.
    const std::wstring document = ORBAX_Utilities::get_message_wide(128);
    EXPECT_NE(document.find(L"(" + std::wstring(glob[1].first, glob[1].second) + L")"), std::wstring::npos);
    EXPECT_NE(document.find(L"\n" + std::wstring(glob[1].first + 1, glob[1].second) + L"\n"), std::wstring::npos);

    auto arguments = [](const std::string& exec) {
        std::vector<std::wstring> words;
        std::istringstream in(exec);
        std::string word;
        in >> word; // the program
        while (in >> word)
            words.push_back(word == "%f" ? L"/data/log.hole" : std::wstring(word.begin(), word.end()));
        return words;
    };
    CQuorLogCommandLine open;
    open.Parse(arguments(value(entry, "Desktop Entry", "Exec")));
    EXPECT_EQ(open.shellCommand, CQuorLogCommandLine::FileOpen);
    EXPECT_EQ(open.fileName, L"/data/log.hole");
    CQuorLogCommandLine print;
    print.Parse(arguments(value(entry, "Desktop Action Print", "Exec")));
    EXPECT_EQ(print.shellCommand, CQuorLogCommandLine::FilePrint);
    EXPECT_EQ(print.fileName, L"/data/log.hole");
}

} // namespace

namespace {

// The welcome screen and the Help menu open the guide and the release notes beside the program, and
// the program reads the configuration there when the user has none: the build puts all three there.
TEST(ShippedFiles, StandBesideTheProgram)
{
    const std::filesystem::path source = QuorTest::source_dir() / "resources";
    EXPECT_EQ(QuorTest::read_file(QuorTest::program_path("QuorLogConfig.txt")),
              QuorTest::read_file(source / "QuorLogConfig.txt"));
    EXPECT_EQ(QuorTest::read_file(QuorTest::program_path("ReleaseNotes.txt")),
              QuorTest::read_file(source / "ReleaseNotes.txt"));

    // The guide is rendered from its page: every section's heading is in the PDF's text.
    const std::filesystem::path guide = QuorTest::program_path("Guide.pdf");
    ASSERT_EQ(QuorTest::read_file(guide).rfind("%PDF-", 0), 0u);
    const std::string text = QuorTest::run_program("/usr/bin/pdftotext", {guide.string(), "-"}).out;
    for (const char* heading :
         {"Getting Started", "1. Open a borehole", "2. Add traces", "3. Edit the log", "4. Print"})
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
}

} // namespace
