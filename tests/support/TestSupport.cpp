#include "tests/support/TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace QuorTest {

TempDir::TempDir()
{
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("quortest-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void write_file(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::filesystem::path source_dir()
{
    if (const char* dir = std::getenv("QUOR_SOURCE_DIR"))
        return dir;
    return QUOR_DEFAULT_SOURCE_DIR;
}

std::filesystem::path data_file(const std::string& relative) { return source_dir() / "tests" / "data" / relative; }

std::filesystem::path program_path(const std::string& name)
{
    if (const char* dir = std::getenv("QUOR_BIN_DIR"))
        return std::filesystem::path(dir) / name;
    return std::filesystem::path(QUOR_DEFAULT_BIN_DIR) / name;
}

RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& workdir, const std::string& input,
                      const std::vector<std::string>& extraEnvironment)
{
    // A program that ends before reading its input must not kill the test with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    int inPipe[2], outPipe[2], errPipe[2];
    if (::pipe(inPipe) || ::pipe(outPipe) || ::pipe(errPipe))
        throw std::runtime_error("pipe failed");

    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp;
    for (auto& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    std::vector<std::string> argStrings;
    argStrings.push_back(program.string());
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& s : argStrings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(inPipe[0], 0);
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
            ::close(fd);
        if (!workdir.empty() && ::chdir(workdir.c_str()) != 0)
            ::_exit(127);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(inPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);

    RunResult result;
    std::size_t written = 0;
    int inFd = inPipe[1];
    if (input.empty()) {
        ::close(inFd);
        inFd = -1;
    } else {
        ::fcntl(inFd, F_SETFL, O_NONBLOCK);
    }
    bool outOpen = true, errOpen = true;
    char buffer[65536];
    while (outOpen || errOpen) {
        pollfd fds[3];
        int n = 0;
        int outIndex = -1, errIndex = -1, inIndex = -1;
        if (outOpen) {
            fds[n] = {outPipe[0], POLLIN, 0};
            outIndex = n++;
        }
        if (errOpen) {
            fds[n] = {errPipe[0], POLLIN, 0};
            errIndex = n++;
        }
        if (inFd >= 0) {
            fds[n] = {inFd, POLLOUT, 0};
            inIndex = n++;
        }
        if (::poll(fds, static_cast<nfds_t>(n), -1) < 0)
            break;
        if (inIndex >= 0 && (fds[inIndex].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t w = ::write(inFd, input.data() + written, input.size() - written);
            if (w > 0)
                written += static_cast<std::size_t>(w);
            if (w < 0 || written == input.size()) {
                ::close(inFd);
                inFd = -1;
            }
        }
        if (outIndex >= 0 && (fds[outIndex].revents & (POLLIN | POLLHUP | POLLERR))) {
            ssize_t r = ::read(outPipe[0], buffer, sizeof buffer);
            if (r > 0)
                result.out.append(buffer, static_cast<std::size_t>(r));
            else
                outOpen = false;
        }
        if (errIndex >= 0 && (fds[errIndex].revents & (POLLIN | POLLHUP | POLLERR))) {
            ssize_t r = ::read(errPipe[0], buffer, sizeof buffer);
            if (r > 0)
                result.err.append(buffer, static_cast<std::size_t>(r));
            else
                errOpen = false;
        }
    }
    if (inFd >= 0)
        ::close(inFd);
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

} // namespace QuorTest
