// orbitune-meter-sim: an emulated Q36 meter served over the meter socket
// protocol on 127.0.0.1, so that the editor and orbitune-cli can be tried
// without a meter. It logs every frame it receives on stderr.

#include "core/device/hid_link.h"
#include "core/device/meter_emulator.h"
#include "core/device/meter_socket.h"
#include "core/files/general_file.h"
#include "core/files/open_files.h"
#include "core/res/app_version.h"

#include <CLI/CLI.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

void installSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

constexpr int kPollMs = 100;

void logFrame(const char* direction, std::span<const std::uint8_t> report)
{
    const std::size_t length = report[frame::kLengthAt];
    const std::size_t shown =
        std::min<std::size_t>(length < frame::kReportSize ? length + 1 : frame::kReportSize, report.size());
    std::string text = direction;
    for (std::size_t i = 0; i < shown; ++i) {
        std::array<char, 4> hex{};
        std::snprintf(hex.data(), hex.size(), " %02X", report[i]);
        text += hex.data();
    }
    std::cerr << text << '\n';
}

meter_socket::Socket listenOnLoopback(std::uint16_t port, std::uint16_t& chosen)
{
    meter_socket::Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!s.valid())
        return s;
    const int one = 1;
    ::setsockopt(s.fd(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(s.fd(), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 || ::listen(s.fd(), 4) != 0)
        return meter_socket::Socket{};
    socklen_t size = sizeof sa;
    ::getsockname(s.fd(), reinterpret_cast<sockaddr*>(&sa), &size);
    chosen = ntohs(sa.sin_port);
    return s;
}

// Serves one connection until the client closes it, the meter drops it or a
// stop is requested.
void serve(const meter_socket::Socket& client, MeterEmulator& meter, const MeterIdentity& identity)
{
    const int one = 1;
    ::setsockopt(client.fd(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (!client.sendAll(meter_socket::greeting(static_cast<std::uint16_t>(identity.vendorId),
                                               static_cast<std::uint16_t>(identity.productId))))
        return;
    frame::Report request{};
    std::size_t got = 0;
    while (stopRequested == 0) {
        pollfd p{client.fd(), POLLIN, 0};
        const int ready = ::poll(&p, 1, kPollMs);
        if (ready <= 0)
            continue;
        const ssize_t n = ::recv(client.fd(), request.data() + got, request.size() - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        got += static_cast<std::size_t>(n);
        if (got < request.size())
            continue;
        got = 0;
        logFrame("rx", request);
        const auto response = meter.receive(request);
        if (response.kind == MeterResponse::Kind::Drop) {
            std::cerr << "dropping the connection\n";
            return;
        }
        if (response.kind == MeterResponse::Kind::Silent) {
            std::cerr << "no reply\n";
            continue;
        }
        logFrame("tx", response.reply);
        if (!client.sendAll(response.reply))
            return;
    }
}

bool writeStoredPlans(const std::string& path, const std::vector<CComonOrbitune>& plans)
{
    std::vector<const CComonOrbitune*> refs;
    for (const auto& plan : plans)
        refs.push_back(&plan);
    return writeGeneralFile(path, refs).ok();
}

bool writeFirmware(const std::string& path, const std::vector<std::uint8_t>& image)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Emulated Q36 meter on the meter socket protocol (127.0.0.1 only), for trying the editor and "
                 "orbitune-cli without a meter. It logs every frame on stderr and writes the files named when it "
                 "is stopped (Ctrl+C or SIGTERM).",
                 "orbitune-meter-sim"};
    app.set_version_flag("--version", "orbitune-meter-sim " + std::string(kFileVersion));
    int port = 0;
    std::string identityName = "default";
    std::string stateName = "normal";
    std::string preload;
    std::string savePlans;
    std::string saveFirmware;
    MeterFaults faults;
    std::optional<int> greetings;
    app.add_option("--port", port, "TCP port on 127.0.0.1; 0 picks a free one and prints it")
        ->check(CLI::Range(0, 65535));
    app.add_option("--identity", identityName, "identity announced: q36 (1234:5678) or default (1357:2468)")
        ->check(CLI::IsMember({"q36", "default"}));
    app.add_option("--state", stateName, "normal (status 1) or upgrade (status 0)")
        ->check(CLI::IsMember({"normal", "upgrade"}));
    app.add_option("--preload", preload, "plan file (.gnr, .planList or .Orbtab) whose plans the meter holds at start")
        ->check(CLI::ExistingFile);
    app.add_option("--save-plans", savePlans, "write the stored plans to this .gnr file at the end");
    app.add_option("--save-firmware", saveFirmware, "write the received firmware image to this file at the end");
    app.add_option("--silent-after", faults.silentAfter, "stop answering after this many frames");
    app.add_option("--drop-after", faults.dropAfter, "drop the connection at the frame after this many");
    app.add_option("--wrong-length-at", faults.wrongLengthAt, "answer this frame (from 1) with another length");
    app.add_option("--wrong-code-at", faults.wrongCodeAt, "answer this frame (from 1) with another code");
    app.add_option("--status", faults.status, "status byte to answer")->check(CLI::Range(0, 255));
    app.add_option("--plan-count", faults.planCount, "plan count to answer")->check(CLI::Range(0, 255));
    app.add_option("--tp-count", faults.tpCount, "TP count to answer for every plan")->check(CLI::Range(0, 255));
    app.add_option("--greetings", greetings, "greet only this many connections; close later ones at once")
        ->check(CLI::NonNegativeNumber);
    CLI11_PARSE(app, argc, argv);

    MeterEmulator meter(stateName == "upgrade" ? MeterState::Upgrade : MeterState::Normal);
    meter.faults = faults;
    if (!preload.empty()) {
        PlanList plans;
        const auto read = readChosenFiles({preload}, plans);
        if (!read.errors.empty()) {
            std::cerr << "orbitune-meter-sim: cannot read plan file " << preload << ": " << read.errors.front().reason
                      << '\n';
            return 1;
        }
        meter.preload(std::vector<CComonOrbitune>(plans.begin(), plans.end()));
    }
    const auto& identity = kMeterIdentities[identityName == "q36" ? 0 : 1];

    installSignalHandlers();
    std::uint16_t chosen = 0;
    const auto listener = listenOnLoopback(static_cast<std::uint16_t>(port), chosen);
    if (!listener.valid()) {
        std::cerr << "orbitune-meter-sim: cannot listen on 127.0.0.1:" << port << '\n';
        return 1;
    }
    std::cout << "listening on tcp://127.0.0.1:" << chosen << std::endl;

    while (stopRequested == 0) {
        pollfd p{listener.fd(), POLLIN, 0};
        if (::poll(&p, 1, kPollMs) <= 0)
            continue;
        const meter_socket::Socket client(::accept4(listener.fd(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!client.valid())
            continue;
        // A meter past its greetings closes each connection without a word.
        if (greetings && *greetings == 0) {
            std::cerr << "closing a connection without a greeting\n";
            continue;
        }
        if (greetings)
            --*greetings;
        serve(client, meter, identity);
    }

    int status = 0;
    if (!savePlans.empty() && !writeStoredPlans(savePlans, meter.storedRecords())) {
        std::cerr << "orbitune-meter-sim: cannot write " << savePlans << '\n';
        status = 1;
    }
    if (!saveFirmware.empty() && !writeFirmware(saveFirmware, meter.firmware())) {
        std::cerr << "orbitune-meter-sim: cannot write " << saveFirmware << '\n';
        status = 1;
    }
    std::cerr << "orbitune-meter-sim: stopped after " << meter.received().size() << " frames\n";
    return status;
}
