#include "msgbox/mb_dialog.h"

#include "msgbox/mb.h"
#include "msgbox/mb_geometry.h"
#include "platform/window_frame.h"
#include "resources/resource_names.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QWindow>

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
    icon->setObjectName(u"Image1"_s);
    icon->setGeometry(toPixels(MbGeometry::NoteIcon));
    icon->setPixmap(notePicture(icon->size(), panel->devicePixelRatioF()));
}

// Read-only and skipped by Tab, but still clickable so that the text can be selected and copied.
void addPromptArea(QWidget *panel, const QString &prompt) {
    auto *text = new QPlainTextEdit(panel);
    text->setObjectName(u"Text1"_s);
    text->setGeometry(toPixels(MbGeometry::PromptArea));
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::ClickFocus);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    text->setPalette(palette);
    text->setPlainText(prompt);
}

} // namespace

MbDialog::MbDialog(const QString &prompt, const QString &buttons, const QString &title,
                   QWidget *owner)
    : QDialog(owner, BoxFlags) {
    setFixedSize(MbGeometry::innerSize());
    setWindowTitle(u" "_s + title);

    QGroupBox *upper = makePanel(this, MbGeometry::UpperPanel, u"Frame1_0"_s);
    addNoteIcon(upper);
    addPromptArea(upper, prompt);

    QGroupBox *lower = makePanel(this, MbGeometry::LowerPanel, u"Frame1_1"_s);
    const std::vector<MbButton> layout = mbButtonLayout(buttons);
    for (std::size_t index = 0; index < layout.size(); ++index) {
        const MbButton &planned = layout[index];
        auto *button = new QPushButton(planned.caption, lower);
        button->setObjectName(u"Command1_%1"_s.arg(index));
        button->setGeometry(toPixels(
            {planned.left, MbGeometry::ButtonTop, planned.width, MbGeometry::ButtonHeight}));
        connect(button, &QPushButton::clicked, this, [this, index] { done(int(index) + 1); });
        if (index == 0)
            button->setFocus();
    }

    // Centred on the screen rather than over the owner, which may never have been shown, and
    // with the window frame counted: the window manager is asked for it before the box is shown.
    create();
    const QMargins frame = platform::frameMarginsBeforeShowing(*windowHandle());
    if (QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QPoint corner =
            MbGeometry::centredPosition(screen->geometry(), size().grownBy(frame));
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
    }
}
