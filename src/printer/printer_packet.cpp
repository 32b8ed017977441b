#include "printer_packet.h"

namespace camvista::printer
{

bool isKnownCommand(std::uint8_t command)
{
    switch (Command(command)) {
    case Command::Initialise:
    case Command::Print:
    case Command::Data:
    case Command::Break:
    case Command::Status:
        return true;
    }
    return false;
}

std::uint16_t packetChecksum(std::uint8_t command, bool compressed, QByteArrayView data)
{
    const auto length = std::uint32_t(data.size());
    std::uint32_t sum =
        command + (compressed ? 1u : 0u) + (length & 0xFFu) + ((length >> 8) & 0xFFu);
    for (const char byte : data)
        sum += std::uint8_t(byte);
    return std::uint16_t(sum);
}

bool decompress(QByteArrayView in, QByteArray &out)
{
    const auto *p = reinterpret_cast<const std::uint8_t *>(in.data());
    const auto *end = p + in.size();
    while (p < end) {
        const std::uint8_t control = *p++;
        if (control < 0x80) {
            const qsizetype literal = control + 1;
            if (end - p < literal)
                return false;
            out.append(reinterpret_cast<const char *>(p), literal);
            p += literal;
        } else {
            if (p == end)
                return false;
            out.append(qsizetype(control - 0x80) + 2, char(*p++));
        }
    }
    return true;
}

} // namespace camvista::printer
