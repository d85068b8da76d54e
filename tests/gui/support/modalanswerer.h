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

class QAbstractButton;

// What a message box shows a user, as one line naming each of its parts, so that a test
// states a box whole and a failure shows which part differs.
namespace box {

QString shape(const QString &title, const QString &text, bool hasParent, QMessageBox::Icon icon,
              QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);

// Any other modal window, by its class and title.
QString window(const QString &className, const QString &title);

// QMessageBox::about over the window: the window's icon instead of a standard one, one OK.
inline QString about(const QString &title, const QString &text)
{
    return shape(title, text, true, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::NoButton);
}

// QMessageBox::warning over the window with an empty title. The window names no default
// button; the toolkit then makes its only one, OK, the default.
inline QString warning(const QString &text)
{
    return shape({}, text, true, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
}

// The question before a Reset: no parent, no title, Yes and No with No the default.
inline QString question(const QString &text)
{
    return shape({}, text, false, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No,
                 QMessageBox::No);
}

} // namespace box

// Answers the modal boxes a test provokes: while it lives, every modal dialog that
// becomes active is recorded and closed with the configured button, so a test body
// simply calls the slot and then reads what the user would have seen. A box is answered
// from the first pass of its own event loop, so thousands of boxes cost no waiting.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString className;
        QString title;
        QString text;
        bool hasParent = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QStringList labels; // texts of a dialog's labels, in child order
        QSize size;
        QPointer<QWidget> widget; // null once the box is destroyed
    };

    // Given how many buttons a message box has, which one to press (0 for the first).
    using Chooser = std::function<int(int buttonCount)>;

    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);

    // Press the button this picks instead of the configured one, for random answers.
    void setChooser(Chooser choose);

    // Called while each box is still open, to look at what the user sees behind it.
    void setWhileOpen(std::function<void()> look);

    const QList<Seen> &seen() const { return boxes; }
    // Every modal window seen, in order: a message box as box::shape gives it, any other as
    // box::window does; then any modal window still open, which no check can have expected.
    QStringList shown() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void answerActiveModal();
    // The modal window in front: the active one, or else any shown at the top level.
    static QWidget *openModal();
    QAbstractButton *buttonToPress(const QMessageBox &box) const;

    QTimer poll;
    QMessageBox::StandardButton answer;
    QList<Seen> boxes;
    std::function<void()> whileOpen;
    Chooser chooser;
};
