#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "ui/mainwindow.h"

#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

// The IA control tab's Read, Write and Reset: five bytes in one record.
class tst_IaParameters : public QObject
{
    Q_OBJECT

private slots:
    void readShowsRecordAsNumbers();
    void failedReadLeavesControls();
    void writeSendsRecord_data();
    void writeSendsRecord();
    void resetAnsweredNoChangesNothing();
    void resetAnsweredYesSendsDefaults();
    void withoutCameraNothingHappens();
};

namespace {

const QString port = QStringLiteral("COM3");

struct IaControls
{
    QComboBox *resizeMode;
    QSpinBox *maxBoxes;
    QSpinBox *sensitivity;
    QSpinBox *iou;
    QComboBox *outputType;
};

IaControls iaControls(const MainWindow &window)
{
    return {child<QComboBox>(window, "iAResizeModeComboBox"),
            child<QSpinBox>(window, "nbBoxesSpinBox"),
            child<QSpinBox>(window, "iASensitivitySpinBox"),
            child<QSpinBox>(window, "interOverUnionSpinBox"),
            child<QComboBox>(window, "iAOutputTypeComboBox")};
}

void setIaControls(const MainWindow &window, int resizeMode, int maxBoxes, int sensitivity, int iou,
                   int outputType)
{
    const IaControls controls = iaControls(window);
    controls.resizeMode->setCurrentIndex(resizeMode);
    controls.maxBoxes->setValue(maxBoxes);
    controls.sensitivity->setValue(sensitivity);
    controls.iou->setValue(iou);
    controls.outputType->setCurrentIndex(outputType);
}

QList<int> shownIaValues(const MainWindow &window)
{
    const IaControls controls = iaControls(window);
    return {controls.resizeMode->currentIndex(), controls.maxBoxes->value(),
            controls.sensitivity->value(), controls.iou->value(),
            controls.outputType->currentIndex()};
}

QList<int> fields(const nivaro_sdk::IaConfig &config)
{
    return {config.resizeMode, config.maxBoxes, config.sensitivity, config.iouThreshold,
            config.outputType};
}

} // namespace

void tst_IaParameters::readShowsRecordAsNumbers()
{
    SimulatedSdk sdk;
    nivaro_sim::Registers registers;
    // 65 would print as "A" if a byte were streamed as a character.
    registers.ia = {3, 65, 60, 70, 2};
    auto window = sdk.makeConnectedWindow(port, scriptWithRegisters(registers));
    setIaControls(*window, 0, 0, 0, 0, 0);
    const SimulatedSdk::Mark mark = sdk.mark();

    SimulatedSdk::click(*window, "readIAControls");

    const QStringList expected = {
        "Start read IA parameters", "IA resize mode = 3", "IA max boxes = 65",
        "IA sensitivity = 60",      "IA InterOU = 70",    "IA Output type = 2",
        "End read IA parameters",
    };
    QCOMPARE(sdk.logTextsSince(mark), expected);
    QCOMPARE(shownIaValues(*window), QList<int>({3, 65, 60, 70, 2}));
    QCOMPARE(iaControls(*window).resizeMode->currentText(),
             QStringLiteral("IA Enabled 1280x1024 to 416x332 aspect ratio kept"));
    QCOMPARE(iaControls(*window).outputType->currentText(), QStringLiteral("OSD informations"));
    QCOMPARE(child<QSlider>(*window, "nbBoxesSlider")->value(), 65);
    QCOMPARE(child<QSlider>(*window, "iASensitivitySlider")->value(), 60);
    QCOMPARE(child<QSlider>(*window, "interOverUnionSlider")->value(), 70);
}

void tst_IaParameters::failedReadLeavesControls()
{
    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    script.iaReadFails = true;
    auto window = sdk.makeConnectedWindow(port, script);
    setIaControls(*window, 4, 11, 22, 33, 3);
    const SimulatedSdk::Mark mark = sdk.mark();

    SimulatedSdk::click(*window, "readIAControls");

    QCOMPARE(sdk.logTextsSince(mark),
             QStringList({"Start read IA parameters", "Unable to read IA configuration",
                          "End read IA parameters"}));
    QCOMPARE(shownIaValues(*window), QList<int>({4, 11, 22, 33, 3}));
}

void tst_IaParameters::writeSendsRecord_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("line");

    QTest::newRow("accepted") << false << "Set IA config OK";
    QTest::newRow("refused") << true << "Set IA config KO";
}

void tst_IaParameters::writeSendsRecord()
{
    QFETCH(bool, refused);
    QFETCH(QString, line);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script;
    if (refused)
        script.refusedSetters = {"SetIaConfig"};
    auto window = sdk.makeConnectedWindow(port, script);
    const QList<int> before = fields(sdk.registers(port).ia);
    setIaControls(*window, 2, 99, 1, 100, 3);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer;

    SimulatedSdk::click(*window, "applyIAControls");

    QCOMPARE(sdk.logTextsSince(mark), QStringList {line});
    QCOMPARE(sdk.traceSince(mark),
             QStringList {QStringLiteral("camera[COM3].SetIaConfig({resizeMode=2, maxBoxes=99, "
                                         "sensitivity=1, iouThreshold=100, outputType=3}) -> %1")
                              .arg(refused ? "false" : "true")});
    QCOMPARE(fields(sdk.registers(port).ia), refused ? before : QList<int>({2, 99, 1, 100, 3}));
    QCOMPARE(shownIaValues(*window), QList<int>({2, 99, 1, 100, 3}));
    QVERIFY(answerer.seen().isEmpty());
}

void tst_IaParameters::resetAnsweredNoChangesNothing()
{
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    setIaControls(*window, 4, 11, 22, 33, 3);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer(QMessageBox::No);

    SimulatedSdk::click(*window, "resetIAControls");

    QCOMPARE(answerer.texts(), QStringList {"Do you really want to reset IA settings?"});
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QVERIFY(box.title.isEmpty());
    QVERIFY(!box.hasParent);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::No);
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
    QCOMPARE(shownIaValues(*window), QList<int>({4, 11, 22, 33, 3}));
}

void tst_IaParameters::resetAnsweredYesSendsDefaults()
{
    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    nivaro_sim::ConfigurationValues &defaults = sdk.configuration();
    defaults.iaResizeMode = 4;
    defaults.iaMaxBoxes = 7;
    defaults.iaSensitivity = 80;
    defaults.iaIou = 30;
    defaults.iaOutputType = 1;
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer(QMessageBox::Yes);

    SimulatedSdk::click(*window, "resetIAControls");

    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(sdk.logTextsSince(mark), QStringList {"Set IA config OK"});
    QCOMPARE(shownIaValues(*window), QList<int>({4, 7, 80, 30, 1}));
    QCOMPARE(child<QSlider>(*window, "iASensitivitySlider")->value(), 80);
    QCOMPARE(fields(sdk.registers(port).ia), QList<int>({4, 7, 80, 30, 1}));
}

void tst_IaParameters::withoutCameraNothingHappens()
{
    SimulatedSdk sdk;
    auto window = SimulatedSdk::makeWindow();
    const QList<int> shown = shownIaValues(*window);
    const SimulatedSdk::Mark mark = sdk.mark();
    ModalAnswerer answerer(QMessageBox::Yes);

    window->ReadParamsIA();
    window->ApplyParamsIA();
    window->ResetParamsIA();

    QVERIFY(answerer.seen().isEmpty());
    QVERIFY(sdk.logTextsSince(mark).isEmpty());
    QVERIFY(sdk.traceSince(mark).isEmpty());
    QCOMPARE(shownIaValues(*window), shown);
}

QTEST_MAIN(tst_IaParameters)
#include "tst_iaparameters.moc"
