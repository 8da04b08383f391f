// The Win32 process primitives with real pipes and consoles and the stand-in editor as child;
// a captured run through them is checked end to end in run_e2e_test.cpp.
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

std::string StandinCommand(const std::string& arguments) {
    return "\"" + StandinPath() + "\" " + arguments;
}

}  // namespace

TEST(ProcessPipe, InheritableEndsDuplicateAndStdOutputCarryBytesExactly) {
    Handle readEnd = 0, writeEnd = 0, copy = 0;
    ASSERT_TRUE(Api().CreateInheritablePipe(readEnd, writeEnd));
    EXPECT_TRUE(Inheritable(readEnd));
    EXPECT_TRUE(Inheritable(writeEnd));
    ASSERT_TRUE(Api().DuplicateNonInheritable(readEnd, copy));
    EXPECT_NE(copy, readEnd);
    EXPECT_FALSE(Inheritable(copy));
    EXPECT_TRUE(Api().CloseHandle(readEnd));
    EXPECT_FALSE(Api().CloseHandle(readEnd));

    // Standard output switches to the pipe and back.
    const Handle saved = Api().GetStdOutput();
    ASSERT_TRUE(Api().SetStdOutput(writeEnd));
    EXPECT_EQ(Api().GetStdOutput(), writeEnd);
    EXPECT_EQ(reinterpret_cast<Handle>(GetStdHandle(STD_OUTPUT_HANDLE)), writeEnd);
    ASSERT_TRUE(Api().SetStdOutput(saved));
    EXPECT_EQ(Api().GetStdOutput(), saved);

    ASSERT_TRUE(WriteTo(writeEnd, std::string("ab\0cd\r\n", 7)));
    std::size_t available = 0;
    ASSERT_TRUE(Api().PeekAvailable(copy, available));
    EXPECT_EQ(available, 7u);
    EXPECT_EQ(ReadExactly(copy, 3), std::string("ab\0", 3));
    ASSERT_TRUE(Api().PeekAvailable(copy, available));
    EXPECT_EQ(available, 4u);

    // With the writer gone, what is left can still be read; then the pipe is broken.
    EXPECT_TRUE(Api().CloseHandle(writeEnd));
    EXPECT_EQ(ReadExactly(copy, 100), "cd\r\n");
    EXPECT_FALSE(Api().PeekAvailable(copy, available));
    char byte;
    std::size_t got = 99;
    EXPECT_FALSE(Api().Read(copy, &byte, 1, got));
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(Api().CloseHandle(copy));
    Handle none = 0;
    EXPECT_FALSE(Api().DuplicateNonInheritable(copy, none));  // closed by now
    EXPECT_EQ(none, 0u);
}

TEST(ProcessChild, MissingProgramNoProcessAndASecondConsoleFail) {
    Handle process = 7, thread = 8;
    EXPECT_FALSE(Api().CreateChild("\"C:\\no such folder\\none.exe\" 1 2", process, thread));
    EXPECT_EQ(process, 7u);
    EXPECT_EQ(thread, 8u);
    EXPECT_TRUE(Api().WaitEnded(0, INFINITE));  // does not block
    uint32_t code = 5;
    EXPECT_FALSE(Api().ExitCode(0, code));
    EXPECT_EQ(code, 5u);
    ConsoleScope scope;
    ASSERT_TRUE(Api().AllocConsole());
    EXPECT_FALSE(Api().AllocConsole());  // one console per process
    EXPECT_TRUE(Api().FreeConsole());
}

TEST(ProcessChild, WaitEndedTellsARunningChildFromAnEndedOne) {
    EnvironmentScope sleep("KELVORN_STANDIN_SLEEP_MS", "60000");
    // Its output goes into a pipe that nobody reads.
    Handle readEnd = 0, writeEnd = 0, process = 0, thread = 0;
    ASSERT_TRUE(Api().CreateInheritablePipe(readEnd, writeEnd));
    const Handle saved = Api().GetStdOutput();
    Api().SetStdOutput(writeEnd);
    const bool started = Api().CreateChild(StandinCommand("\"x.ds1\" 1 2"), process, thread);
    Api().SetStdOutput(saved);
    Api().CloseHandle(writeEnd);
    ASSERT_TRUE(started);
    EXPECT_FALSE(Api().HasEnded(process));
    EXPECT_FALSE(Api().WaitEnded(process, 20));
    uint32_t code = 0;
    EXPECT_TRUE(Api().ExitCode(process, code));
    EXPECT_EQ(code, STILL_ACTIVE);

    ASSERT_TRUE(TerminateProcess(H(process), 1234));
    EXPECT_TRUE(Api().WaitEnded(process, INFINITE));
    EXPECT_TRUE(Api().HasEnded(process));
    EXPECT_TRUE(Api().ExitCode(process, code));
    EXPECT_EQ(code, 1234u);
    for (Handle h : {process, thread, readEnd}) Api().CloseHandle(h);
}

TEST(ProcessFile, OpensAPathBeyondAsciiThatAnotherHandleIsWritingButNoMissingFile) {
    TempFolder folder;
    Handle file = 3;
    EXPECT_FALSE(Api().OpenForReading(folder.Path() + "stderr.txt", file));
    EXPECT_EQ(file, 3u);

    const std::string path = folder.Path() + "\xE9 \x80.txt";  // é € in Windows-1252
    HANDLE writer = CreateFileW(sys::win32::Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(WriteTo(reinterpret_cast<Handle>(writer), "line one\r\nline two"));
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
