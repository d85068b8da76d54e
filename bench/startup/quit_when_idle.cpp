#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

// Linked into a start-up benchmark program beside an unchanged main: the process ends on
// its own once start-up is over, so its whole life is the start-up a user waits for.
namespace {

// Start-up is over when the first window has been exposed and painted. On an X display the
// first exposure comes from the server some time after the window was mapped, so a timer
// armed at start could end the process before anything was drawn; armed at the exposure,
// a zero timeout fires once that event, and the paint it triggers, have been handled.
class QuitAfterFirstExposure : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow *>(watched)->isExposed()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }
};

void quitAfterFirstExposure()
{
    QCoreApplication *application = QCoreApplication::instance();
    application->installEventFilter(new QuitAfterFirstExposure(application));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(quitAfterFirstExposure)
