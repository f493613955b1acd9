#include "support/watched_fifo.h"

#include <chrono>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

WatchedFifo::WatchedFifo(std::filesystem::path path) : path_(std::move(path))
{
    if (::mkfifo(path_.c_str(), 0644) != 0)
        throw std::runtime_error("cannot make the FIFO " + path_.string());
    watchdog_ = std::thread(&WatchedFifo::watch, this);
}

WatchedFifo::~WatchedFifo()
{
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    stopped_.notify_one();
    watchdog_.join();
}

void WatchedFifo::watch()
{
    std::unique_lock lock(mutex_);
    while (!stopped_.wait_for(lock, std::chrono::milliseconds(10), [this] { return stop_; })) {
        // Opens only while a reader has the FIFO open or waits to.
        const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    }
}
