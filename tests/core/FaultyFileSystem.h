#pragma once

#include "core/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <functional>
#include <new>
#include <optional>

namespace tervane::testing {

/// The real file system with faults switched on by its fields: a disk that fills up, writes that
/// take a few bytes at a time or are interrupted, a failing sync or rename, a writer that races
/// in, memory that runs out.
class FaultyFileSystem : public SystemFileSystem {
public:
    /// Bytes the disk still takes; writes beyond fail with ENOSPC.
    std::optional<std::size_t> SpaceLeft;
    /// Largest number of bytes one write takes.
    std::size_t MaxChunk = static_cast<std::size_t>(-1);
    /// Every other write fails with EINTR before taking anything.
    bool Interrupt = false;
    /// Sync fails with this errno (0: it does not).
    int SyncError = 0;
    /// Sync throws std::bad_alloc, as any allocation of a command may while a file is open.
    bool ThrowOnSync = false;
    /// Renames number RenameCall, RenameCall + 1, ... (counted from 1) fail with RenameError,
    /// RenameFailures of them.
    int RenameError = 0;
    int RenameCall = 1;
    int RenameFailures = 1;
    /// Runs once, just before the first write (another writer saving the same file).
    std::function<void()> BeforeFirstWrite;

    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override {
        written = 0;
        if (BeforeFirstWrite) {
            const auto racer = std::move(BeforeFirstWrite);
            BeforeFirstWrite = nullptr;
            racer();
        }
        if (Interrupt && writes_++ % 2 == 0) return EINTR;
        size = std::min(size, MaxChunk);
        if (SpaceLeft) {
            if (*SpaceLeft == 0) return ENOSPC;
            size = std::min(size, *SpaceLeft);
            *SpaceLeft -= size;
        }
        return SystemFileSystem::Write(fd, data, size, written);
    }

    int Sync(int fd) override {
        if (ThrowOnSync) throw std::bad_alloc();
        if (SyncError != 0) return SyncError;
        return SystemFileSystem::Sync(fd);
    }

    int Rename(const std::string& from, const std::string& to) override {
        const int call = ++renames_;
        if (RenameError != 0 && call >= RenameCall && call < RenameCall + RenameFailures)
            return RenameError;
        return SystemFileSystem::Rename(from, to);
    }

private:
    int writes_ = 0;
    int renames_ = 0;
};

} // namespace tervane::testing
