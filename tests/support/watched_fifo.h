#pragma once

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

// A FIFO, and a watchdog that opens its writing end and closes it again
// whenever a reader waits on it: a reader that would wait for a writer forever
// gets an end of file instead, so that a test fails rather than hangs.
class WatchedFifo {
public:
    explicit WatchedFifo(std::filesystem::path path);
    ~WatchedFifo();
    WatchedFifo(const WatchedFifo&) = delete;
    WatchedFifo& operator=(const WatchedFifo&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    void watch();

    std::filesystem::path path_;
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::thread watchdog_;
};
