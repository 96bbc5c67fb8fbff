#pragma once

#include <string>
#include <string_view>

/// A fresh folder under /tmp for one test, removed with everything in it (read-only parts
/// included) when the test ends. Readable by every user, so tests can run scriv as another one.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &path() const { return m_path; }
    /// path() + "/" + name.
    std::string file(std::string_view name) const;
    /// Writes @p bytes to the file @p name (created or replaced) and returns its path.
    std::string write(std::string_view name, std::string_view bytes) const;

    static std::string read(const std::string &path);

private:
    std::string m_path;
};
