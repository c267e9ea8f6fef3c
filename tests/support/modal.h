#pragma once

#include <QWidget>

#include <functional>

namespace testsupport {

// Runs answer on the next modal widget that opens (a message box, the About box, a file
// dialog), from the event loop of whatever call is waiting for it. Fails the test when none
// opens within timeoutMs.
void answerNextModal(std::function<void(QWidget *)> answer, int timeoutMs = 5000);

// Answers every modal widget that opens while the returned guard lives, in order of opening.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QWidget *)> answer);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

    int answered() const { return answered_; }

private:
    class Watcher;
    Watcher *watcher_;
    int answered_ = 0;
};

} // namespace testsupport
