#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

// What the program's form alone costs to start: the generated setup on a plain main window,
// with its pictures but no SDK and no wiring, shown, then the event loop until idle.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    Ui::MainWindow form;
    form.setupUi(&window);
    window.show();
    return application.exec();
}
