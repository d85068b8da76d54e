#pragma once

#include <string>

class BoxPresenter;
class QStringList;

namespace Ui {
class MainWindow;
}

// What the window offers in each state of the connection: the connection bar, the User
// command buttons, and the pages with their tabs.
class ConnectionStates
{
public:
    ConnectionStates(const Ui::MainWindow &form, BoxPresenter &boxes);

    // Only the tab goes when expert mode is off: the Expert controls stay alive and loaded.
    void withoutExpertTab();
    // Before any scan only Scan and the port list are offered.
    void showStarted();
    // The ports of a scan to pick from; none is told in a box and changes nothing else.
    void showPorts(const QStringList &ports);
    // The port picked, as the SDK takes it.
    std::string selectedPort() const;
    // A camera connected and answering: the bar offers only Disconnect; User page and buttons on.
    void showConnected();
    // The IA page for a camera with detection; for any other camera the tab goes for good.
    void showDetection(bool available);
    void showDisconnected();
    // A click on the tab bar, -1 beside the tabs: while connected, the User buttons serve only
    // the User tab.
    void followTabClick(int index);

private:
    const Ui::MainWindow &form;
    BoxPresenter &boxes;
};
