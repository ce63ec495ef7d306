#include "inspector/ReviewPanel.h"
#include "notes/NoteExports.h"
#include "shell/Viewer.h"

#include <QComboBox>
#include <QMainWindow>
#include <QPointer>

namespace {

void exportAudacityLabels(Viewer &viewer, const ReviewNotes &notes, const QString &base)
{
    QPointer<Viewer> self(&viewer);
    viewer.chooseExportDestination(base + QStringLiteral("-labels"), QStringLiteral("txt"),
                                   [self, notes](const QString &destination) {
                                       // Computed only once a destination is known.
                                       self->writeExport(ReviewExport::audacityLabels(notes), destination,
                                                         QStringLiteral("Audacity labels exported."));
                                   });
}

void exportKdenliveMarkers(Viewer &viewer, const ReviewNotes &notes, const QString &base)
{
    if (!viewer.window)
        return;
    AlertRequest alert;
    alert.message = QStringLiteral("Match the Kdenlive frame rate");
    alert.informative = QStringLiteral("Choose the frame rate used by the destination project.");
    alert.buttons = {QStringLiteral("Continue"), QStringLiteral("Cancel")};
    for (const auto &rate : ReviewExport::kdenliveFrameRates())
        alert.choices.append(rate.title);
    alert.selectedChoice = ReviewExport::defaultKdenliveRate;
    QPointer<Viewer> self(&viewer);
    viewer.dialogs().showAlert(viewer.window.get(), alert, [self, notes, base](AlertAnswer answer) {
        const auto &rates = ReviewExport::kdenliveFrameRates();
        if (answer.button != 0 || !self || answer.choice < 0 || answer.choice >= rates.size())
            return;
        QByteArray bytes;
        try {
            bytes = ReviewExport::kdenliveMarkers(notes, rates[answer.choice].rate);
        } catch (const ReviewError &e) {
            self->inspector->setStatus(e.message);
            return;
        }
        QPointer<Viewer> again(self);
        self->chooseExportDestination(base + QStringLiteral("-markers"), QStringLiteral("json"),
                                      [again, bytes](const QString &destination) {
                                          again->writeExport(bytes, destination,
                                                             QStringLiteral("Kdenlive markers exported."));
                                      });
    });
}

} // namespace

void Viewer::exportNotes()
{
    const int choice = inspector->exportNotes->currentIndex();
    // The pop-up always shows its title again.
    inspector->exportNotes->setCurrentIndex(0);
    if (choice < 1 || !currentURL || job || inspector->notes.isEmpty())
        return;
    const ReviewNotes notes = inspector->notes; // what is exported, whatever happens while dialogs are up
    const QString base = ReviewExport::exportBaseName(*currentURL);
    if (choice == 2)
        exportAudacityLabels(*this, notes, base);
    else
        exportKdenliveMarkers(*this, notes, base);
}
