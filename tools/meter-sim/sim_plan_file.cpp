#include "sim_plan_file.h"

#include "model/byte_order.h"

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kMaxPlans = 255;
constexpr std::array<char, 8> kMarker{'T', 'a', 'v', 'o', 'r', 'e', 'x', '\0'};

} // namespace

std::optional<std::vector<CComonOrbitune>> readPlanFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::array<std::uint8_t, kHeaderSize> header{};
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    if (in.gcount() != static_cast<std::streamsize>(header.size()) ||
        std::memcmp(header.data(), kMarker.data(), kMarker.size()) != 0)
        return std::nullopt;
    const std::size_t count = bytes::u32le(header, 12);
    if (count > kMaxPlans)
        return std::nullopt;
    std::vector<CComonOrbitune> plans;
    std::vector<std::uint8_t> image(CComonOrbitune::kImageSize);
    for (std::size_t i = 0; i < count; ++i) {
        std::fill(image.begin(), image.end(), std::uint8_t{0});
        in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
        if (in.gcount() != static_cast<std::streamsize>(image.size()))
            return std::nullopt;
        plans.push_back(CComonOrbitune::decode(std::span<const std::uint8_t, CComonOrbitune::kImageSize>(image)));
    }
    return plans;
}

bool writePlanFile(const std::filesystem::path& path, const std::vector<CComonOrbitune>& plans)
{
    std::vector<std::uint8_t> out(kHeaderSize + plans.size() * CComonOrbitune::kImageSize, 0);
    std::memcpy(out.data(), kMarker.data(), kMarker.size());
    bytes::putI32le(out, 8, 100);
    bytes::putU32le(out, 12, static_cast<std::uint32_t>(plans.size()));
    bytes::putI32le(out, 16, static_cast<std::int32_t>(plans.size()));
    bytes::putI32le(out, 20, 255);
    for (std::size_t i = 0; i < plans.size(); ++i)
        plans[i].encode(std::span<std::uint8_t, CComonOrbitune::kImageSize>(
            out.data() + kHeaderSize + i * CComonOrbitune::kImageSize, CComonOrbitune::kImageSize));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
