#include <QApplication>
#include <QWidget>

// The least a Qt Widgets program does: one empty window, as large as the editor's.
int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(576, 239);
    window.show();
    return QApplication::exec();
}
