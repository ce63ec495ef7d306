#pragma once

#include "shell/DialogProvider.h"

#include <QList>

// Answers every panel and alert at once with the answers set beforehand, and records what was asked.
class FakeDialogs final : public DialogProvider {
public:
    struct Record {
        int openPanels = 0;
        QList<SaveRequest> savePanels;
        QList<AlertRequest> alerts;
    };

    // Shared with the test, which keeps it after the Viewer took ownership of the fake.
    std::shared_ptr<Record> asked = std::make_shared<Record>();
    std::shared_ptr<std::optional<QString>> openAnswer = std::make_shared<std::optional<QString>>();
    std::shared_ptr<std::optional<QString>> saveAnswer = std::make_shared<std::optional<QString>>();
    std::shared_ptr<AlertAnswer> alertAnswer = std::make_shared<AlertAnswer>();

    void chooseOpenFile(QWidget *, std::function<void(std::optional<QString>)> done) override
    {
        ++asked->openPanels;
        if (done)
            done(*openAnswer);
    }
    void chooseSaveFile(QWidget *, const SaveRequest &request, std::function<void(std::optional<QString>)> done) override
    {
        asked->savePanels.append(request);
        if (done)
            done(*saveAnswer);
    }
    void showAlert(QWidget *, const AlertRequest &request, std::function<void(AlertAnswer)> done) override
    {
        asked->alerts.append(request);
        if (done)
            done(*alertAnswer);
    }
};
