#include "ui/mainwindow.h"

#include "device/portsources.h"
#include "nivaro_sdk.h"
#include "ui/dialog.h"
#include "ui/widgetrange.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>

#include <algorithm>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow())
    , portSource(&portsources::systemPorts)
{
    nivaro_sdk::INivaroSdk *sdk = nivaro_sdk::NivaroSdk::get_instance();
    sdk->Init();
    nivaro_sdk::INivaroConfig *config = sdk->GetConfig();

    ui->setupUi(this);
    connectValueControls();
    connectButtons();

    // Only the tab goes: the Expert controls stay alive, loaded and readable.
    constexpr int expertTabIndex = 2;
    if (!config->IsExpertModeEnabled())
        ui->tabWidget->removeTab(expertTabIndex);

    ui->connectDeviceButton->setEnabled(false);
    ui->disconnectDeviceButton->setEnabled(false);
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

void MainWindow::InitParamsExpert()
{
    nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();

    struct ExpertPair
    {
        QSlider *slider;
        QDoubleSpinBox *spinBox;
        int32_t minimum;
        int32_t maximum;
        int32_t current;
        bool spinBoxKeepsFormRange;
    };
    // GMS values beyond the slider's range can only be typed, so its spin box keeps the form's
    // range up to 2^32 and shows a stored current value the slider cannot reach. It reaches
    // down to the slider's minimum, though: a slider position the spin box cannot show would
    // leave the two on different values.
    constexpr double gmsFormMinimum = 0.0;
    const ExpertPair pairs[] = {
        {ui->gskSlider, ui->gskEdit, config->gskMin, config->gskMax, config->currentGsk, false},
        {ui->gfidSlider, ui->gfidEdit, config->gfidMin, config->gfidMax, config->currentGfid,
         false},
        {ui->gmsSlider, ui->gmsEdit, config->gmsMin, config->gmsMax, config->currentGms, true},
        {ui->tintSlider, ui->tintEdit, config->tintMin, config->tintMax, config->currentTint,
         false},
    };
    for (const ExpertPair &pair : pairs) {
        const WidgetRange range = widgetRangeFor(pair.minimum, pair.maximum, pair.current);
        pair.slider->setRange(range.minimum, range.maximum);
        pair.slider->setEnabled(true);
        pair.slider->setOrientation(Qt::Horizontal);
        pair.slider->setTickInterval(1);
        pair.slider->setSingleStep(1);
        pair.slider->setPageStep(10);
        pair.slider->setValue(range.current);

        if (pair.spinBoxKeepsFormRange) {
            pair.spinBox->setMinimum(std::min(gmsFormMinimum, double(range.minimum)));
            pair.spinBox->setValue(pair.current);
        } else {
            pair.spinBox->setRange(range.minimum, range.maximum);
            pair.spinBox->setValue(range.current);
        }
        pair.spinBox->setSingleStep(1.0);
    }
}

void MainWindow::TabIndexChanged(int index)
{
    constexpr int noTab = -1;
    constexpr int userTabIndex = 0;
    if (index == noTab)
        return;
    // Scan is enabled exactly while no camera is connected.
    if (ui->scanDeviceButton->isEnabled())
        return;
    const bool onUserTab = index == userTabIndex;
    ui->readParamButtonUser->setEnabled(onUserTab);
    ui->applyParamsButtonUser->setEnabled(onUserTab);
    ui->resetParamButtonUser->setEnabled(onUserTab);
}

void MainWindow::closeEvent(QCloseEvent *)
{
    // Closing asks nothing and gives nothing back to the SDK.
}

void MainWindow::createAboutWindow()
{
    Dialog about(nullptr);
    about.setModal(true);
    about.exec();
}
