#include "qt/msgbox/message_box_dialog.h"

#include "core/layout/message_box_geometry.h"
#include "core/layout/message_box_layout.h"
#include "qt/qt_text.h"
#include "qt/screen_geometry.h"
#include "qt/window_frame/window_frame.h"
#include "resources/resource_names.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWindow>
#include <QtMath>

using namespace Qt::StringLiterals;

namespace {

constexpr Qt::WindowFlags BoxFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

QGroupBox *makePanel(QWidget *parent, const TwipsRect &place, const QString &name) {
    auto *panel = new QGroupBox(parent);
    panel->setObjectName(name);
    panel->setGeometry(toPixels(place));
    return panel;
}

// Drawn from the vector picture at the screen's pixel ratio, so the icon stays sharp when scaled.
QPixmap notePicture(const QSize &size, qreal ratio) {
    QPixmap picture(size * ratio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(Pictures::path(Pictures::Note));
    QPainter painter(&picture);
    renderer.render(&painter);
    painter.end();
    picture.setDevicePixelRatio(ratio);
    return picture;
}

void addNoteIcon(QWidget *panel) {
    auto *icon = new QLabel(panel);
    icon->setObjectName(u"noteIcon"_s);
    icon->setGeometry(toPixels(MessageBoxGeometry::NoteIcon));
    icon->setPixmap(notePicture(icon->size(), panel->devicePixelRatioF()));
}

// Read-only and skipped by Tab, but still clickable so that the text can be selected and copied.
QPlainTextEdit *addPromptArea(QWidget *panel, const QString &prompt) {
    auto *text = new QPlainTextEdit(panel);
    text->setObjectName(u"promptText"_s);
    text->setGeometry(toPixels(MessageBoxGeometry::PromptArea));
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::ClickFocus);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    text->setPalette(palette);
    text->setPlainText(prompt);
    return text;
}

// The prompt area's height that shows the whole text, wrapped as the area wraps it when it needs
// no scroll bar: lines laid out as the area lays them out, its margins, and the pixel that the
// area keeps clear below its last line.
int heightToShowWhole(QPlainTextEdit &text) {
    text.ensurePolished();
    const QTextDocument &document = *text.document();
    const qreal margin = document.documentMargin();
    const int frame = text.frameWidth();
    const qreal lineWidth = text.width() - 2 * frame - 2 * margin;
    qreal linesHeight = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextLayout layout(block.text(), document.defaultFont());
        layout.setTextOption(document.defaultTextOption());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(lineWidth);
            linesHeight += line.height();
        }
        layout.endLayout();
    }
    return qCeil(linesHeight + 2 * margin) + 1 + 2 * frame;
}

} // namespace

MessageBoxDialog::MessageBoxDialog(const Message &message, QWidget *owner)
    : QDialog(owner, BoxFlags) {
    setFixedSize(toPixels(MessageBoxGeometry::InnerWidth, MessageBoxGeometry::InnerHeight));
    setWindowTitle(u" "_s + qtText(message.title));

    QGroupBox *upper = makePanel(this, MessageBoxGeometry::UpperPanel, u"upperPanel"_s);
    addNoteIcon(upper);
    QPlainTextEdit *text = addPromptArea(upper, qtText(message.prompt));

    QGroupBox *lower = makePanel(this, MessageBoxGeometry::LowerPanel, u"lowerPanel"_s);
    const std::vector<MessageBoxButton> layout = messageBoxButtonLayout(message.buttons);
    for (std::size_t index = 0; index < layout.size(); ++index) {
        const MessageBoxButton &planned = layout[index];
        auto *button = new QPushButton(qtText(planned.caption), lower);
        button->setObjectName(u"button%1"_s.arg(index));
        button->setGeometry(toPixels({planned.left, MessageBoxGeometry::ButtonTop, planned.width,
                                      MessageBoxGeometry::ButtonHeight}));
        const MessageAnswer answer = planned.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] { done(int(answer)); });
        if (index == 0)
            button->setFocus();
    }

    // Grown to show the whole prompt as far as the screen has room, frame included, and centred
    // on the screen rather than over the owner, which may never have been shown. The window
    // manager is asked for the frame before the box is shown.
    create();
    const QMargins frame = platform::frameMarginsBeforeShowing(*windowHandle());
    QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const MessageBoxHeights heights =
        messageBoxHeights(heightToShowWhole(*text),
                          screen->availableGeometry().height() - frame.top() - frame.bottom());
    setFixedSize(width(), heights.box);
    upper->resize(upper->width(), heights.upperPanel);
    text->resize(text->width(), heights.promptArea);
    lower->move(lower->x(), heights.lowerPanelTop);

    const QPoint corner = centredOn(screen->geometry(), size().grownBy(frame));
    setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
}
