#include "qt/editor/editor_window.h"

#include "core/layout/editor_layout.h"
#include "qt/qt_text.h"
#include "qt/screen_geometry.h"
#include "resources/resource_names.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct ToolbarEntry {
    const char *key; // nullptr for a separator
    const char *toolTip;
    const char *picture;
    EditorCommand command;
};

constexpr ToolbarEntry Separator{nullptr, nullptr, nullptr, EditorCommand::New};

// Three groups, New Open Save; About Help; Exit, with a gap before the first.
constexpr std::array<ToolbarEntry, 9> ToolbarEntries{{
    Separator,
    {"new", "New", Pictures::New, EditorCommand::New},
    {"open", "Open", Pictures::Open, EditorCommand::Open},
    {"save", "Save", Pictures::Save, EditorCommand::Save},
    Separator,
    {"about", "About", Pictures::About, EditorCommand::About},
    {"help", "Help", Pictures::Help, EditorCommand::Help},
    Separator,
    {"exit", "Exit", Pictures::Exit, EditorCommand::Exit},
}};

// The rows are laid out for a small dialog font: a larger desktop font would cut the texts of
// the fixed-height fields, so the window keeps to that size at most.
QFont editorFont() {
    QFont font = QApplication::font();
    if (font.pointSizeF() > EditorLayout::LargestFontPoints)
        font.setPointSizeF(EditorLayout::LargestFontPoints);
    return font;
}

// A text wider than its control grows the control away from the side it is aligned to, or on
// both sides when it is centred, so the text keeps its place and is shown whole.
void widenToContents(QWidget *control, Qt::Alignment alignment) {
    const int missing = control->sizeHint().width() - control->width();
    if (missing <= 0)
        return;
    QRect place = control->geometry();
    if (alignment & Qt::AlignRight)
        place.setLeft(place.left() - missing);
    else if (alignment & Qt::AlignHCenter)
        place.adjust(-missing / 2, 0, missing - missing / 2, 0);
    else
        place.setRight(place.right() + missing);
    control->setGeometry(place);
}

QLabel *makeLabel(QWidget *parent, const QString &caption, const TwipsRect &where,
                  Qt::Alignment alignment) {
    auto *label = new QLabel(caption, parent);
    label->setGeometry(toPixels(where));
    label->setAlignment(alignment | Qt::AlignVCenter);
    widenToContents(label, alignment);
    return label;
}

// Buttons that show the same picture share one icon, which reads and draws it once.
QPushButton *makePictureButton(QWidget *parent, const QIcon &picture, const TwipsRect &where) {
    auto *button = new QPushButton(parent);
    button->setGeometry(toPixels(where));
    button->setIcon(picture);
    button->setIconSize(QSize(16, 16));
    return button;
}

} // namespace

EditorWindow::EditorWindow(const EditorServices &services) : services_(services) {
    setWindowTitle(u"Runvoy"_s);
    setWindowIcon(QIcon(Pictures::path(Pictures::Program)));
    // A fixed single border: minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(EditorLayout::ClientWidth),
                 twipsToPixels(EditorLayout::ClientHeight));
    setFont(editorFont());

    createControls();
    nameControls();
    setTabOrder();
    // Made once every control is there: the logic shows its empty batch at once.
    logic_ = std::make_unique<EditorLogic>(*this, services_);
    forwardActions();
    nameEdit->setFocus();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::createControls() {
    createToolbar();

    rowsFrame = new QGroupBox(this);
    rowsFrame->setGeometry(toPixels(EditorLayout::RowsFrame));
    nameLabel = makeLabel(rowsFrame, u"Name:"_s, EditorLayout::NameLabel, Qt::AlignRight);
    nameEdit = new QLineEdit(rowsFrame);
    nameEdit->setGeometry(toPixels(EditorLayout::NameEdit));
    delayHeading = makeLabel(rowsFrame, u"Delay"_s, EditorLayout::DelayHeading, Qt::AlignHCenter);
    pathHeading = makeLabel(rowsFrame, u"Path"_s, EditorLayout::PathHeading, Qt::AlignHCenter);
    browseHeading =
        makeLabel(rowsFrame, u"Browse"_s, EditorLayout::BrowseHeading, Qt::AlignHCenter);
    stateHeading = makeLabel(rowsFrame, u"State"_s, EditorLayout::StateHeading, Qt::AlignHCenter);
    clearHeading = makeLabel(rowsFrame, u"-x-"_s, EditorLayout::ClearHeading, Qt::AlignHCenter);

    moveFrame = new QGroupBox(rowsFrame);
    moveFrame->setGeometry(toPixels(EditorLayout::MoveFrame));
    moveButtons[0] = makePictureButton(moveFrame, QIcon(Pictures::path(Pictures::ArrowUp)),
                                       EditorLayout::MoveUpButton);
    moveButtons[1] = makePictureButton(moveFrame, QIcon(Pictures::path(Pictures::ArrowDown)),
                                       EditorLayout::MoveDownButton);

    createRows();
}

void EditorWindow::createToolbar() {
    toolbar = new QToolBar(this);
    toolbar->setGeometry(toPixels(EditorLayout::Toolbar));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setContentsMargins(0, 0, 0, 0);
    for (const ToolbarEntry &entry : ToolbarEntries) {
        if (!entry.key) {
            toolbar->addSeparator();
            continue;
        }
        QAction *action = toolbar->addAction(QIcon(Pictures::path(entry.picture)), QString());
        action->setObjectName(QString::fromLatin1(entry.key));
        action->setToolTip(QString::fromLatin1(entry.toolTip));
        toolbar->widgetForAction(action)->setFixedSize(EditorLayout::ToolButtonWidthPixels,
                                                       EditorLayout::ToolButtonHeightPixels);
        connect(action, &QAction::triggered, this,
                [this, command = entry.command] { logic_->command(command); });
    }
}

void EditorWindow::createRows() {
    selectors = new QButtonGroup(this);
    const QIcon folder(Pictures::path(Pictures::Folder));
    const QIcon wasteBin(Pictures::path(Pictures::WasteBin));
    for (int i = 0; i < RowCount; ++i) {
        delayEdits[i] = new QLineEdit(rowsFrame);
        delayEdits[i]->setGeometry(toPixels(EditorLayout::DelayEdit(i)));
        delayEdits[i]->setAlignment(Qt::AlignHCenter);

        pathEdits[i] = new QLineEdit(rowsFrame);
        pathEdits[i]->setGeometry(toPixels(EditorLayout::PathEdit(i)));
        pathEdits[i]->setAcceptDrops(true);

        browseFileButtons[i] = new QPushButton(u"..."_s, rowsFrame);
        browseFileButtons[i]->setGeometry(toPixels(EditorLayout::BrowseFileButton(i)));
        browseFolderButtons[i] =
            makePictureButton(rowsFrame, folder, EditorLayout::BrowseFolderButton(i));

        stateCombos[i] = new QComboBox(rowsFrame);
        stateCombos[i]->setGeometry(toPixels(EditorLayout::StateCombo(i)));
        for (const std::string_view state : WindowStateNames)
            stateCombos[i]->addItem(qtText(state));
        widenToContents(stateCombos[i], Qt::AlignHCenter);

        clearButtons[i] = makePictureButton(rowsFrame, wasteBin, EditorLayout::ClearButton(i));

        rowSelectors[i] = new QRadioButton(u"Option1"_s, moveFrame);
        rowSelectors[i]->setGeometry(toPixels(EditorLayout::RowSelector(i)));
        selectors->addButton(rowSelectors[i], i);
    }
}

// Every control is known by its role, which is how tests and accessibility tools find it.
void EditorWindow::nameControls() {
    const std::initializer_list<std::pair<QObject *, QString>> single{
        {toolbar, u"toolbar"_s},
        {rowsFrame, u"rowsFrame"_s},
        {nameLabel, u"nameLabel"_s},
        {nameEdit, u"nameEdit"_s},
        {delayHeading, u"delayHeading"_s},
        {pathHeading, u"pathHeading"_s},
        {browseHeading, u"browseHeading"_s},
        {stateHeading, u"stateHeading"_s},
        {clearHeading, u"clearHeading"_s},
        {moveFrame, u"moveFrame"_s},
        {moveButtons[0], u"moveUpButton"_s},
        {moveButtons[1], u"moveDownButton"_s},
    };
    for (const auto &[control, name] : single)
        control->setObjectName(name);
    for (int i = 0; i < RowCount; ++i) {
        delayEdits[i]->setObjectName(u"delayEdit%1"_s.arg(i));
        pathEdits[i]->setObjectName(u"pathEdit%1"_s.arg(i));
        browseFileButtons[i]->setObjectName(u"browseFileButton%1"_s.arg(i));
        browseFolderButtons[i]->setObjectName(u"browseFolderButton%1"_s.arg(i));
        stateCombos[i]->setObjectName(u"stateCombo%1"_s.arg(i));
        clearButtons[i]->setObjectName(u"clearButton%1"_s.arg(i));
        rowSelectors[i]->setObjectName(u"rowSelector%1"_s.arg(i));
        // The caption is the same for every row; the name says which row each one selects.
        rowSelectors[i]->setAccessibleName(u"Select row %1"_s.arg(i + 1));
    }
}

void EditorWindow::setTabOrder() {
    QWidget *previous = nameEdit;
    auto chain = [&previous](QWidget *next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 0; i < RowCount; ++i) {
        chain(delayEdits[i]);
        chain(pathEdits[i]);
        chain(browseFileButtons[i]);
        chain(browseFolderButtons[i]);
        chain(stateCombos[i]);
        chain(clearButtons[i]);
    }
    chain(moveButtons[0]);
    chain(moveButtons[1]);
    for (QRadioButton *selector : rowSelectors)
        chain(selector);
}

// Only the user's own edits are forwarded: textEdited and activated come from the user alone, so
// what the logic shows does not come back to it.
void EditorWindow::forwardActions() {
    nameEdit->installEventFilter(this);
    connect(nameEdit, &QLineEdit::textEdited, this,
            [this](const QString &text) { logic_->nameEdited(coreText(text)); });
    for (int i = 0; i < RowCount; ++i) {
        for (QWidget *control : std::initializer_list<QWidget *>{
                 delayEdits[i], pathEdits[i], browseFileButtons[i], browseFolderButtons[i],
                 stateCombos[i], clearButtons[i]})
            control->installEventFilter(this);
        connect(pathEdits[i], &QLineEdit::textEdited, this,
                [this, i](const QString &text) { logic_->pathEdited(i, coreText(text)); });
        connect(delayEdits[i], &QLineEdit::textEdited, this,
                [this, i](const QString &text) { logic_->delayEdited(i, coreText(text)); });
        connect(stateCombos[i], &QComboBox::activated, this,
                [this, i](int index) { logic_->stateChosen(i, WindowState(index)); });
        connect(clearButtons[i], &QPushButton::clicked, this,
                [this, i] { logic_->clearClicked(i); });
        connect(browseFileButtons[i], &QPushButton::clicked, this,
                [this, i] { logic_->browseFileClicked(i); });
        connect(browseFolderButtons[i], &QPushButton::clicked, this,
                [this, i] { logic_->browseFolderClicked(i); });
        connect(rowSelectors[i], &QRadioButton::clicked, this,
                [this, i] { logic_->rowFocused(i); });
    }
    connect(moveButtons[0], &QPushButton::clicked, this,
            [this] { logic_->moveClicked(MoveDirection::Up); });
    connect(moveButtons[1], &QPushButton::clicked, this,
            [this] { logic_->moveClicked(MoveDirection::Down); });
}

// The row whose path, delay, browse buttons, state list or clear button control is; -1 for any
// other control.
int EditorWindow::rowOf(const QObject *control) const {
    for (int i = 0; i < RowCount; ++i) {
        for (const QObject *own : std::initializer_list<const QObject *>{
                 delayEdits[i], pathEdits[i], browseFileButtons[i], browseFolderButtons[i],
                 stateCombos[i], clearButtons[i]}) {
            if (control == own)
                return i;
        }
    }
    return -1;
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event) {
    const int row = rowOf(watched);
    if (event->type() == QEvent::FocusIn) {
        if (watched == nameEdit)
            logic_->nameFocused();
        else if (row >= 0)
            logic_->rowFocused(row);
        return false;
    }
    if (row >= 0 && watched == pathEdits[row])
        return dropOnPath(row, event);
    return QWidget::eventFilter(watched, event);
}
