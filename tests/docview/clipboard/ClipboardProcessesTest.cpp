// A unit copied in one running program pastes in another: two processes on one X display (a private
// Xvfb when none is given), one serving the clipboard, one reading it.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Built beside this test program.
std::string peerProgram()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "clipboard_peer").string();
}

// A child with a pipe to its standard input and one from its standard output.
struct Child {
    pid_t pid = -1;
    int input = -1;
    FILE* output = nullptr;

    bool start(const std::vector<std::string>& arguments, const std::string& display)
    {
        int in[2];
        int out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            return false;
        pid = fork();
        if (pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            setenv("DISPLAY", display.c_str(), 1);
            setenv("QT_QPA_PLATFORM", "xcb", 1);
            std::vector<char*> argv;
            for (const std::string& a : arguments)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        input = in[1];
        output = fdopen(out[0], "r");
        return pid > 0 && output;
    }

    std::string readLine()
    {
        char line[512];
        if (!output || !std::fgets(line, sizeof line, output))
            return std::string();
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        return text;
    }

    int finish()
    {
        if (input >= 0)
            close(input);
        input = -1;
        int status = 0;
        if (pid > 0)
            waitpid(pid, &status, 0);
        if (output)
            std::fclose(output);
        output = nullptr;
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    ~Child()
    {
        if (pid > 0)
            kill(pid, SIGTERM);
        finish();
    }
};

// The display to use: the one given, or a private Xvfb started for the test.
class Display {
public:
    Display()
    {
        if (const char* given = std::getenv("DISPLAY"); given && *given) {
            name = given;
            return;
        }
        if (access("/usr/bin/Xvfb", X_OK) != 0)
            return;
        for (int n = 90 + getpid() % 100; n < 400 && name.empty(); n += 7) {
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
            if (std::filesystem::exists(socket) || std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
                continue;
            const std::string display = ":" + std::to_string(n);
            m_server = fork();
            if (m_server == 0) {
                const int null = open("/dev/null", O_WRONLY);
                dup2(null, 1);
                dup2(null, 2);
                execl("/usr/bin/Xvfb", "Xvfb", display.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                      static_cast<char*>(nullptr));
                _exit(127);
            }
            for (int tries = 0; tries < 100 && !std::filesystem::exists(socket); ++tries)
                usleep(50000);
            if (std::filesystem::exists(socket))
                name = display;
            else
                stop();
        }
    }
    ~Display() { stop(); }

    std::string name;

private:
    void stop()
    {
        if (m_server > 0) {
            kill(m_server, SIGTERM);
            waitpid(m_server, nullptr, 0);
        }
        m_server = -1;
    }
    pid_t m_server = -1;
};

TEST(ClipboardBetweenProcesses, AUnitCopiedInOneProgramPastesInAnother)
{
    if (!std::filesystem::exists(peerProgram()))
        GTEST_SKIP() << "the peer program is not built";
    Display display;
    if (display.name.empty())
        GTEST_SKIP() << "no X display and no Xvfb";

    Child owner;
    ASSERT_TRUE(owner.start({peerProgram(), "copy"}, display.name));
    ASSERT_EQ(owner.readLine(), "ready");

    Child reader;
    ASSERT_TRUE(reader.start({peerProgram(), "paste"}, display.name));
    const std::string pasted = reader.readLine();
    EXPECT_EQ(reader.finish(), 0) << pasted;
    // Rock types, percentages, free-field values, seam and ply come across; the sample number stays the
    // target's; the paste is one undoable step that marks the pane modified.
    EXPECT_EQ(pasted, "SAND:70 CLAY:30 colour=grey seam=Upper ply=U2 sample=S1 steps=1 modified=yes");
    EXPECT_EQ(owner.finish(), 0);
}

} // namespace
