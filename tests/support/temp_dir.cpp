#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path().string())
{}

TempDir::TempDir(const std::string &base)
{
    // A random name taken only when the folder did not exist yet (create_directory says so).
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = base + "/scrivlet-test-" + std::to_string(random() % 1000000000000u);
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a folder under " + base);
}

TempDir::~TempDir()
{
    namespace fs = std::filesystem;
    std::error_code error;
    // Folders a test made read-only or closed must open again before their files can go; symbolic
    // links are not followed, so nothing outside the folder changes.
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, error);
    for (auto it = fs::recursive_directory_iterator(m_path, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(m_path, error);
}

std::string TempDir::write(std::string_view name, std::string_view bytes) const
{
    const std::string path = file(name);
    writeFile(path, bytes);
    return path;
}

void writeFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool exists(const std::string &path)
{
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
}

#ifdef _WIN32

namespace {

// FILETIME counts 100 ns steps from 1601; this many of them lie before 1970.
constexpr long long kFileTimeOf1970 = 116444736000000000LL;

HANDLE openForTimes(const std::string &path, DWORD access)
{
    HANDLE handle = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path);
    return handle;
}

} // namespace

void ageFile(const std::string &path)
{
    const long long ticks = kFileTimeOf1970 + 1000000000LL * 10000000LL;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    HANDLE handle = openForTimes(path, FILE_WRITE_ATTRIBUTES);
    const bool done = SetFileTime(handle, nullptr, &time, &time) != 0;
    CloseHandle(handle);
    if (!done)
        throw std::runtime_error("cannot set times of " + path);
}

long long modificationTimeNs(const std::string &path)
{
    FILETIME time;
    HANDLE handle = openForTimes(path, FILE_READ_ATTRIBUTES);
    const bool done = GetFileTime(handle, nullptr, nullptr, &time) != 0;
    CloseHandle(handle);
    if (!done)
        throw std::runtime_error("cannot read the times of " + path);
    const long long ticks = static_cast<long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    return (ticks - kFileTimeOf1970) * 100;
}

#else

void ageFile(const std::string &path)
{
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
        throw std::runtime_error("cannot set times of " + path);
}

long long modificationTimeNs(const std::string &path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        throw std::runtime_error("cannot stat " + path);
    return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

#endif
