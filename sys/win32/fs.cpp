// File services on Windows: the wide API, with paths in the system code page on our side.
#include <windows.h>
#undef SetCurrentDirectory  // ours is sys::SetCurrentDirectory, not the platform's macro

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "sys/fs.h"
#include "sys/temporary_name.h"
#include "sys/win32/put_in_place.h"
#include "sys/win32/wide.h"

namespace sys {

namespace {

using win32::NarrowExact;
using win32::Widen;

// Limits count the bytes in the code page, as the program's buffers hold them. A path the
// code page cannot hold cannot be had either: no file could be opened by it.
std::optional<std::string> Limited(std::wstring_view path, std::size_t maxChars) {
    std::optional<std::string> text = NarrowExact(path);
    if (!text || text->empty() || text->size() > maxChars) return std::nullopt;
    return text;
}

// `path` made absolute against the current directory; as it is when that fails.
std::wstring FullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    DWORD got = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (got == 0 || got >= size) return path;
    full.resize(got);
    return full;
}

// The long form of a full path, which no MAX_PATH limits; other paths as they are.
std::wstring LongPathForm(const std::wstring& full) {
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    return full;
}

class File {
  public:
    explicit File(HANDLE h) : m_h(h) {}
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    bool Close() {
        if (!Valid()) return true;
        bool ok = CloseHandle(m_h) != FALSE;
        m_h = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE m_h;
};

bool WriteAll(HANDLE h, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Saves of one file by several threads or programs take turns at its last step: Wine's
// ReplaceFileW moves the old file away and ours in as two steps another save can come
// between, leaving the name empty. Without a turn in time the save goes on all the same.
class SaveTurn {
  public:
    explicit SaveTurn(std::wstring target) {
        CharUpperBuffW(target.data(), static_cast<DWORD>(target.size()));
        const std::wstring name =
            L"Local\\kelvorn-save-" + std::to_wstring(std::hash<std::wstring>{}(target));
        m_mutex = CreateMutexW(nullptr, FALSE, name.c_str());
        const DWORD waited = m_mutex ? WaitForSingleObject(m_mutex, 30000) : WAIT_FAILED;
        m_owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~SaveTurn() {
        if (m_owned) ReleaseMutex(m_mutex);
        if (m_mutex) CloseHandle(m_mutex);
    }
    SaveTurn(const SaveTurn&) = delete;
    SaveTurn& operator=(const SaveTurn&) = delete;

  private:
    HANDLE m_mutex = nullptr;
    bool m_owned = false;
};

}  // namespace

std::optional<std::string> CurrentDirectory(std::size_t maxChars) {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return std::nullopt;
    std::wstring dir(size, L'\0');
    DWORD got = GetCurrentDirectoryW(size, dir.data());
    if (got == 0 || got >= size) return std::nullopt;
    return Limited(std::wstring_view(dir.data(), got), maxChars);
}

bool SetCurrentDirectory(const std::string& path) {
    return !path.empty() && SetCurrentDirectoryW(Widen(path).c_str()) != FALSE;
}

std::optional<std::string> ProgramFilePath(std::size_t maxChars) {
    // The call cuts the path silently when the buffer is short; grow until it fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring path(size, L'\0');
        DWORD got = GetModuleFileNameW(nullptr, path.data(), size);
        if (got == 0) return std::nullopt;
        if (got < size) return Limited(std::wstring_view(path.data(), got), maxChars);
    }
    return std::nullopt;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SamePathIgnoringCase(std::string_view a, std::string_view b) {
    std::wstring wideA = Widen(a), wideB = Widen(b);
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    File file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return false;
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.Get(), data.data() + done, chunk, &got, nullptr)) return false;
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    data.resize(done);
    bytes = std::move(data);
    return true;
}

std::optional<FileStamp> StampOf(const std::string& path) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    // By name, without opening the file: under Wine an open costs a round trip to its
    // server, which on a busy machine is most of a lookup.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    auto join = [](DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; };
    auto ticks = [&](FILETIME t) {
        return static_cast<int64_t>(join(t.dwHighDateTime, t.dwLowDateTime));
    };
    FileStamp stamp;
    stamp.size = join(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.writeTime = ticks(data.ftLastWriteTime);
    stamp.otherTime = ticks(data.ftCreationTime);
    stamp.takenAt = ticks(now);
    return stamp;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    // Full (Wine's ReplaceFileW refuses a relative name, and the settings files go by bare
    // name), in the long form: a target just under MAX_PATH saves although the temporary
    // name beside it is longer than its own.
    const std::wstring target = LongPathForm(FullPath(Widen(path)));
    const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
    std::wstring temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temp = folder + Widen(NextTemporaryName(GetCurrentProcessId()));
        handle = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        if (handle != INVALID_HANDLE_VALUE ||
            (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            break;
    }
    File file(handle);
    if (!file.Valid()) return false;  // e.g. the folder is missing: nothing was touched
    bool ok = WriteAll(file.Get(), bytes);
    ok = ok && FlushFileBuffers(file.Get());
    ok = file.Close() && ok;
    if (!ok) {
        DeleteFileW(temp.c_str());
        return false;
    }
    SaveTurn turn(target);
    return win32::PutInPlace(temp, target);
}

namespace win32 {

bool PutInPlace(const std::wstring& temp, const std::wstring& target, ReplaceFunction replace) {
    auto move = [&] {
        return MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    };
    auto nameFree = [&] { return GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES; };
    const DWORD attributes = GetFileAttributesW(target.c_str());
    bool ok = false;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ok = move();
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ok = replace(target.c_str(), temp.c_str(), nullptr, 0, nullptr, nullptr) != FALSE;
        // These two leave the old file gone or under another name and ours under the
        // temporary name; the documentation does not rule out the second without a backup
        // name, and Wine leaves that state with other errors too. Ours goes in its place.
        const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
        if (!ok && (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
                    error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 || nameFree()))
            ok = move();
    }
    if (!ok && (attributes == INVALID_FILE_ATTRIBUTES || !nameFree())) DeleteFileW(temp.c_str());
    return ok;
}

}  // namespace win32

}  // namespace sys
