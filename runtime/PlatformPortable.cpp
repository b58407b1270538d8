// The runtime's system services in standard C++ alone (the VANTREL_PORTABLE
// build), for systems without the POSIX calls: nothing is prefaulted, files
// are read and written through the C library (a read from a pipe waits for
// the whole request or the end), and a sync goes as far as the C library's
// flush, the directory not at all.

#include "runtime/Platform.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <random>

namespace LtXmlLib3 {
namespace detail {
namespace platform {

namespace fs = std::filesystem;

namespace {

// errno as the last call left it, or `fallback` where that call did not set it.
std::error_code LastError(std::errc fallback = std::errc::io_error) noexcept {
    return errno != 0 ? std::error_code(errno, std::generic_category()) : std::make_error_code(fallback);
}

std::error_code StatusOf(const fs::path& path, FileStatus& status) noexcept {
    std::error_code error;
    const fs::file_status found = fs::status(path, error);
    if (error) return error;
    if (!fs::exists(found)) return std::make_error_code(std::errc::no_such_file_or_directory);
    status.regular = fs::is_regular_file(found);
    status.directory = fs::is_directory(found);
    status.size = status.regular ? static_cast<std::uint64_t>(fs::file_size(path, error)) : 0;
    if (error) return error;
    status.permissions = static_cast<unsigned>(found.permissions() & fs::perms::mask);
    return {};
}

}  // namespace

void Prefault(void*, std::size_t) noexcept {}

const char* FindLast(const char* data, std::size_t size, char c) noexcept {
    for (std::size_t at = size; at > 0; --at)
        if (data[at - 1] == c) return data + at - 1;
    return nullptr;
}

bool Status(const std::string& path, FileStatus& status) noexcept {
    try {
        return !StatusOf(fs::path(path), status);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::error_code ReadLink(const std::string& path, bool& isLink, std::string& target) {
    std::error_code error;
    isLink = fs::is_symlink(fs::symlink_status(path, error)) && !error;
    if (!isLink) return {};
    target = fs::read_symlink(path, error).string();
    return error;
}

std::error_code Replace(const std::string& from, const std::string& to) noexcept {
    try {
        std::error_code error;
        fs::rename(from, to, error);  // replaces an existing `to`, on every system
        return error;
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
}

void Remove(const std::string& path) noexcept {
    try {
        std::error_code ignored;
        fs::remove(path, ignored);
    } catch (const std::bad_alloc&) {
    }
}

struct File::Handle {
    std::FILE* file = nullptr;
    std::string path;
};

File::File() noexcept = default;

File::~File() {
    if (m_handle && m_handle->file != nullptr) std::fclose(m_handle->file);
}

std::error_code File::OpenForReading(const std::string& path) noexcept {
    try {
        errno = 0;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) return LastError(std::errc::no_such_file_or_directory);
        m_handle.reset(new Handle{file, path});
        return {};
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
}

std::error_code File::GetStatus(FileStatus& status) noexcept {
    try {
        return StatusOf(fs::path(m_handle->path), status);
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
}

std::error_code File::OpenForWriting(const std::string& path) noexcept {
    try {
        errno = 0;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return LastError(std::errc::permission_denied);
        m_handle.reset(new Handle{file, path});
        return {};
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
}

std::error_code File::CreateUnique(std::string& path) noexcept {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr std::size_t kSuffix = 6;
    if (path.size() < kSuffix) return std::make_error_code(std::errc::invalid_argument);
    try {
        std::random_device seed;
        std::mt19937 random(seed());
        std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            for (std::size_t at = path.size() - kSuffix; at < path.size(); ++at) path[at] = kLetters[letter(random)];
            errno = 0;
            // "x": only a file that did not exist yet.
            if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
                m_handle.reset(new Handle{file, path});
                return {};
            }
            if (errno != EEXIST) return LastError(std::errc::permission_denied);
        }
        return std::make_error_code(std::errc::file_exists);
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    } catch (const std::exception&) {  // no random device
        return std::make_error_code(std::errc::io_error);
    }
}

std::error_code File::SetPermissions(unsigned permissions) noexcept {
    try {
        std::error_code error;
        fs::permissions(m_handle->path, static_cast<fs::perms>(permissions) & fs::perms::mask, error);
        return error;
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
}

std::error_code File::Read(char* buffer, std::size_t size, std::size_t& count) noexcept {
    errno = 0;
    count = std::fread(buffer, 1, size, m_handle->file);
    if (count < size && std::ferror(m_handle->file)) return LastError();
    return {};
}

std::error_code File::Write(std::string_view text) noexcept {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), m_handle->file) != text.size()) return LastError();
    return {};
}

std::error_code File::Sync() noexcept {
    errno = 0;
    if (std::fflush(m_handle->file) != 0) return LastError();
    return {};
}

std::error_code File::Close() noexcept {
    if (!m_handle || m_handle->file == nullptr) return {};
    std::FILE* file = m_handle->file;
    m_handle->file = nullptr;
    errno = 0;
    if (std::fclose(file) != 0) return LastError();
    return {};
}

}  // namespace platform
}  // namespace detail
}  // namespace LtXmlLib3
