#include "device/portsources.h"
#include "nivaro_sdk.h"
#include "ui/displayscaling.h"
#include "ui/mainwindow.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QString>
#include <QVersionNumber>

#include <iostream>
#include <string>

namespace {

// Start-up records go to the SDK log at this severity.
constexpr auto startupSeverity = static_cast<nivaro_sdk::severity_level>(0);

// Each record gets its own logger, destroyed at once so the record is complete.
void logStartupRecord(const char *label, const std::string &value)
{
    nivaro_sdk::SDKLogger record(startupSeverity);
    record.GetILogger() << label << value;
}

} // namespace

int main(int argc, char **argv)
{
    std::cout << "Start QT nivaro command application" << std::endl;

    // Before any Qt object: the SDK must be up when the window is built.
    nivaro_sdk::NivaroSdk::get_instance()->Init();

    const std::string qtVersion = QLibraryInfo::version().toString().toLocal8Bit().toStdString();
    logStartupRecord("QT Version ", qtVersion);
    std::cout << "QT Version " << qtVersion << std::endl;

    const std::string buildKind = QLibraryInfo::isDebugBuild() ? "DEBUG" : "RELEASE";
    logStartupRecord("QT Built in ", buildKind);
    std::cout << "QT Built in " << buildKind << std::endl;

    std::cout << QStringLiteral("Test log in debug").toUtf8().toStdString() << std::endl;

    enableDisplayScaling();
    QApplication application(argc, argv);
    int result = 0;
    {
        MainWindow window;
        window.setPortSource(portsources::sdkPorts());
        showWithinScreen(window);
        result = application.exec();
    }
    return result;
}
