#include "ui/mainwindow.h"

#include "device/cameralink.h"
#include "nivaro_sdk.h"
#include "parameters/expertparameters.h"
#include "parameters/iaparameters.h"
#include "parameters/nucrequest.h"
#include "parameters/userparameters.h"
#include "ui/connectionstates.h"
#include "ui/dialog.h"
#include "ui/logpane.h"
#include "ui/messageboxes.h"
#include "ui/valuepairs.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>

#include <utility>

namespace {

UserControls userControls(const Ui::MainWindow &form)
{
    return {form.gammaSlider,
            form.gammaEdit,
            form.clheSlider,
            form.clheEdit,
            form.sharpeningSlider,
            form.sharpeningEdit,
            form.x1RoiEdit,
            form.y1RoiEdit,
            form.x2RoiEdit,
            form.y2RoiEdit,
            form.polarityCheckBox,
            form.factorZoomEdit,
            form.xCenterZoomEdit,
            form.yCenterZoomEdit,
            form.methodZoomEdit,
            form.contrastTypeEdit,
            form.userNucCheckBox,
            form.horizontalFlipCheckBox,
            form.verticalFlipCheckBox,
            form.VignettingCorrectionCheckBox,
            form.ColumnCorrectionCheckBox};
}

ExpertControls expertControls(const Ui::MainWindow &form)
{
    return {{form.gskSlider, form.gskEdit},
            {form.gfidSlider, form.gfidEdit},
            {form.gmsSlider, form.gmsEdit},
            {form.tintSlider, form.tintEdit},
            form.BPRCheckBox,
            form.offsetCheckBox,
            form.gainCheckBox,
            form.nucCheckBox};
}

IaControls iaControls(const Ui::MainWindow &form)
{
    return {form.iAResizeModeComboBox, form.nbBoxesSpinBox, form.iASensitivitySpinBox,
            form.interOverUnionSpinBox, form.iAOutputTypeComboBox};
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow())
{
    nivaro_sdk::INivaroSdk *sdk = nivaro_sdk::NivaroSdk::get_instance();
    sdk->Init();
    nivaro_sdk::INivaroConfig *config = sdk->GetConfig();

    ui->setupUi(this);
    log = std::make_unique<LogPane>(ui->logView);
    boxes = std::make_unique<MessageBoxes>(this);
    states = std::make_unique<ConnectionStates>(*ui, *boxes);
    link = std::make_unique<CameraLink>();
    pairs = std::make_unique<ValuePairs>(*ui);
    user = std::make_unique<UserParameters>(userControls(*ui), *log, *boxes);
    expert = std::make_unique<ExpertParameters>(expertControls(*ui), *log, *boxes);
    ia = std::make_unique<IaParameters>(iaControls(*ui), *log, *boxes);
    nuc = std::make_unique<NucRequest>(ui->userNucCheckBox, *boxes);
    connectValueControls();
    connectButtons();

    if (!config->IsExpertModeEnabled())
        states->withoutExpertTab();
    states->showStarted();
    InitParamsExpert();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::connectValueControls()
{
    struct Link
    {
        QObject *sender;
        const char *signal;
        const char *slot;
    };
    const Link links[] = {
        {ui->gammaSlider, SIGNAL(valueChanged(int)), SLOT(GammaUserSliderChanged(int))},
        {ui->clheSlider, SIGNAL(valueChanged(int)), SLOT(ClheUserSliderChanged(int))},
        {ui->sharpeningSlider, SIGNAL(valueChanged(int)), SLOT(SharpeningUserSliderChanged(int))},
        {ui->gskSlider, SIGNAL(valueChanged(int)), SLOT(GSKExpertSliderChanged(int))},
        {ui->gfidSlider, SIGNAL(valueChanged(int)), SLOT(GFIDExpertSliderChanged(int))},
        {ui->gmsSlider, SIGNAL(valueChanged(int)), SLOT(GMSExpertSliderChanged(int))},
        {ui->tintSlider, SIGNAL(valueChanged(int)), SLOT(TINTExpertSliderChanged(int))},
        {ui->nbBoxesSlider, SIGNAL(valueChanged(int)), SLOT(NbBoxesSliderChanged(int))},
        {ui->iASensitivitySlider, SIGNAL(valueChanged(int)), SLOT(IASensitivitySliderChanged(int))},
        {ui->interOverUnionSlider, SIGNAL(valueChanged(int)), SLOT(InterOUSliderChanged(int))},
        {ui->gammaEdit, SIGNAL(valueChanged(double)), SLOT(GammaUserValueChanged(double))},
        {ui->clheEdit, SIGNAL(valueChanged(double)), SLOT(ClheUserValueChanged(double))},
        {ui->sharpeningEdit, SIGNAL(valueChanged(double)),
         SLOT(SharpeningUserValueChanged(double))},
        {ui->gskEdit, SIGNAL(valueChanged(double)), SLOT(GSKExpertValueChanged(double))},
        {ui->gfidEdit, SIGNAL(valueChanged(double)), SLOT(GFIDExpertValueChanged(double))},
        {ui->gmsEdit, SIGNAL(valueChanged(double)), SLOT(GMSExpertValueChanged(double))},
        {ui->tintEdit, SIGNAL(valueChanged(double)), SLOT(TINTExpertValueChanged(double))},
        {ui->nbBoxesSpinBox, SIGNAL(valueChanged(int)), SLOT(NbBoxesValueChanged(int))},
        {ui->iASensitivitySpinBox, SIGNAL(valueChanged(int)), SLOT(IASensitivityValueChanged(int))},
        {ui->interOverUnionSpinBox, SIGNAL(valueChanged(int)), SLOT(InterOUValueChanged(int))},
    };
    for (const Link &link : links)
        connect(link.sender, link.signal, this, link.slot);
}

void MainWindow::connectButtons()
{
    connect(ui->applyParamsButtonUser, &QAbstractButton::clicked, this,
            &MainWindow::ApplyParamsUser);
    connect(ui->resetParamButtonUser, &QAbstractButton::clicked, this,
            &MainWindow::ResetParamsUser);
    connect(ui->readParamButtonUser, &QAbstractButton::clicked, this, &MainWindow::ReadParamsUser);
    connect(ui->applyParamsButtonExpert, &QAbstractButton::clicked, this,
            &MainWindow::ApplyParamsExpert);
    connect(ui->readParamButtonExpert, &QAbstractButton::clicked, this,
            &MainWindow::ReadParamsExpert);
    connect(ui->nucRequest, &QAbstractButton::clicked, this, &MainWindow::ApplyNucRequest);
    connect(ui->userNucRequest, &QAbstractButton::clicked, this, &MainWindow::ApplyNucRequest);
    connect(ui->scanDeviceButton, &QAbstractButton::clicked, this, &MainWindow::scanDevice);
    connect(ui->connectDeviceButton, &QAbstractButton::clicked, this, &MainWindow::connectDevice);
    connect(ui->disconnectDeviceButton, &QAbstractButton::clicked, this,
            &MainWindow::disconnectDevice);
    connect(ui->aboutButton, &QAbstractButton::clicked, this, &MainWindow::createAboutWindow);
    connect(ui->applyIAControls, &QAbstractButton::clicked, this, &MainWindow::ApplyParamsIA);
    connect(ui->readIAControls, &QAbstractButton::clicked, this, &MainWindow::ReadParamsIA);
    connect(ui->resetIAControls, &QAbstractButton::clicked, this, &MainWindow::ResetParamsIA);
    // Clicks only: a tab changed by keyboard or by the program must not switch the buttons.
    connect(ui->tabWidget, &QTabWidget::tabBarClicked, this, &MainWindow::TabIndexChanged);
}

bool MainWindow::ReadParamsUser()
{
    return user->read(link->camera(), link->port());
}

void MainWindow::InitParamsExpert()
{
    expert->load();
}

bool MainWindow::openSerialPort(std::string name)
{
    const auto invalidCommunication = [this] {
        boxes->about(tr("Invalid communication"), tr("Select an other serial port"));
        return false;
    };
    if (!CameraLink::isSerialLink())
        return invalidCommunication();
    AddLog("ALTERNATIVE SERIAL PORT : " + name);
    return link->open(std::move(name)) || invalidCommunication();
}

// Taken by value, as every caller of the window's log has always passed it.
// cppcheck-suppress passedByValue
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void MainWindow::AddLog(std::string message)
{
    log->add(message);
}

void MainWindow::setPortSource(portsources::PortSource source)
{
    link->setPortSource(std::move(source));
}

void MainWindow::ResetParamsUser()
{
    user->reset(link->camera(), *expert);
}

void MainWindow::ResetParamsIA()
{
    ia->reset(link->camera());
}

void MainWindow::ApplyParamsUser()
{
    user->write(link->camera());
}

void MainWindow::ApplyParamsExpert()
{
    expert->write(link->camera());
}

void MainWindow::ReadParamsExpert()
{
    expert->read(link->camera(), link->port());
}

void MainWindow::ApplyNucRequest()
{
    nuc->request(link->camera());
}

void MainWindow::ApplyParamsIA()
{
    ia->write(link->camera());
}

void MainWindow::ReadParamsIA()
{
    ia->read(link->camera());
}

void MainWindow::TabIndexChanged(int index)
{
    states->followTabClick(index);
}

void MainWindow::GammaUserValueChanged(double value)
{
    pairs->spinBoxChanged(ValuePair::gamma, value);
}

void MainWindow::ClheUserValueChanged(double value)
{
    pairs->spinBoxChanged(ValuePair::clhe, value);
}

void MainWindow::SharpeningUserValueChanged(double value)
{
    pairs->spinBoxChanged(ValuePair::sharpening, value);
}

void MainWindow::GSKExpertValueChanged(double value)
{
    pairs->spinBoxChanged(ValuePair::gsk, value);
}

void MainWindow::GFIDExpertValueChanged(double value)
{
    pairs->spinBoxChanged(ValuePair::gfid, value);
}

void MainWindow::GMSExpertValueChanged(double value)
{
    pairs->spinBoxChanged(ValuePair::gms, value);
}

void MainWindow::TINTExpertValueChanged(double value)
{
    pairs->spinBoxChanged(ValuePair::tint, value);
}

void MainWindow::NbBoxesValueChanged(int value)
{
    pairs->spinBoxChanged(ValuePair::nbBoxes, value);
}

void MainWindow::IASensitivityValueChanged(int value)
{
    pairs->spinBoxChanged(ValuePair::iaSensitivity, value);
}

void MainWindow::InterOUValueChanged(int value)
{
    pairs->spinBoxChanged(ValuePair::interOU, value);
}

void MainWindow::GammaUserSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::gamma, value);
}

void MainWindow::ClheUserSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::clhe, value);
}

void MainWindow::SharpeningUserSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::sharpening, value);
}

void MainWindow::GSKExpertSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::gsk, value);
}

void MainWindow::GFIDExpertSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::gfid, value);
}

void MainWindow::GMSExpertSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::gms, value);
}

void MainWindow::TINTExpertSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::tint, value);
}

void MainWindow::NbBoxesSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::nbBoxes, value);
}

void MainWindow::IASensitivitySliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::iaSensitivity, value);
}

void MainWindow::InterOUSliderChanged(int value)
{
    pairs->sliderMoved(ValuePair::interOU, value);
}

void MainWindow::x1RoiUserValueChanged(int value)
{
    user->checkRoiCorner(RoiCorner::x1, value);
}

void MainWindow::x2RoiUserValueChanged(int value)
{
    user->checkRoiCorner(RoiCorner::x2, value);
}

void MainWindow::y1RoiUserValueChanged(int value)
{
    user->checkRoiCorner(RoiCorner::y1, value);
}

void MainWindow::y2RoiUserValueChanged(int value)
{
    user->checkRoiCorner(RoiCorner::y2, value);
}

void MainWindow::scanDevice()
{
    states->showPorts(link->scan());
}

void MainWindow::connectDevice()
{
    nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();
    if (!openSerialPort(states->selectedPort()))
        return;
    if (!link->queryType()) {
        AddLog("No camera type found");
        disconnectDevice();
        return;
    }
    // A camera that does not answer the first read stays held, and the connection bar
    // stays as it was so that the user can try again.
    if (ReadParamsUser())
        states->showConnected();
    InitParamsExpert();
    if (config->IsExpertModeEnabled())
        ReadParamsExpert();
    if (link->hasDetection())
        ReadParamsIA();
    states->showDetection(link->hasDetection());
}

void MainWindow::disconnectDevice()
{
    link->close();
    states->showDisconnected();
}

void MainWindow::createAboutWindow()
{
    Dialog about(nullptr);
    about.setModal(true);
    about.exec();
}

void MainWindow::closeEvent(QCloseEvent *)
{
    // Closing asks nothing and gives nothing back to the SDK.
}
