#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Turns SIGTERM, SIGINT and SIGHUP into an orderly quit, so a logout or Ctrl+C in a terminal still runs the
// termination clean-up (a running job's child asked to stop, a preview's scratch directory removed).
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

private:
    int fds[2] = {-1, -1}; // the handler writes to [0]; the event loop reads [1]
    std::unique_ptr<QSocketNotifier> notifier;
};
