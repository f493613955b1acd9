#pragma once

#include <filesystem>
#include <string>
#include <vector>

// orbitune-meter-sim started on a free loopback port, stopped with SIGTERM
// when the object goes (or by `stop`). Its log of every frame goes to `log`
// when one is named, else to the test's stderr.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& arguments, const std::filesystem::path& log = {});
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
