// Whether runs leave anything behind: the stand-in editor (beside this program) is run
// through the runner 1,000 times in a row, as File > Run does. Prints this process's handle
// count and working set at the start, after a few runs and at the end, beside the handles
// Wine itself keeps for as many consoles allocated and freed with nothing else done.
//
//   runs_bench.exe [runs]
#include <windows.h>
//
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "launch/editor_runner.h"
#include "sys/process.h"
#include "tests/win32/windows_helpers.h"

namespace {

struct Sample {
    long handles;
    double workingSetMiB;
    double privateMiB;
};

Sample Measure() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    return {testing_win32::HandleCount(), static_cast<double>(memory.WorkingSetSize) / (1 << 20),
            static_cast<double>(memory.PrivateUsage) / (1 << 20)};
}

void Print(const char* when, const Sample& s) {
    std::printf("  %-22s handles %6ld   working set %7.1f MiB   private %7.1f MiB\n", when,
                s.handles, s.workingSetMiB, s.privateMiB);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(11, std::atoi(argv[1])) : 1000;
    const int warmUp = 10;
    const std::string editor =
        "\"" + testing_win32::BuiltProgram("kelvorn.exe") + "\" \"m.ds1\" 1 2";
    // The editor leaves its stderr.txt in the current folder: a scratch one of our own.
    const std::filesystem::path work = std::filesystem::temp_directory_path() /
                                       ("kelvorn-runs-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);

    Sample start{}, afterWarmUp{}, end{};
    long consoleKept = 0;
    std::string failure;
    std::size_t outputBytes = 0;
    int done = 0;
    double seconds = 0;
    {
        // Each run allocates a console of its own, so this program must not hold one then.
        testing_win32::ConsoleScope console;
        consoleKept = testing_win32::ConsoleHandlesKept(runs - warmUp);
        const auto began = std::chrono::steady_clock::now();
        start = Measure();
        for (; done < runs && failure.empty(); ++done) {
            if (done == warmUp) afterWarmUp = Measure();
            std::string output;
            failure = RunCapturedEditor(sys::SystemProcessApi(), "", editor, output);
            outputBytes = output.size();
        }
        end = Measure();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    }
    std::printf(
        "%d runs of the stand-in editor in %.1f s (%.1f ms each), %zu bytes of output each%s%s\n",
        done, seconds, 1000 * seconds / done, outputBytes,
        failure.empty() ? "" : "; stopped: ", failure.c_str());
    Print("at the start", start);
    Print("after 10 runs", afterWarmUp);
    Print("at the end", end);
    std::printf(
        "  handles gained after the first 10 runs: %ld; Wine alone keeps %ld for as many "
        "consoles\n",
        end.handles - afterWarmUp.handles, consoleKept);
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    std::filesystem::remove_all(work, ec);
    return failure.empty() ? 0 : 1;
}
