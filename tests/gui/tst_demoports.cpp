#include "device/portsources.h"
#include "windowtest.h"

// The demo configuration's cameras, one road per port, as the README tells them.
class tst_DemoPorts : public QObject
{
    Q_OBJECT

private slots:
    void demoPortsShowTheirDocumentedRoads_data();
    void demoPortsShowTheirDocumentedRoads();
};

void tst_DemoPorts::demoPortsShowTheirDocumentedRoads_data()
{
    QTest::addColumn<QString>("demoPort");
    QTest::addColumn<QStringList>("clicks"); // after Connect
    QTest::addColumn<QString>("bar"); // the controls it leaves enabled
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("logLines"); // among the log's lines, in this order

    const QStringList allTabs {"User", "IA control", "Expert"};
    QTest::newRow("COM1: no camera")
        << "COM1" << QStringList {} << portsListed << allTabs
        << QStringList {box::about("Invalid communication", "Select an other serial port")}
        << QStringList {"ALTERNATIVE SERIAL PORT : COM1"};
    QTest::newRow("COM3: slow link, registers of its own")
        << "COM3" << QStringList {} << connected << allTabs << QStringList {}
        << QStringList {"Gamma value = 1.5", "Polarity value = 1", "ZOOM factor value = 2",
                        "IA max boxes = 20", "IA Output type = 1"};
    QTest::newRow("COM4: no IA tab, refusing setters")
        << "COM4" << QStringList {"applyParamsButtonUser", "applyParamsButtonExpert"} << connected
        << QStringList {"User", "Expert"} << QStringList {}
        << QStringList {"Configure Zoom KO", "Set GFID value KO", "Set GMS value OK"};
    QTest::newRow("COM5: unplugged after 40 calls")
        << "COM5" << QStringList {"applyParamsButtonUser", "readParamButtonUser"} << connected
        << allTabs << QStringList {box::about("Camera not connected", "Unable to connect to COM5")}
        << QStringList {"Set IMAGE vertical FLIP value OK", "Set vignetting correction value KO",
                        "Set column correction value KO", "End Read camera parameters : COM Error"};
    QTest::newRow("COM6: failing IA read and NUC request")
        << "COM6" << QStringList {"userNucRequest"} << connected << allTabs
        << QStringList {box::warning("Error on processing the NUC request")}
        << QStringList {"Unable to read IA configuration", "End read IA parameters"};
    QTest::newRow("COM7: values of its own")
        << "COM7" << QStringList {} << connected << allTabs << QStringList {}
        << QStringList {"Gamma value = 1.10001",
                        "CLHE value = 2000",
                        "Sharpening value = 1.25",
                        "ROI X1 value = 300",
                        "Contrast type = CLAHE (LOCAL)",
                        "NUC state = Enabled",
                        "GSK value = 3",
                        "IA Output type = 3"};
}

void tst_DemoPorts::demoPortsShowTheirDocumentedRoads()
{
    QFETCH(QString, demoPort);
    QFETCH(QStringList, clicks);
    QFETCH(QString, bar);
    QFETCH(QStringList, tabs);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, logLines);

    SimulatedSdk sdk;
    QVERIFY(nivaro_sim::loadConfigurationFile(VELMORA_DEMO_CONFIG).empty());
    qputenv("NIVARO_SDK_CONFIG", VELMORA_DEMO_CONFIG);
    MainWindow window;
    window.setPortSource(portsources::sdkPorts());
    ModalAnswerer answerer;

    SimulatedSdk::click(window, "scanDeviceButton");
    qunsetenv("NIVARO_SDK_CONFIG");
    QVERIFY(comboItems(window, "selectDeviceComboBox").contains(demoPort));
    child<QComboBox>(window, "selectDeviceComboBox")->setCurrentText(demoPort);
    SimulatedSdk::click(window, "connectDeviceButton");
    for (const QString &button : clicks)
        SimulatedSdk::click(window, button.toLatin1().constData());

    QCOMPARE(barState(window), bar);
    QCOMPARE(tabTexts(window), tabs);
    QCOMPARE(answerer.shown(), boxes);
    const QStringList log = sdk.logTexts().join(QLatin1Char('\n')).split(QLatin1Char('\n'));
    int from = 0;
    for (const QString &line : logLines) {
        from = log.indexOf(line, from);
        QVERIFY2(from >= 0, qPrintable(line + " not in order in:\n" + log.join('\n')));
    }
}

QTEST_MAIN(tst_DemoPorts)
#include "tst_demoports.moc"
