#include "tests/support/modal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

void answerNextModal(std::function<void(QWidget *)> answer, int timeoutMs) {
    auto *timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, answer, timeoutMs] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
            return;
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window opened within " << timeoutMs << " ms";
        }
    });
    timer->start(5);
}

class ModalAnswerer::Watcher : public QTimer {
public:
    Watcher(ModalAnswerer *owner, std::function<void(QWidget *)> answer)
        : owner_(owner), answer_(std::move(answer)) {
        connect(this, &QTimer::timeout, this, &Watcher::poll);
        start(5);
    }

private:
    void poll() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == last_.data())
            return;
        last_ = modal;
        ++owner_->answered_;
        answer_(modal);
    }

    ModalAnswerer *owner_;
    std::function<void(QWidget *)> answer_;
    QPointer<QWidget> last_;
};

ModalAnswerer::ModalAnswerer(std::function<void(QWidget *)> answer)
    : watcher_(new Watcher(this, std::move(answer))) {}

ModalAnswerer::~ModalAnswerer() {
    delete watcher_;
}

} // namespace testsupport
