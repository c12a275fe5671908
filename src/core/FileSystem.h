#pragma once

#include <cstddef>
#include <string>

namespace tervane {

/// What a path names, as far as the file writer needs to know.
struct FileInfo {
    enum class Kind { Regular, Directory, Link, Other };
    Kind Type = Kind::Other;
    /// Permission bits (including set-id and sticky bits).
    unsigned Mode = 0;
};

/// The system calls the file writer makes, one call each. Every call returns 0 or the errno value
/// of its failure, so that a later call cannot overwrite the reason of an earlier one.
///
/// SystemFileSystem makes the real calls; tests derive from it to inject faults (a full disk, a
/// failing rename, another writer racing in between).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    /// stat (follow true) or lstat (follow false).
    virtual int Inspect(const std::string& path, bool follow, FileInfo& info) = 0;
    /// The text of the symbolic link path.
    virtual int ReadLink(const std::string& path, std::string& target) = 0;
    /// Creates path for writing; fails with EEXIST when it exists. The mode is masked by umask.
    virtual int Create(const std::string& path, unsigned mode, int& fd) = 0;
    /// Opens an existing file for writing, following links (devices, pipes).
    virtual int OpenExisting(const std::string& path, int& fd) = 0;
    /// Sets the permission bits of an open file exactly (no umask).
    virtual int SetMode(int fd, unsigned mode) = 0;
    /// One write(2): written receives the bytes taken, which may be fewer than size.
    virtual int Write(int fd, const char* data, std::size_t size, std::size_t& written) = 0;
    /// Flushes the file's data to the device.
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    /// Replaces to by from in one step.
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    /// Makes to a second name of from (a hard link).
    virtual int Link(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    /// Flushes a folder's entries, so that a rename inside it survives a crash.
    virtual int SyncFolder(const std::string& folder) = 0;
};

/// The real POSIX calls.
class SystemFileSystem : public FileSystem {
public:
    int Inspect(const std::string& path, bool follow, FileInfo& info) override;
    int ReadLink(const std::string& path, std::string& target) override;
    int Create(const std::string& path, unsigned mode, int& fd) override;
    int OpenExisting(const std::string& path, int& fd) override;
    int SetMode(int fd, unsigned mode) override;
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Link(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    int SyncFolder(const std::string& folder) override;
};

/// The real file system (the object holds no state).
[[nodiscard]] FileSystem& SystemFiles();

} // namespace tervane
