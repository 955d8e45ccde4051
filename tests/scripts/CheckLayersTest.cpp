// scripts/check-layers: on a scratch tree it refuses every include that goes up, sideways within a
// layer or into a folder without a layer, naming file and line; on this repository it passes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "tests/support/TestSupport.h"

namespace {

// A program found on the PATH, as a shell would find it.
std::filesystem::path onPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (!folder.empty() && std::filesystem::exists(candidate))
            return candidate;
    }
    return {};
}

// A scratch repository holding the check and the given files.
class ScratchTree {
public:
    ScratchTree()
    {
        const std::filesystem::path git = onPath("git");
        if (git.empty())
            return;
        std::filesystem::create_directories(m_dir / "scripts");
        std::filesystem::copy_file(QuorTest::source_dir() / "scripts" / "check-layers",
                                   m_dir / "scripts" / "check-layers");
        m_ready = QuorTest::run_program(git, {"init", "-q"}, m_dir.path()).exitCode == 0;
    }
    bool ready() const { return m_ready; }
    void add(const std::string& name, const std::string& text)
    {
        std::filesystem::create_directories((m_dir / name).parent_path());
        QuorTest::write_file(m_dir / name, text);
    }
    QuorTest::RunResult check() const
    {
        return QuorTest::run_program(onPath("python3"), {(m_dir / "scripts/check-layers").string()}, m_dir.path());
    }

private:
    QuorTest::TempDir m_dir;
    bool m_ready = false;
};

} // namespace

TEST(CheckLayers, RefusesEveryIncludeAgainstTheOrderAndNamesIt)
{
    ScratchTree tree;
    if (!tree.ready() || onPath("python3").empty())
        GTEST_SKIP() << "git or python3 missing";
    tree.add("core/model/Borehole.h",
             "#pragma once\n#include \"platform/Text.h\"\n#include \"core/catalogue/Messages.h\"\n");
    tree.add("platform/Text.h", "#pragma once\n#include <string>\n#include \"generated/Version.h\"\n");
    tree.add("core/catalogue/Messages.h", "#pragma once\n");
    tree.add("app/QuorApp.h", "#pragma once\n#include \"docview/view/QuorView.h\"\n");
    tree.add("docview/view/QuorView.h", "#pragma once\n#include \"widgets/text/Font.h\"\n");
    tree.add("widgets/text/Font.h", "#pragma once\n");
    tree.add("tests/anything/Test.cpp", "#include \"app/QuorApp.h\"\n");
    tree.add("bench/bench.cpp", "#include \"app/QuorApp.h\"\n");
    {
        const QuorTest::RunResult clean = tree.check();
        EXPECT_EQ(clean.exitCode, 0) << clean.out << clean.err;
        EXPECT_NE(clean.out.find("every include goes down"), std::string::npos) << clean.out;
    }

    // Up a layer, up from the catalogue into the rest of core, sideways between two tools, and into
    // a folder the list does not know.
    tree.add("widgets/text/Font.cpp", "#include \"widgets/text/Font.h\"\n#include \"app/QuorApp.h\"\n");
    tree.add("core/catalogue/Messages.cpp", "#include \"core/model/Borehole.h\"\n");
    tree.add("tools/holdex/Main.cpp", "\n\n#include \"tools/curvex/Summary.h\"\n");
    tree.add("tools/curvex/Summary.h", "#pragma once\n");
    tree.add("docview/Stray.cpp", "#include \"stray/Thing.h\"\n");
    tree.add("stray/Thing.h", "#pragma once\n");
    const QuorTest::RunResult bad = tree.check();
    EXPECT_EQ(bad.exitCode, 1);
    const std::string& out = bad.out;
    EXPECT_NE(out.find("widgets/text/Font.cpp:2: includes app/QuorApp.h: app lies above widgets"), std::string::npos)
        << out;
    EXPECT_NE(out.find("core/catalogue/Messages.cpp:1: includes core/model/Borehole.h: core lies above core/catalogue"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("tools/holdex/Main.cpp:3: includes tools/curvex/Summary.h"), std::string::npos) << out;
    EXPECT_NE(out.find("share a layer"), std::string::npos) << out;
    EXPECT_NE(out.find("docview/Stray.cpp:1: includes stray/Thing.h, whose folder has no layer"), std::string::npos)
        << out;
    EXPECT_NE(out.find("stray/Thing.h: the folder has no layer"), std::string::npos) << out;
    EXPECT_NE(out.find("5 problem(s) with the layers"), std::string::npos) << out;
    // What tests and benchmarks include is theirs to choose.
    EXPECT_EQ(out.find("tests/"), std::string::npos) << out;
    EXPECT_EQ(out.find("bench/"), std::string::npos) << out;
}

TEST(CheckLayers, ThisRepositoryIncludesOnlyDownwards)
{
    if (onPath("git").empty() || onPath("python3").empty())
        GTEST_SKIP() << "git or python3 missing";
    const std::filesystem::path source = QuorTest::source_dir();
    if (!std::filesystem::exists(source / ".git"))
        GTEST_SKIP() << "not a git checkout";
    const QuorTest::RunResult result =
        QuorTest::run_program(onPath("python3"), {(source / "scripts/check-layers").string()}, source);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
}
