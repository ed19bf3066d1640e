#pragma once
// Files opened through the machine. Every open takes a share lock the other processes see:
// an exclusive open is refused while anyone has the file open, and while it is held the
// file cannot be opened, replaced, moved or deleted by anyone else. The image of a running
// process of the machine is held the same way, except that it can still be read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace kv::fs {

enum class Access { Read, Write, ReadWrite };
enum class Share { Exclusive, Shared };
enum class Disposition { CreateNew, CreateAlways, OpenExisting, OpenAlways, TruncateExisting };

class File {
public:
    File() = default;
    // Opens a machine path; on failure the file is not open and lastError() tells why
    // (access denied for writing a read-only file, sharing violation, not found...).
    static File open(std::string_view path, Access access, Share share = Share::Shared,
                     Disposition disposition = Disposition::OpenExisting);
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Bytes read or written, -1 on failure.
    long read(void* buffer, size_t size);
    long write(const void* buffer, size_t size);
    bool seek(std::int64_t offset);
    std::int64_t size() const;
    void close();

private:
    int fd_ = -1;
    int lockFd_ = -1;
    std::filesystem::path lockFile_; // removed by the last holder to close
};

// Whether another open holds the host file exclusively (in any process).
bool isHeldExclusively(const std::filesystem::path& host);
// Whether the host file is in use: held exclusively, or the image of a running process of
// the machine. A file in use cannot be written, replaced, moved or deleted.
bool isInUse(const std::filesystem::path& host);

} // namespace kv::fs
