#include "sys/temporary_name.h"

#include <atomic>
#include <cstdio>

namespace sys {

std::string NextTemporaryName(uint32_t processId) {
    static std::atomic<uint32_t> serial{0};
    char name[40];
    std::snprintf(name, sizeof name, "~kelvorn-%x-%x.tmp", static_cast<unsigned>(processId),
                  static_cast<unsigned>(++serial));
    return name;
}

}  // namespace sys
