#include "cli/library_binding.h"

#include "core/library_files.h"

#include <climits>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <unistd.h>

namespace scrivlet {

namespace {

// The folder scriv runs from, where its library lies.
std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/'));
}

template <typename Function>
bool bind(void *library, const char *name, Function &function, std::string &error)
{
    function = reinterpret_cast<Function>(::dlsym(library, name));
    if (function == nullptr)
        error = std::string("the library has no export ") + name;
    return function != nullptr;
}

} // namespace

const LibraryBinding *LibraryBinding::get(std::string &error)
{
    static LibraryBinding binding;
    static std::string failure;
    static bool bound = false;
    static std::once_flag once;
    std::call_once(once, [] {
        void *library = nullptr;
        for (const std::string &file : scrivlet::core::LibraryFiles::candidates(programFolder())) {
            library = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (library != nullptr)
                break;
            const char *reason = ::dlerror();
            failure += (failure.empty() ? "cannot load " : "; nor ") + file + ": " +
                       (reason != nullptr ? reason : "unknown reason");
        }
        if (library == nullptr)
            return;
        failure.clear();
        bound = bind(library, "ReadComments", binding.read, failure) &&
                bind(library, "ReplaceComments", binding.replace, failure) &&
                bind(library, "RecoverComments", binding.recover, failure) &&
                bind(library, "SettleComments", binding.settle, failure);
    });
    error = failure;
    return bound ? &binding : nullptr;
}

} // namespace scrivlet
