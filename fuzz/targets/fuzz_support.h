#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace camvista::fuzz
{

// A file in a private temporary folder that holds the fuzzer's bytes; each call overwrites it.
QString writeInput(const QString &name, const std::uint8_t *data, std::size_t size);

// Reads integers off the front of the input, giving 0 once it is used up.
class ByteReader
{
public:
    ByteReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint16_t word() { return std::uint16_t(byte() | (byte() << 8)); }
    const std::uint8_t *rest() const { return m_data + m_pos; }
    std::size_t restSize() const { return m_size - m_pos; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace camvista::fuzz
