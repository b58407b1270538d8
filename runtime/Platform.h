#pragma once
// What the runtime asks of the operating system, behind one small interface:
// PlatformPosix.cpp makes the POSIX calls; PlatformPortable.cpp does the same
// with standard C++ alone (the VANTREL_PORTABLE build). Failures come back as
// error codes, which the callers word.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace LtXmlLib3 {
namespace detail {
namespace platform {

// Maps the whole pages of [data, data + size) for writing in one call rather
// than one page fault per page as they are first written (several times
// cheaper for a large buffer in a virtual machine). Only advice: where the
// system does not offer it, nothing happens.
void Prefault(void* data, std::size_t size) noexcept;

// The last byte `c` of the `size` bytes at `data`, or null.
const char* FindLast(const char* data, std::size_t size, char c) noexcept;

struct FileStatus {
    bool regular = false;    // a plain file: not a pipe, a device or a directory
    bool directory = false;
    std::uint64_t size = 0;    // as the system reports it (0 for most pipes and devices)
    unsigned permissions = 0;  // the permission bits, 07777
};

// What `path` names, links followed; false when that cannot be told (nothing is there).
bool Status(const std::string& path, FileStatus& status) noexcept;

// When `path` is a symbolic link, sets `isLink` and `target` to what it holds
// (a path relative to the link's directory, or absolute).
std::error_code ReadLink(const std::string& path, bool& isLink, std::string& target);

// Renames `from` over `to`, replacing it in one step, and makes the new name
// durable where the system can (a failure of that last step cannot be undone
// and does not lose the file: it is not reported).
std::error_code Replace(const std::string& from, const std::string& to) noexcept;

// Removes the file, if it can: for cleaning up after a failure.
void Remove(const std::string& path) noexcept;

// An open file, closed with the object.
class File {
public:
    File() noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Opens an existing file for reading.
    std::error_code OpenForReading(const std::string& path) noexcept;
    // What the open file is.
    std::error_code GetStatus(FileStatus& status) noexcept;
    // Opens an existing file (a device, a pipe) for writing from its start, truncated.
    std::error_code OpenForWriting(const std::string& path) noexcept;
    // Creates a file that did not exist, named `path` with its last six
    // characters ("XXXXXX") made unique (`path` is set to the name made).
    std::error_code CreateUnique(std::string& path) noexcept;
    // Gives the file these permission bits (07777).
    std::error_code SetPermissions(unsigned permissions) noexcept;
    // Reads at most `size` bytes into `buffer`: what is there (from a pipe,
    // what has arrived), 0 at the end.
    std::error_code Read(char* buffer, std::size_t size, std::size_t& count) noexcept;
    // Writes all of `text`.
    std::error_code Write(std::string_view text) noexcept;
    // Makes what was written durable, where the system can.
    std::error_code Sync() noexcept;
    // Closes the file now, to learn whether that worked (nothing when it is not open).
    std::error_code Close() noexcept;

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

}  // namespace platform
}  // namespace detail
}  // namespace LtXmlLib3
