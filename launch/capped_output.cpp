#include "launch/capped_output.h"

#include <algorithm>

#include "launch/editor_runner.h"

namespace {

std::string KeptText(std::size_t bytes) {
    constexpr std::size_t kMiB = 1u << 20;
    if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string LeftOutLine(uint64_t count, std::string_view what, std::size_t kept) {
    return "kelvorn Loader: " + std::to_string(count) + " bytes of " + std::string(what) +
           " were left out here; only its first and last " + KeptText(kept) + " are kept.";
}

CappedOutput::CappedOutput(std::string& output, std::string_view what, std::size_t cap)
    : m_output(output), m_what(what), m_headLeft(cap - cap / 2), m_tailCap(cap / 2) {}

void CappedOutput::Append(const char* bytes, std::size_t size) {
    const std::size_t head = std::min(size, m_headLeft);
    AppendOutputText(m_output, bytes, head);
    m_headLeft -= head;
    if (head < size) KeepInTail(bytes + head, size - head);
}

void CappedOutput::KeepInTail(const char* bytes, std::size_t size) {
    if (m_tail.empty()) {
        if (m_tailCap == 0) {
            m_leftOut += size;
            return;
        }
        // Room for all that will come out, taken now while the tail holds nothing.
        m_output.reserve(m_output.size() + m_tailCap + 256);
        m_tail.resize(m_tailCap);
    }
    if (size >= m_tailCap) {
        m_leftOut += m_tailSize + (size - m_tailCap);
        std::copy(bytes + (size - m_tailCap), bytes + size, m_tail.begin());
        m_tailStart = 0;
        m_tailSize = m_tailCap;
        return;
    }
    const std::size_t dropped = m_tailSize + size > m_tailCap ? m_tailSize + size - m_tailCap : 0;
    m_leftOut += dropped;
    m_tailStart = (m_tailStart + dropped) % m_tailCap;
    m_tailSize -= dropped;
    std::size_t at = (m_tailStart + m_tailSize) % m_tailCap;
    const std::size_t first = std::min(size, m_tailCap - at);
    std::copy(bytes, bytes + first, m_tail.begin() + static_cast<std::ptrdiff_t>(at));
    std::copy(bytes + first, bytes + size, m_tail.begin());
    m_tailSize += size;
}

void CappedOutput::Finish() {
    if (m_leftOut > 0) {
        if (!m_output.ends_with('\n')) m_output += "\r\n";
        m_output += LeftOutLine(m_leftOut, m_what, m_tailCap);
        m_output += "\r\n";
    }
    const std::size_t first = std::min(m_tailSize, m_tailCap - m_tailStart);
    AppendOutputText(m_output, m_tail.data() + m_tailStart, first);
    AppendOutputText(m_output, m_tail.data(), m_tailSize - first);
    std::vector<char>().swap(m_tail);
    m_tailSize = 0;
}
