#include "core/device/hid_link.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

namespace {

std::string hex4(std::uint16_t value)
{
    std::array<char, 4> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value, 16).ptr;
    std::string text(digits.size() - static_cast<std::size_t>(end - digits.data()), '0');
    return text.append(digits.data(), end);
}

} // namespace

std::string identityText(std::uint16_t vendorId, std::uint16_t productId)
{
    return hex4(vendorId) + ":" + hex4(productId);
}

HidLink::HidLink(std::unique_ptr<HidBackend> backend) : backend_(std::move(backend)) {}

void HidLink::setIdentity(const MeterIdentity& identity)
{
    vendorId = identity.vendorId;
    productId = identity.productId;
}

std::size_t HidLink::inputReportLength() const
{
    return device_ ? device_->inputReportLength() : 0;
}

std::size_t HidLink::outputReportLength() const
{
    return device_ ? device_->outputReportLength() : 0;
}

void HidLink::close()
{
    device_.reset();
    connected_ = false;
}

bool HidLink::open()
{
    close();
    openFailure_.reset();
    for (const auto& info : backend_->enumerate()) {
        if (info.vendorId != vendorId || info.productId != productId)
            continue;
        // The first device with the identity is the meter; one that cannot be
        // opened leaves the link down rather than up on a dead device.
        auto opened = backend_->open(info.path);
        device_ = std::move(opened.device);
        connected_ = device_ != nullptr;
        if (!connected_)
            openFailure_ = HidOpenFailure{info.path, opened.error, opened.problem};
        return connected_;
    }
    openFailure_ = backend_->whyNotListed(static_cast<std::uint16_t>(vendorId), static_cast<std::uint16_t>(productId));
    return false;
}

bool HidLink::writeReport(std::span<const std::uint8_t, frame::kReportSize> report)
{
    if (!device_) {
        connected_ = false;
        return false;
    }
    std::vector<std::uint8_t> out(device_->outputReportLength(), 0);
    std::copy_n(report.begin(), std::min(out.size(), report.size()), out.begin());
    if (!device_->writeReport(out)) {
        connected_ = false;
        return false;
    }
    return true;
}

void HidLink::readReply(std::span<std::uint8_t, frame::kReportSize> buffer)
{
    std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    if (!device_) {
        close();
        return;
    }
    std::vector<std::uint8_t> in(device_->inputReportLength(), 0);
    if (device_->readReport(in, replyLimit_) != ReadResult::Reply) {
        close();
        return;
    }
    std::copy_n(in.begin(), std::min(in.size(), buffer.size()), buffer.begin());
}

void HidLink::readReply()
{
    readReply(inputBuffer_);
}

std::optional<std::uint8_t> HidLink::query(const frame::Report& request)
{
    if (!connected_ && !open())
        return std::nullopt;
    if (!writeReport(request))
        return std::nullopt;
    frame::Report reply{};
    readReply(reply);
    if (!connected_)
        return std::nullopt;
    if (reply[frame::kLengthAt] != frame::kShortReplyLength || reply[frame::kCodeAt] != request[frame::kCodeAt])
        return std::nullopt;
    return reply[frame::kDataAt];
}

MeterCount HidLink::queryCount(const frame::Report& request)
{
    const auto value = query(request);
    if (!value)
        return {connected_ ? MeterCount::Fault::WrongReply : MeterCount::Fault::NoReply, 0};
    if (*value > kMaxMeterCount)
        return {MeterCount::Fault::OutOfRange, *value};
    return {MeterCount::Fault::None, *value};
}

int HidLink::queryStatus()
{
    const auto status = query(frame::statusQuery());
    return status ? static_cast<std::int8_t>(*status) : -1;
}

MeterCount HidLink::queryPlanCount()
{
    return queryCount(frame::planCountQuery());
}

MeterCount HidLink::queryTpCount(int planIndex)
{
    return queryCount(frame::tpCountQuery(planIndex));
}

bool HidLink::exchange(std::span<const std::uint8_t, frame::kReportSize> report)
{
    if (!connected_)
        return false;
    if (!writeReport(report))
        return false;
    readReply();
    return connected_;
}

bool HidLink::sendDownloadEnd()
{
    return exchange(frame::downloadEnd());
}

TransferStop missingMeter(const HidLink& link)
{
    TransferStop stop;
    stop.reason = TransferStop::Reason::NoMeter;
    stop.unopened = link.openFailure();
    return stop;
}
