#include "about/context_ids.h"
#include "document/output_folder.h"
#include "document/program_error.h"
#include "editor/form1.h"
#include "platform/path_separator.h"
#include "platform/twips.h"
#include "platform/window_frame.h"
#include "runner/command_line.h"
#include "runner/placement.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

const QString TopKey = u"Settings/Top"_s;
const QString LeftKey = u"Settings/Left"_s;

// Runs one step of start-up: a failure is reported and start-up goes on with the next step.
template <typename Step> void runStep(Form1 &form, Step step) {
    try {
        step();
    } catch (const ProgramError &failure) {
        form.Message(failure.description(), u"OK"_s, u"Message"_s);
    }
}

} // namespace

void Form1::Form_Load() {
    runStep(*this, [this] { ContextIDs::InitHelp(this, services_.programFolder); });
    // Made now, while hidden, so that the window manager can tell the frame it will draw: the
    // stored position is the frame's corner, and centring goes by the outer size.
    create();
    const QMargins frame = platform::frameMarginsBeforeShowing(*windowHandle());
    const QSize outer = size().grownBy(frame);
    const QRect screenArea = screen()->geometry();
    QPoint corner = frameGeometry().topLeft();
    const auto placeCorner = [this, frame, &corner] {
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
    };
    runStep(*this, [this, screenArea, outer, &corner, placeCorner] {
        const int fallback = centredPosition(screenArea.height() * double(TwipsPerPixel),
                                             outer.height() * double(TwipsPerPixel));
        const QString stored =
            services_.settings->value(TopKey, QString::number(fallback)).toString();
        corner.setY(twipsToPixels(storedCoordinate(stored)));
        placeCorner();
    });
    runStep(*this, [this, screenArea, outer, &corner, placeCorner] {
        const int fallback = centredPosition(screenArea.width() * double(TwipsPerPixel),
                                             outer.width() * double(TwipsPerPixel));
        const QString stored =
            services_.settings->value(LeftKey, QString::number(fallback)).toString();
        corner.setX(twipsToPixels(storedCoordinate(stored)));
        placeCorner();
    });
    runStep(*this, [this] { settleOutputFolder(); });
    for (int i = 0; i < RowCount; ++i)
        runStep(*this, [this, i] { selectState(i, 0); });

    const QString arguments = GetArguments();
    if (arguments.isEmpty())
        return;
    runStep(*this, [this, &arguments] {
        const Command command = parseCommand(arguments);
        if (command.kind == Command::Run)
            RunBatch(command.path);
        else if (command.kind == Command::Edit)
            LoadBatch(command.path);
    });
}

QString Form1::GetArguments() {
    return stripLeadingBlanks(services_.rawArguments);
}

// Batches are saved on the desktop, or in an Output folder of their own when there is none.
void Form1::settleOutputFolder() {
    const QChar separator = platform::PathSeparator;
    if (!services_.desktopFolder.isEmpty()) {
        OutputFolder = services_.desktopFolder + separator;
        return;
    }
    const QString folder = outputFolderWithoutDesktop(services_.programFolder);
    OutputFolder = folder + separator;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink())
        return;
    if (!QDir().mkpath(folder))
        throw ProgramError::openFailure(folder, true);
}

void Form1::Form_Unload() {
    ContextIDs::QuitHelp();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        const QRect frame = frameGeometry();
        services_.settings->setValue(TopKey, QString::number(frame.y() * TwipsPerPixel));
        services_.settings->setValue(LeftKey, QString::number(frame.x() * TwipsPerPixel));
        services_.settings->sync();
    }
    unloaded_ = true;
    emit unloaded();
}
