#pragma once

#include "core/editor/editor_view.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace testsupport {

// An editor view without a window: it keeps what it was last shown, records every message and
// answers questions from a script in turn (a plain message with OK).
class RecordingEditorView : public EditorView {
public:
    void showName(const std::string &name) override { shownName = name; }
    void showRow(int row, const BatchItem &item) override { shownRows.at(row) = item; }
    void showSelection(std::optional<int> row) override { shownSelection = row; }
    void showChanged(bool changed) override { shownChanged = changed; }

    MessageAnswer ask(const Message &message) override {
        asked.push_back(message);
        if (message.buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << message.prompt;
            return MessageAnswer::Closed;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> chooseFile(const FileQuestion &) override {
        return chosen;
    }
    std::optional<std::filesystem::path> chooseFolder(const std::string &) override {
        return chosen;
    }
    void showAbout() override {}
    void showHelp() override {}
    void closeWindow() override {}

    std::vector<std::string> prompts() const {
        std::vector<std::string> texts;
        for (const Message &message : asked)
            texts.push_back(message.prompt);
        return texts;
    }

    std::deque<MessageAnswer> answers;
    std::optional<std::filesystem::path> chosen; // what every file or folder dialog chooses
    std::vector<Message> asked;
    std::string shownName;
    std::array<BatchItem, MaxBatchItems> shownRows;
    std::optional<int> shownSelection;
    bool shownChanged = false;
};

} // namespace testsupport
