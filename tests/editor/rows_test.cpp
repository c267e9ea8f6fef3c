#include "tests/editor/form1_fixture.h"
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
int checkedSelector(const Form1 &form) {
    for (int i = 0; i < Form1::RowCount; ++i)
        if (form.Option1[i]->isChecked())
            return i;
    return -1;
}

void click(QWidget *control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override { fixture.openEditor(); }
    Form1 &form() { return *fixture.form; }
    testsupport::Form1Fixture fixture;
};

TEST_F(EditorWindow, controlsSitAtTheirPlacesAtFifteenTwipsAPixel) {
    Form1 &f = form();
    const struct {
        const char *name;
        QWidget *control;
        QRect place;
    } cases[] = {
        {"Toolbar1", f.Toolbar1, {0, 0, 576, 44}},
        {"Frame1", f.Frame1, {8, 40, 561, 193}},
        {"Text1", f.Text1, {56, 24, 257, 19}},
        {"Text3(0)", f.Text3[0], {16, 64, 33, 19}},
        {"Text2(2)", f.Text2[2], {56, 112, 257, 19}},
        {"Command2(4)", f.Command2[4], {320, 160, 25, 17}},
        {"Command3(1)", f.Command3[1], {352, 88, 25, 17}},
        {"Command1(0)", f.Command1[0], {488, 64, 25, 17}},
        {"Frame2", f.Frame2, {520, 8, 33, 177}},
        {"Command4(1)", f.Command4[1], {8, 29, 17, 17}},
        {"Option1(4)", f.Option1[4], {8, 152, 17, 17}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.control->geometry(), c.place) << c.name;
    for (int i = 0; i < Form1::RowCount; ++i) { // selectors and lists on the line of their row
        EXPECT_EQ(f.Option1[i]->mapTo(f.Frame1, QPoint()).y(), f.Text2[i]->y());
        EXPECT_EQ(f.Combo1[i]->y(), f.Text2[i]->y());
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
        testsupport::Form1Fixture fixture;
        Form1 &form = fixture.make();
        for (QLabel *label : form.Frame1->findChildren<QLabel *>())
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        EXPECT_EQ(form.Label1->geometry().right(), 48); // right-aligned: keeps its right edge
        QComboBox *states = form.Combo1[2];
        QStyleOptionComboBox option;
        option.initFrom(states);
        const QRect field = states->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                            QStyle::SC_ComboBoxEditField, states);
        EXPECT_GE(field.width(), states->fontMetrics().horizontalAdvance(u"Maximized"_s));
        EXPECT_EQ(2 * states->x() + states->width(), 2 * 392 + 81); // centred where it was
        EXPECT_LE(form.Text2[0]->fontMetrics().height(), form.Text2[0]->height() - 4);
    }
    QApplication::setFont(desktop);
}

// Some desktops open a window without giving it the focus: row 0 must not stay selected then.
TEST(EditorOpening, selectsNoRowEvenBeforeTheFocusArrives) {
    testsupport::Form1Fixture fixture;
    Form1 &form = fixture.startEditor();
    form.show();
    EXPECT_EQ(form.CurrentRow, -1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.CurrentRow, -1);
    EXPECT_EQ(checkedSelector(form), -1);
    EXPECT_EQ(QApplication::focusWidget(), form.Text1);
}

TEST_F(EditorWindow, tabbingThroughTheRowsSelectsEachRowInTurn) {
    Form1 &f = form();
    for (int row = 0; row < Form1::RowCount; ++row) {
        for (QWidget *control :
             std::initializer_list<QWidget *>{f.Text3[row], f.Text2[row], f.Command2[row],
                                              f.Command3[row], f.Combo1[row], f.Command1[row]}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), control) << "row " << row;
            EXPECT_EQ(f.CurrentRow, row);
            EXPECT_EQ(checkedSelector(f), row);
        }
    }
    for (QWidget *mover : f.Command4) { // the move buttons keep the selection
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), mover);
        EXPECT_EQ(f.CurrentRow, 4);
    }
}

TEST_F(EditorWindow, clickingAFolderButtonSelectsItsRowBeforeTheBrowserOpens) {
    click(form().Text2[1]);
    int rowWhileBrowsing = -2;
    testsupport::answerNextModal([&](QWidget *dialog) {
        rowWhileBrowsing = checkedSelector(form());
        dialog->close();
    });
    click(form().Command3[3]);
    EXPECT_EQ(rowWhileBrowsing, 3);
    EXPECT_EQ(form().CurrentRow, 3);
}

TEST_F(EditorWindow, selectorSelectsItsRowWithoutEnteringItAndTheNameFieldClearsIt) {
    click(form().Text2[4]);
    click(form().Option1[2]);
    EXPECT_EQ(form().CurrentRow, 2);
    EXPECT_EQ(checkedSelector(form()), 2);
    EXPECT_EQ(QApplication::focusWidget(), form().Option1[2]);
    click(form().Text1);
    EXPECT_EQ(form().CurrentRow, -1);
    EXPECT_EQ(checkedSelector(form()), -1);
}

TEST_F(EditorWindow, toolbarAndMoveButtonsKeepTheSelection) {
    click(form().Text3[0]);
    click(form().Toolbar1->widgetForAction(form().Toolbar1->findChild<QAction *>(u"new"_s)));
    click(form().Command4[0]); // row 0 cannot move up
    EXPECT_EQ(form().CurrentRow, 0);
    EXPECT_EQ(checkedSelector(form()), 0);
}

void pickFromList(QComboBox *list, int steps) {
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier); // opens the list
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
}

TEST(EditorChanges, userEditsMarkTheBatchChangedButProgramSelectionsDoNot) {
    using Act = std::function<void(Form1 &, const QString &folder)>;
    const struct {
        const char *what;
        Act act;
        bool changed;
    } cases[] = {
        {"nothing after start-up", [](Form1 &, auto) {}, false},
        {"typing a name", [](Form1 &f, auto) { QTest::keyClicks(f.Text1, u"W"_s); }, true},
        {"typing a delay", [](Form1 &f, auto) { QTest::keyClicks(f.Text3[2], u"5"_s); }, true},
        {"typing a path", [](Form1 &f, auto) { QTest::keyClicks(f.Text2[4], u"/"_s); }, true},
        {"another state by key", [](Form1 &f, auto) { QTest::keyClick(f.Combo1[1], Qt::Key_Down); },
         true},
        {"another state from the list", [](Form1 &f, auto) { pickFromList(f.Combo1[3], 2); }, true},
        {"the same state from the list", [](Form1 &f, auto) { pickFromList(f.Combo1[3], 0); },
         false},
        {"a state set by the program", [](Form1 &f, auto) { f.Combo1[1]->setCurrentIndex(2); },
         false},
        {"loading a batch",
         [](Form1 &f, const QString &folder) {
             QFile file(folder + u"/Load.rvq"_s);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("\"/bin\"\r\n\"3\"\r\n\"Minimized\"\r\n");
             file.close();
             f.LoadBatch(file.fileName());
             ASSERT_EQ(f.Combo1[0]->currentIndex(), 1);
         },
         false},
    };
    for (const auto &c : cases) {
        testsupport::Form1Fixture fixture;
        Form1 &form = fixture.openEditor();
        c.act(form, fixture.dir.path());
        EXPECT_EQ(form.DocChanged, c.changed) << c.what;
    }
}

TEST_F(EditorWindow, toolbarHoldsSixPictureButtonsInThreeGroups) {
    const QStringList keys{{},         u"new"_s,  u"open"_s, u"save"_s, {},
                           u"about"_s, u"help"_s, {},        u"exit"_s};
    const QStringList tips{{},         u"New"_s,  u"Open"_s, u"Save"_s, {},
                           u"About"_s, u"Help"_s, {},        u"Exit"_s};
    const QList<QAction *> actions = form().Toolbar1->actions();
    ASSERT_EQ(actions.size(), keys.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), keys[i].isEmpty());
        if (actions[i]->isSeparator())
            continue;
        EXPECT_EQ(actions[i]->objectName(), keys[i]);
        QWidget *button = form().Toolbar1->widgetForAction(actions[i]);
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

TEST_F(EditorWindow, rendersAFullWindowAtScaleOneAndTwo) {
    QTest::keyClicks(form().Text1, u"Morning"_s);
    QTest::keyClicks(form().Text2[0], u"/usr/bin/editor"_s);
    QTest::keyClick(form().Combo1[0], Qt::Key_Down);
    click(form().Option1[0]);
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
