#pragma once

#include "core/FileSystem.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tervane {

/// Outcome of writing a file.
struct WriteResult {
    /// errno value of the first failure; 0 when the file was written.
    int Error = 0;
    /// The file the failure concerns, as the caller named it.
    std::string Path;
    /// Why it failed, for people ("No space left on device").
    std::string Reason;

    [[nodiscard]] bool Ok() const { return Error == 0; }
    explicit operator bool() const { return Ok(); }
    /// "Cannot write 'PATH': REASON." (empty when the file was written).
    [[nodiscard]] std::string Message() const;
};

/// Writes a file so that readers see either the old file or the complete new one, never a part.
///
/// The bytes go to a new temporary file with a unique name beside the target (created
/// exclusively, with the old file's permissions when one is replaced, else the usual ones under
/// the umask); Commit flushes and syncs it, renames it over the target and syncs the folder. On
/// any failure the temporary is removed and the old file keeps its old bytes; the result names
/// the file and the system's reason. A symbolic link is followed: the link stays, the file it
/// points to is replaced. A target that is neither a regular file nor a folder (a device such
/// as /dev/null, a pipe) cannot be replaced and is written directly.
///
/// Every failure is kept: writes after one are ignored and Commit returns the first. An object
/// destroyed without Commit (an exception, an early return) leaves nothing behind.
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& target, FileSystem& files = SystemFiles());
    ~AtomicFile();

    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// The stream for formatted writers; buffered, its failures end up in the result.
    [[nodiscard]] std::ostream& Stream() { return stream_; }
    void Write(std::string_view bytes);
    /// Makes the new contents the file's; see the class comment.
    [[nodiscard]] WriteResult Commit();
    /// Drops the new contents; the target stays as it was.
    void Discard();
    /// The first failure so far (Ok while none).
    [[nodiscard]] const WriteResult& Status() const { return result_; }

private:
    class Buffer;
    friend WriteResult CommitTogether(std::span<AtomicFile* const> files);

    void Open();
    void CreateTemporary(unsigned mode);
    bool WriteAll(const char* data, std::size_t size);
    void Finish();
    int Publish();
    std::string LinkOldFile();
    void Fail(int error, std::string reason = {});

    FileSystem& files_;
    std::string path_;      // as the caller named it, for messages
    std::string target_;    // the file replaced: path_ with its links followed
    std::string folder_;    // the target's folder, where the temporary lies
    std::string temporary_; // empty once renamed or removed
    bool direct_ = false;   // written in place: a device or a pipe
    bool existed_ = false;  // a regular file was there before
    bool finished_ = false; // no more writes
    int fd_ = -1;
    WriteResult result_;
    std::unique_ptr<Buffer> buffer_;
    std::ostream stream_;
};

/// Makes several files visible together, or none of them: every file is completed first, then
/// they are renamed in the given order. When a rename fails, the files renamed before it get
/// their old contents back (or are removed when they are new) as far as the system allows,
/// and the failure is returned. Put the file that names the others last (an OBJ after its MTL),
/// so that it never names a missing or an old companion.
[[nodiscard]] WriteResult CommitTogether(std::span<AtomicFile* const> files);

/// Writes bytes as the whole file at target through an AtomicFile.
[[nodiscard]] WriteResult WriteFileAtomically(const std::filesystem::path& target,
                                              std::string_view bytes,
                                              FileSystem& files = SystemFiles());

} // namespace tervane
