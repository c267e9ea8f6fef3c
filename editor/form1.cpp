#include "editor/form1.h"

#include "editor/editor_layout.h"
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

Form1::Form1(const Form1Services &services) : services_(services) {
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
    setTabOrder();
    connectRules();
    Text1->setFocus();
}

Form1::~Form1() = default;

void Form1::createControls() {
    createToolbar();

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(toPixels(EditorLayout::Frame1));
    Label1 = makeLabel(Frame1, u"Name:"_s, EditorLayout::Label1, Qt::AlignRight);
    Text1 = new QLineEdit(Frame1);
    Text1->setGeometry(toPixels(EditorLayout::Text1));
    Label4 = makeLabel(Frame1, u"Delay"_s, EditorLayout::Label4, Qt::AlignHCenter);
    Label3 = makeLabel(Frame1, u"Path"_s, EditorLayout::Label3, Qt::AlignHCenter);
    Label7 = makeLabel(Frame1, u"Browse"_s, EditorLayout::Label7, Qt::AlignHCenter);
    Label5 = makeLabel(Frame1, u"State"_s, EditorLayout::Label5, Qt::AlignHCenter);
    Label2 = makeLabel(Frame1, u"-x-"_s, EditorLayout::Label2, Qt::AlignHCenter);

    Frame2 = new QGroupBox(Frame1);
    Frame2->setGeometry(toPixels(EditorLayout::Frame2));
    Command4[0] = makePictureButton(Frame2, QIcon(Pictures::path(Pictures::ArrowUp)),
                                    EditorLayout::Command4Up);
    Command4[1] = makePictureButton(Frame2, QIcon(Pictures::path(Pictures::ArrowDown)),
                                    EditorLayout::Command4Down);
    for (int k = 0; k < 2; ++k)
        connect(Command4[k], &QPushButton::clicked, this, [this, k] { Command4_Click(k); });

    createRows();
}

void Form1::createToolbar() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setGeometry(toPixels(EditorLayout::Toolbar1));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(32, 32));
    Toolbar1->setContentsMargins(0, 0, 0, 0);
    int picture = 0;
    for (const ToolbarEntry &entry : ToolbarEntries) {
        if (!entry.key) {
            Toolbar1->addSeparator();
            continue;
        }
        ImageList1[picture] = QIcon(Pictures::path(entry.picture));
        QAction *action = Toolbar1->addAction(ImageList1[picture], QString());
        ++picture;
        const QString key = QString::fromLatin1(entry.key);
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(entry.toolTip));
        Toolbar1->widgetForAction(action)->setFixedSize(EditorLayout::ToolButtonWidthPixels,
                                                        EditorLayout::ToolButtonHeightPixels);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

void Form1::createRows() {
    selectors_ = new QButtonGroup(this);
    const QIcon folder(Pictures::path(Pictures::Folder));
    const QIcon wasteBin(Pictures::path(Pictures::WasteBin));
    for (int i = 0; i < RowCount; ++i) {
        Text3[i] = new QLineEdit(u"0"_s, Frame1);
        Text3[i]->setGeometry(toPixels(EditorLayout::Text3(i)));
        Text3[i]->setAlignment(Qt::AlignHCenter);

        Text2[i] = new QLineEdit(Frame1);
        Text2[i]->setGeometry(toPixels(EditorLayout::Text2(i)));
        Text2[i]->setAcceptDrops(true);

        Command2[i] = new QPushButton(u"..."_s, Frame1);
        Command2[i]->setGeometry(toPixels(EditorLayout::Command2(i)));
        Command3[i] = makePictureButton(Frame1, folder, EditorLayout::Command3(i));

        Combo1[i] = new QComboBox(Frame1);
        Combo1[i]->setGeometry(toPixels(EditorLayout::Combo1(i)));
        Combo1[i]->addItems(windowStateNames());
        Combo1[i]->setCurrentIndex(-1);
        widenToContents(Combo1[i], Qt::AlignHCenter);

        Command1[i] = makePictureButton(Frame1, wasteBin, EditorLayout::Command1(i));

        Option1[i] = new QRadioButton(u"Option1"_s, Frame2);
        Option1[i]->setGeometry(toPixels(EditorLayout::Option1(i)));
        selectors_->addButton(Option1[i], i);

        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        connect(Command3[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { CurrentRow = qint16(i); });
    }
}

void Form1::setTabOrder() {
    QWidget *previous = Text1;
    auto chain = [&previous](QWidget *next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 0; i < RowCount; ++i) {
        chain(Text3[i]);
        chain(Text2[i]);
        chain(Command2[i]);
        chain(Command3[i]);
        chain(Combo1[i]);
        chain(Command1[i]);
    }
    chain(Command4[0]);
    chain(Command4[1]);
    for (QRadioButton *selector : Option1)
        chain(selector);
}

void Form1::connectRules() {
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textChanged, this, [this] {
        markChanged();
        Text1_Change();
    });
    for (int i = 0; i < RowCount; ++i) {
        for (QWidget *control : std::initializer_list<QWidget *>{
                 Text3[i], Text2[i], Command2[i], Command3[i], Combo1[i], Command1[i]})
            control->installEventFilter(this);
        connect(Text2[i], &QLineEdit::textChanged, this, &Form1::markChanged);
        connect(Text3[i], &QLineEdit::textChanged, this, &Form1::markChanged);
        // Only the user picks: activated comes from the user alone, and comparing with the
        // entry shown when the pick began leaves out picking the entry already shown.
        connect(Combo1[i], &QComboBox::activated, this, [this, i](int index) {
            if (index != stateBeforePick_[i])
                markChanged();
        });
    }
}

bool Form1::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::Wheel || type == QEvent::MouseButtonPress) {
        // Every pick in a state list begins with one of these on the list itself.
        for (int i = 0; i < RowCount; ++i) {
            if (watched == Combo1[i])
                stateBeforePick_[i] = Combo1[i]->currentIndex();
        }
        return false;
    }
    if (type == QEvent::FocusIn) {
        if (watched == Text1) {
            clearSelection();
            return false;
        }
        for (int i = 0; i < RowCount; ++i) {
            if (watched == Text3[i] || watched == Text2[i] || watched == Command2[i] ||
                watched == Command3[i] || watched == Combo1[i] || watched == Command1[i]) {
                selectRow(i);
                return false;
            }
        }
    }
    for (int i = 0; i < RowCount; ++i) {
        if (watched == Text2[i])
            return dropOnPath(i, event);
    }
    return QWidget::eventFilter(watched, event);
}

// A row's control taking the focus makes its row the selected one.
void Form1::selectRow(int row) {
    CurrentRow = qint16(row);
    Option1[row]->setChecked(true);
}

// The name field taking the focus leaves no row selected.
void Form1::clearSelection() {
    if (CurrentRow == -1)
        return;
    selectors_->setExclusive(false);
    Option1[CurrentRow]->setChecked(false);
    selectors_->setExclusive(true);
    CurrentRow = -1;
    Text1->setFocus();
}

void Form1::markChanged() {
    if (!Loading)
        DocChanged = true;
}

// The program's own choice of a state, which is no edit by itself.
void Form1::selectState(int row, int index) {
    Combo1[row]->setCurrentIndex(index);
}

// The name field takes the focus as the window opens, which clears the selection. A desktop that
// opens the window without giving it the focus must not leave row 0 selected behind the user's
// back, where an arrow button would move it.
void Form1::showEvent(QShowEvent *event) {
    if (!event->spontaneous() && !opened_) {
        opened_ = true;
        clearSelection();
    }
    QWidget::showEvent(event);
}

void Form1::closeEvent(QCloseEvent *event) {
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

int Form1::Message(const QString &prompt, const QString &buttons, const QString &title) {
    mb.mbPrompt = prompt;
    mb.mbButtons = buttons;
    mb.mbTitle = title;
    mb.Show(this);
    return mb.mbResponse;
}
