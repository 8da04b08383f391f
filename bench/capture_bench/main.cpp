// How fast a run's output is captured, and in how much memory: the stand-in editor prints
// filler of each given size (8, 100 and 1024 MiB unless told otherwise); the time to
// capture it through the runner is set against the same editor with its output sent to a
// file by the command processor, the floor. Prints both for each size, the time per MiB,
// and the peak working set of this process against the output cap.
//
//   capture_bench.exe [rounds] [MiB ...]
#include <windows.h>
//
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "launch/editor_runner.h"
#include "sys/process.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// `cmd /c <editor> > file`, waited for; the seconds it took, negative when it did not start.
double TimeRedirectedToFile(const std::string& editorCommand, const std::string& file) {
    std::string line = "cmd /c \"" + editorCommand + " > \"" + file + "\"\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto start = Clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info)) {
        return -1;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    const double took = Seconds(Clock::now() - start);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return took;
}

// The pipe floor: the editor in a console of its own, as the runner starts it, its output
// drained through a pipe by blocking reads and thrown away. Seconds, negative on failure;
// `drained` gets the byte count.
double TimeDrainedPipe(const std::string& editorCommand, uint64_t& drained) {
    const auto start = Clock::now();
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!AllocConsole() || !CreatePipe(&readEnd, &writeEnd, &security, 0)) return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    PROCESS_INFORMATION info{};
    std::string line = editorCommand;
    const bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &info);
    CloseHandle(writeEnd);
    FreeConsole();
    drained = 0;
    if (started) {
        std::vector<char> buffer(1 << 20);
        DWORD got = 0;
        while (ReadFile(readEnd, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            drained += got;
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(readEnd);
    return started ? Seconds(Clock::now() - start) : -1;
}

uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures {
    double floor = 0, pipe = 0, capture = 0;
    uint64_t fileBytes = 0, pipeBytes = 0;
    std::size_t captured = 0;
    std::string failure;
};

Figures Measure(const std::string& editor, const std::string& file, uint64_t bytes, int rounds) {
    SetEnvironmentVariableA("KELVORN_STANDIN_EXTRA_BYTES", std::to_string(bytes).c_str());
    std::vector<double> floor, pipe, capture;
    Figures figures;
    for (int round = 0; round < rounds; ++round) {
        DeleteFileA(file.c_str());
        floor.push_back(TimeRedirectedToFile(editor, file));
        figures.fileBytes = FileSize(file);
        DeleteFileA(file.c_str());
        pipe.push_back(TimeDrainedPipe(editor, figures.pipeBytes));

        std::string output;
        const auto start = Clock::now();
        figures.failure = RunCapturedEditor(sys::SystemProcessApi(), "", editor, output);
        capture.push_back(Seconds(Clock::now() - start));
        figures.captured = output.size();
    }
    figures.floor = Median(floor);
    figures.pipe = Median(pipe);
    figures.capture = Median(capture);
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    std::vector<uint64_t> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::strtoull(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {8, 100, 1024};
    const std::string folder = ProgramFolder();
    const std::string editor = "\"" + folder + "kelvorn.exe\" \"m.ds1\" 1 2";

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string work = std::string(temp) + "kelvorn_capture_bench\\";
    CreateDirectoryA(work.c_str(), nullptr);
    SetCurrentDirectoryA(work.c_str());
    const std::string file = work + "out.txt";

    // The run allocates a console of its own, so this program must not hold one then.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    FreeConsole();
    std::vector<Figures> results;
    for (const uint64_t mib : sizes) results.push_back(Measure(editor, file, mib << 20, rounds));
    SetStdHandle(STD_OUTPUT_HANDLE, out);
    SetStdHandle(STD_INPUT_HANDLE, in);
    SetStdHandle(STD_ERROR_HANDLE, err);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

    bool failed = false;
    std::printf("median of %d rounds each; output cap %zu MiB\n", rounds, kOutputCap >> 20);
    std::printf("floors: the command processor into a file; a pipe drained and thrown away\n");
    std::printf("%9s %8s %8s %8s %10s %10s %10s %10s %10s\n", "filler", "file s", "pipe s",
                "capt s", "capt/file", "capt/pipe", "pipe ms/MiB", "capt ms/MiB", "text bytes");
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const Figures& f = results[i];
        const double mib = static_cast<double>(sizes[i]);
        std::printf("%5llu MiB %8.2f %8.2f %8.2f %10.2f %10.2f %10.2f %10.2f %10zu%s%s\n",
                    static_cast<unsigned long long>(sizes[i]), f.floor, f.pipe, f.capture,
                    f.capture / f.floor, f.capture / f.pipe, 1000 * f.pipe / mib,
                    1000 * f.capture / mib, f.captured,
                    f.failure.empty() ? "" : "  failed: ", f.failure.c_str());
        const uint64_t bytes = sizes[i] << 20;
        failed = failed || !f.failure.empty() || f.fileBytes < bytes || f.pipeBytes < bytes;
    }
    const double peak = static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20);
    std::printf("peak working set of this process: %.0f MiB (%.2f x the cap)\n", peak,
                peak / static_cast<double>(kOutputCap >> 20));
    DeleteFileA((work + "stderr.txt").c_str());
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(work.c_str());
    return failed ? 1 : 0;
}
