// Test helper: reads one file's comment through CommentStore's own library lookup and prints it,
// so a test can run it from a folder of its choosing with or without a library beside it.
#include "app/model/comment_store.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace scrivlet;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        CommentStore store;
        const CommentReadResult result = store.read(QByteArray(argv[1]));
        std::fputs(qPrintable(result.text), stdout);
        return result.status == 0 ? 0 : 1;
    } catch (const LibraryUnavailable &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 3;
    }
}
