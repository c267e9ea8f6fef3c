#include "qt/editor/editor_window.h"

#include "qt/editor/editor_layout.h"
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
#include <QShowEvent>
#include <QToolBar>
#include <QToolButton>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct ToolbarEntry {
    const char *key; // nullptr for a separator
    const char *toolTip;
    const char *picture;
};

// Three groups, New Open Save; About Help; Exit, with a gap before the first.
constexpr std::array<ToolbarEntry, 9> ToolbarEntries{{
    {nullptr, nullptr, nullptr},
    {"new", "New", Pictures::New},
    {"open", "Open", Pictures::Open},
    {"save", "Save", Pictures::Save},
    {nullptr, nullptr, nullptr},
    {"about", "About", Pictures::About},
    {"help", "Help", Pictures::Help},
    {nullptr, nullptr, nullptr},
    {"exit", "Exit", Pictures::Exit},
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
    connectRules();
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
    for (int k = 0; k < 2; ++k)
        connect(moveButtons[k], &QPushButton::clicked, this, [this, k] { moveSelectedRow(k); });

    createRows();
}

void EditorWindow::createToolbar() {
    toolbar = new QToolBar(this);
    toolbar->setGeometry(toPixels(EditorLayout::Toolbar));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setContentsMargins(0, 0, 0, 0);
    int picture = 0;
    for (const ToolbarEntry &entry : ToolbarEntries) {
        if (!entry.key) {
            toolbar->addSeparator();
            continue;
        }
        toolbarIcons[picture] = QIcon(Pictures::path(entry.picture));
        QAction *action = toolbar->addAction(toolbarIcons[picture], QString());
        ++picture;
        const QString key = QString::fromLatin1(entry.key);
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(entry.toolTip));
        toolbar->widgetForAction(action)->setFixedSize(EditorLayout::ToolButtonWidthPixels,
                                                       EditorLayout::ToolButtonHeightPixels);
        connect(action, &QAction::triggered, this, [this, key] { runToolbarCommand(key); });
    }
}

void EditorWindow::createRows() {
    selectors_ = new QButtonGroup(this);
    const QIcon folder(Pictures::path(Pictures::Folder));
    const QIcon wasteBin(Pictures::path(Pictures::WasteBin));
    for (int i = 0; i < RowCount; ++i) {
        delayEdits[i] = new QLineEdit(u"0"_s, rowsFrame);
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
        stateCombos[i]->addItems(windowStateNames());
        stateCombos[i]->setCurrentIndex(-1);
        widenToContents(stateCombos[i], Qt::AlignHCenter);

        clearButtons[i] = makePictureButton(rowsFrame, wasteBin, EditorLayout::ClearButton(i));

        rowSelectors[i] = new QRadioButton(u"Option1"_s, moveFrame);
        rowSelectors[i]->setGeometry(toPixels(EditorLayout::RowSelector(i)));
        selectors_->addButton(rowSelectors[i], i);

        connect(clearButtons[i], &QPushButton::clicked, this, [this, i] { clearRow(i); });
        connect(browseFileButtons[i], &QPushButton::clicked, this,
                [this, i] { browseFileForRow(i); });
        connect(browseFolderButtons[i], &QPushButton::clicked, this,
                [this, i] { browseFolderForRow(i); });
        connect(rowSelectors[i], &QRadioButton::clicked, this,
                [this, i] { selectedRow = qint16(i); });
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

void EditorWindow::connectRules() {
    nameEdit->installEventFilter(this);
    connect(nameEdit, &QLineEdit::textChanged, this, [this] {
        markChanged();
        removeFullStopFromName();
    });
    for (int i = 0; i < RowCount; ++i) {
        for (QWidget *control : std::initializer_list<QWidget *>{
                 delayEdits[i], pathEdits[i], browseFileButtons[i], browseFolderButtons[i],
                 stateCombos[i], clearButtons[i]})
            control->installEventFilter(this);
        connect(pathEdits[i], &QLineEdit::textChanged, this, &EditorWindow::markChanged);
        connect(delayEdits[i], &QLineEdit::textChanged, this, &EditorWindow::markChanged);
        // Only the user picks: activated comes from the user alone, and comparing with the
        // entry shown when the pick began leaves out picking the entry already shown.
        connect(stateCombos[i], &QComboBox::activated, this, [this, i](int index) {
            if (index != stateBeforePick_[i])
                markChanged();
        });
    }
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::Wheel || type == QEvent::MouseButtonPress) {
        // Every pick in a state list begins with one of these on the list itself.
        for (int i = 0; i < RowCount; ++i) {
            if (watched == stateCombos[i])
                stateBeforePick_[i] = stateCombos[i]->currentIndex();
        }
        return false;
    }
    if (type == QEvent::FocusIn) {
        if (watched == nameEdit) {
            clearSelection();
            return false;
        }
        for (int i = 0; i < RowCount; ++i) {
            if (watched == delayEdits[i] || watched == pathEdits[i] ||
                watched == browseFileButtons[i] || watched == browseFolderButtons[i] ||
                watched == stateCombos[i] || watched == clearButtons[i]) {
                selectRow(i);
                return false;
            }
        }
    }
    for (int i = 0; i < RowCount; ++i) {
        if (watched == pathEdits[i])
            return dropOnPath(i, event);
    }
    return QWidget::eventFilter(watched, event);
}

// A row's control taking the focus makes its row the selected one.
void EditorWindow::selectRow(int row) {
    selectedRow = qint16(row);
    rowSelectors[row]->setChecked(true);
}

// The name field taking the focus leaves no row selected.
void EditorWindow::clearSelection() {
    if (selectedRow == -1)
        return;
    selectors_->setExclusive(false);
    rowSelectors[selectedRow]->setChecked(false);
    selectors_->setExclusive(true);
    selectedRow = -1;
    nameEdit->setFocus();
}

void EditorWindow::markChanged() {
    if (!loading)
        setBatchChanged(true);
}

// The title shows no mark of the flag, so it is set as an attribute: Qt then looks for no
// placeholder in the title to show it with.
void EditorWindow::setBatchChanged(bool changed) {
    setAttribute(Qt::WA_WindowModified, changed);
}

// The program's own choice of a state, which is no edit by itself.
void EditorWindow::selectState(int row, int index) {
    stateCombos[row]->setCurrentIndex(index);
}

// The name field takes the focus as the window opens, which clears the selection. A desktop that
// opens the window without giving it the focus must not leave row 0 selected behind the user's
// back, where an arrow button would move it.
void EditorWindow::showEvent(QShowEvent *event) {
    if (!event->spontaneous() && !opened_) {
        opened_ = true;
        clearSelection();
    }
    QWidget::showEvent(event);
}

void EditorWindow::closeEvent(QCloseEvent *event) {
    bool cancel = false;
    confirmClose(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}

int EditorWindow::Message(const QString &prompt, const QString &buttons, const QString &title) {
    messageBox.prompt = prompt;
    messageBox.buttons = buttons;
    messageBox.title = title;
    messageBox.show(this);
    return messageBox.response;
}
