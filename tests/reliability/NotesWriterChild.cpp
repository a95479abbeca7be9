// Adds entries to the notes store of a folder, one transaction each, until
// it is killed: the other side of the notes kill test. "<id> <number>" goes
// out on a line once the entry is committed.
// Usage: notes_writer_child <folder>
#include "reliability/NotesWriterChild.h"
#include "storage/NotesStore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    NotesStore store(QString::fromLocal8Bit(argv[1]));
    if (!store.IsOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(store.OpenError()->description()));
        return 1;
    }
    try {
        for (int i = 0;; ++i) {
            const qint64 id = store.Add(writerEntry(i));
            std::printf("%lld %d\n", static_cast<long long>(id), i);
            std::fflush(stdout);
        }
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
}
