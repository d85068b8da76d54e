#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

QString box::shape(const QString &title, const QString &text, bool hasParent,
                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                   QMessageBox::StandardButton defaultButton)
{
    return QStringLiteral("title \"%1\", text \"%2\", %3, icon %4, buttons 0x%5, default 0x%6")
        .arg(title, text, hasParent ? "parented" : "no parent")
        .arg(icon)
        .arg(int(buttons), 0, 16)
        .arg(int(defaultButton), 0, 16);
}

QString box::window(const QString &className, const QString &title)
{
    return QStringLiteral("window %1, title \"%2\"").arg(className, title);
}

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer) : answer(answer)
{
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, this, &ModalAnswerer::answerActiveModal);
    poll.start();
    qApp->installEventFilter(this);
}

bool ModalAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        const auto *widget = static_cast<QWidget *>(watched);
        // Answering inside the show would come before the box's event loop starts, and
        // that loop would then wait for an answer already given.
        if (widget->isWindow() && widget->isModal())
            QMetaObject::invokeMethod(this, &ModalAnswerer::answerActiveModal,
                                      Qt::QueuedConnection);
    }
    return false;
}

void ModalAnswerer::setChooser(Chooser choose)
{
    chooser = std::move(choose);
}

void ModalAnswerer::setWhileOpen(std::function<void()> look)
{
    whileOpen = std::move(look);
}

QStringList ModalAnswerer::shown() const
{
    QStringList shapes;
    for (const Seen &seen : boxes) {
        shapes << (seen.className == QLatin1String("QMessageBox")
                       ? box::shape(seen.title, seen.text, seen.hasParent, seen.icon, seen.buttons,
                                    seen.defaultButton)
                       : box::window(seen.className, seen.title));
    }
    if (const QWidget *open = openModal())
        shapes << "still open: "
                + box::window(open->metaObject()->className(), open->windowTitle());
    return shapes;
}

QWidget *ModalAnswerer::openModal()
{
    if (QWidget *active = QApplication::activeModalWidget())
        return active;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->isModal())
            return widget;
    }
    return nullptr;
}

void ModalAnswerer::answerActiveModal()
{
    QPointer<QWidget> modal = openModal();
    if (!modal)
        return;
    Seen box;
    box.className = QString::fromLatin1(modal->metaObject()->className());
    box.title = modal->windowTitle();
    box.hasParent = modal->parentWidget() != nullptr;
    box.size = modal->size();
    box.widget = modal;
    if (whileOpen)
        whileOpen();
    if (auto *message = qobject_cast<QMessageBox *>(modal)) {
        box.text = message->text();
        box.icon = message->icon();
        box.buttons = message->standardButtons();
        if (message->defaultButton())
            box.defaultButton = message->standardButton(message->defaultButton());
        QAbstractButton *button = buttonToPress(*message);
        boxes << box;
        button->click();
        return;
    }
    for (const QLabel *label : modal->findChildren<QLabel *>())
        box.labels << label->text();
    boxes << box;
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
}

QAbstractButton *ModalAnswerer::buttonToPress(const QMessageBox &box) const
{
    const QList<QAbstractButton *> buttons = box.buttons();
    if (chooser)
        return buttons.value(chooser(buttons.size()), buttons.value(0));
    QAbstractButton *button = box.button(answer);
    return button ? button : buttons.value(0);
}
