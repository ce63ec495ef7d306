#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

// An alert shown as a window-modal box. `buttons` are in order, the first being the default.
// With `choices`, a pop-up list (160 x 26) below the text offers them, `selectedChoice` chosen at first.
struct AlertRequest {
    QString message;
    QString informative;
    QStringList buttons{QStringLiteral("OK")};
    QStringList choices;
    int selectedChoice = 0;
};

// How an alert ended: the index of the button pressed (-1 when closed otherwise) and the chosen pop-up item.
struct AlertAnswer {
    int button = -1;
    int choice = -1;
};

// A save panel proposing `proposedName`, restricted to `nameFilter` (e.g. "SubRip captions (*.srt)").
struct SaveRequest {
    QString proposedName;
    QString nameFilter;
    QString defaultSuffix;
};

// Every panel and alert the application shows goes through here, so tests can answer them.
// Completions run later, on the main thread, at most once; an empty completion is allowed.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;

    // Files only, one at a time, no type restriction. Nothing when cancelled.
    virtual void chooseOpenFile(QWidget *window, std::function<void(std::optional<QString>)> done) = 0;
    virtual void chooseSaveFile(QWidget *window, const SaveRequest &request,
                                std::function<void(std::optional<QString>)> done) = 0;
    virtual void showAlert(QWidget *window, const AlertRequest &request, std::function<void(AlertAnswer)> done) = 0;
};

// The real dialogs: window-modal Qt dialogs opened with open().
class QtDialogProvider final : public DialogProvider {
public:
    void chooseOpenFile(QWidget *window, std::function<void(std::optional<QString>)> done) override;
    void chooseSaveFile(QWidget *window, const SaveRequest &request,
                        std::function<void(std::optional<QString>)> done) override;
    void showAlert(QWidget *window, const AlertRequest &request, std::function<void(AlertAnswer)> done) override;
};
