// File services for the native build, where the portable code is tested.
#include "sys/fs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "sys/registry.h"
#include "sys/temporary_name.h"

namespace sys {

std::optional<std::string> CurrentDirectory(std::size_t maxChars) {
    std::error_code ec;
    std::string dir = std::filesystem::current_path(ec).string();
    if (ec || dir.size() > maxChars) return std::nullopt;
    return dir;
}

bool SetCurrentDirectory(const std::string& path) {
    return ::chdir(path.c_str()) == 0;
}

std::optional<std::string> ProgramFilePath(std::size_t maxChars) {
    std::error_code ec;
    std::string path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec || path.size() > maxChars) return std::nullopt;
    return path;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool SamePathIgnoringCase(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    // A folder opens as a stream here, with a size that is no size.
    if (!FileExists(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(bytes.data(), size);
    return in.gcount() == size;
}

namespace {

int64_t Ticks(const timespec& t) {
    return static_cast<int64_t>(t.tv_sec) * kTicksPerSecond + t.tv_nsec / 100;
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return FileStamp{static_cast<uint64_t>(st.st_dev),
                     static_cast<uint64_t>(st.st_ino),
                     static_cast<uint64_t>(st.st_size),
                     Ticks(st.st_mtim),
                     Ticks(st.st_ctim),
                     Ticks(now)};
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // As on Windows, where the program runs: a folder is not replaced, nor a read-only file.
    if (exists && (!S_ISREG(old.st_mode) || !(old.st_mode & S_IWUSR))) return false;
    const std::string folder = path.substr(0, path.rfind('/') + 1);  // empty for a bare name
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temp = folder + NextTemporaryName(static_cast<uint32_t>(::getpid()));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    exists ? old.st_mode & 0777 : 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        ok = written > 0 || (written < 0 && errno == EINTR);
        if (written > 0) done += static_cast<std::size_t>(written);
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

Registry& SystemRegistry() {
    static MemoryRegistry registry;
    return registry;
}

void NotifyFileTypesChanged() {}

}  // namespace sys
