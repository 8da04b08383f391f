// What tells one state of a file from another without reading it: which file it is, its
// size and its times. Times count 100-nanosecond ticks; file times and `takenAt` share one
// clock on each platform.
#pragma once

#include <algorithm>
#include <cstdint>

namespace sys {

struct FileStamp {
    // Which file: where the system tells it without opening the file (POSIX), else 0.
    uint64_t volume = 0;
    uint64_t fileId = 0;
    uint64_t size = 0;
    int64_t writeTime = 0;
    // POSIX: the status change time, which moves even when a tool sets the write time back.
    // Windows: the creation time, which is new for a file copied into place.
    int64_t otherTime = 0;
    int64_t takenAt = 0;  // the system clock just before the file was looked at
};

inline constexpr int64_t kTicksPerSecond = 10'000'000;

// How long a file must have been left alone before its times can vouch for its bytes: a
// file system keeps times at its own resolution (two seconds on FAT, a clock tick
// elsewhere), so a write just after a stamp may leave them as they were. Twice FAT's
// resolution, with room for a file server whose clock runs a little behind ours.
inline constexpr int64_t kSettleTicks = 5 * kTicksPerSecond;

// True when `now` shows the same bytes as `before` did: the same file, size and times,
// and the file had last changed at least `settle` before `before` was taken, so that any
// later write must have moved a time.
inline bool SameBytes(const FileStamp& before, const FileStamp& now,
                      int64_t settle = kSettleTicks) {
    const bool sameState = before.volume == now.volume && before.fileId == now.fileId &&
                           before.size == now.size && before.writeTime == now.writeTime &&
                           before.otherTime == now.otherTime;
    const int64_t lastChange = std::max(before.writeTime, before.otherTime);
    return sameState && lastChange < before.takenAt - settle;
}

}  // namespace sys
