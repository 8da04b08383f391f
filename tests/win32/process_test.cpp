// The Win32 process primitives with real pipes, consoles and the stand-in editor as child.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win32/child_capture.h"

using sys::Handle;
using namespace testing_win32;

namespace {

sys::ProcessApi& Api() {
    return sys::SystemProcessApi();
}
HANDLE H(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

bool Inheritable(Handle handle) {
    DWORD flags = 0;
    return GetHandleInformation(H(handle), &flags) && (flags & HANDLE_FLAG_INHERIT) != 0;
}

bool WriteTo(Handle handle, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(H(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

std::string ReadExactly(Handle handle, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    if (!Api().Read(handle, bytes.data(), size, got)) return "<read failed>";
    bytes.resize(got);
    return bytes;
}

// Handles this process holds, from the system's handle list (GetProcessHandleCount gives 0
// under Wine).
long HandleCount() {
    struct Entry {
        void* object;
        ULONG_PTR processId;
        ULONG_PTR handle;
        ULONG access;
        USHORT creatorBackTrace;
        USHORT objectType;
        ULONG attributes;
        ULONG reserved;
    };
    struct List {
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    const int kExtendedHandleInformation = 64;
    const LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<char> buffer(1 << 16);
    ULONG length = 0;
    LONG status;
    while ((status = query(kExtendedHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &length)) == kLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return -1;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    long count = 0;
    for (ULONG_PTR i = 0; i < list->count; ++i) {
        if (list->entries[i].processId == GetCurrentProcessId()) ++count;
    }
    return count;
}

std::string StandinCommand(const std::string& arguments) {
    return "\"" + StandinPath() + "\" " + arguments;
}

// Starts the stand-in with its output going into a pipe that nobody reads but the pipe's
// buffer, for tests that look at the process rather than its output.
struct QuietChild {
    explicit QuietChild(const std::string& arguments) {
        Handle readEnd = 0, writeEnd = 0;
        if (!Api().CreateInheritablePipe(readEnd, writeEnd)) return;
        Api().DuplicateNonInheritable(readEnd, reader);
        Api().CloseHandle(readEnd);
        const Handle saved = Api().GetStdOutput();
        Api().SetStdOutput(writeEnd);
        started = Api().CreateChild(StandinCommand(arguments), process, thread);
        Api().SetStdOutput(saved);
        Api().CloseHandle(writeEnd);
    }
    ~QuietChild() {
        if (started) {
            TerminateProcess(H(process), 0);
            Api().CloseHandle(process);
            Api().CloseHandle(thread);
        }
        Api().CloseHandle(reader);
    }
    bool started = false;
    Handle reader = 0, process = 0, thread = 0;
};

}  // namespace

TEST(ProcessPipe, BothEndsAreInheritableAndCarryBytesExactly) {
    Handle readEnd = 0, writeEnd = 0;
    ASSERT_TRUE(Api().CreateInheritablePipe(readEnd, writeEnd));
    EXPECT_TRUE(Inheritable(readEnd));
    EXPECT_TRUE(Inheritable(writeEnd));

    ASSERT_TRUE(WriteTo(writeEnd, std::string("ab\0cd\r\n", 7)));
    std::size_t available = 0;
    ASSERT_TRUE(Api().PeekAvailable(readEnd, available));
    EXPECT_EQ(available, 7u);
    EXPECT_EQ(ReadExactly(readEnd, 3), std::string("ab\0", 3));
    ASSERT_TRUE(Api().PeekAvailable(readEnd, available));
    EXPECT_EQ(available, 4u);

    // With the writer gone, what is left can still be read; then the pipe is broken.
    EXPECT_TRUE(Api().CloseHandle(writeEnd));
    EXPECT_EQ(ReadExactly(readEnd, 100), "cd\r\n");
    EXPECT_FALSE(Api().PeekAvailable(readEnd, available));
    char byte;
    std::size_t got = 99;
    EXPECT_FALSE(Api().Read(readEnd, &byte, 1, got));
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(Api().CloseHandle(readEnd));
    EXPECT_FALSE(Api().CloseHandle(readEnd));
}

TEST(ProcessPipe, DuplicateIsNotInheritableAndReadsTheSamePipe) {
    Handle readEnd = 0, writeEnd = 0, copy = 0;
    ASSERT_TRUE(Api().CreateInheritablePipe(readEnd, writeEnd));
    ASSERT_TRUE(Api().DuplicateNonInheritable(readEnd, copy));
    EXPECT_NE(copy, readEnd);
    EXPECT_FALSE(Inheritable(copy));
    EXPECT_TRUE(Inheritable(readEnd));
    EXPECT_TRUE(Api().CloseHandle(readEnd));

    ASSERT_TRUE(WriteTo(writeEnd, "xyz"));
    EXPECT_EQ(ReadExactly(copy, 10), "xyz");
    EXPECT_TRUE(Api().CloseHandle(writeEnd));
    EXPECT_TRUE(Api().CloseHandle(copy));

    Handle none = 0;
    EXPECT_FALSE(Api().DuplicateNonInheritable(copy, none));  // closed by now
    EXPECT_EQ(none, 0u);
}

TEST(ProcessStdOutput, SwitchesToTheGivenHandleAndBack) {
    const Handle saved = Api().GetStdOutput();
    Handle readEnd = 0, writeEnd = 0;
    ASSERT_TRUE(Api().CreateInheritablePipe(readEnd, writeEnd));
    ASSERT_TRUE(Api().SetStdOutput(writeEnd));
    EXPECT_EQ(Api().GetStdOutput(), writeEnd);
    EXPECT_EQ(reinterpret_cast<Handle>(GetStdHandle(STD_OUTPUT_HANDLE)), writeEnd);
    ASSERT_TRUE(Api().SetStdOutput(saved));
    EXPECT_EQ(Api().GetStdOutput(), saved);
    Api().CloseHandle(readEnd);
    Api().CloseHandle(writeEnd);
}

TEST(ProcessConsole, CanBeAllocatedAgainAfterItWasFreed) {
    ConsoleScope scope;
    ASSERT_TRUE(Api().AllocConsole());
    EXPECT_FALSE(Api().AllocConsole());  // one console per process
    EXPECT_TRUE(Api().FreeConsole());
    ASSERT_TRUE(Api().AllocConsole());
    EXPECT_TRUE(Api().FreeConsole());
}

TEST(ProcessChild, InheritsDirectoryAndStdOutputAndReportsExitCode) {
    TempFolder folder;
    CurrentDirectoryScope current(folder.Path());
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-1");
    const Capture capture = CaptureChild(StandinCommand("\"x.ds1\" 1 2"));
    ASSERT_TRUE(capture.started);
    EXPECT_EQ(capture.failedCalls, 0);
    EXPECT_EQ(capture.exitCode, 0xffffffffu);
    EXPECT_EQ(static_cast<int32_t>(capture.exitCode), -1);
    const std::string folderText = folder.Path().substr(0, folder.Path().size() - 1);
    EXPECT_NE(capture.output.find("\r\ncurrent directory: " + folderText + "\r\n"),
              std::string::npos)
        << capture.output;
    EXPECT_EQ(ReadBytes(folder.Path() + "stderr.txt"), "stand-in editor: no errors\r\n");
}

TEST(ProcessChild, CommandLineReachesTheChildUnchanged) {
    const std::string arguments = "\"C:\\a b\\m.ds1\" -3 40 -no_check_act";
    const Capture capture = CaptureChild(StandinCommand(arguments));
    ASSERT_TRUE(capture.started);
    EXPECT_NE(capture.output.find("command line: " + StandinCommand(arguments) + "\r\n"),
              std::string::npos)
        << capture.output;
}

TEST(ProcessChild, MissingProgramFailsAndGivesNoHandles) {
    Handle process = 7, thread = 8;
    EXPECT_FALSE(Api().CreateChild("\"C:\\no such folder\\none.exe\" 1 2", process, thread));
    EXPECT_EQ(process, 7u);
    EXPECT_EQ(thread, 8u);
}

TEST(ProcessChild, WaitEndedTellsARunningChildFromAnEndedOne) {
    EnvironmentScope sleep("KELVORN_STANDIN_SLEEP_MS", "60000");
    QuietChild child("\"x.ds1\" 1 2");
    ASSERT_TRUE(child.started);
    EXPECT_FALSE(Api().HasEnded(child.process));
    EXPECT_FALSE(Api().WaitEnded(child.process, 20));
    uint32_t code = 0;
    EXPECT_TRUE(Api().ExitCode(child.process, code));
    EXPECT_EQ(code, STILL_ACTIVE);

    ASSERT_TRUE(TerminateProcess(H(child.process), 1234));
    EXPECT_TRUE(Api().WaitEnded(child.process, INFINITE));
    EXPECT_TRUE(Api().HasEnded(child.process));
    EXPECT_TRUE(Api().ExitCode(child.process, code));
    EXPECT_EQ(code, 1234u);
}

TEST(ProcessChild, WaitingOnNoProcessDoesNotBlock) {
    EXPECT_TRUE(Api().WaitEnded(0, INFINITE));
    uint32_t code = 5;
    EXPECT_FALSE(Api().ExitCode(0, code));
    EXPECT_EQ(code, 5u);
}

TEST(ProcessCapture, KeepsEveryByteWrittenBeforeTheChildEnded) {
    // Far more than a pipe buffer, ending in a partial filler line.
    const uint64_t extra = 3 * 1024 * 1024 + 5;
    EnvironmentScope bytes("KELVORN_STANDIN_EXTRA_BYTES", std::to_string(extra));
    const Capture capture = CaptureChild(StandinCommand("\"x.ds1\" 1 2"));
    ASSERT_TRUE(capture.started);
    const std::size_t reportEnd = capture.output.find("lvlprest def: 2\r\n");
    ASSERT_NE(reportEnd, std::string::npos);
    const std::string filler = capture.output.substr(reportEnd + 17);
    ASSERT_EQ(filler.size(), extra);
    const std::string line = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n";
    EXPECT_EQ(filler.substr(0, 64), line);
    EXPECT_EQ(filler.substr(filler.size() - 69), line + "abcde");
}

TEST(ProcessCapture, ComesBackWhileAGrandchildStillHoldsThePipe) {
    EnvironmentScope linger("KELVORN_STANDIN_LINGER_MS", "120000");
    const Capture capture = CaptureChild(StandinCommand("\"x.ds1\" 1 2"));
    ASSERT_TRUE(capture.started);
    EXPECT_EQ(capture.exitCode, 0u);
    const std::size_t at = capture.output.find("grandchild: ");
    ASSERT_NE(at, std::string::npos) << capture.output;
    const DWORD pid = std::stoul(capture.output.substr(at + 12));
    ASSERT_NE(pid, 0u);
    HANDLE grandchild = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(WaitForSingleObject(grandchild, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(grandchild, 0);
    CloseHandle(grandchild);
}

TEST(ProcessCapture, RunsInAConsoleOfItsOwnAgainAndAgain) {
    for (int run = 0; run < 3; ++run) {
        const Capture capture = CaptureChild(StandinCommand("\"x.ds1\" 1 2"));
        ASSERT_TRUE(capture.started) << "run " << run;
        EXPECT_EQ(capture.failedCalls, 0) << "run " << run;
        EXPECT_NE(capture.output.find("shape: one map\r\n"), std::string::npos) << capture.output;
    }
}

TEST(ProcessFile, OpensAFileThatAnotherHandleIsWriting) {
    TempFolder folder;
    const std::string path = folder.Path() + "stderr.txt";
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(WriteTo(reinterpret_cast<Handle>(writer), "line one\r\nline two"));

    Handle file = 0;
    ASSERT_TRUE(Api().OpenForReading(path, file));
    EXPECT_EQ(ReadExactly(file, 10), "line one\r\n");
    EXPECT_EQ(ReadExactly(file, 100), "line two");
    std::size_t got = 1;
    char byte;
    EXPECT_TRUE(Api().Read(file, &byte, 1, got));  // the end of a file is no failure
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(Api().CloseHandle(file));
    CloseHandle(writer);
}

TEST(ProcessFile, MissingFileIsNotOpened) {
    TempFolder folder;
    Handle file = 3;
    EXPECT_FALSE(Api().OpenForReading(folder.Path() + "stderr.txt", file));
    EXPECT_EQ(file, 3u);
}

TEST(ProcessFile, PathIsUtf8) {
    TempFolder folder;
    const std::string name = "\xC3\xA9 \xD0\x96.txt";  // é Ж
    ASSERT_TRUE(WriteBytes(folder.Path() + name, "content"));
    // The bytes reached the file system as the two letters, not as four others.
    const std::string path = folder.Path() + name;
    wchar_t wide[MAX_PATH];
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, MAX_PATH);
    ASSERT_GT(length, 0);
    EXPECT_NE(GetFileAttributesW(wide), INVALID_FILE_ATTRIBUTES);

    Handle file = 0;
    ASSERT_TRUE(Api().OpenForReading(folder.Path() + name, file));
    EXPECT_EQ(ReadExactly(file, 100), "content");
    Api().CloseHandle(file);
}

TEST(ProcessLeaks, ManyRunsLeaveTheHandleCountAsItWas) {
    // The count must see handles at all, or the comparison below proves nothing.
    const long empty = HandleCount();
    ASSERT_GT(empty, 0);
    Handle readEnd = 0, writeEnd = 0;
    ASSERT_TRUE(Api().CreateInheritablePipe(readEnd, writeEnd));
    EXPECT_EQ(HandleCount(), empty + 2);
    Api().CloseHandle(readEnd);
    Api().CloseHandle(writeEnd);

    // Wine's own AllocConsole and FreeConsole leave two handles behind per pair; what they
    // keep is measured alone and is all that a run may keep.
    const int kRuns = 10;
    long consoleKept = 0;
    {
        ConsoleScope scope;
        Api().AllocConsole();
        Api().FreeConsole();
        const long start = HandleCount();
        for (int run = 0; run < kRuns; ++run) {
            ASSERT_TRUE(Api().AllocConsole());
            ASSERT_TRUE(Api().FreeConsole());
        }
        consoleKept = HandleCount() - start;
    }

    TempFolder folder;
    CurrentDirectoryScope current(folder.Path());
    CaptureChild(StandinCommand("\"x.ds1\" 1 2"));  // first-use allocations
    const long before = HandleCount();
    for (int run = 0; run < kRuns; ++run) {
        const Capture capture = CaptureChild(StandinCommand("\"x.ds1\" 1 2"));
        ASSERT_TRUE(capture.started);
        ASSERT_EQ(capture.failedCalls, 0);
        Handle file = 0;
        ASSERT_TRUE(Api().OpenForReading("stderr.txt", file));
        Api().CloseHandle(file);
    }
    EXPECT_EQ(HandleCount() - before, consoleKept);
}
