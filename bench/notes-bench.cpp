// Prints the note store figures: load and save of 10,000 notes (median of 5) and the time to reload the notes
// table with them. Run by bench/notes-bench.sh under Xvfb.
#include "inspector/ReviewPanel.h"
#include "notes/ReviewStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double medianMs(const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const ReviewStore store{dir.path() + "/Ostrivan/Review Notes"};
    const QString media = dir.path() + "/media.mov";
    ReviewNotes notes;
    for (int i = 0; i < 10000; ++i)
        notes.append({QUuid::createUuid(), qint64(i) * 137,
                      QStringLiteral("Note %1: the colour shifts / the level dips here, é 😀").arg(i)});

    const double save = medianMs([&] { store.save(notes, media); });
    ReviewNotes loaded;
    const double load = medianMs([&] { loaded = store.load(media); });
    if (loaded != notes)
        return std::fprintf(stderr, "loaded notes differ from the saved ones\n"), 1;

    ReviewPanel panel;
    panel.resize(356, 600);
    panel.show();
    QApplication::processEvents();
    const double reload = medianMs([&] {
        panel.notes = loaded;
        panel.reloadNotes();
        QApplication::processEvents();
    });
    std::printf("notes: 10000, file %lld bytes\n", qlonglong(QFileInfo(store.noteFile(media)).size()));
    std::printf("save  median of 5: %.1f ms\n", save);
    std::printf("load  median of 5: %.1f ms\n", load);
    std::printf("table reload median of 5: %.1f ms\n", reload);
    return 0;
}
