#include "qt/about/about_box.h"

#include "qt/about/version.h"
#include "qt/screen_geometry.h"
#include "resources/resource_names.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QWindow>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize InnerArea = toPixels(4875, 3165);
constexpr TwipsRect PanelArea{0, 0, 4815, 3135};
constexpr TwipsRect ProgramNameArea{120, 120, 4455, 495};
constexpr TwipsRect VersionArea{240, 720, 4335, 375};
constexpr TwipsRect LogoArea{840, 1440, 3045, 840};
constexpr TwipsRect CloseButtonArea{3720, 2640, 975, 375};

const QColor PanelGrey(224, 224, 224);
const QColor NameRed(255, 0, 0);

// The layout was drawn for "MS Sans Serif"; where that family is missing the style hint lets
// Qt fall back to the platform's sans-serif at the same sizes.
QFont sansSerif(int pointSize, bool italic) {
    QFont font(u"MS Sans Serif"_s, pointSize, QFont::Bold, italic);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QLabel *centredLabel(QWidget *panel, const QString &text, const TwipsRect &area,
                     const QFont &font) {
    auto *label = new QLabel(text, panel);
    label->setGeometry(toPixels(area));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(font);
    // The layout was drawn for a font with shallower descenders: the label takes the height its
    // font needs, so that no letter loses its tail.
    label->resize(label->width(), std::max(label->height(), label->sizeHint().height()));
    return label;
}

// Renders the picture to fill size exactly, whatever its own proportions, sharp at the
// screen's pixel ratio.
QPixmap stretchedPicture(const QString &path, const QSize &size, qreal pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    painter.end();
    image.setDevicePixelRatio(pixelRatio);
    return QPixmap::fromImage(image);
}

} // namespace

QString versionText(int major, int minor, int revision) {
    return u"Version %1.%2.%3"_s.arg(major).arg(minor).arg(revision);
}

AboutBox::AboutBox(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(u"About Runvoy"_s);
    setWindowIcon(QIcon(Pictures::path(Pictures::Program)));
    setFixedSize(InnerArea);

    panel = new QWidget(this);
    panel->setGeometry(toPixels(PanelArea));
    panel->setAutoFillBackground(true);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, PanelGrey);
    panel->setPalette(panelPalette);

    programNameLabel = centredLabel(panel, u"Runvoy"_s, ProgramNameArea, sansSerif(24, true));
    QPalette namePalette = programNameLabel->palette();
    namePalette.setColor(QPalette::WindowText, NameRed);
    programNameLabel->setPalette(namePalette);

    versionLabel = centredLabel(
        panel, versionText(RunvoyVersionMajor, RunvoyVersionMinor, RunvoyVersionRevision),
        VersionArea, sansSerif(12, false));

    logo = new QLabel(panel);
    logo->setGeometry(toPixels(LogoArea));
    logo->setPixmap(
        stretchedPicture(Pictures::path(Pictures::Logo), logo->size(), devicePixelRatioF()));

    closeButton = new QPushButton(u"&Close"_s, panel);
    closeButton->setGeometry(toPixels(CloseButtonArea));
    closeButton->setDefault(true);
    closeButton->setFocus();
    panel->setObjectName(u"panel"_s);
    programNameLabel->setObjectName(u"programNameLabel"_s);
    versionLabel->setObjectName(u"versionLabel"_s);
    logo->setObjectName(u"logo"_s);
    closeButton->setObjectName(u"closeButton"_s);
    // Esc already closes a dialog; Enter reaches closeButton as the default button.
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    // The box's own frame is unknown until it is first shown; the owner's, drawn by the same
    // window manager, is the best guess of it.
    const QWindow *ownerWindow = owner ? owner->window()->windowHandle() : nullptr;
    const QMargins frame = ownerWindow ? ownerWindow->frameMargins() : QMargins();
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    move(centredOn(screen->geometry(), size().grownBy(frame)));
}
