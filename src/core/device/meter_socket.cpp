#include "core/device/meter_socket.h"

#include "core/device/hid_link.h"
#include "core/device/meter_frame.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace meter_socket {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic{'M', 'T', 'R', '1'};

std::string refusal(std::string_view url, std::string_view why)
{
    return "refusing meter address \"" + std::string(url) + "\": " + std::string(why) +
           " (use tcp://127.0.0.1:PORT; only loopback addresses are allowed)";
}

} // namespace

std::array<std::uint8_t, kGreetingSize> greeting(std::uint16_t vendorId, std::uint16_t productId)
{
    return {kMagic[0],
            kMagic[1],
            kMagic[2],
            kMagic[3],
            static_cast<std::uint8_t>(vendorId),
            static_cast<std::uint8_t>(vendorId >> 8),
            static_cast<std::uint8_t>(productId),
            static_cast<std::uint8_t>(productId >> 8)};
}

std::optional<std::pair<std::uint16_t, std::uint16_t>> parseGreeting(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != kGreetingSize || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return std::nullopt;
    return std::pair{static_cast<std::uint16_t>(bytes[4] | bytes[5] << 8),
                     static_cast<std::uint16_t>(bytes[6] | bytes[7] << 8)};
}

std::variant<Address, std::string> parseUrl(std::string_view url)
{
    constexpr std::string_view kScheme = "tcp://";
    if (!url.starts_with(kScheme))
        return refusal(url, "not a tcp:// address");
    std::string_view rest = url.substr(kScheme.size());
    const auto colon = rest.rfind(':');
    if (colon == std::string_view::npos)
        return refusal(url, "no port");
    std::string_view host = rest.substr(0, colon);
    const std::string_view portText = rest.substr(colon + 1);
    unsigned port = 0;
    const auto [ptr, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (ec != std::errc{} || ptr != portText.data() + portText.size() || port == 0 || port > 65535)
        return refusal(url, "bad port");

    Address address;
    address.port = static_cast<std::uint16_t>(port);
    if (host == "localhost") {
        address.host = "127.0.0.1";
        return address;
    }
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        const std::string inner(host.substr(1, host.size() - 2));
        in6_addr a6{};
        if (inet_pton(AF_INET6, inner.c_str(), &a6) != 1)
            return refusal(url, "not a numeric address");
        if (!IN6_IS_ADDR_LOOPBACK(&a6))
            return refusal(url, "not a loopback address");
        address.ipv6 = true;
        address.host = inner;
        return address;
    }
    const std::string h(host);
    in_addr a4{};
    if (inet_pton(AF_INET, h.c_str(), &a4) != 1)
        return refusal(url, "not a numeric address");
    if ((ntohl(a4.s_addr) >> 24) != 127)
        return refusal(url, "not a loopback address");
    address.host = h;
    return address;
}

Socket::~Socket()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

int Socket::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool Socket::sendAll(std::span<const std::uint8_t> bytes) const
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

ReadResult Socket::receiveExact(std::span<std::uint8_t> buffer, std::chrono::milliseconds limit) const
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::size_t got = 0;
    while (got < buffer.size()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() < 0)
            return ReadResult::Timeout;
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return ReadResult::Error;
        if (ready == 0)
            return ReadResult::Timeout;
        const ssize_t n = ::recv(fd_, buffer.data() + got, buffer.size() - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return ReadResult::Error;
        got += static_cast<std::size_t>(n);
    }
    return ReadResult::Reply;
}

Connection connectTo(const Address& address)
{
    Connection c{Socket(::socket(address.ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)), 0};
    if (!c.socket.valid()) {
        c.error = errno;
        return c;
    }
    int result = -1;
    if (address.ipv6) {
        sockaddr_in6 sa{};
        sa.sin6_family = AF_INET6;
        sa.sin6_port = htons(address.port);
        inet_pton(AF_INET6, address.host.c_str(), &sa.sin6_addr);
        result = ::connect(c.socket.fd(), reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    } else {
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(address.port);
        inet_pton(AF_INET, address.host.c_str(), &sa.sin_addr);
        result = ::connect(c.socket.fd(), reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    }
    if (result != 0) {
        c.error = errno;
        c.socket = Socket{};
        return c;
    }
    const int one = 1;
    ::setsockopt(c.socket.fd(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return c;
}

} // namespace meter_socket

namespace {

using meter_socket::Socket;

class SocketDevice : public HidDevice {
public:
    explicit SocketDevice(Socket socket) : socket_(std::move(socket)) {}

    std::size_t inputReportLength() const override { return frame::kReportSize; }
    std::size_t outputReportLength() const override { return frame::kReportSize; }

    bool writeReport(std::span<const std::uint8_t> report) override { return socket_.sendAll(report); }

    ReadResult readReport(std::span<std::uint8_t> buffer, std::chrono::milliseconds limit) override
    {
        return socket_.receiveExact(buffer, limit);
    }

private:
    Socket socket_;
};

// A connection that has passed the greeting, with the identity it announced;
// or why there is none.
struct Greeted {
    Socket socket;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    MeterProblem problem = MeterProblem::NothingListens;
    std::string reason; // the system's, when nothing listens
};

Greeted connectAndGreet(const meter_socket::Address& address)
{
    Greeted g;
    auto connection = meter_socket::connectTo(address);
    if (!connection.socket.valid()) {
        g.reason = std::strerror(connection.error);
        return g;
    }
    g.socket = std::move(connection.socket);
    g.problem = MeterProblem::NoGreeting;
    std::array<std::uint8_t, meter_socket::kGreetingSize> bytes{};
    const auto identity = g.socket.receiveExact(bytes, meter_socket::kGreetingLimit) == ReadResult::Reply
                              ? meter_socket::parseGreeting(bytes)
                              : std::nullopt;
    if (!identity) {
        g.socket = Socket{};
        return g;
    }
    g.vendorId = identity->first;
    g.productId = identity->second;
    return g;
}

} // namespace

SocketBackend::SocketBackend(meter_socket::Address address, std::string url)
    : address_(std::move(address)), url_(std::move(url))
{
}

std::vector<HidDeviceInfo> SocketBackend::enumerate()
{
    const auto g = connectAndGreet(address_);
    lastProblem_ = g.problem;
    lastReason_ = g.reason;
    lastIdentity_.reset();
    if (!g.socket.valid())
        return {};
    lastIdentity_ = std::pair{g.vendorId, g.productId};
    return {HidDeviceInfo{url_, g.vendorId, g.productId}};
}

HidOpenResult SocketBackend::open(const std::string& path)
{
    if (path != url_)
        return {nullptr, "no such meter", MeterProblem::NoGreeting};
    auto g = connectAndGreet(address_);
    if (!g.socket.valid())
        return {nullptr, g.reason, g.problem};
    return {std::make_unique<SocketDevice>(std::move(g.socket)), {}};
}

std::optional<HidOpenFailure> SocketBackend::whyNotListed(std::uint16_t vendorId, std::uint16_t productId) const
{
    if (!lastIdentity_)
        return HidOpenFailure{url_, lastReason_, lastProblem_};
    if (*lastIdentity_ == std::pair{vendorId, productId})
        return std::nullopt;
    return HidOpenFailure{url_, identityText(lastIdentity_->first, lastIdentity_->second), MeterProblem::OtherIdentity};
}
