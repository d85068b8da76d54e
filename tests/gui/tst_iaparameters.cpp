#include "windowtest.h"

// The IA control tab's Read, Write and Reset: five bytes in one record.
class tst_IaParameters : public QObject
{
    Q_OBJECT

private slots:
    void readShowsRecordAsNumbers_data();
    void readShowsRecordAsNumbers();
    void writeSendsRecord_data();
    void writeSendsRecord();
    void resetSendsDefaultsOnlyWhenAnsweredYes_data();
    void resetSendsDefaultsOnlyWhenAnsweredYes();
};

namespace {

const QString port = QStringLiteral("COM3");

// The five IA values, in the record's field order, as settings of the controls or as the
// camera's registers and the configuration's defaults, which share their names.
QStringList named(const QStringList &names, const QList<int> &values)
{
    QStringList settings;
    for (int field = 0; field < names.size(); ++field)
        settings << names[field] + '=' + QString::number(values.value(field));
    return settings;
}

QStringList iaControls(int resizeMode, int maxBoxes, int sensitivity, int iou, int outputType)
{
    return named({"iAResizeModeComboBox", "nbBoxesSpinBox", "iASensitivitySpinBox",
                  "interOverUnionSpinBox", "iAOutputTypeComboBox"},
                 {resizeMode, maxBoxes, sensitivity, iou, outputType});
}

QStringList record(int resizeMode, int maxBoxes, int sensitivity, int iou, int outputType)
{
    return named({"iaResizeMode", "iaMaxBoxes", "iaSensitivity", "iaIou", "iaOutputType"},
                 {resizeMode, maxBoxes, sensitivity, iou, outputType});
}

} // namespace

void tst_IaParameters::readShowsRecordAsNumbers_data()
{
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("shown");

    // 65 would print as "A" if a byte were streamed as a character.
    QTest::newRow("read") << false << iaControls(0, 0, 0, 0, 0)
                          << QStringList {"Start read IA parameters", "IA resize mode = 3",
                                          "IA max boxes = 65",        "IA sensitivity = 60",
                                          "IA InterOU = 70",          "IA Output type = 2",
                                          "End read IA parameters"}
                          << iaControls(3, 65, 60, 70, 2)
            + QStringList {"iAResizeModeComboBox=IA Enabled 1280x1024 to 416x332 aspect ratio kept",
                           "iAOutputTypeComboBox=OSD informations", "nbBoxesSlider=65",
                           "iASensitivitySlider=60", "interOverUnionSlider=70"};
    QTest::newRow("failed read leaves the controls")
        << true << iaControls(4, 11, 22, 33, 3)
        << QStringList {"Start read IA parameters", "Unable to read IA configuration",
                        "End read IA parameters"}
        << iaControls(4, 11, 22, 33, 3);
}

void tst_IaParameters::readShowsRecordAsNumbers()
{
    QFETCH(bool, fails);
    QFETCH(QStringList, before);
    QFETCH(QStringList, log);
    QFETCH(QStringList, shown);

    SimulatedSdk sdk;
    nivaro_sim::CameraScript script = scriptWith(
        settings("iaResizeMode=3, iaMaxBoxes=65, iaSensitivity=60, iaIou=70, iaOutputType=2"));
    script.iaReadFails = fails;
    auto window = sdk.makeConnectedWindow(port, script);
    setControls(*window, before);

    const SimulatedSdk::Clicked read = sdk.clickAndCollect(*window, "readIAControls");

    QCOMPARE(read.log, log);
    QCOMPARE(read.boxes, QStringList());
    QCOMPARE(showing(*window, shown), shown);
}

void tst_IaParameters::writeSendsRecord_data()
{
    QTest::addColumn<QString>("refused");

    QTest::newRow("accepted") << QString();
    QTest::newRow("refused") << QStringLiteral("SetIaConfig");
}

void tst_IaParameters::writeSendsRecord()
{
    QFETCH(QString, refused);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port, scriptRefusing(refused));
    const QStringList before = holding(sdk.registers(port), record(2, 99, 1, 100, 3));
    setControls(*window, iaControls(2, 99, 1, 100, 3));

    const SimulatedSdk::Clicked write = sdk.clickAndCollect(*window, "applyIAControls");

    QCOMPARE(write.log, writeLines(iaWriteSteps, refused));
    QCOMPARE(write.trace,
             QStringList {QStringLiteral("camera[COM3].SetIaConfig({resizeMode=2, maxBoxes=99, "
                                         "sensitivity=1, iouThreshold=100, outputType=3}) -> %1")
                              .arg(refused.isEmpty() ? "true" : "false")});
    QCOMPARE(holding(sdk.registers(port), before),
             refused.isEmpty() ? record(2, 99, 1, 100, 3) : before);
    QCOMPARE(showing(*window, iaControls(2, 99, 1, 100, 3)), iaControls(2, 99, 1, 100, 3));
    QCOMPARE(write.boxes, QStringList());
}

void tst_IaParameters::resetSendsDefaultsOnlyWhenAnsweredYes_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("held");

    QTest::newRow("No changes nothing")
        << int(QMessageBox::No) << iaControls(2, 11, 22, 33, 3) << record(1, 10, 50, 50, 0);
    QTest::newRow("Yes sends the defaults")
        << int(QMessageBox::Yes)
        << iaControls(4, 7, 80, 30, 1) + QStringList {"iASensitivitySlider=80"}
        << record(4, 7, 80, 30, 1);
}

void tst_IaParameters::resetSendsDefaultsOnlyWhenAnsweredYes()
{
    QFETCH(int, answer);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, held);

    SimulatedSdk sdk;
    auto window = sdk.makeConnectedWindow(port);
    setControls(*window, iaControls(2, 11, 22, 33, 3));
    sdk.setDefaults(record(4, 7, 80, 30, 1));

    const SimulatedSdk::Clicked reset
        = sdk.clickAndCollect(*window, "resetIAControls", QMessageBox::StandardButton(answer));

    QCOMPARE(reset.boxes, QStringList {box::question("Do you really want to reset IA settings?")});
    // Yes writes the record as the Write button does; No makes no SDK call at all.
    const bool yes = answer == QMessageBox::Yes;
    QCOMPARE(reset.log, yes ? writeLines(iaWriteSteps) : QStringList());
    if (!yes)
        QCOMPARE(reset.trace, QStringList());
    QCOMPARE(showing(*window, shown), shown);
    QCOMPARE(holding(sdk.registers(port), held), held);
}

QTEST_MAIN(tst_IaParameters)
#include "tst_iaparameters.moc"
