#include "tests/editor/editor_fixture.h"
#include "tests/support/modal.h"
#include "tests/support/printers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using testsupport::selectedRow;
using testsupport::ui;

namespace {

int checkedSelector(const EditorWindow &form) {
    const testsupport::EditorControls controls = ui(form);
    for (int i = 0; i < MaxBatchItems; ++i)
        if (controls.rowSelectors[i]->isChecked())
            return i;
    return -1;
}

void click(QWidget *control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

// The editor as the user first sees it: started without arguments, shown and active.
class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override { fixture.openEditor(); }
    EditorWindow &form() { return *fixture.form; }
    testsupport::EditorFixture fixture;
};

TEST_F(EditorWindowTest, controlsSitAtTheirPlacesAtFifteenTwipsAPixel) {
    EditorWindow &f = form();
    // Found by their role names, which every control carries.
    const struct {
        QString name;
        QRect place;
    } cases[] = {
        {u"toolbar"_s, {0, 0, 576, 44}},
        {u"rowsFrame"_s, {8, 40, 561, 193}},
        {u"nameEdit"_s, {56, 24, 257, 19}},
        {u"delayEdit0"_s, {16, 64, 33, 19}},
        {u"pathEdit2"_s, {56, 112, 257, 19}},
        {u"browseFileButton4"_s, {320, 160, 25, 17}},
        {u"browseFolderButton1"_s, {352, 88, 25, 17}},
        {u"clearButton0"_s, {488, 64, 25, 17}},
        {u"moveFrame"_s, {520, 8, 33, 177}},
        {u"moveDownButton"_s, {8, 29, 17, 17}},
        {u"rowSelector4"_s, {8, 152, 17, 17}},
    };
    for (const auto &c : cases) {
        const auto *control = f.findChild<QWidget *>(c.name);
        ASSERT_TRUE(control) << c.name.toStdString();
        EXPECT_EQ(control->geometry(), c.place) << c.name.toStdString();
    }
    // Selectors and lists on the line of their row; each selector says which row it selects.
    const testsupport::EditorControls controls = ui(f);
    for (int i = 0; i < MaxBatchItems; ++i) {
        EXPECT_EQ(controls.rowSelectors[i]->mapTo(controls.rowsFrame, QPoint()).y(),
                  controls.pathEdits[i]->y());
        EXPECT_EQ(controls.stateCombos[i]->y(), controls.pathEdits[i]->y());
        EXPECT_EQ(controls.rowSelectors[i]->text(), u"Option1"_s);
        EXPECT_EQ(controls.rowSelectors[i]->accessibleName(), u"Select row %1"_s.arg(i + 1));
    }
    EXPECT_EQ(f.size(), QSize(576, 239));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_EQ(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                 Qt::WindowCloseButtonHint),
              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

// The layout was measured for a small font: larger desktop fonts must neither cut the
// captions, nor the states, nor the texts of the fixed-height fields.
TEST(EditorFonts, captionsStatesAndFieldTextsShowWholeAtAnyDesktopFont) {
    const QFont desktop = QApplication::font();
    for (const qreal points : {desktop.pointSizeF(), 14.0}) {
        SCOPED_TRACE(points);
        QFont font = desktop;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        testsupport::EditorFixture fixture;
        const testsupport::EditorControls form = ui(fixture.make());
        for (QLabel *label : form.rowsFrame->findChildren<QLabel *>())
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        EXPECT_EQ(form.nameLabel->geometry().right(), 48); // right-aligned: keeps its right edge
        QComboBox *states = form.stateCombos[2];
        QStyleOptionComboBox option;
        option.initFrom(states);
        const QRect field = states->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                            QStyle::SC_ComboBoxEditField, states);
        EXPECT_GE(field.width(), states->fontMetrics().horizontalAdvance(u"Maximized"_s));
        EXPECT_EQ(2 * states->x() + states->width(), 2 * 392 + 81); // centred where it was
        EXPECT_LE(form.pathEdits[0]->fontMetrics().height(), form.pathEdits[0]->height() - 4);
    }
    QApplication::setFont(desktop);
}

// Some desktops open a window without giving it the focus: row 0 must not stay selected then.
TEST(EditorOpening, selectsNoRowEvenBeforeTheFocusArrives) {
    testsupport::EditorFixture fixture;
    EditorWindow &form = fixture.startEditor();
    form.show();
    EXPECT_EQ(selectedRow(form), -1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(selectedRow(form), -1);
    EXPECT_EQ(checkedSelector(form), -1);
    EXPECT_EQ(QApplication::focusWidget(), ui(form).nameEdit);
}

TEST_F(EditorWindowTest, tabbingThroughTheRowsSelectsEachRowInTurn) {
    const testsupport::EditorControls f = ui(form());
    for (int row = 0; row < MaxBatchItems; ++row) {
        for (QWidget *control : std::initializer_list<QWidget *>{
                 f.delayEdits[row], f.pathEdits[row], f.browseFileButtons[row],
                 f.browseFolderButtons[row], f.stateCombos[row], f.clearButtons[row]}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), control) << "row " << row;
            EXPECT_EQ(selectedRow(form()), row);
            EXPECT_EQ(checkedSelector(form()), row);
        }
    }
    for (QWidget *mover : f.moveButtons) { // the move buttons keep the selection
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), mover);
        EXPECT_EQ(selectedRow(form()), 4);
    }
}

TEST_F(EditorWindowTest, clickingAFolderButtonSelectsItsRowBeforeTheBrowserOpens) {
    click(ui(form()).pathEdits[1]);
    int rowWhileBrowsing = -2;
    testsupport::answerNextModal([&](QWidget *dialog) {
        rowWhileBrowsing = checkedSelector(form());
        dialog->close();
    });
    click(ui(form()).browseFolderButtons[3]);
    EXPECT_EQ(rowWhileBrowsing, 3);
    EXPECT_EQ(selectedRow(form()), 3);
}

TEST_F(EditorWindowTest, selectorSelectsItsRowWithoutEnteringItAndTheNameFieldClearsIt) {
    const testsupport::EditorControls controls = ui(form());
    click(controls.pathEdits[4]);
    click(controls.rowSelectors[2]);
    EXPECT_EQ(selectedRow(form()), 2);
    EXPECT_EQ(checkedSelector(form()), 2);
    EXPECT_EQ(QApplication::focusWidget(), controls.rowSelectors[2]);
    click(controls.nameEdit);
    EXPECT_EQ(selectedRow(form()), -1);
    EXPECT_EQ(checkedSelector(form()), -1);
}

TEST_F(EditorWindowTest, toolbarAndMoveButtonsKeepTheSelection) {
    const testsupport::EditorControls controls = ui(form());
    click(controls.delayEdits[0]);
    click(controls.toolbar->widgetForAction(controls.toolbar->findChild<QAction *>(u"new"_s)));
    click(controls.moveButtons[0]); // row 0 cannot move up
    EXPECT_EQ(selectedRow(form()), 0);
    EXPECT_EQ(checkedSelector(form()), 0);
}

void pickFromList(QComboBox *list, int steps) {
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier); // opens the list
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
}

TEST(EditorChanges, userEditsMarkTheBatchChangedButProgramSelectionsDoNot) {
    using Act = std::function<void(EditorWindow &, const testsupport::EditorControls &f,
                                   const QString &folder)>;
    const struct {
        const char *what;
        Act act;
        bool changed;
    } cases[] = {
        {"nothing after start-up", [](EditorWindow &, auto &, auto) {}, false},
        {"typing a name",
         [](EditorWindow &, auto &f, auto) { QTest::keyClicks(f.nameEdit, u"W"_s); }, true},
        {"typing a delay",
         [](EditorWindow &, auto &f, auto) { QTest::keyClicks(f.delayEdits[2], u"5"_s); }, true},
        {"typing a path",
         [](EditorWindow &, auto &f, auto) { QTest::keyClicks(f.pathEdits[4], u"/"_s); }, true},
        {"another state by key",
         [](EditorWindow &, auto &f, auto) { QTest::keyClick(f.stateCombos[1], Qt::Key_Down); },
         true},
        {"another state from the list",
         [](EditorWindow &, auto &f, auto) { pickFromList(f.stateCombos[3], 2); }, true},
        {"the same state from the list",
         [](EditorWindow &, auto &f, auto) { pickFromList(f.stateCombos[3], 0); }, false},
        {"loading a batch",
         [](EditorWindow &form, auto &f, const QString &folder) {
             QFile file(folder + u"/Load.rvq"_s);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("\"/bin\"\r\n\"3\"\r\n\"Minimized\"\r\n");
             file.close();
             testsupport::loadBatch(form, file.fileName());
             ASSERT_EQ(f.stateCombos[0]->currentIndex(), 1);
         },
         false},
    };
    for (const auto &c : cases) {
        testsupport::EditorFixture fixture;
        EditorWindow &form = fixture.openEditor();
        c.act(form, ui(form), fixture.dir.path());
        EXPECT_EQ(form.isWindowModified(), c.changed) << c.what;
    }
}

TEST_F(EditorWindowTest, toolbarHoldsSixPictureButtonsInThreeGroups) {
    const QStringList keys{{},         u"new"_s,  u"open"_s, u"save"_s, {},
                           u"about"_s, u"help"_s, {},        u"exit"_s};
    const QStringList tips{{},         u"New"_s,  u"Open"_s, u"Save"_s, {},
                           u"About"_s, u"Help"_s, {},        u"Exit"_s};
    QToolBar *toolbar = ui(form()).toolbar;
    const QList<QAction *> actions = toolbar->actions();
    ASSERT_EQ(actions.size(), keys.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), keys[i].isEmpty());
        if (actions[i]->isSeparator())
            continue;
        EXPECT_EQ(actions[i]->objectName(), keys[i]);
        QWidget *button = toolbar->widgetForAction(actions[i]);
        EXPECT_EQ(button->toolTip(), tips[i]);
        EXPECT_EQ(button->size(), QSize(39, 38));
        const QImage picture = actions[i]->icon().pixmap(32, 32).toImage();
        EXPECT_GT(picture.pixelColor(16, 16).alpha(), 0) << "no picture in the button's middle";
    }
}

} // namespace
