#include "core/library_files.h"

namespace scrivlet::core {

std::vector<std::string> LibraryFiles::candidates(const std::string &programFolder)
{
#ifdef _WIN32
    const std::string beside = "Scrivlet.dll";
    const std::string installed = beside;
    const char separator = '\\';
#else
    const std::string beside = "libScrivlet.so";
    // The SONAME: the one name the runtime package installs (libScrivlet.so belongs to the -dev one).
    const std::string installed = "libScrivlet.so." + std::to_string(SCRIVLET_SOVERSION);
    const char separator = '/';
#endif
    std::vector<std::string> files;
    if (!programFolder.empty())
        files.push_back(programFolder + separator + beside);
    files.push_back(installed);
    return files;
}

} // namespace scrivlet::core
