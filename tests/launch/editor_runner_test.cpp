#include "launch/editor_runner.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/launch/fake_process.h"

namespace {

const std::string kCommand = "\"kelvorn.exe\" \"maps\\a.ds1\" 17 481";
const std::string kHead =
    "kelvorn Loader: starting editor using command line \"kelvorn.exe\" \"maps\\a.ds1\" 17 "
    "481\r\n\r\n";
const std::string kAfterOutput = "\r\nEnd of Standard Output.\r\n\r\nFrom stderr.txt:\r\n\r\n";
const std::string kAfterStderr = "\r\nEnd of stderr.txt\r\n\r\n";

using Step = FakeProcessApi::Step;

struct RunResult {
    std::string failure;
    std::string output;
};

RunResult RunWith(FakeProcessApi& api) {
    RunResult run;
    run.output = "text of an earlier run";
    run.failure = RunCapturedEditor(api, kCommand, run.output);
    return run;
}

// What every run leaves behind, whatever happened.
void ExpectGivenBack(const FakeProcessApi& api) {
    EXPECT_FALSE(api.consoleHeld);
    EXPECT_EQ(api.stdOutput, api.savedOutput);
    EXPECT_TRUE(api.Leaked().empty()) << api.Name(*api.Leaked().begin());
    EXPECT_TRUE(api.faults.empty()) << api.faults.front();
}

// Header, output, stderr.txt and the exit code, signed decimal and lower-case hex. An
// editor printing nothing gives an empty section; zero bytes are left out.
TEST(EditorRun, PiecesComeInOrder) {
    using W = FakeProcessApi;
    struct Case {
        std::vector<Step> child;
        std::string err, output, errShown, exitLine;
    };
    const Case cases[] = {
        {{W::Write("hello\r\n"), W::Write("world"), W::End(0)},
         "no errors\r\n",
         "hello\r\nworld",
         "no errors\r\n",
         "Editor's process Exited with code 0 (0x0)\r\n"},
        {{W::End(0xFFFFFFFFu)},
         "e",
         "",
         "e",
         "Editor's process Exited with code -1 (0xffffffff)\r\n"},
        {{W::End(0x80000000u)},
         "e",
         "",
         "e",
         "Editor's process Exited with code -2147483648 (0x80000000)\r\n"},
        {{W::End(3054u)}, "e", "", "e", "Editor's process Exited with code 3054 (0xbee)\r\n"},
        {{W::End(0)}, "", "", "", "Editor's process Exited with code 0 (0x0)\r\n"},
        {{W::Write(std::string("ab\0cd\0", 6)), W::End(0)},
         std::string("\0e\0r", 4),
         "abcd",
         "er",
         "Editor's process Exited with code 0 (0x0)\r\n"},
    };
    for (const Case& c : cases) {
        FakeProcessApi api;
        api.child = c.child;
        api.files["stderr.txt"] = c.err;
        const RunResult run = RunWith(api);
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.output,
                  kHead + c.output + kAfterOutput + c.errShown + kAfterStderr + c.exitLine);
        EXPECT_EQ(api.startedWith, kCommand);
        ExpectGivenBack(api);
    }
}

TEST(EditorRun, StandardOutputIsThePipeOnlyAroundTheStart) {
    FakeProcessApi api;
    api.child = {FakeProcessApi::Write("x"), FakeProcessApi::End(0)};
    api.files["stderr.txt"] = "";
    ASSERT_EQ(RunWith(api).failure, "");
    const std::vector<std::string> order = {"AllocConsole",
                                            "GetStdOutput",
                                            "CreateInheritablePipe",
                                            "SetStdOutput(writeEnd)",
                                            "DuplicateNonInheritable(readEnd)",
                                            "CloseHandle(readEnd)",
                                            "CreateChild",
                                            "SetStdOutput(saved)",
                                            "CloseHandle(writeEnd)",
                                            "PeekAvailable",
                                            "ExitCode",
                                            "CloseHandle(process)",
                                            "FreeConsole",
                                            "OpenForReading(stderr.txt)"};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        EXPECT_LT(api.IndexOf(order[i]), api.IndexOf(order[i + 1]))
            << order[i] << " before " << order[i + 1];
    }
    EXPECT_EQ(api.Count("AllocConsole"), 1u);
    EXPECT_EQ(api.Count("FreeConsole"), 1u);
    ExpectGivenBack(api);
}

TEST(EditorRun, OutputPrintedJustBeforeTheEndIsKept) {
    // Everything arrives in the pipe together with the end, seen at the first poll.
    std::string last(9000, 'q');
    last.back() = '!';
    FakeProcessApi api;
    api.child = {FakeProcessApi::End(2, last)};
    api.files["stderr.txt"] = "";
    const RunResult run = RunWith(api);
    EXPECT_EQ(run.output.substr(kHead.size(), last.size() + kAfterOutput.size()),
              last + kAfterOutput);
    ExpectGivenBack(api);

    // And when the editor is gone before the loader even looks.
    FakeProcessApi early;
    early.child = {FakeProcessApi::Write("early "), FakeProcessApi::End(0, "bytes")};
    early.stepsAtStart = 2;
    early.files["stderr.txt"] = "";
    EXPECT_EQ(RunWith(early).output.substr(kHead.size(), 11), "early bytes");
    ExpectGivenBack(early);
}

TEST(EditorRun, LoaderComesBackWhileAGrandchildHoldsThePipe) {
    FakeProcessApi api;
    api.grandchildHoldsPipe = true;
    api.child = {FakeProcessApi::Write("a"), FakeProcessApi::Write("b"), FakeProcessApi::End(0)};
    api.files["stderr.txt"] = "";
    const RunResult run = RunWith(api);
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.output.substr(kHead.size(), 2 + kAfterOutput.size()), "ab" + kAfterOutput);
    ExpectGivenBack(api);  // no read that would block for ever

    // A grandchild that never stops writing cannot keep the loader either.
    FakeProcessApi flood;
    flood.grandchildHoldsPipe = true;
    flood.grandchildFlood = std::string(3000, 'g');
    flood.child = {FakeProcessApi::Write("x"), FakeProcessApi::End(1, "last")};
    flood.files["stderr.txt"] = "";
    const RunResult flooded = RunWith(flood);
    EXPECT_EQ(flooded.output.substr(kHead.size(), 5), "xlast");
    EXPECT_LT(flood.log.size(), 100u);
    ExpectGivenBack(flood);
}

TEST(EditorRun, EditorClosingItsOutputEarlyIsWaitedFor) {
    FakeProcessApi api;
    api.child = {FakeProcessApi::Write("a"), FakeProcessApi::CloseOutput(),
                 FakeProcessApi::Write(""), FakeProcessApi::Write(""), FakeProcessApi::End(5)};
    api.files["stderr.txt"] = "";
    const RunResult run = RunWith(api);
    EXPECT_EQ(run.output, kHead + "a" + kAfterOutput + kAfterStderr +
                              "Editor's process Exited with code 5 (0x5)\r\n");
    EXPECT_EQ(api.waits.back(), 0xFFFFFFFFu);
    ExpectGivenBack(api);
}

TEST(EditorRun, LongOutputArrivesWholeAndNoReadEverWaits) {
    std::mt19937 random(7);
    FakeProcessApi api;
    api.maxReadChunk = 3000;  // the pipe hands out less than asked
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        std::string bytes(random() % 9000, '\0');
        for (char& c : bytes) c = static_cast<char>('A' + random() % 26);
        expected += bytes;
        api.child.push_back(FakeProcessApi::Write(bytes));
    }
    api.child.push_back(FakeProcessApi::End(0));
    std::string err(10000, 'e');
    api.files["stderr.txt"] = err;
    const RunResult run = RunWith(api);
    EXPECT_EQ(run.output, kHead + expected + kAfterOutput + err + kAfterStderr +
                              "Editor's process Exited with code 0 (0x0)\r\n");
    EXPECT_GT(api.readSizes.size(), expected.size() / 3000);
    ExpectGivenBack(api);  // a read that would have waited is a fault
}

TEST(EditorRun, IdleEditorIsPolledEverLessOften) {
    FakeProcessApi api;
    for (int i = 0; i < 400; ++i) api.child.push_back(FakeProcessApi::Write(""));
    api.child.push_back(FakeProcessApi::Write("late"));
    for (int i = 0; i < 3; ++i) api.child.push_back(FakeProcessApi::Write(""));
    api.child.push_back(FakeProcessApi::End(0));
    api.files["stderr.txt"] = "";
    const RunResult run = RunWith(api);
    EXPECT_EQ(run.output.substr(kHead.size(), 4), "late");
    ASSERT_GE(api.waits.size(), 404u);
    EXPECT_EQ(api.waits.front(), 0u);  // a stream is followed at once
    EXPECT_EQ(api.waits[399], 10u);    // an idle editor costs little
    EXPECT_EQ(api.waits[401], 0u);     // after new output, at once again
    for (uint32_t ms : api.waits) EXPECT_LE(ms, 10u);
    ExpectGivenBack(api);
}

struct FailureCase {
    const char* failing;
    const char* message;
    bool childStarted;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.failing;
}

class EditorRunFailure : public testing::TestWithParam<FailureCase> {};

// Standard output is put back when it had been switched, every handle of the run closed
// but the one stuck.
TEST_P(EditorRunFailure, StopsWithItsMessageAndGivesBackWhatItTook) {
    const FailureCase& c = GetParam();
    const std::string failing = c.failing;
    FakeProcessApi api;
    api.failing = {failing};
    api.child = {FakeProcessApi::Write("out"), FakeProcessApi::End(0)};
    const RunResult run = RunWith(api);
    EXPECT_EQ(run.failure, c.message);
    EXPECT_FALSE(api.consoleHeld);
    EXPECT_TRUE(api.faults.empty()) << api.faults.front();
    EXPECT_EQ(run.output, kHead);
    EXPECT_EQ(api.Count("CreateChild") > 0 && api.startedWith == kCommand, c.childStarted);
    EXPECT_EQ(api.Count("PeekAvailable") + api.Count("OpenForReading(stderr.txt)"), 0u);
    if (failing == "AllocConsole") {  // with no console to let go, no second try
        EXPECT_EQ(api.Count("AllocConsole"), 1u);
    }
    std::set<sys::Handle> stuck;
    sys::Handle output = api.savedOutput;
    if (failing == "SetStdOutput#2") stuck = {output = api.writeEnd};
    if (failing == "CloseHandle#2") stuck = {api.writeEnd};
    EXPECT_EQ(api.Leaked(), stuck);
    EXPECT_EQ(api.stdOutput, output);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, EditorRunFailure,
    testing::Values(FailureCase{"AllocConsole", "Console allocation failed", false},
                    FailureCase{"CreateInheritablePipe", "Stdout pipe creation failed", false},
                    FailureCase{"SetStdOutput#1", "Redirecting STDOUT failed", false},
                    FailureCase{"DuplicateNonInheritable", "DuplicateHandle failed", false},
                    FailureCase{"CreateChild", "Failed to Create New Process for ds1 Editor",
                                false},
                    FailureCase{"SetStdOutput#2", "Re-redirecting Stdout failed\n", true},
                    FailureCase{"CloseHandle#2", "Closing handle failed", true}));

// Started from cmd or a batch file, the loader holds that console: it lets it go and
// allocates its own once; when that fails too, the failure is reported.
TEST(EditorRun, AConsoleHeldFromTheStartIsLetGoForOneOfItsOwn) {
    for (const bool secondFails : {false, true}) {
        FakeProcessApi api;
        api.consoleHeld = true;
        if (secondFails) api.failing = {"AllocConsole#2"};
        api.child = {FakeProcessApi::Write("out"), FakeProcessApi::End(0)};
        api.files["stderr.txt"] = "";
        const RunResult run = RunWith(api);
        EXPECT_EQ(run.failure, secondFails ? "Console allocation failed" : "");
        EXPECT_EQ(run.output, secondFails ? kHead
                                          : kHead + "out" + kAfterOutput + kAfterStderr +
                                                "Editor's process Exited with code 0 (0x0)\r\n");
        const std::vector<std::string> start(api.log.begin(), api.log.begin() + 3);
        EXPECT_EQ(start, (std::vector<std::string>{"AllocConsole", "FreeConsole", "AllocConsole"}));
        EXPECT_EQ(api.Count("AllocConsole"), 2u);
        ExpectGivenBack(api);
    }
}

TEST(EditorRun, MissingStderrFileStopsBeforeTheExitCode) {
    FakeProcessApi api;
    api.child = {FakeProcessApi::Write("out"), FakeProcessApi::End(4)};
    const RunResult run = RunWith(api);
    EXPECT_EQ(run.failure, "Failed to open stderr.txt");
    EXPECT_EQ(run.output, kHead + "out" + kAfterOutput);
    ExpectGivenBack(api);
}

}  // namespace
