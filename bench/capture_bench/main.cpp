// How fast a run's output is captured: the stand-in editor prints a given amount of filler
// (100 MiB unless told otherwise); the time to capture it into the output text through the
// runner is set against the same editor with its output sent to a file by the command
// processor, the floor. Prints both, and the peak memory of this process.
//
//   capture_bench.exe [bytes] [rounds]
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

uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const uint64_t bytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100ull << 20;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string folder = ProgramFolder();
    const std::string editor = "\"" + folder + "kelvorn.exe\" \"m.ds1\" 1 2";
    SetEnvironmentVariableA("KELVORN_STANDIN_EXTRA_BYTES", std::to_string(bytes).c_str());

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

    std::vector<double> floor, capture;
    std::size_t captured = 0;
    std::string failure;
    uint64_t fileBytes = 0;
    for (int round = 0; round < rounds; ++round) {
        DeleteFileA(file.c_str());
        floor.push_back(TimeRedirectedToFile(editor, file));
        fileBytes = FileSize(file);
        DeleteFileA(file.c_str());

        std::string output;
        const auto start = Clock::now();
        failure = RunCapturedEditor(sys::SystemProcessApi(), editor, output);
        capture.push_back(Seconds(Clock::now() - start));
        captured = output.size();
    }
    SetStdHandle(STD_OUTPUT_HANDLE, out);
    SetStdHandle(STD_INPUT_HANDLE, in);
    SetStdHandle(STD_ERROR_HANDLE, err);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

    const double mib = static_cast<double>(bytes) / (1 << 20);
    std::printf("filler: %.1f MiB, %d rounds\n", mib, rounds);
    std::printf(
        "floor   (cmd /c editor > file): median %.2f s, best %.2f s, %.0f MiB/s; file %llu bytes\n",
        Median(floor), *std::min_element(floor.begin(), floor.end()), mib / Median(floor),
        static_cast<unsigned long long>(fileBytes));
    std::printf(
        "capture (runner into the text):  median %.2f s, best %.2f s, %.0f MiB/s; text %zu "
        "bytes%s%s\n",
        Median(capture), *std::min_element(capture.begin(), capture.end()), mib / Median(capture),
        captured, failure.empty() ? "" : ", failed: ", failure.c_str());
    std::printf("capture / floor: %.2f\n", Median(capture) / Median(floor));
    std::printf("peak working set of this process: %.0f MiB\n",
                static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20));
    DeleteFileA((work + "stderr.txt").c_str());
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(work.c_str());
    return failure.empty() ? 0 : 1;
}
