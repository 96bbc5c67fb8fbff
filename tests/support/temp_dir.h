#pragma once

#include <string>
#include <string_view>

/// A fresh folder for one test, removed with everything in it (read-only parts included) when the
/// test ends. Open to every user (0755), so a test can run a program as another one.
class TempDir
{
public:
    /// A folder under the system's temporary folder.
    TempDir();
    /// A folder under @p base instead (say /dev/shm, to keep thousands of small files off the disk).
    explicit TempDir(const std::string &base);
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return m_path; }
    /// path() + "/" + name.
    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }
    /// Writes @p bytes to the file @p name (created or replaced) and returns its path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::string m_path;
};

// Small helpers on whole files for checking results byte by byte. They throw std::runtime_error
// when the file cannot be written or read, so a missing file never passes for an empty one.
void writeFile(const std::string &path, std::string_view bytes);
std::string readFile(const std::string &path);
bool exists(const std::string &path);
// Sets the file's modification time far into the past, so that any later write would show.
void ageFile(const std::string &path);
long long modificationTimeNs(const std::string &path);
