#pragma once
// Files read and written whole, for the document-level entry points: every
// fault throws CLtException naming the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "runtime/Platform.h"

namespace LtXmlLib3 {
namespace detail {

// A file opened for reading, checked against the size limit.
class InputFile {
public:
    InputFile(const std::string& path, std::uint64_t limit);

    // The size the system reported when the file was opened.
    std::size_t Size() const noexcept { return m_size; }
    std::uint64_t BytesRead() const noexcept { return m_read; }
    // False for a pipe or a device, which is read as it arrives.
    bool IsRegular() const noexcept { return m_regular; }

    // Reads exactly `size` bytes, the file's whole content: false when it
    // holds fewer or more.
    bool ReadExactly(char* buffer, std::size_t size);
    // Reads the next bytes, at most `size`, as they arrive (0 at the end), within the limit.
    std::size_t ReadSome(char* buffer, std::size_t size);
    // Reads the file to its end, within the limit.
    std::string ReadAll();

private:
    // Reads until `size` bytes or the end; returns how many.
    std::size_t ReadFully(char* buffer, std::size_t size);
    [[noreturn]] void Fail(std::error_code error) const;
    [[noreturn]] void ThrowTooLong() const;

    std::string m_path;
    std::uint64_t m_limit;
    platform::File m_file;
    std::size_t m_size = 0;
    std::uint64_t m_read = 0;  // by ReadSome
    bool m_regular = false;
};

// The file at `path` (once symbolic links are followed: a link stays, the
// file it points to is replaced) written anew. A regular or new file is
// written to a temporary file beside it, which replaces it at Commit, synced;
// on any failure, or when Commit is not reached, the old file stays as it
// was and the temporary is removed. A device or pipe cannot be replaced: it
// is written to directly, in one piece (WriteWhole).
class OutputFile {
public:
    explicit OutputFile(const std::string& path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // False for a device or pipe: write the whole text with WriteWhole.
    bool Replaces() const noexcept { return m_replaces; }
    // Appends to the temporary file. After a failure the later pieces are
    // dropped: Commit reports it.
    void Write(std::string_view piece) noexcept;
    // Syncs the temporary file and renames it over the target.
    void Commit();
    // Writes all of `text` to the device or pipe.
    void WriteWhole(std::string_view text);

private:
    [[noreturn]] void Fail(const char* what, std::error_code error);

    std::string m_path;  // as given, for messages
    std::string m_target;
    std::string m_temporary;  // empty once gone
    platform::File m_file;
    std::error_code m_writeError;  // the first failure of a piece
    bool m_replaces = true;
};

}  // namespace detail
}  // namespace LtXmlLib3
