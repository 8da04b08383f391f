// The first and the last part of a stream of any length, and the count of what lay between:
// memory stays bounded whatever the editor prints, while the start (how the run began) and
// the end (how it failed) are both kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Bytes kept of the editor's standard output, and again of its stderr.txt: half from the
// beginning, half from the end.
inline constexpr std::size_t kOutputCap = 8u << 20;

// "kelvorn Loader: <count> bytes of <what> were left out here; only its first and last
// <kept> are kept."
std::string LeftOutLine(uint64_t count, std::string_view what, std::size_t kept);

// Appends a stream to `output` as text (zero bytes left out, as AppendOutputText does).
// Up to `cap` bytes come out byte for byte; of a longer stream the first and the last
// `cap / 2` bytes come out, with a line between them naming how many were left out.
class CappedOutput {
  public:
    CappedOutput(std::string& output, std::string_view what, std::size_t cap = kOutputCap);

    void Append(const char* bytes, std::size_t size);
    // Puts what is kept of the end after the beginning; nothing may be appended after this.
    void Finish();

  private:
    void KeepInTail(const char* bytes, std::size_t size);

    std::string& m_output;
    std::string m_what;
    std::size_t m_headLeft;  // bytes the beginning still takes
    std::size_t m_tailCap;
    std::vector<char> m_tail;  // a ring once the beginning is full
    std::size_t m_tailStart = 0, m_tailSize = 0;
    uint64_t m_leftOut = 0;
};
