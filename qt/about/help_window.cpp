#include "qt/about/help_window.h"

#include "qt/about/help_document.h"
#include "qt/screen_geometry.h"
#include "qt/window_frame/window_frame.h"
#include "resources/resource_names.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize StartingSize = toPixels(9600, 9000);

const QString FallbackTitle = u"Runvoy Help"_s;

} // namespace

HelpWindow::HelpWindow(QWidget *owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(FallbackTitle);
    setWindowIcon(QIcon(Pictures::path(Pictures::Program)));
    // A screen with little room, such as one scaled to 200%, gets a smaller window rather than
    // one whose bottom and scroll arrow lie off the screen.
    create();
    const QMargins frame = platform::frameMarginsBeforeShowing(*windowHandle());
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    resize(screen ? StartingSize.boundedTo(screen->availableGeometry().size().shrunkBy(frame))
                  : StartingSize);

    Problem = new QLabel(this);
    Problem->setTextFormat(Qt::PlainText);
    Problem->setWordWrap(true);
    Problem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Problem->hide();

    Contents = new QTextBrowser(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Problem);
    layout->addWidget(Contents);
}

void HelpWindow::showContents(const QString &helpFile) {
    const HelpDocument document = readHelpDocument(helpFile);
    const bool readable = document.problem.isEmpty();
    Problem->setText(document.problem);
    Problem->setVisible(!readable);
    Contents->setVisible(readable);
    if (readable) {
        // Pictures and pages the document names are found beside it.
        Contents->setSearchPaths({QFileInfo(helpFile).absolutePath()});
        // A fresh document starts at its top, wherever the reader had scrolled before.
        Contents->setHtml(document.html);
    } else {
        Contents->clear();
    }
    const QString title = readable ? Contents->documentTitle() : QString();
    setWindowTitle(title.isEmpty() ? FallbackTitle : title);

    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
