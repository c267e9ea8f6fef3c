#include "editor/form1.h"
#include "runner/batch_run.h"

#include <QCoreApplication>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Waits on Form1's timer: the program keeps handling its events (painting, message boxes)
// and sleeps between them until the timer has ticked.
class TimerWaiter : public Waiter {
public:
    explicit TimerWaiter(std::function<void(qint32)> wait) : wait_(std::move(wait)) {}
    void waitMilliseconds(qint32 milliseconds) override { wait_(milliseconds); }

private:
    std::function<void(qint32)> wait_;
};

} // namespace

void Form1::RunBatch(const QString &path) {
    const std::vector<RunItem> items = readRunItems(path);
    TimerWaiter waiter([this](qint32 milliseconds) { waitMilliseconds(milliseconds); });
    startItems(items, *services_.shell, waiter, [this](const QString &prompt) {
        Message(prompt, u"OK"_s, u"Message from Runvoy"_s);
    });
    close();
}

void Form1::waitMilliseconds(qint32 milliseconds) {
    TimerFired = false;
    Timer1->setInterval(milliseconds);
    Timer1->start();
    while (!TimerFired)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Timer1->stop();
    TimerFired = false;
}

void Form1::Timer1_Timer() {
    TimerFired = true;
}
