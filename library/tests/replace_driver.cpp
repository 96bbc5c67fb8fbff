// Replaces the comments of some files in a loop through the library's exports, as a program that
// saves comments does, until its rounds are done or it is stopped. Before each call it writes
// "B file round" and after it "E file round status" to stdout, unbuffered, so that whoever stops it
// knows which change may have been interrupted.
//
// usage: replace_driver [-r removeEvery] [-l] [-s] seed rounds maxLength file...
//   -r N  about one round in N removes the comment instead (0: never)
//   -l    remove through the historic DelComments instead of ReplaceComments
//   -s    ask for the sync flag
// Exits 0 when every call succeeded, 1 otherwise.
#include "driver_comments.h"
#include "scrivlet.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void say(const std::string &line)
{
    std::size_t done = 0;
    while (done < line.size()) {
#ifdef _WIN32
        const int put = ::_write(1, line.data() + done, static_cast<unsigned>(line.size() - done));
#else
        const ssize_t put = ::write(1, line.data() + done, line.size() - done);
#endif
        if (put <= 0)
            return;
        done += static_cast<std::size_t>(put);
    }
}

} // namespace

int main(int argc, char **argv)
{
    int removeEvery = 0;
    bool legacyDelete = false;
    std::uint32_t flags = 0;
    for (int option = 0; (option = ::getopt(argc, argv, "r:ls")) != -1;) {
        if (option == 'r')
            removeEvery = std::atoi(optarg);
        else if (option == 'l')
            legacyDelete = true;
        else if (option == 's')
            flags |= SCRIVLET_REPLACE_SYNC;
        else
            return 2;
    }
    if (argc - optind < 4) {
        std::fputs("usage: replace_driver [-r removeEvery] [-l] [-s] seed rounds maxLength file...\n",
                   stderr);
        return 2;
    }
    const std::uint64_t seed = std::strtoull(argv[optind], nullptr, 10);
    const int rounds = std::atoi(argv[optind + 1]);
    const std::size_t maxLength = std::strtoul(argv[optind + 2], nullptr, 10);
    const int files = argc - optind - 3;
    const std::string pool = driver_comments::pool(seed, maxLength);
    bool failed = false;
    for (int round = 0; round < rounds; ++round) {
        for (int file = 0; file < files; ++file) {
            const char *path = argv[optind + 3 + file];
            say("B " + std::to_string(file) + " " + std::to_string(round) + "\n");
            int status = SCRIVLET_OK;
            if (driver_comments::removes(seed, file, round, removeEvery)) {
                status = legacyDelete ? DelComments(&path)
                                      : ReplaceComments(&path, nullptr, 0, flags | SCRIVLET_REPLACE_REMOVE);
            } else {
                const std::string comment = driver_comments::comment(pool, seed, file, round, maxLength);
                const char *text = comment.c_str();
                status = ReplaceComments(&path, &text, static_cast<std::int32_t>(comment.size()), flags);
            }
            say("E " + std::to_string(file) + " " + std::to_string(round) + " " + std::to_string(status) +
                "\n");
            if (status != SCRIVLET_OK) {
                std::fprintf(stderr, "%s: %s\n", path, scrivlet_status_text(status));
                failed = true;
            }
        }
    }
    return failed ? 1 : 0;
}
