// The runtime's system calls on POSIX systems (Linux first): every call the
// standard library cannot make is here.

#include "runtime/Platform.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LtXmlLib3 {
namespace detail {
namespace platform {

namespace {

std::error_code LastError() noexcept { return std::error_code(errno, std::generic_category()); }

void FillStatus(const struct stat& info, FileStatus& status) noexcept {
    status.regular = S_ISREG(info.st_mode);
    status.directory = S_ISDIR(info.st_mode);
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.permissions = static_cast<unsigned>(info.st_mode & 07777);
}

}  // namespace

void Prefault(void* data, std::size_t size) noexcept {
#ifdef MADV_POPULATE_WRITE
    constexpr std::uintptr_t kPage = 4096;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kPage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}

const char* FindLast(const char* data, std::size_t size, char c) noexcept {
    return static_cast<const char*>(::memrchr(data, c, size));
}

bool Status(const std::string& path, FileStatus& status) noexcept {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    FillStatus(info, status);
    return true;
}

std::error_code ReadLink(const std::string& path, bool& isLink, std::string& target) {
    struct stat info {};
    isLink = ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    if (!isLink) return {};
    target.assign(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return LastError();
    target.resize(static_cast<std::size_t>(length));
    return {};
}

std::error_code Replace(const std::string& from, const std::string& to) noexcept {
    if (std::rename(from.c_str(), to.c_str()) != 0) return LastError();
    // The new directory entry survives a crash once the directory is synced.
    const std::size_t slash = to.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : to.substr(0, slash);
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return {};
}

void Remove(const std::string& path) noexcept { ::unlink(path.c_str()); }

struct File::Handle {
    int fd = -1;
};

File::File() noexcept = default;

File::~File() {
    if (m_handle && m_handle->fd >= 0) ::close(m_handle->fd);
}

std::error_code File::OpenForReading(const std::string& path) noexcept {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return LastError();
    m_handle.reset(new (std::nothrow) Handle{fd});
    if (!m_handle) {
        ::close(fd);
        return std::make_error_code(std::errc::not_enough_memory);
    }
    return {};
}

std::error_code File::GetStatus(FileStatus& status) noexcept {
    struct stat info {};
    if (::fstat(m_handle->fd, &info) != 0) return LastError();
    FillStatus(info, status);
    return {};
}

std::error_code File::OpenForWriting(const std::string& path) noexcept {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return LastError();
    m_handle.reset(new (std::nothrow) Handle{fd});
    if (!m_handle) {
        ::close(fd);
        return std::make_error_code(std::errc::not_enough_memory);
    }
    return {};
}

std::error_code File::CreateUnique(std::string& path) noexcept {
    const int fd = ::mkstemp(path.data());
    if (fd < 0) return LastError();
    m_handle.reset(new (std::nothrow) Handle{fd});
    if (!m_handle) {
        ::close(fd);
        ::unlink(path.c_str());
        return std::make_error_code(std::errc::not_enough_memory);
    }
    return {};
}

std::error_code File::SetPermissions(unsigned permissions) noexcept {
    if (::fchmod(m_handle->fd, static_cast<mode_t>(permissions)) != 0) return LastError();
    return {};
}

std::error_code File::Read(char* buffer, std::size_t size, std::size_t& count) noexcept {
    ssize_t got;
    while ((got = ::read(m_handle->fd, buffer, size)) < 0) {
        if (errno != EINTR) return LastError();
    }
    count = static_cast<std::size_t>(got);
    return {};
}

std::error_code File::Write(std::string_view text) noexcept {
    const char* data = text.data();
    std::size_t remaining = text.size();
    while (remaining > 0) {
        const ssize_t written = ::write(m_handle->fd, data, remaining);
        if (written < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        data += written;
        remaining -= static_cast<std::size_t>(written);
    }
    return {};
}

std::error_code File::Sync() noexcept {
    if (::fsync(m_handle->fd) != 0) return LastError();
    return {};
}

std::error_code File::Close() noexcept {
    if (!m_handle || m_handle->fd < 0) return {};
    const int fd = m_handle->fd;
    m_handle->fd = -1;
    if (::close(fd) != 0) return LastError();
    return {};
}

}  // namespace platform
}  // namespace detail
}  // namespace LtXmlLib3
