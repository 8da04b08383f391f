// How fast the main window comes up with its list filled. kelvorn_loader.exe (beside this
// program) is started, in turns, with no maps, with 100 maps against a 10,000-row table and
// with 100 maps against a 1,000-row table; each start is timed from CreateProcess until its
// window is visible and its list holds the expected number of rows. Prints the medians and
// their ratios to the start without maps, and the same for the best starts.
//
//   startup_bench.exe [rounds]
#include <windows.h>
//
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "loadercfg/loader_settings.h"
#include "sys/file_stamp.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kListId = 1005;  // the main window's file list
constexpr int kMaps = 100;

struct Setup {
    const char* title;
    std::string folder;  // holds a copy of the program and its table
    int tableRows;
    int maps;
    std::vector<double> seconds;
};

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !GetDlgItem(window, kListId)) return TRUE;
    search->found = window;
    return FALSE;
}

// The main window of `process` once it is visible with `rows` rows in its list.
bool ShowsRows(DWORD process, int rows) {
    Search search{process, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found || !IsWindowVisible(search.found)) return false;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(GetDlgItem(search.found, kListId), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL,
                             5000, &count))
        return false;
    return static_cast<int>(count) == rows;
}

void CloseProgram(const PROCESS_INFORMATION& info) {
    Search search{info.dwProcessId, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

// Seconds from the start of the program until its list shows the maps; negative when it
// did not within 30 seconds.
double TimeStart(const Setup& setup) {
    std::string line = "\"" + setup.folder + "kelvorn_loader.exe\"";
    // Spread over the table, as a user's list would be.
    for (int i = 0; i < setup.maps; ++i)
        line += " \"C:\\maps\\" +
                bench::MapName(i * (setup.tableRows / kMaps) + setup.tableRows / 200) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto start = Clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        setup.folder.c_str(), &startup, &info))
        return -1;
    double took = -1;
    while (Clock::now() - start < std::chrono::seconds(30)) {
        if (ShowsRows(info.dwProcessId, setup.maps)) {
            took = std::chrono::duration<double>(Clock::now() - start).count();
            break;
        }
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    CloseProgram(info);
    return took;
}

bool Prepare(Setup& setup, const std::string& work, const std::string& program) {
    setup.folder = work + std::to_string(setup.tableRows) + "\\";
    CreateDirectoryA(setup.folder.c_str(), nullptr);
    return CopyFileA(program.c_str(), (setup.folder + "kelvorn_loader.exe").c_str(), FALSE) &&
           WriteLoaderSettings(bench::MakeTable(setup.tableRows), setup.folder + kLoaderIniName);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string program = ProgramFolder() + "kelvorn_loader.exe";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string work = std::string(temp) + "kelvorn_startup_bench\\";
    CreateDirectoryA(work.c_str(), nullptr);

    std::vector<Setup> setups = {{"no maps", "", 10000, 0, {}},
                                 {"100 maps, 10,000-row table", "", 10000, kMaps, {}},
                                 {"100 maps, 1,000-row table", "", 1000, kMaps, {}}};
    for (Setup& setup : setups) {
        if (!Prepare(setup, work, program)) {
            std::fprintf(stderr, "cannot prepare %s in %s\n", setup.title, setup.folder.c_str());
            return 1;
        }
    }
    // A table written moments ago is read at every lookup until its times can be trusted;
    // a user's table was written long before the loader starts.
    Sleep(static_cast<DWORD>(sys::kSettleTicks / (sys::kTicksPerSecond / 1000)) + 1000);

    for (Setup& setup : setups) TimeStart(setup);  // warm the file cache and Wine
    for (int round = 0; round < rounds; ++round) {
        for (Setup& setup : setups) {
            const double took = TimeStart(setup);
            if (took < 0) {
                std::fprintf(stderr, "%s: the window never showed %d rows\n", setup.title,
                             setup.maps);
                return 1;
            }
            setup.seconds.push_back(took);
        }
    }

    // On a busy machine the best start shows the program's own cost more truly.
    const double base = Median(setups[0].seconds);
    const double bestBase = Best(setups[0].seconds);
    std::printf("start until the list is filled, %d rounds: median, and best\n", rounds);
    for (const Setup& setup : setups) {
        const double median = Median(setup.seconds);
        const double best = Best(setup.seconds);
        std::printf("  %-28s %6.3f s ratio %.2f | %6.3f s ratio %.2f\n", setup.title, median,
                    median / base, best, best / bestBase);
    }
    for (const Setup& setup : setups) {
        DeleteFileA((setup.folder + "kelvorn_loader.exe").c_str());
        DeleteFileA((setup.folder + kLoaderIniName).c_str());
        RemoveDirectoryA(setup.folder.c_str());
    }
    RemoveDirectoryA(work.c_str());
    return 0;
}
