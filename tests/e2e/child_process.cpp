#include "e2e/child_process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

std::vector<char*> argvOf(std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (auto& part : command)
        argv.push_back(part.data());
    argv.push_back(nullptr);
    return argv;
}

int statusOf(int raw)
{
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw))
        return 128 + WTERMSIG(raw);
    return -1;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command,
                           const std::map<std::string, std::string>& environment, const std::filesystem::path& log)
{
    std::vector<std::string> copy = command;
    pid_ = ::fork();
    if (pid_ != 0)
        return;
    // The child: its own process group, so that nothing it starts outlives it.
    ::setpgid(0, 0);
    for (const auto& [name, value] : environment)
        ::setenv(name.c_str(), value.c_str(), 1);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (out >= 0) {
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::close(out);
    }
    const int none = ::open("/dev/null", O_RDONLY);
    if (none >= 0) {
        ::dup2(none, STDIN_FILENO);
        ::close(none);
    }
    ::execvp(copy.front().c_str(), argvOf(copy).data());
    ::_exit(127);
}

ChildProcess::~ChildProcess()
{
    if (signalAndWait(SIGTERM, 3s) < 0)
        signalAndWait(SIGKILL, 3s);
}

bool ChildProcess::running()
{
    return waitForExit(0ms) < 0;
}

int ChildProcess::waitForExit(std::chrono::milliseconds patience)
{
    if (pid_ <= 0)
        return status_;
    const auto until = std::chrono::steady_clock::now() + patience;
    do {
        int raw = 0;
        if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
            pid_ = -1;
            status_ = statusOf(raw);
            return status_;
        }
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < until);
    return -1;
}

int ChildProcess::signalAndWait(int signal, std::chrono::milliseconds patience)
{
    if (pid_ <= 0)
        return status_;
    ::kill(pid_, signal);
    return waitForExit(patience);
}

std::string runCommand(const std::vector<std::string>& command, int* exitStatus)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    std::vector<std::string> copy = command;
    const int pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execvp(copy.front().c_str(), argvOf(copy).data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    if (exitStatus != nullptr)
        *exitStatus = statusOf(raw);
    return text;
}
