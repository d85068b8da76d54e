#include "ui/mainwindow.h"

bool MainWindow::logStep(bool accepted, const char *what)
{
    AddLog(std::string(what) + (accepted ? " OK" : " KO"));
    return accepted;
}
