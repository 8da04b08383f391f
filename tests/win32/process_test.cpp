// The Win32 process primitives the runner is built on, with a real pipe and the stand-in
// editor as child; a captured run through them is checked end to end in run_e2e_test.cpp.
#include "sys/process.h"

#include "sys/win32/wide.h"
#include "tests/common/helpers.h"
#include "tests/win32/windows_helpers.h"

using namespace testing_win32;
using sys::Handle;

namespace {

sys::ProcessApi& Api() {
    return sys::SystemProcessApi();
}

bool Inheritable(Handle handle) {
    DWORD flags = 0;
    return GetHandleInformation(reinterpret_cast<HANDLE>(handle), &flags) &&
           (flags & HANDLE_FLAG_INHERIT) != 0;
}

std::string ReadUpTo(Handle handle, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    if (!Api().Read(handle, bytes.data(), size, got)) return "<read failed>";
    return bytes.substr(0, got);
}

// Both ends inheritable, the copy not; with the writer gone what is left can still be
// read, then the pipe is broken. A file another handle is writing can be read to its end.
TEST(ProcessPipe, EndsCopiesAndBreaking) {
    Handle readEnd = 0, writeEnd = 0, copy = 0;
    ASSERT_TRUE(Api().CreateInheritablePipe(readEnd, writeEnd));
    EXPECT_TRUE(Inheritable(readEnd) && Inheritable(writeEnd));
    ASSERT_TRUE(Api().DuplicateNonInheritable(readEnd, copy));
    EXPECT_FALSE(Inheritable(copy));
    EXPECT_TRUE(Api().CloseHandle(readEnd));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(reinterpret_cast<HANDLE>(writeEnd), "ab\0cd\r\n", 7, &written, nullptr));
    std::size_t available = 0;
    ASSERT_TRUE(Api().PeekAvailable(copy, available));
    EXPECT_EQ(available, 7u);
    EXPECT_EQ(ReadUpTo(copy, 3), std::string("ab\0", 3));
    EXPECT_TRUE(Api().CloseHandle(writeEnd));
    EXPECT_EQ(ReadUpTo(copy, 100), "cd\r\n");
    EXPECT_FALSE(Api().PeekAvailable(copy, available));
    EXPECT_EQ(ReadUpTo(copy, 1), "<read failed>");
    EXPECT_TRUE(Api().CloseHandle(copy));

    test::TempFolder folder;
    const std::string path = folder.Path("\xE9 \x80.txt");  // é € in Windows-1252
    HANDLE writer = CreateFileW(sys::win32::Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_TRUE(WriteFile(writer, "line one\r\n", 10, &written, nullptr));
    Handle file = 0;
    EXPECT_FALSE(Api().OpenForReading(folder.Path("stderr.txt"), file));
    ASSERT_TRUE(Api().OpenForReading(path, file));
    EXPECT_EQ(ReadUpTo(file, 100), "line one\r\n");
    EXPECT_EQ(ReadUpTo(file, 100), "");  // the end of a file is no failure
    Api().CloseHandle(file);
    CloseHandle(writer);
}

// A running child is told from an ended one, and a missing program starts nothing.
TEST(ProcessChild, RunningEndedAndMissing) {
    EnvironmentScope sleep("KELVORN_STANDIN_SLEEP_MS", "60000");
    Handle process = 7, thread = 8;
    EXPECT_FALSE(Api().CreateChild("\"C:\\no such folder\\none.exe\" 1 2", process, thread));
    EXPECT_EQ(process, 7u);
    ASSERT_TRUE(Api().CreateChild("\"" + StandinPath() + "\" \"x.ds1\" 1 2", process, thread));
    EXPECT_FALSE(Api().WaitEnded(process, 20));
    uint32_t code = 0;
    EXPECT_TRUE(Api().ExitCode(process, code));
    EXPECT_EQ(code, STILL_ACTIVE);
    ASSERT_TRUE(TerminateProcess(reinterpret_cast<HANDLE>(process), 1234));
    EXPECT_TRUE(Api().WaitEnded(process, INFINITE));
    EXPECT_TRUE(Api().ExitCode(process, code));
    EXPECT_EQ(code, 1234u);
    Api().CloseHandle(process);
    Api().CloseHandle(thread);
}

}  // namespace
