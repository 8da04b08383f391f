// Outside Windows there is no console to allocate and no editor to capture: every call
// fails, so a run stops at its first step. Native tests drive the runner with a fake.
#include "sys/process.h"

namespace sys {
namespace {

class UnavailableProcessApi : public ProcessApi {
  public:
    bool AllocConsole() override { return false; }
    bool FreeConsole() override { return false; }
    Handle GetStdOutput() override { return 0; }
    bool SetStdOutput(Handle) override { return false; }
    bool CreateInheritablePipe(Handle&, Handle&) override { return false; }
    bool DuplicateNonInheritable(Handle, Handle&) override { return false; }
    bool CloseHandle(Handle) override { return false; }
    bool CreateChild(const std::string&, const std::string&, Handle&, Handle&) override {
        return false;
    }
    bool WaitEnded(Handle, uint32_t) override { return true; }
    bool ExitCode(Handle, uint32_t&) override { return false; }
    bool Read(Handle, char*, std::size_t, std::size_t& got) override {
        got = 0;
        return false;
    }
    bool PeekAvailable(Handle, std::size_t&) override { return false; }
    bool OpenForReading(const std::string&, Handle&) override { return false; }
    std::optional<FileStamp> Stamp(const std::string&) override { return std::nullopt; }
};

}  // namespace

ProcessApi& SystemProcessApi() {
    static UnavailableProcessApi api;
    return api;
}

}  // namespace sys
