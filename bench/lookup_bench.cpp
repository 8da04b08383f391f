// Times the parameter lookup on a table of 100,000 rows: one lookup of a row near the end,
// and 100 lookups spread over the table as a list rebuild makes them. `grep -F -m1` for the
// same name in the same file is the floor it is measured against.
//
//     lookup_bench [ROWS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "loadercfg/loader_settings.h"
#include "loadercfg/param_lookup.h"

extern char** environ;

namespace {

using bench::MakeTable;
using bench::MapName;

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One `grep -F -m1 name file` with its output discarded; the time of the whole run.
double TimeGrep(const std::string& name, const std::string& file) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {"grep", "-F", "-m1", name, file};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    auto start = Clock::now();
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    double ms = Millis(Clock::now() - start);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "grep did not find %s\n", name.c_str());
        std::exit(1);
    }
    return ms;
}

bool LookupOnce(const std::string& name, const std::string& ini) {
    ParamEntry entry;
    return LookupParams("C:\\Maps\\" + name, nullptr, entry, 0, ini) == LOOKUP_FOUND;
}

}  // namespace

int main(int argc, char** argv) {
    int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (rows < 100) rows = 100;
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("kelvorn-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string ini = (dir / "kelvorn_loader.ini").string();
    if (!WriteLoaderSettings(MakeTable(rows), ini)) {
        std::fprintf(stderr, "cannot write %s\n", ini.c_str());
        return 1;
    }
    std::printf("table: %d rows, %ju bytes\n", rows,
                static_cast<std::uintmax_t>(std::filesystem::file_size(ini)));

    const std::string nearEnd = MapName(rows - 10);
    const int kRepeats = 21;
    // Warm the page cache so neither side pays for the disk.
    LookupOnce(nearEnd, ini);
    TimeGrep(nearEnd, ini);

    std::vector<double> lookups, greps;
    for (int r = 0; r < kRepeats; ++r) {
        auto start = Clock::now();
        if (!LookupOnce(nearEnd, ini)) {
            std::fprintf(stderr, "lookup did not find %s\n", nearEnd.c_str());
            return 1;
        }
        lookups.push_back(Millis(Clock::now() - start));
        greps.push_back(TimeGrep(nearEnd, ini));
    }
    double lookup = Median(lookups);
    double grep = Median(greps);

    std::vector<std::string> spread;
    for (int i = 0; i < 100; ++i) spread.push_back(MapName(i * (rows / 100) + rows / 200));
    std::vector<double> rebuilds;
    for (int r = 0; r < 5; ++r) {
        auto start = Clock::now();
        for (const std::string& name : spread) {
            if (!LookupOnce(name, ini)) {
                std::fprintf(stderr, "lookup did not find %s\n", name.c_str());
                return 1;
            }
        }
        rebuilds.push_back(Millis(Clock::now() - start));
    }
    double rebuild = Median(rebuilds);

    std::printf("one lookup, row near the end:  %8.3f ms (median of %d)\n", lookup, kRepeats);
    std::printf("grep -F -m1, same name:        %8.3f ms (median of %d, process start included)\n",
                grep, kRepeats);
    std::printf("ratio lookup / grep:           %8.2f\n", lookup / grep);
    std::printf("100 lookups, spread over rows: %8.3f ms (median of 5)\n", rebuild);
    std::printf("100 x grep floor:              %8.3f ms\n", 100 * grep);
    std::printf("ratio 100 lookups / 100 greps: %8.2f\n", rebuild / (100 * grep));

    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return 0;
}
