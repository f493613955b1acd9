#pragma once

#include <string>
#include <vector>

// orbitune-meter-sim started on a free loopback port, stopped with SIGTERM
// when the object goes (or by `stop`).
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // "tcp://127.0.0.1:PORT", empty when the program did not start.
    const std::string& url() const { return url_; }
    // Stops the program and answers its exit status.
    int stop();

private:
    int pid_ = -1;
    std::string url_;
};
