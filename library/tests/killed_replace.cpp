// One replace through the library's own code, in a process that ends itself abruptly at a chosen
// change or, at the latest, when the replace is done: what a killed program leaves behind. Windows
// has no fork, so the journal tests start this program there.
//
// usage: killed_replace killAt failAt flags path commentFile
#include "library/src/comment_file.h"
#include "library/src/file_access.h"

#include "kill_plan.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fputs("usage: killed_replace killAt failAt flags path commentFile\n", stderr);
        return 2;
    }
    KillPlan plan;
    plan.killAt = std::atoi(argv[1]);
    plan.failAt = std::atoi(argv[2]);
    const auto flags = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
    std::ifstream in(argv[5], std::ios::binary);
    if (!in.is_open())
        return 2;
    const std::string comment{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    scrivlet::setChangeHook(&killAtChange, &plan);
    scrivlet::comment_file::replace(argv[4], comment, flags);
    killThisProcess();
}
