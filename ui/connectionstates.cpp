#include "ui/connectionstates.h"

#include "parameters/boxpresenter.h"
#include "ui_mainwindow.h"

ConnectionStates::ConnectionStates(const Ui::MainWindow &form, BoxPresenter &boxes)
    : form(form), boxes(boxes)
{ }

void ConnectionStates::withoutExpertTab()
{
    constexpr int expertTabIndex = 2;
    form.tabWidget->removeTab(expertTabIndex);
}

void ConnectionStates::showStarted()
{
    form.connectDeviceButton->setEnabled(false);
    form.disconnectDeviceButton->setEnabled(false);
}

void ConnectionStates::showPorts(const QStringList &ports)
{
    form.selectDeviceComboBox->clear();
    if (ports.isEmpty()) {
        boxes.warning(
            QStringLiteral("No COM port found!\nPlease, plug a COM port ans scan again."));
        return;
    }
    form.selectDeviceComboBox->addItems(ports);
    form.connectDeviceButton->setEnabled(true);
    form.selectDeviceComboBox->setEnabled(true);
}

std::string ConnectionStates::selectedPort() const
{
    return form.selectDeviceComboBox->currentText().toStdString();
}

void ConnectionStates::showConnected()
{
    form.scanDeviceButton->setEnabled(false);
    form.selectDeviceComboBox->setEnabled(false);
    form.connectDeviceButton->setEnabled(false);
    form.disconnectDeviceButton->setEnabled(true);
    form.resetParamButtonUser->setEnabled(true);
    form.applyParamsButtonUser->setEnabled(true);
    form.readParamButtonUser->setEnabled(true);
    form.UserMode->setEnabled(true);
}

void ConnectionStates::showDetection(bool available)
{
    if (available) {
        form.IAControl->setEnabled(true);
        return;
    }
    // Looked up by page, not by position: after the Expert tab or an earlier removal,
    // a fixed index would take the wrong tab.
    const int iaTab = form.tabWidget->indexOf(form.IAControl);
    if (iaTab != -1)
        form.tabWidget->removeTab(iaTab);
}

void ConnectionStates::showDisconnected()
{
    form.scanDeviceButton->setEnabled(true);
    form.selectDeviceComboBox->setEnabled(true);
    form.connectDeviceButton->setEnabled(true);
    form.disconnectDeviceButton->setEnabled(false);
    form.applyParamsButtonUser->setEnabled(false);
    form.resetParamButtonUser->setEnabled(false);
    form.readParamButtonUser->setEnabled(false);
    form.UserMode->setEnabled(false);
    form.IAControl->setEnabled(false);
}

void ConnectionStates::followTabClick(int index)
{
    constexpr int noTab = -1;
    constexpr int userTabIndex = 0;
    if (index == noTab)
        return;
    // Scan is enabled exactly while no camera is connected.
    if (form.scanDeviceButton->isEnabled())
        return;
    const bool onUserTab = index == userTabIndex;
    form.readParamButtonUser->setEnabled(onUserTab);
    form.applyParamsButtonUser->setEnabled(onUserTab);
    form.resetParamButtonUser->setEnabled(onUserTab);
}
