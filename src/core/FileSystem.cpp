#include "core/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tervane {

namespace {

int LastError() {
    return errno != 0 ? errno : EIO;
}

} // namespace

int SystemFileSystem::Inspect(const std::string& path, bool follow, FileInfo& info) {
    struct stat st {};
    if ((follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0) return LastError();
    info.Mode = st.st_mode & 07777u;
    if (S_ISREG(st.st_mode))
        info.Type = FileInfo::Kind::Regular;
    else if (S_ISDIR(st.st_mode))
        info.Type = FileInfo::Kind::Directory;
    else if (S_ISLNK(st.st_mode))
        info.Type = FileInfo::Kind::Link;
    else
        info.Type = FileInfo::Kind::Other;
    return 0;
}

int SystemFileSystem::ReadLink(const std::string& path, std::string& target) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return LastError();
        if (static_cast<std::size_t>(n) < buffer.size()) {
            target.assign(buffer.data(), static_cast<std::size_t>(n));
            return 0;
        }
        buffer.resize(buffer.size() * 2);
    }
}

int SystemFileSystem::Create(const std::string& path, unsigned mode, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    return fd < 0 ? LastError() : 0;
}

int SystemFileSystem::OpenExisting(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return fd < 0 ? LastError() : 0;
}

int SystemFileSystem::SetMode(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode)) != 0 ? LastError() : 0;
}

int SystemFileSystem::Write(int fd, const char* data, std::size_t size, std::size_t& written) {
    written = 0;
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) return LastError();
    written = static_cast<std::size_t>(n);
    return 0;
}

int SystemFileSystem::Sync(int fd) {
    return ::fsync(fd) != 0 ? LastError() : 0;
}

int SystemFileSystem::Close(int fd) {
    // Linux releases the descriptor even when close reports an error: never retry it.
    return ::close(fd) != 0 ? LastError() : 0;
}

int SystemFileSystem::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) != 0 ? LastError() : 0;
}

int SystemFileSystem::Link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) != 0 ? LastError() : 0;
}

int SystemFileSystem::Remove(const std::string& path) {
    return ::unlink(path.c_str()) != 0 ? LastError() : 0;
}

int SystemFileSystem::SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return LastError();
    const int result = ::fsync(fd) != 0 ? LastError() : 0;
    ::close(fd);
    return result;
}

FileSystem& SystemFiles() {
    static SystemFileSystem files;
    return files;
}

} // namespace tervane
