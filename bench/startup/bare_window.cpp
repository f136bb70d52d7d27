// The yardstick for start-up: a bare Qt main window of the program's size, nothing in it.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(1000, 700);
    window.show();
    return QApplication::exec();
}
