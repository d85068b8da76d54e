#include <QApplication>
#include <QMainWindow>

// What Qt alone costs to start: an application and an empty main window of the
// program's size, shown, then the event loop until idle.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(960, 872);
    window.show();
    return application.exec();
}
