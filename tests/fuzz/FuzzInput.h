#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestavo::fuzz {

// A fuzzer's bytes taken apart front to back: a byte, a line, the rest.
// Running out is no error: what is missing reads as zero or empty, so every
// input means something.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        return m_at < m_bytes.size() ? static_cast<std::uint8_t>(m_bytes[m_at++]) : 0;
    }
    // Up to the next '\n', which is taken too but not returned.
    std::string Line() {
        const std::size_t end = m_bytes.find('\n', m_at);
        const std::size_t stop = end == std::string::npos ? m_bytes.size() : end;
        std::string line = m_bytes.substr(m_at, stop - m_at);
        m_at = end == std::string::npos ? m_bytes.size() : end + 1;
        return line;
    }
    std::string Rest() {
        std::string rest = m_bytes.substr(m_at);
        m_at = m_bytes.size();
        return rest;
    }

private:
    std::string m_bytes;
    std::size_t m_at = 0;
};

}  // namespace kestavo::fuzz
