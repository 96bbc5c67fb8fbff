#pragma once

#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempDir
{
public:
    TempDir();
    /// A folder under @p base instead (say /dev/shm, to keep thousands of small files off the disk).
    explicit TempDir(const std::string &base);
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return m_path; }
    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

// Small helpers on whole files for checking results byte by byte.
void writeFile(const std::string &path, std::string_view bytes);
std::string readFile(const std::string &path);
bool exists(const std::string &path);
// Sets the file's modification time far into the past, so that any later write would show.
void ageFile(const std::string &path);
long long modificationTimeNs(const std::string &path);
