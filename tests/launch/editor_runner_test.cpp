#include "launch/editor_runner.h"

#include "tests/common/helpers.h"
#include "tests/launch/fake_process.h"

namespace {

using W = FakeProcessApi;

const std::string kCommand = "\"kelvorn.exe\" \"maps\\a.ds1\" 17 481";
const std::string kProgram = "C:\\editor\\kelvorn.exe";
const std::string kHead =
    "kelvorn Loader: starting editor using command line " + kCommand + "\r\n\r\n";
const std::string kAfterOutput = "\r\nEnd of Standard Output.\r\n\r\nFrom stderr.txt:\r\n\r\n";
const std::string kAfterStderr = "\r\nEnd of stderr.txt\r\n\r\n";

std::string RunEditor(FakeProcessApi& api, std::string* failure = nullptr,
                      std::size_t cap = kOutputCap) {
    std::string output = "text of an earlier run";
    const std::string message = RunCapturedEditor(api, kProgram, kCommand, output, cap);
    if (failure)
        *failure = message;
    else
        EXPECT_EQ(message, "");
    return output;
}

// After any run: no console, standard output as it was, no handle open, no misuse.
void ExpectGivenBack(const FakeProcessApi& api) {
    EXPECT_FALSE(api.consoleHeld);
    EXPECT_EQ(api.stdOutput, api.savedOutput);
    EXPECT_TRUE(api.open.empty()) << api.Name(*api.open.begin());
    EXPECT_TRUE(api.faults.empty()) << api.faults.front();
}

// The header, the output, stderr.txt and the exit code (signed decimal and hex).
std::string Shown(const std::string& output, const std::string& err,
                  const std::string& exitCode = "0 (0x0)") {
    return kHead + output + kAfterOutput + err + kAfterStderr +
           "Editor's process Exited with code " + exitCode + "\r\n";
}

// Every piece in order, nothing lost, no read that waits: output with the end or before the
// first look, short reads, an early close; a grandchild holding or flooding the pipe. Up to
// the cap each stream comes byte for byte; beyond it its two halves around a line naming the
// bytes left out. An unread exit code and an earlier stderr.txt are said so.
TEST(EditorRun, EveryByteComesInOrderNothingHangsAndEachStreamKeepsItsEndsWithinTheCap) {
    std::string stream;
    std::vector<W::Step> streamSteps;
    for (int i = 0; i < 300; ++i) {
        const std::string bytes(i * 7919 % 9000, static_cast<char>('A' + i % 26));
        stream += bytes;
        streamSteps.push_back(W::Write(bytes));
    }
    streamSteps.push_back(W::End(0));
    const std::string last = std::string(9000, 'q') + "!", flood(3000, 'g'), err(10000, 'e');
    auto cut = [](uint64_t count, std::string_view what) {
        return "\r\n" + LeftOutLine(count, what, 5) + "\r\n";
    };
    const std::string out = "the editor's output", ten = "0123456789";
    const struct {
        std::vector<W::Step> child;
        std::string err = {}, shown = {};
        std::size_t maxReadChunk = 1 << 20, cap = kOutputCap;
        bool earlier = false;  // stderr.txt from an earlier run, the exit code unread
        std::size_t stepsAtStart = 0;
        bool grandchildHoldsPipe = false;
        std::string grandchildFlood = {};
    } cases[] = {
        {{W::Write("hello\r\n"), W::Write("world"), W::End(0)},
         "no errors\r\n",
         Shown("hello\r\nworld", "no errors\r\n")},
        {{W::End(0xFFFFFFFFu)}, "e", Shown("", "e", "-1 (0xffffffff)")},
        {{W::End(0x80000000u)}, "", Shown("", "", "-2147483648 (0x80000000)")},
        {{W::Write(std::string("ab\0cd\0", 6)), W::End(3054u)},
         std::string("\0e\0r", 4),
         Shown("abcd", "er", "3054 (0xbee)")},
        {{W::End(0, last)}, err, Shown(last, err)},
        {{W::End(0, "z")}, "", Shown("z", "")},
        {.child = {W::Write("early "), W::End(0, "bytes")},
         .shown = Shown("early bytes", ""),
         .stepsAtStart = 2},
        {streamSteps, "", Shown(stream, ""), 3000},
        {{W::Write("a"), W::CloseOutput(), W::Write(""), W::End(0)}, "", Shown("a", "")},
        {.child = {W::Write("a"), W::Write("b"), W::End(0)},
         .shown = Shown("ab", ""),
         .grandchildHoldsPipe = true},
        // What the grandchild wrote before the loader looked is taken, and no more.
        {.child = {W::Write("x"), W::End(0, "last")},
         .shown = Shown("xlast" + flood, ""),
         .grandchildHoldsPipe = true,
         .grandchildFlood = flood},
        // clang-format off
        {{W::Write(ten), W::End(0)}, ten, Shown(ten, ten), 4, 10},
        {{W::Write(ten + "A"), W::End(0)}, "eeeeeFFFFFggggg",
         Shown("01234" + cut(1, out) + "6789A", "eeeee" + cut(5, "stderr.txt") + "ggggg"), 100, 10},
        {{W::Write("ab"), W::Write("cd"), W::Write("ef"), W::Write("gh"), W::Write("ij"),
          W::Write("kl"), W::End(0, "mn")}, "", Shown("abcde" + cut(4, out) + "jklmn", ""), 3, 10},
        // The beginning ends a line: no empty line before the marker. Zero bytes count.
        {{W::Write("abc\r\n"), W::Write(std::string("X\0Y\0Z", 5)), W::End(0, "12345")}, "",
         Shown("abc\r\n" + LeftOutLine(5, out, 5) + "\r\n12345", ""), 100, 10},
        {{W::Write("out"), W::End(4)}, "old\r\n", kHead + "out" + kAfterOutput +
         "kelvorn Loader: this stderr.txt is left from an earlier run; the editor did not write "
         "one this time.\r\nold\r\n" + kAfterStderr +
         "Editor's process Exited; its exit code could not be read\r\n", 100, 10, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeProcessApi api;
        api.child = c.child;
        api.stepsAtStart = c.stepsAtStart;
        api.maxReadChunk = c.maxReadChunk;
        api.grandchildHoldsPipe = c.grandchildHoldsPipe;
        api.grandchildFlood = c.grandchildFlood;
        api.stderrFile = c.err;
        api.stderrFromEarlierRun = c.earlier;
        if (c.earlier) api.failing = {"ExitCode"};
        EXPECT_EQ(RunEditor(api, nullptr, c.cap), c.shown);
        EXPECT_EQ(api.startedWith, kCommand);
        EXPECT_EQ(api.startedProgram, kProgram);
        ExpectGivenBack(api);
        // The console is let go of once the editor has started: it is the editor's.
        // clang-format off
        const char* order[] = {
            "AllocConsole", "CreateInheritablePipe", "SetStdOutput(writeEnd)",
            "DuplicateNonInheritable(readEnd)", "CloseHandle(readEnd)", "CreateChild",
            "SetStdOutput(saved)", "CloseHandle(writeEnd)", "FreeConsole", "PeekAvailable",
            "ExitCode", "OpenForReading(stderr.txt)"};
        // clang-format on
        for (std::size_t i = 0; i + 1 < std::size(order); ++i)
            EXPECT_LT(api.IndexOf(order[i]), api.IndexOf(order[i + 1])) << order[i];
        EXPECT_EQ(api.Count("AllocConsole") + api.Count("FreeConsole"), 2u);
    }
    EXPECT_EQ(LeftOutLine(1010827264, out, 8u << 20),
              "kelvorn Loader: 1010827264 bytes of the editor's output were left out here; only "
              "its first and last 8 MiB are kept.");
}

// Each failing step stops the run with its message and gives back all but what is stuck.
TEST(EditorRun, AFailingStepStopsWithItsMessage) {
    const struct {
        const char *failing, *message;
        bool started;  // and our write end stuck open
    } cases[] = {
        {"AllocConsole", "Console allocation failed", false},
        {"CreateInheritablePipe", "Stdout pipe creation failed", false},
        {"SetStdOutput#1", "Redirecting STDOUT failed", false},
        {"DuplicateNonInheritable", "DuplicateHandle failed", false},
        {"CreateChild", "Failed to Create New Process for ds1 Editor", false},
        {"SetStdOutput#2", "Re-redirecting Stdout failed\n", true},
        {"CloseHandle#2", "Closing handle failed", true},
    };
    for (const auto& c : cases) {
        FakeProcessApi api;
        api.failing = {c.failing};
        api.child = {W::Write("out"), W::End(0)};
        std::string failure;
        EXPECT_EQ(RunEditor(api, &failure), kHead);
        EXPECT_EQ(failure, c.message);
        EXPECT_FALSE(api.consoleHeld) << c.failing;
        EXPECT_TRUE(api.faults.empty()) << api.faults.front();
        EXPECT_EQ(api.startedWith == kCommand, c.started) << c.failing;
        EXPECT_EQ(api.Count("PeekAvailable") + api.Count("OpenForReading(stderr.txt)"), 0u);
        EXPECT_EQ(api.Count("AllocConsole"), 1u);  // with no console to let go, no second try
        const bool stuckOutput = c.failing == std::string("SetStdOutput#2");
        EXPECT_EQ(api.open,
                  c.started ? std::set<sys::Handle>{api.writeEnd} : std::set<sys::Handle>{})
            << c.failing;
        EXPECT_EQ(api.stdOutput, stuckOutput ? api.writeEnd : api.savedOutput) << c.failing;
    }
    // Started from cmd: that console let go, its own allocated once.
    for (const bool secondFails : {false, true}) {
        FakeProcessApi api;
        api.consoleHeld = true;
        if (secondFails) api.failing = {"AllocConsole#2"};
        api.child = {W::Write("out"), W::End(0)};
        api.stderrFile = "";
        std::string failure;
        EXPECT_EQ(RunEditor(api, &failure), secondFails ? kHead : Shown("out", ""));
        EXPECT_EQ(failure, secondFails ? "Console allocation failed" : "");
        EXPECT_EQ(test::Strings(api.log.begin(), api.log.begin() + 3),
                  (test::Strings{"AllocConsole", "FreeConsole", "AllocConsole"}));
        ExpectGivenBack(api);
    }
    // Without stderr.txt the run stops before the exit code.
    FakeProcessApi api;
    api.child = {W::Write("out"), W::End(4)};
    std::string failure;
    EXPECT_EQ(RunEditor(api, &failure), kHead + "out" + kAfterOutput);
    EXPECT_EQ(failure, "Failed to open stderr.txt");
    ExpectGivenBack(api);
    // An exception inside the run still gives back all it took.
    for (const char* throwing : {"PeekAvailable", "Read", "OpenForReading"}) {
        FakeProcessApi thrown;
        thrown.throwing = throwing;
        thrown.child = {W::Write("out"), W::End(0)};
        thrown.stderrFile = "";
        EXPECT_THROW(RunEditor(thrown), std::bad_alloc);
        ExpectGivenBack(thrown);
    }
}

}  // namespace
