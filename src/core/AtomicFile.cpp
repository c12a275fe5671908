#include "core/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

namespace tervane {

namespace {

namespace fs = std::filesystem;

// Links followed before giving up, as the kernel does for paths.
constexpr int kMaxLinks = 40;
// Names tried before giving up on a unique temporary.
constexpr int kMaxNameTries = 100;
// Longest part of the target's name kept in the temporary's, so that it stays within NAME_MAX.
constexpr std::size_t kMaxNameStem = 200;

std::string Reason(int error) {
    return std::strerror(error);
}

// ".NAME.XXXXXXXX.tmp" beside the target: hidden, and plainly a leftover should one ever stay.
std::string UniqueName(const std::string& folder, const std::string& target) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string stem = fs::path(target).filename().string().substr(0, kMaxNameStem);
    std::string name = "." + stem + ".";
    for (int i = 0; i < 8; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    name += ".tmp";
    return folder.empty() ? name : folder + "/" + name;
}

} // namespace

std::string WriteResult::Message() const {
    if (Ok()) return {};
    return "Cannot write '" + Path + "': " + Reason + ".";
}

// The stream's buffer: hands full buffers to the file and keeps the first failure there.
class AtomicFile::Buffer final : public std::streambuf {
public:
    explicit Buffer(AtomicFile& owner) : owner_(owner), data_(64 * 1024) { Reset(); }

    bool Drain() {
        const char* begin = pbase();
        const auto size = static_cast<std::size_t>(pptr() - pbase());
        Reset();
        return size == 0 || owner_.WriteAll(begin, size);
    }

protected:
    int_type overflow(int_type ch) override {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }

    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (n < static_cast<std::streamsize>(data_.size())) return std::streambuf::xsputn(s, n);
        // Large blocks go straight to the file.
        if (!Drain() || !owner_.WriteAll(s, static_cast<std::size_t>(n))) return 0;
        return n;
    }

    int sync() override { return Drain() ? 0 : -1; }

private:
    void Reset() { setp(data_.data(), data_.data() + data_.size()); }

    AtomicFile& owner_;
    std::vector<char> data_;
};

AtomicFile::AtomicFile(const fs::path& target, FileSystem& files)
    : files_(files), path_(target.string()), buffer_(std::make_unique<Buffer>(*this)),
      stream_(buffer_.get()) {
    result_.Path = path_;
    Open();
    if (!result_.Ok()) stream_.setstate(std::ios::badbit);
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Open() {
    if (path_.empty()) return Fail(ENOENT);
    if (fs::path(path_).filename().empty()) return Fail(EISDIR);

    FileInfo info;
    const int found = files_.Inspect(path_, true, info);
    if (found == 0) {
        if (info.Type == FileInfo::Kind::Directory) return Fail(EISDIR);
        if (info.Type != FileInfo::Kind::Regular) {
            // A device or a pipe cannot be replaced by another file: write into it.
            direct_ = true;
            int fd = -1;
            if (const int opened = files_.OpenExisting(path_, fd); opened != 0) return Fail(opened);
            fd_ = fd;
            return;
        }
        existed_ = true;
    } else if (found != ENOENT) {
        return Fail(found);
    }

    // Follow the links to the file to replace (or to create, for a link to nothing yet), so
    // that the link itself stays a link.
    fs::path current = path_;
    for (int hop = 0;; ++hop) {
        if (hop > kMaxLinks) return Fail(ELOOP);
        FileInfo link;
        const int inspected = files_.Inspect(current.string(), false, link);
        if (inspected == ENOENT && !existed_) break;
        if (inspected != 0) return Fail(inspected);
        if (link.Type != FileInfo::Kind::Link) break;
        std::string text;
        if (const int read = files_.ReadLink(current.string(), text); read != 0) return Fail(read);
        const fs::path next = text;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    target_ = current.string();
    folder_ = current.parent_path().string();
    CreateTemporary(existed_ ? info.Mode : 0666u);
}

void AtomicFile::CreateTemporary(unsigned mode) {
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        const std::string name = UniqueName(folder_, target_);
        int fd = -1;
        const int created = files_.Create(name, mode, fd);
        if (created == EEXIST) continue;
        if (created != 0) return Fail(created);
        fd_ = fd;
        temporary_ = name;
        if (existed_) {
            // Keep the old file's permissions exactly; a file system without them (EPERM on
            // FAT, no support at all) still gets the contents.
            const int set = files_.SetMode(fd_, mode);
            if (set != 0 && set != EPERM && set != ENOTSUP) return Fail(set);
        }
        return;
    }
    Fail(EEXIST);
}

void AtomicFile::Write(std::string_view bytes) {
    stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool AtomicFile::WriteAll(const char* data, std::size_t size) {
    if (!result_.Ok() || finished_) return false;
    while (size > 0) {
        std::size_t written = 0;
        const int error = files_.Write(fd_, data, size, written);
        if (error == EINTR) continue;
        if (error != 0) {
            Fail(error);
            return false;
        }
        if (written == 0 || written > size) {
            // write(2) taking nothing for a non-empty buffer: the device takes no more.
            Fail(ENOSPC);
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

void AtomicFile::Finish() {
    if (!result_.Ok() || finished_) return;
    stream_.flush();
    if (!result_.Ok()) return;
    // A writer that threw inside the stream leaves it bad without a system error.
    if (stream_.bad()) return Fail(EIO, "the contents could not be written out completely");
    finished_ = true;
    if (!direct_) {
        if (const int synced = files_.Sync(fd_); synced != 0) return Fail(synced);
    }
    const int fd = fd_;
    fd_ = -1;
    if (const int closed = files_.Close(fd); closed != 0) return Fail(closed);
}

int AtomicFile::Publish() {
    if (direct_ || !result_.Ok()) return result_.Error;
    const int renamed = files_.Rename(temporary_, target_);
    if (renamed != 0) {
        Fail(renamed);
        return renamed;
    }
    temporary_.clear();
    return 0;
}

// A second name for the file about to be replaced, so that it can be put back; empty when
// there is none or the system does not allow it.
std::string AtomicFile::LinkOldFile() {
    if (direct_ || !existed_) return {};
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        std::string name = UniqueName(folder_, target_);
        const int linked = files_.Link(target_, name);
        if (linked == 0) return name;
        if (linked != EEXIST) return {};
    }
    return {};
}

void AtomicFile::Fail(int error, std::string reason) {
    if (result_.Ok()) {
        result_.Error = error;
        result_.Reason = reason.empty() ? Reason(error) : std::move(reason);
    }
    Discard();
    stream_.setstate(std::ios::badbit);
}

void AtomicFile::Discard() {
    finished_ = true;
    if (fd_ >= 0) {
        const int fd = fd_;
        fd_ = -1;
        (void)files_.Close(fd); // the contents are dropped anyway
    }
    if (!temporary_.empty()) {
        const std::string temporary = std::move(temporary_);
        temporary_.clear();
        (void)files_.Remove(temporary); // a failure here must not hide the one reported
    }
}

WriteResult AtomicFile::Commit() {
    AtomicFile* self[] = {this};
    return CommitTogether(self);
}

WriteResult CommitTogether(std::span<AtomicFile* const> files) {
    auto discardAll = [&] {
        for (AtomicFile* f : files)
            f->Discard();
    };
    for (AtomicFile* f : files)
        f->Finish();
    for (AtomicFile* f : files) {
        if (!f->result_.Ok()) {
            discardAll();
            return f->result_;
        }
    }

    struct Published {
        AtomicFile* file;
        std::string oldFile; // a link to the replaced contents, to put back or remove
    };
    std::vector<Published> published;
    for (std::size_t i = 0; i < files.size(); ++i) {
        AtomicFile* f = files[i];
        // The last rename needs no way back: nothing after it can fail.
        std::string oldFile = i + 1 < files.size() ? f->LinkOldFile() : std::string();
        if (f->Publish() == 0) {
            published.push_back({f, std::move(oldFile)});
            continue;
        }
        WriteResult failure = f->result_;
        if (!oldFile.empty()) (void)f->files_.Remove(oldFile);
        for (auto it = published.rbegin(); it != published.rend(); ++it) {
            AtomicFile& done = *it->file;
            int restored = 0;
            if (done.direct_) continue;
            if (!it->oldFile.empty())
                restored = done.files_.Rename(it->oldFile, done.target_);
            else if (!done.existed_)
                restored = done.files_.Remove(done.target_);
            else
                restored = ENOTSUP; // no second name for the old contents could be made
            if (restored != 0) {
                // The old contents stay under their second name rather than being lost.
                failure.Reason += "; '" + done.path_ +
                                  "' already holds the new contents and could not be restored (" +
                                  Reason(restored) + ")";
                if (!it->oldFile.empty())
                    failure.Reason += "; its old contents are in '" + it->oldFile + "'";
            }
        }
        discardAll();
        return failure;
    }

    WriteResult result;
    for (const Published& p : published) {
        if (!p.oldFile.empty()) (void)p.file->files_.Remove(p.oldFile);
    }
    for (const Published& p : published) {
        AtomicFile& f = *p.file;
        if (f.direct_) continue;
        const int synced = f.files_.SyncFolder(f.folder_.empty() ? "." : f.folder_);
        // Some file systems cannot sync a folder at all (EINVAL); the rename stands there.
        if (synced != 0 && synced != EINVAL && result.Ok()) {
            result.Error = synced;
            result.Path = f.path_;
            result.Reason = "the file was replaced, but its folder could not be flushed to disk (" +
                            Reason(synced) + ")";
        }
    }
    return result;
}

WriteResult WriteFileAtomically(const fs::path& target, std::string_view bytes, FileSystem& files) {
    AtomicFile file(target, files);
    file.Write(bytes);
    return file.Commit();
}

} // namespace tervane
