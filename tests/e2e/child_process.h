#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// A program started with its own environment additions, its output going to a
// log file. The process is ended (SIGTERM, then SIGKILL) when the object goes.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& command, const std::map<std::string, std::string>& environment,
                 const std::filesystem::path& log);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int pid() const { return pid_; }
    bool running();
    // Sends the signal; then waits up to `patience` for the end and answers
    // the exit status (128 + signal when a signal ended it), -1 when it still
    // runs.
    int signalAndWait(int signal, std::chrono::milliseconds patience);
    // Waits for the end without signalling; -1 when it still runs after
    // `patience`.
    int waitForExit(std::chrono::milliseconds patience);

private:
    int pid_ = -1;
    int status_ = -1;
};

// Runs a command to its end and answers what it wrote on stdout; `exitStatus`
// gets its status.
std::string runCommand(const std::vector<std::string>& command, int* exitStatus = nullptr);
