// Saves a growing list of notes for one media file until it is killed. Used by the crash-safety test.
#include "notes/ReviewStore.h"
#include "notes/SaveLoopNotes.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const ReviewStore store{QString::fromLocal8Bit(argv[1])};
    const QString media = QString::fromLocal8Bit(argv[2]);
    const int start = QByteArray(argv[3]).toInt();
    for (int n = start;; ++n)
        store.save(saveLoopNotes(n), media);
}
