#include "core/files/file_fields.h"

#include "core/model/name_text.h"

namespace file_fields {

void putName(std::span<const char> name, std::span<std::uint8_t> field)
{
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    const std::size_t limit = std::min({name.size(), field.size() - 1, std::size_t{8}});
    for (std::size_t i = 0; i < limit && name[i] != '\0'; ++i)
        field[i] = static_cast<std::uint8_t>(name[i]);
}

void putTpRecord(const SateChannel& channel, std::uint8_t number, std::span<std::uint8_t, SateChannel::kRecordSize> out)
{
    channel.encodeRecord(out);
    out[0] = number;
    putName(channel.name, out.subspan<1, SateChannel::kNameSize>());
}

} // namespace file_fields
