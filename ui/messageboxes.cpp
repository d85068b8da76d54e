#include "ui/messageboxes.h"

#include <QMessageBox>

MessageBoxes::MessageBoxes(QWidget *window) : window(window) { }

void MessageBoxes::about(const QString &title, const QString &text)
{
    QMessageBox::about(window, title, text);
}

void MessageBoxes::warning(const QString &text)
{
    QMessageBox::warning(window, QString(), text);
}

bool MessageBoxes::confirm(const QString &question)
{
    QMessageBox box;
    box.setText(question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
