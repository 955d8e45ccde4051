#pragma once
// Helpers shared by the test programs: scratch folders, files, sample data and running the real
// programs.
#include <filesystem>
#include <string>
#include <vector>

namespace QuorTest {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);

// The repository's folder and its sample files under tests/data.
std::filesystem::path source_dir();
std::filesystem::path data_file(const std::string& relative);
// The folder the programs are built into.
std::filesystem::path program_path(const std::string& name);

struct RunResult {
    int exitCode = -1000; // as the shell sees it (0 to 255); -1000 when the program did not end normally
    std::string out;
    std::string err;
};

// Runs a program with the arguments, in `workdir` (the current folder when empty), with `input` on
// its standard input, and collects what it writes.
RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& workdir = {}, const std::string& input = {},
                      const std::vector<std::string>& extraEnvironment = {});

} // namespace QuorTest
