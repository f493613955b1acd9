#include "support/sim_process.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

SimProcess::SimProcess(const std::vector<std::string>& arguments, const std::filesystem::path& log)
{
    int out[2];
    if (::pipe(out) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        if (!log.empty()) {
            const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0)
                ::dup2(fd, STDERR_FILENO);
        }
        std::vector<char*> argv;
        std::string program = ORBITUNE_METER_SIM;
        argv.push_back(program.data());
        std::vector<std::string> copy = arguments;
        copy.insert(copy.begin(), {"--port", "0"});
        for (auto& a : copy)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    FILE* stream = ::fdopen(out[0], "r");
    char line[256] = {};
    if (stream != nullptr && std::fgets(line, sizeof line, stream) != nullptr) {
        std::string text(line);
        const auto at = text.find("tcp://");
        if (at != std::string::npos)
            url_ = text.substr(at, text.find_first_of("\r\n", at) - at);
    }
    if (stream != nullptr)
        std::fclose(stream);
}

int SimProcess::stop()
{
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

SimProcess::~SimProcess()
{
    stop();
}
