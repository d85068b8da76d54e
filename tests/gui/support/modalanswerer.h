#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the modal boxes a test provokes: while it lives, every modal dialog that
// becomes active is recorded and closed with the configured button, so a test body
// simply calls the slot and then reads what the user would have seen.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString className;
        QString title;
        QString text;
        QStringList labels; // texts of a dialog's labels, in child order
        QSize size;
        QPointer<QWidget> widget; // null once the box is destroyed
        bool hasParent = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);

    // Answer with this button from now on (for example No, then Yes).
    void setAnswer(QMessageBox::StandardButton answer);

    // Called while each box is still open, to look at what the user sees behind it.
    void setWhileOpen(std::function<void()> look);

    const QList<Seen> &seen() const { return boxes; }
    QStringList texts() const;

private:
    void answerActiveModal();

    QTimer poll;
    QMessageBox::StandardButton answer;
    QList<Seen> boxes;
    std::function<void()> whileOpen;
};
