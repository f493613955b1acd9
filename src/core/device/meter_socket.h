#pragma once

#include "core/device/hid_backend.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// The meter socket protocol (docs/meter-socket.md): TCP on a loopback address;
// the meter greets with "MTR1", its vendor id and product id (little-endian);
// then every output report and every reply travels as 65 bytes.
namespace meter_socket {

inline constexpr std::size_t kGreetingSize = 8;
inline constexpr std::chrono::milliseconds kGreetingLimit{2000};

std::array<std::uint8_t, kGreetingSize> greeting(std::uint16_t vendorId, std::uint16_t productId);
// Vendor and product id of a greeting; nothing when it is not one.
std::optional<std::pair<std::uint16_t, std::uint16_t>> parseGreeting(std::span<const std::uint8_t> bytes);

// A loopback address and port from "tcp://HOST:PORT": HOST is an IPv4 address
// in 127.0.0.0/8, "localhost" or "[::1]".
struct Address {
    bool ipv6 = false;
    std::string host; // numeric
    std::uint16_t port = 0;
};
// The address, or the error text that explains why it is refused.
std::variant<Address, std::string> parseUrl(std::string_view url);

// An open stream socket, closed with the object.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket();
    Socket(Socket&& other) noexcept : fd_(other.release()) {}
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    int fd() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();

    bool sendAll(std::span<const std::uint8_t> bytes) const;
    // Fills `buffer` completely within `limit`.
    ReadResult receiveExact(std::span<std::uint8_t> buffer, std::chrono::milliseconds limit) const;

private:
    int fd_ = -1;
};

// A connected socket to the address, or an invalid one and the system's error
// number.
struct Connection {
    Socket socket;
    int error = 0;
};
Connection connectTo(const Address& address);

} // namespace meter_socket

// A meter in another process, reached over the socket protocol.
class SocketBackend : public HidBackend {
public:
    SocketBackend(meter_socket::Address address, std::string url);

    // Connects and reads the greeting: one device with its identity, or none.
    std::vector<HidDeviceInfo> enumerate() override;
    HidOpenResult open(const std::string& path) override;
    // Nothing listening at the address, nothing greeting as a meter, or a
    // meter that greeted with another identity.
    std::optional<HidOpenFailure> whyNotListed(std::uint16_t vendorId, std::uint16_t productId) const override;

private:
    meter_socket::Address address_;
    std::string url_;
    // What the last enumeration found: the identity greeted with, or why none.
    std::optional<std::pair<std::uint16_t, std::uint16_t>> lastIdentity_;
    MeterProblem lastProblem_ = MeterProblem::NothingListens;
    std::string lastReason_;
};
