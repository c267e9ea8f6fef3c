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

namespace {

// The editor as the user first sees it: started without arguments, shown and active.
int checkedSelector(const EditorWindow &form) {
    for (int i = 0; i < EditorWindow::RowCount; ++i)
        if (form.rowSelectors[i]->isChecked())
            return i;
    return -1;
}

void click(QWidget *control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

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
    // Selectors and lists on the line of their row.
    for (int i = 0; i < EditorWindow::RowCount; ++i) {
        EXPECT_EQ(f.rowSelectors[i]->mapTo(f.rowsFrame, QPoint()).y(), f.pathEdits[i]->y());
        EXPECT_EQ(f.stateCombos[i]->y(), f.pathEdits[i]->y());
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
        EditorWindow &form = fixture.make();
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
    EXPECT_EQ(form.selectedRow, -1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.selectedRow, -1);
    EXPECT_EQ(checkedSelector(form), -1);
    EXPECT_EQ(QApplication::focusWidget(), form.nameEdit);
}

TEST_F(EditorWindowTest, tabbingThroughTheRowsSelectsEachRowInTurn) {
    EditorWindow &f = form();
    for (int row = 0; row < EditorWindow::RowCount; ++row) {
        for (QWidget *control : std::initializer_list<QWidget *>{
                 f.delayEdits[row], f.pathEdits[row], f.browseFileButtons[row],
                 f.browseFolderButtons[row], f.stateCombos[row], f.clearButtons[row]}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), control) << "row " << row;
            EXPECT_EQ(f.selectedRow, row);
            EXPECT_EQ(checkedSelector(f), row);
        }
    }
    for (QWidget *mover : f.moveButtons) { // the move buttons keep the selection
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), mover);
        EXPECT_EQ(f.selectedRow, 4);
    }
}

TEST_F(EditorWindowTest, clickingAFolderButtonSelectsItsRowBeforeTheBrowserOpens) {
    click(form().pathEdits[1]);
    int rowWhileBrowsing = -2;
    testsupport::answerNextModal([&](QWidget *dialog) {
        rowWhileBrowsing = checkedSelector(form());
        dialog->close();
    });
    click(form().browseFolderButtons[3]);
    EXPECT_EQ(rowWhileBrowsing, 3);
    EXPECT_EQ(form().selectedRow, 3);
}

TEST_F(EditorWindowTest, selectorSelectsItsRowWithoutEnteringItAndTheNameFieldClearsIt) {
    click(form().pathEdits[4]);
    click(form().rowSelectors[2]);
    EXPECT_EQ(form().selectedRow, 2);
    EXPECT_EQ(checkedSelector(form()), 2);
    EXPECT_EQ(QApplication::focusWidget(), form().rowSelectors[2]);
    click(form().nameEdit);
    EXPECT_EQ(form().selectedRow, -1);
    EXPECT_EQ(checkedSelector(form()), -1);
}

TEST_F(EditorWindowTest, toolbarAndMoveButtonsKeepTheSelection) {
    click(form().delayEdits[0]);
    click(form().toolbar->widgetForAction(form().toolbar->findChild<QAction *>(u"new"_s)));
    click(form().moveButtons[0]); // row 0 cannot move up
    EXPECT_EQ(form().selectedRow, 0);
    EXPECT_EQ(checkedSelector(form()), 0);
}

void pickFromList(QComboBox *list, int steps) {
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier); // opens the list
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
}

TEST(EditorChanges, userEditsMarkTheBatchChangedButProgramSelectionsDoNot) {
    using Act = std::function<void(EditorWindow &, const QString &folder)>;
    const struct {
        const char *what;
        Act act;
        bool changed;
    } cases[] = {
        {"nothing after start-up", [](EditorWindow &, auto) {}, false},
        {"typing a name", [](EditorWindow &f, auto) { QTest::keyClicks(f.nameEdit, u"W"_s); },
         true},
        {"typing a delay", [](EditorWindow &f, auto) { QTest::keyClicks(f.delayEdits[2], u"5"_s); },
         true},
        {"typing a path", [](EditorWindow &f, auto) { QTest::keyClicks(f.pathEdits[4], u"/"_s); },
         true},
        {"another state by key",
         [](EditorWindow &f, auto) { QTest::keyClick(f.stateCombos[1], Qt::Key_Down); }, true},
        {"another state from the list",
         [](EditorWindow &f, auto) { pickFromList(f.stateCombos[3], 2); }, true},
        {"the same state from the list",
         [](EditorWindow &f, auto) { pickFromList(f.stateCombos[3], 0); }, false},
        {"a state set by the program",
         [](EditorWindow &f, auto) { f.stateCombos[1]->setCurrentIndex(2); }, false},
        {"loading a batch",
         [](EditorWindow &f, const QString &folder) {
             QFile file(folder + u"/Load.rvq"_s);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("\"/bin\"\r\n\"3\"\r\n\"Minimized\"\r\n");
             file.close();
             f.LoadBatch(file.fileName());
             ASSERT_EQ(f.stateCombos[0]->currentIndex(), 1);
         },
         false},
    };
    for (const auto &c : cases) {
        testsupport::EditorFixture fixture;
        EditorWindow &form = fixture.openEditor();
        c.act(form, fixture.dir.path());
        EXPECT_EQ(form.isWindowModified(), c.changed) << c.what;
    }
}

TEST_F(EditorWindowTest, toolbarHoldsSixPictureButtonsInThreeGroups) {
    const QStringList keys{{},         u"new"_s,  u"open"_s, u"save"_s, {},
                           u"about"_s, u"help"_s, {},        u"exit"_s};
    const QStringList tips{{},         u"New"_s,  u"Open"_s, u"Save"_s, {},
                           u"About"_s, u"Help"_s, {},        u"Exit"_s};
    const QList<QAction *> actions = form().toolbar->actions();
    ASSERT_EQ(actions.size(), keys.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), keys[i].isEmpty());
        if (actions[i]->isSeparator())
            continue;
        EXPECT_EQ(actions[i]->objectName(), keys[i]);
        QWidget *button = form().toolbar->widgetForAction(actions[i]);
        EXPECT_EQ(button->toolTip(), tips[i]);
        EXPECT_EQ(button->size(), QSize(39, 38));
        const QImage picture = actions[i]->icon().pixmap(32, 32).toImage();
        EXPECT_GT(picture.pixelColor(16, 16).alpha(), 0) << "no picture in the button's middle";
    }
}

// A blank or half-painted window has only a few colours.
int colourCount(const QImage &image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

TEST_F(EditorWindowTest, rendersAFullWindowAtScaleOneAndTwo) {
    QTest::keyClicks(form().nameEdit, u"Morning"_s);
    QTest::keyClicks(form().pathEdits[0], u"/usr/bin/editor"_s);
    QTest::keyClick(form().stateCombos[0], Qt::Key_Down);
    click(form().rowSelectors[0]);
    QPixmap twice(form().size() * 2);
    twice.setDevicePixelRatio(2);
    twice.fill(Qt::transparent);
    form().render(&twice);
    const QString folder = qEnvironmentVariable("RUNVOY_SCREENSHOT_DIR", fixture.dir.path());
    const std::pair<const char *, QPixmap> shots[] = {{"editor-1x.png", form().grab()},
                                                      {"editor-2x.png", twice}};
    for (const auto &[file, shot] : shots) {
        SCOPED_TRACE(file);
        const QImage image = shot.toImage();
        EXPECT_EQ(image.size(), form().size() * shot.devicePixelRatio());
        EXPECT_GT(colourCount(image), 200);
        EXPECT_TRUE(image.save(folder + u'/' + QLatin1String(file)));
    }
}

} // namespace
