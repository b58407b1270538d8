#include "runtime/FileIo.h"

#include <cerrno>
#include <filesystem>
#include <utility>

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"
#include "VantrelLib/runtime/XmlWriter.h"

namespace LtXmlLib3 {
namespace detail {

namespace {

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, std::error_code error) {
    throw CLtException(FormatString("%s [%s]: %s", what, path.c_str(), error.message().c_str()));
}

// The file `path` names once symbolic links are followed (as opening it
// would), so that writing through a link replaces the file it points to, not the link.
std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        bool isLink = false;
        std::string link;
        if (const std::error_code error = platform::ReadLink(current, isLink, link))
            ThrowFileError("Failed to open the file", path, error);
        if (!isLink) return current;
        // A relative link is relative to the directory holding it.
        const std::filesystem::path target(link);
        current = target.is_absolute() ? link : (std::filesystem::path(current).parent_path() / target).string();
    }
    ThrowFileError("Failed to open the file", path, std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

}  // namespace

InputFile::InputFile(const std::string& path, std::uint64_t limit) : m_path(path), m_limit(limit) {
    if (const std::error_code error = m_file.OpenForReading(path)) ThrowFileError("Failed to open the file", path, error);
    platform::FileStatus status;
    if (const std::error_code error = m_file.GetStatus(status)) Fail(error);
    if (status.directory) Fail(std::make_error_code(std::errc::is_a_directory));
    if (status.size > limit)
        throw CLtException(FormatString("The file [%s] is %llu bytes long, more than the limit of %llu bytes",
                                        path.c_str(), static_cast<unsigned long long>(status.size),
                                        static_cast<unsigned long long>(limit)));
    m_size = static_cast<std::size_t>(status.size);
    m_regular = status.regular;
}

std::size_t InputFile::ReadFully(char* buffer, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        std::size_t count = 0;
        if (const std::error_code error = m_file.Read(buffer + total, size - total, count)) Fail(error);
        if (count == 0) break;
        total += count;
    }
    return total;
}

bool InputFile::ReadExactly(char* buffer, std::size_t size) {
    if (ReadFully(buffer, size) != size) return false;
    char more;
    return ReadFully(&more, 1) == 0;
}

std::size_t InputFile::ReadSome(char* buffer, std::size_t size) {
    std::size_t count = 0;
    if (const std::error_code error = m_file.Read(buffer, size, count)) Fail(error);
    if (count > m_limit - m_read) ThrowTooLong();
    m_read += count;
    return count;
}

std::string InputFile::ReadAll() {
    std::string text;
    text.resize(m_size);
    text.resize(ReadFully(text.data(), text.size()));
    // A file that grows while being read (or reports no size) is read to its end, within the limit.
    char buffer[65536];
    for (std::size_t more; (more = ReadFully(buffer, sizeof buffer)) > 0;) {
        if (text.size() + more > m_limit) ThrowTooLong();
        text.append(buffer, more);
    }
    return text;
}

void InputFile::Fail(std::error_code error) const { ThrowFileError("Failed to read the file", m_path, error); }

void InputFile::ThrowTooLong() const {
    throw CLtException(FormatString("The file [%s] is longer than the limit of %llu bytes", m_path.c_str(),
                                    static_cast<unsigned long long>(m_limit)));
}

OutputFile::OutputFile(const std::string& path) : m_path(path), m_target(FollowLinks(path)) {
    platform::FileStatus existing;
    const bool exists = platform::Status(m_target, existing);
    if (exists && !existing.regular) {
        m_replaces = false;
        return;
    }
    std::string temporary = m_target + ".tmp-XXXXXX";
    if (const std::error_code error = m_file.CreateUnique(temporary))
        ThrowFileError("Failed to create a temporary file for", path, error);
    m_temporary = std::move(temporary);
    if (const std::error_code error = m_file.SetPermissions(exists ? existing.permissions : 0644))
        Fail("Failed to write the file", error);
}

OutputFile::~OutputFile() {
    if (m_temporary.empty()) return;
    m_file.Close();
    platform::Remove(m_temporary);
}

void OutputFile::Write(std::string_view piece) noexcept {
    if (!m_writeError) m_writeError = m_file.Write(piece);
}

void OutputFile::Commit() {
    if (m_writeError) Fail("Failed to write the file", m_writeError);
    if (const std::error_code error = m_file.Sync()) Fail("Failed to write the file", error);
    if (const std::error_code error = m_file.Close()) Fail("Failed to write the file", error);
    if (const std::error_code error = platform::Replace(m_temporary, m_target))
        Fail("Failed to replace the file", error);
    m_temporary.clear();
}

void OutputFile::WriteWhole(std::string_view text) {
    platform::File file;
    if (const std::error_code error = file.OpenForWriting(m_path)) ThrowFileError("Failed to open the file", m_path, error);
    const std::error_code writeError = file.Write(text);
    const std::error_code closeError = file.Close();
    if (writeError) ThrowFileError("Failed to write the file", m_path, writeError);
    if (closeError) ThrowFileError("Failed to write the file", m_path, closeError);
}

void OutputFile::Fail(const char* what, std::error_code error) {
    m_file.Close();
    platform::Remove(m_temporary);
    m_temporary.clear();
    ThrowFileError(what, m_path, error);
}

}  // namespace detail
void WriteTextFile(const std::string& path, std::string_view text) {
    detail::OutputFile file(path);
    if (!file.Replaces()) {
        file.WriteWhole(text);
        return;
    }
    file.Write(text);
    file.Commit();
}

}  // namespace LtXmlLib3
