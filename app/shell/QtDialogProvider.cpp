#include "shell/DialogProvider.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace {
// Opens the panel window-modally; `done` gets the one chosen file, or nothing on any other ending.
void openForOneFile(QFileDialog *panel, std::function<void(std::optional<QString>)> done)
{
    QObject::connect(panel, &QFileDialog::finished, panel, [panel, done = std::move(done)](int result) {
        const QStringList chosen = panel->selectedFiles();
        if (!done)
            return;
        if (result == QDialog::Accepted && chosen.size() == 1)
            done(chosen.first());
        else
            done(std::nullopt);
    });
    panel->open();
}
} // namespace

void QtDialogProvider::chooseOpenFile(QWidget *window, std::function<void(std::optional<QString>)> done)
{
    auto *panel = new QFileDialog(window); // deletes itself when closed
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    panel->setFileMode(QFileDialog::ExistingFile);
    panel->setAcceptMode(QFileDialog::AcceptOpen);
    openForOneFile(panel, std::move(done));
}

void QtDialogProvider::chooseSaveFile(QWidget *window, const SaveRequest &request,
                                      std::function<void(std::optional<QString>)> done)
{
    auto *panel = new QFileDialog(window);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setFileMode(QFileDialog::AnyFile);
    if (!request.nameFilter.isEmpty())
        panel->setNameFilter(request.nameFilter);
    if (!request.defaultSuffix.isEmpty())
        panel->setDefaultSuffix(request.defaultSuffix);
    panel->selectFile(request.proposedName);
    openForOneFile(panel, std::move(done));
}

void QtDialogProvider::showAlert(QWidget *window, const AlertRequest &request, std::function<void(AlertAnswer)> done)
{
    auto *box = new QMessageBox(window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setText(request.message);
    box->setInformativeText(request.informative);
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < request.buttons.size(); ++i) {
        const bool last = i > 0 && i == request.buttons.size() - 1 && request.buttons.size() > 1;
        QPushButton *button = box->addButton(request.buttons[i], last ? QMessageBox::RejectRole
                                                                      : QMessageBox::AcceptRole);
        if (i == 0)
            box->setDefaultButton(button);
        buttons.append(button);
    }
    QComboBox *list = nullptr;
    if (!request.choices.isEmpty()) {
        list = new QComboBox(box);
        list->addItems(request.choices);
        list->setCurrentIndex(request.selectedChoice);
        list->setFixedSize(160, 26);
        list->setAccessibleName(request.message);
        if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
            grid->addWidget(list, grid->rowCount(), 1, 1, grid->columnCount() - 1, Qt::AlignLeft);
    }
    QObject::connect(box, &QMessageBox::finished, box, [box, buttons, list, done = std::move(done)](int) {
        if (!done)
            return;
        AlertAnswer answer;
        answer.button = int(buttons.indexOf(box->clickedButton()));
        answer.choice = list ? list->currentIndex() : -1;
        done(answer);
    });
    box->open();
}
