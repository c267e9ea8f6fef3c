#include "qt/msgbox/message_box.h"
#include "qt/qt_text.h"

#include "tests/support/modal.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QList<QPushButton *> buttonsOf(QWidget *box) {
    return box->findChildren<QPushButton *>();
}

QPlainTextEdit *textOf(QWidget *box) {
    return box->findChild<QPlainTextEdit *>(u"promptText"_s);
}

// Opens the box over a window that is never shown, as the runner does, runs look on the open
// box and returns the answer. Whatever look does, the box ends up closed so a failed
// expectation cannot leave the test waiting.
class MbDialogTest : public ::testing::Test {
protected:
    MessageAnswer showAndAnswer(MessageButtons buttons,
                                const std::function<void(QDialog *)> &look) {
        message.buttons = buttons;
        testsupport::answerNextModal([&look](QWidget *modal) {
            QPointer<QDialog> dialog = qobject_cast<QDialog *>(modal);
            ASSERT_TRUE(dialog);
            look(dialog);
            if (dialog && dialog->isVisible())
                dialog->reject();
        });
        return showMessage(message, &owner);
    }

    QWidget owner;
    Message message{"Something to say."};
};

struct PixelCase {
    MessageButtons buttons;
    QStringList captions;
    QList<QRect> places; // inside the lower panel
};

const PixelCase pixelCases[] = {
    {MessageButtons::Ok, {u"OK"_s}, {{88, 16, 113, 25}}},
    {MessageButtons::YesNo, {u"Yes"_s, u"No"_s}, {{8, 16, 129, 25}, {152, 16, 129, 25}}},
    {MessageButtons::YesNoCancel,
     {u"Yes"_s, u"No"_s, u"Cancel"_s},
     {{8, 16, 81, 25}, {104, 16, 81, 25}, {200, 16, 81, 25}}},
};

} // namespace

TEST_F(MbDialogTest, showsTitlePromptAndButtonsAtTheirPlaces) {
    for (const PixelCase &c : pixelCases) {
        SCOPED_TRACE(c.captions.join(u'/').toStdString());
        showAndAnswer(c.buttons, [&c](QDialog *dialog) {
            EXPECT_EQ(dialog->windowTitle(), u" Message"_s);
            ASSERT_TRUE(textOf(dialog));
            EXPECT_EQ(textOf(dialog)->toPlainText(), u"Something to say."_s);
            const QList<QPushButton *> buttons = buttonsOf(dialog);
            ASSERT_EQ(buttons.size(), c.captions.size());
            for (qsizetype i = 0; i < buttons.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(buttons[i]->text(), c.captions[i]);
                EXPECT_EQ(buttons[i]->geometry(), c.places[i]);
                EXPECT_EQ(buttons[i]->parentWidget()->objectName(), u"lowerPanel"_s);
                EXPECT_EQ(buttons[i]->parentWidget()->geometry(), QRect(8, 72, 289, 49));
                EXPECT_TRUE(buttons[i]->isVisible());
            }
        });
    }
}

TEST_F(MbDialogTest, clickingAButtonGivesItsAnswer) {
    const struct {
        MessageButtons buttons;
        int clicked;
        MessageAnswer expected;
    } cases[] = {
        {MessageButtons::Ok, 0, MessageAnswer::Ok},
        {MessageButtons::YesNoCancel, 0, MessageAnswer::Yes},
        {MessageButtons::YesNoCancel, 1, MessageAnswer::No},
        {MessageButtons::YesNoCancel, 2, MessageAnswer::Cancel},
        {MessageButtons::YesNo, 1, MessageAnswer::No},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(int(c.buttons)) + " #" + std::to_string(c.clicked));
        const MessageAnswer answer = showAndAnswer(c.buttons, [&c](QDialog *dialog) {
            QTest::mouseClick(buttonsOf(dialog).value(c.clicked), Qt::LeftButton);
        });
        EXPECT_EQ(answer, c.expected);
    }
}

TEST_F(MbDialogTest, closingWithoutAButtonAnswersClosed) {
    const std::pair<const char *, std::function<void(QDialog *)>> closers[] = {
        {"close button",
         [](QDialog *dialog) {
             dialog->close();
         }},
        {"Esc",
         [](QDialog *dialog) {
             QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
         }},
    };
    for (const auto &[name, closer] : closers) {
        SCOPED_TRACE(name);
        bool wasOpen = false;
        const MessageAnswer answer =
            showAndAnswer(MessageButtons::YesNoCancel, [&](QDialog *dialog) {
                wasOpen = dialog->isVisible();
                closer(dialog);
                EXPECT_FALSE(dialog->isVisible());
            });
        EXPECT_TRUE(wasOpen);
        EXPECT_EQ(answer, MessageAnswer::Closed);
    }
}

TEST_F(MbDialogTest, keyboardWorksFromTheFirstButton) {
    const struct {
        const char *name;
        QList<Qt::Key> keys;
        MessageAnswer expected;
    } cases[] = {
        {"Space", {Qt::Key_Space}, MessageAnswer::Yes},
        {"Return", {Qt::Key_Return}, MessageAnswer::Yes},
        {"Tab Space", {Qt::Key_Tab, Qt::Key_Space}, MessageAnswer::No},
        {"Tab Tab Return", {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, MessageAnswer::Cancel},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const MessageAnswer answer =
            showAndAnswer(MessageButtons::YesNoCancel, [&c](QDialog *dialog) {
                EXPECT_EQ(dialog->focusWidget(), buttonsOf(dialog).value(0));
                for (Qt::Key key : c.keys)
                    QTest::keyClick(dialog->focusWidget(), key);
            });
        EXPECT_EQ(answer, c.expected);
    }
}

TEST_F(MbDialogTest, eachShowingLaysTheButtonsOutAfresh) {
    EXPECT_EQ(showAndAnswer(MessageButtons::YesNoCancel,
                            [](QDialog *dialog) {
                                EXPECT_EQ(buttonsOf(dialog).size(), 3);
                                QTest::mouseClick(buttonsOf(dialog).value(2), Qt::LeftButton);
                            }),
              MessageAnswer::Cancel);
    int buttonsSecondTime = 0;
    const MessageAnswer second = showAndAnswer(MessageButtons::Ok, [&](QDialog *dialog) {
        buttonsSecondTime = int(buttonsOf(dialog).size());
        EXPECT_EQ(buttonsOf(dialog).value(0)->text(), u"OK"_s);
        EXPECT_EQ(dialog->focusWidget(), buttonsOf(dialog).value(0));
    });
    EXPECT_EQ(buttonsSecondTime, 1);
    EXPECT_EQ(second, MessageAnswer::Closed);
    EXPECT_TRUE(owner.findChildren<QDialog *>().isEmpty()) << "earlier boxes must not linger";
}

TEST_F(MbDialogTest, opensModallyOverAHiddenOwnerWithAFixedFrame) {
    showAndAnswer(MessageButtons::Ok, [this](QDialog *dialog) {
        EXPECT_TRUE(dialog->isModal());
        EXPECT_FALSE(owner.isVisible());
        // Owned by the window, so it is kept out of the taskbar.
        EXPECT_EQ(dialog->parentWidget(), &owner);
        EXPECT_TRUE(dialog->isWindow());
        EXPECT_EQ(dialog->minimumSize(), QSize(304, 128));
        EXPECT_EQ(dialog->maximumSize(), QSize(304, 128));
        EXPECT_EQ(dialog->size(), QSize(304, 128));
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    });
}

TEST_F(MbDialogTest, isCentredOnTheScreenFrameIncluded) {
    showAndAnswer(MessageButtons::Ok, [](QDialog *dialog) {
        const QPoint offset =
            dialog->frameGeometry().center() - dialog->screen()->geometry().center();
        EXPECT_LE(std::abs(offset.x()), 1);
        EXPECT_LE(std::abs(offset.y()), 1);
    });
}

TEST_F(MbDialogTest, showsTheNoteIconAt32Pixels) {
    showAndAnswer(MessageButtons::Ok, [](QDialog *dialog) {
        auto *icon = dialog->findChild<QLabel *>(u"noteIcon"_s);
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->geometry(), QRect(8, 24, 32, 32));
        const QPixmap picture = icon->pixmap();
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(32, 32));
    });
}

TEST_F(MbDialogTest, promptAreaIsReadOnlyButtonFacedAndSkippedByTab) {
    message.prompt = "<b>C:\\a & b</b>";
    showAndAnswer(MessageButtons::YesNo, [](QDialog *dialog) {
        QPlainTextEdit *text = textOf(dialog);
        ASSERT_TRUE(text);
        EXPECT_EQ(text->geometry(), QRect(48, 16, 233, 49));
        EXPECT_TRUE(text->isReadOnly());
        EXPECT_FALSE(text->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(text->palette().color(QPalette::Base), text->palette().color(QPalette::Button));
        EXPECT_EQ(text->toPlainText(), u"<b>C:\\a & b</b>"_s) << "shown as written, not as markup";

        QTest::keyClicks(text, u"typed"_s);
        EXPECT_EQ(text->toPlainText(), u"<b>C:\\a & b</b>"_s);

        // Tab cycles through the buttons only.
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            EXPECT_NE(dialog->focusWidget(), text);
        }
    });
}

TEST_F(MbDialogTest, longMessageGrowsTheBoxDownToShowItWholeAsFarAsTheScreenAllows) {
    const QString invalidItem =
        u"/home/someone/Documents/Projects/Quarterly reports/summary for the board.odt is an "
        "invalid file or folder name.  You will need to edit this .rvq file for this item to "
        "work."_s;
    const struct {
        const char *name;
        QString prompt;
        bool wholeShown;
    } cases[] = {
        {"an item's path", invalidItem, true},
        {"more than the screen holds", QString(60, u'\n') + invalidItem, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        message.prompt = coreText(c.prompt);
        showAndAnswer(MessageButtons::Ok, [&c](QDialog *dialog) {
            QPlainTextEdit *text = textOf(dialog);
            ASSERT_TRUE(text);
            const QScrollBar *scroll = text->verticalScrollBar();
            EXPECT_EQ(scroll->maximum() == 0, c.wholeShown) << "scroll range " << scroll->maximum();
            EXPECT_FALSE(text->horizontalScrollBar()->isVisible());
            EXPECT_GT(dialog->height(), 128);
            EXPECT_LE(dialog->frameGeometry().height(),
                      dialog->screen()->availableGeometry().height());
            EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
            // Only heights change: the prompt area grows, the buttons' panel moves down with it.
            EXPECT_EQ(dialog->width(), 304);
            EXPECT_EQ(text->geometry(), QRect(48, 16, 233, dialog->height() - 79));
            const QWidget *lower = buttonsOf(dialog).value(0)->parentWidget();
            EXPECT_EQ(lower->geometry(), QRect(8, dialog->height() - 56, 289, 49));
            const QPoint offset =
                dialog->frameGeometry().center() - dialog->screen()->geometry().center();
            EXPECT_LE(offset.manhattanLength(), 2);
        });
    }
}

TEST_F(MbDialogTest, ownerDestroyedWhileOpenEndsTheShowingAsClosed) {
    auto doomed = std::make_unique<QWidget>();
    testsupport::answerNextModal([&doomed](QWidget *) { doomed.reset(); });
    EXPECT_EQ(showMessage(message, doomed.get()), MessageAnswer::Closed);
    EXPECT_FALSE(doomed);
}
