#include "ui_mainwindow.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

namespace {

struct FormWidget
{
    const char *name;
    const char *className;
};

// Creation order is also the keyboard focus order, since the form sets no tab stops.
const QVector<FormWidget> formWidgets = {
    {"scanDeviceButton", "QPushButton"},
    {"selectDeviceComboBox", "QComboBox"},
    {"connectDeviceButton", "QPushButton"},
    {"disconnectDeviceButton", "QPushButton"},
    {"resetParamButtonUser", "QPushButton"},
    {"applyParamsButtonUser", "QPushButton"},
    {"readParamButtonUser", "QPushButton"},
    {"tabWidget", "QTabWidget"},
    // User page
    {"VignettingCorrectionCheckBox", "QCheckBox"},
    {"xCenterZoomLabel", "QLabel"},
    {"sharpeningSlider", "QSlider"},
    {"factorZoomEdit", "QDoubleSpinBox"},
    {"yCenterZoomEdit", "QSpinBox"},
    {"verticalFlipCheckBox", "QCheckBox"},
    {"sharpeningLabel", "QLabel"},
    {"x1RoiEdit", "QSpinBox"},
    {"y1RoiLabel", "QLabel"},
    {"y2RoiLabel", "QLabel"},
    {"userNucRequest", "QPushButton"},
    {"gammaSlider", "QSlider"},
    {"gammaLabel", "QLabel"},
    {"yCenterZoomLabel", "QLabel"},
    {"horizontalFlipCheckBox", "QCheckBox"},
    {"roiLabel", "QLabel"},
    {"y1RoiEdit", "QSpinBox"},
    {"clheSlider", "QSlider"},
    {"polarityCheckBox", "QCheckBox"},
    {"contrastTypeEdit", "QComboBox"},
    {"clheEdit", "QDoubleSpinBox"},
    {"methodZoomLabel", "QLabel"},
    {"sharpeningEdit", "QDoubleSpinBox"},
    {"factorZoomLabel", "QLabel"},
    {"zoomLabel", "QLabel"},
    {"userNucCheckBox", "QCheckBox"},
    {"methodZoomEdit", "QComboBox"},
    {"xCenterZoomEdit", "QSpinBox"},
    {"x2RoiEdit", "QSpinBox"},
    {"ColumnCorrectionCheckBox", "QCheckBox"},
    {"x1RoiLabel", "QLabel"},
    {"y2RoiEdit", "QSpinBox"},
    {"x2RoiLabel", "QLabel"},
    {"gammaEdit", "QDoubleSpinBox"},
    // IA control page
    {"label_10", "QLabel"},
    {"label_6", "QLabel"},
    {"interOverUnionSpinBox", "QSpinBox"},
    {"readIAControls", "QPushButton"},
    {"resetIAControls", "QPushButton"},
    {"label_4", "QLabel"},
    {"label_8", "QLabel"},
    {"applyIAControls", "QPushButton"},
    {"label_5", "QLabel"},
    {"iASensitivitySpinBox", "QSpinBox"},
    {"label_3", "QLabel"},
    {"label_7", "QLabel"},
    {"nbBoxesSpinBox", "QSpinBox"},
    {"iAOutputTypeComboBox", "QComboBox"},
    {"nbBoxesSlider", "QSlider"},
    {"iASensitivitySlider", "QSlider"},
    {"interOverUnionSlider", "QSlider"},
    {"iAResizeModeComboBox", "QComboBox"},
    {"IAresizeModeLabel", "QLabel"},
    // Expert page
    {"gmsLabel", "QLabel"},
    {"gfidLabel", "QLabel"},
    {"gmsEdit", "QDoubleSpinBox"},
    {"gskSlider", "QSlider"},
    {"gskLabel", "QLabel"},
    {"tintSlider", "QSlider"},
    {"BPRCheckBox", "QCheckBox"},
    {"gskEdit", "QDoubleSpinBox"},
    {"tintLabel", "QLabel"},
    {"readParamButtonExpert", "QPushButton"},
    {"gmsSlider", "QSlider"},
    {"gfidSlider", "QSlider"},
    {"applyParamsButtonExpert", "QPushButton"},
    {"nucRequest", "QPushButton"},
    {"offsetCheckBox", "QCheckBox"},
    {"gfidEdit", "QDoubleSpinBox"},
    {"tintEdit", "QDoubleSpinBox"},
    {"nucCheckBox", "QCheckBox"},
    {"gainCheckBox", "QCheckBox"},
    // Information bar
    {"logView", "QPlainTextEdit"},
    {"label", "QLabel"},
    {"label_2", "QLabel"},
    {"aboutButton", "QPushButton"},
};

// The form built on a plain window, exactly as setup leaves it.
struct Form
{
    Form() { ui.setupUi(&window); }

    template<typename T> T *widget(const QString &name) const
    {
        return window.findChild<T *>(name);
    }

    // Everything the form places itself, leaving out the internals of Qt's composite widgets.
    QList<QWidget *> placedWidgets() const
    {
        const QList<const QWidget *> containers
            = {ui.centralWidget, ui.UserMode, ui.IAControl, ui.ExpertMode};
        QList<QWidget *> placed;
        for (QWidget *child : window.findChildren<QWidget *>())
            if (containers.contains(child->parentWidget()))
                placed.append(child);
        return placed;
    }

    QMainWindow window;
    Ui::MainWindow ui;
};

// What the user can read off a value control: its limits, steps, precision and value.
QStringList valueState(const QWidget *control)
{
    if (auto slider = qobject_cast<const QAbstractSlider *>(control))
        return {QString::number(slider->minimum()), QString::number(slider->maximum()),
                QString::number(slider->singleStep()), QString::number(slider->pageStep()),
                QString::number(slider->value())};
    if (auto spin = qobject_cast<const QSpinBox *>(control))
        return {QString::number(spin->minimum()), QString::number(spin->maximum()),
                QString::number(spin->singleStep()), QString::number(spin->value())};
    if (auto spin = qobject_cast<const QDoubleSpinBox *>(control))
        return {QString::number(spin->minimum(), 'g', 12),
                QString::number(spin->maximum(), 'g', 12),
                QString::number(spin->singleStep()),
                QString::number(spin->decimals()),
                QString::number(spin->value()),
                spin->text()};
    if (auto combo = qobject_cast<const QComboBox *>(control))
        return {QString::number(combo->count()), QString::number(combo->currentIndex())};
    if (auto check = qobject_cast<const QCheckBox *>(control))
        return {QString::number(check->checkState())};
    if (auto tabs = qobject_cast<const QTabWidget *>(control))
        return {QString::number(tabs->count()), QString::number(tabs->currentIndex())};
    return {};
}

QStringList formState(const Form &form)
{
    QStringList state;
    for (const QWidget *placed : form.placedWidgets())
        state << placed->objectName() + (placed->isEnabled() ? " enabled " : " disabled ")
                + valueState(placed).join(' ');
    for (const QWidget *page : {form.ui.UserMode, form.ui.IAControl, form.ui.ExpertMode})
        state << page->objectName() + (page->isEnabled() ? " enabled" : " disabled");
    return state;
}

// Moves every control of the form away from its starting state.
void disturb(Form &form)
{
    for (QWidget *placed : form.placedWidgets()) {
        if (auto slider = qobject_cast<QAbstractSlider *>(placed))
            slider->setValue(slider->maximum());
        else if (auto spin = qobject_cast<QSpinBox *>(placed))
            spin->setValue(spin->maximum());
        else if (auto spin = qobject_cast<QDoubleSpinBox *>(placed))
            spin->setValue(spin->maximum());
        else if (auto combo = qobject_cast<QComboBox *>(placed))
            combo->setCurrentIndex(combo->count() - 1);
        else if (auto check = qobject_cast<QCheckBox *>(placed))
            check->toggle();
        placed->setEnabled(!placed->isEnabled());
    }
    for (QWidget *page : {form.ui.UserMode, form.ui.IAControl, form.ui.ExpertMode})
        page->setEnabled(!page->isEnabled());
    form.ui.tabWidget->setCurrentIndex(2);
}

QString richText(const QStringList &paragraphs)
{
    return "<html><head/><body><p>" + paragraphs.join("</p><p>") + "</p></body></html>";
}

} // namespace

class tst_Form : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void focusFollowsCreationOrder();
    void widgetsHaveTheirClasses();
    void startsWithUserAndIaPagesLocked();
    void comboBoxesListTheirItems_data();
    void comboBoxesListTheirItems();
    void valueControlsStartWithTheirRanges_data();
    void valueControlsStartWithTheirRanges();
    void checkBoxesStartWithTheirStateAndSide_data();
    void checkBoxesStartWithTheirStateAndSide();
    void retranslationRewritesOnlyTexts();
    void windowCannotBeNarrowedBelowItsMinimum();
    void buttonsShowEmbeddedIcons_data();
    void buttonsShowEmbeddedIcons();
    void logosShowEmbeddedPicturesAndLinks();
    void tooltipsKeepTheirExactWording_data();
    void tooltipsKeepTheirExactWording();
};

void tst_Form::initTestCase()
{
    // Spin boxes format their text with the default locale; pin it so the shown texts compare.
    QLocale::setDefault(QLocale::c());
}

void tst_Form::focusFollowsCreationOrder()
{
    Form form;
    const QList<QWidget *> placed = form.placedWidgets();
    QStringList chain;
    for (QWidget *next = form.window.nextInFocusChain(); next != &form.window;
         next = next->nextInFocusChain()) {
        if (placed.contains(next))
            chain << next->objectName();
    }

    QStringList expected;
    for (const FormWidget &entry : formWidgets)
        expected << entry.name;
    QCOMPARE(chain, expected);
}

void tst_Form::widgetsHaveTheirClasses()
{
    Form form;
    QStringList wrong;
    for (const FormWidget &entry : formWidgets) {
        const QWidget *found = form.widget<QWidget>(entry.name);
        const QString className = found ? found->metaObject()->className() : "missing";
        if (className != entry.className)
            wrong << QString("%1 is %2, not %3").arg(entry.name, className, entry.className);
    }
    QCOMPARE(wrong, QStringList());
    QCOMPARE(form.placedWidgets().size(), formWidgets.size());
}

void tst_Form::startsWithUserAndIaPagesLocked()
{
    Form form;
    QTabWidget *tabs = form.ui.tabWidget;
    QCOMPARE(tabs->count(), 3);
    const QStringList pageNames = {"UserMode", "IAControl", "ExpertMode"};
    const QStringList titles = {"User", "IA control", "Expert"};
    const QList<bool> enabled = {false, false, true};
    for (int index = 0; index < tabs->count(); ++index) {
        QCOMPARE(tabs->widget(index)->objectName(), pageNames.at(index));
        QCOMPARE(tabs->tabText(index), titles.at(index));
        QCOMPARE(tabs->widget(index)->isEnabled(), enabled.at(index));
    }
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(tabs->isEnabled());

    for (const QPushButton *command :
         {form.ui.resetParamButtonUser, form.ui.applyParamsButtonUser, form.ui.readParamButtonUser})
        QVERIFY2(!command->isEnabled(), qPrintable(command->objectName()));
    for (const QPushButton *connection : {form.ui.scanDeviceButton, form.ui.connectDeviceButton,
                                          form.ui.disconnectDeviceButton, form.ui.aboutButton})
        QVERIFY2(connection->isEnabled(), qPrintable(connection->objectName()));
    QCOMPARE(form.ui.selectDeviceComboBox->count(), 0);
    QCOMPARE(form.window.windowTitle(), QString("Nivaro HD Velmora"));
    QVERIFY(!form.window.windowIcon().isNull());
}

void tst_Form::comboBoxesListTheirItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("currentIndex");

    QTest::newRow("zoom method") << "methodZoomEdit" << QStringList {"Nearest", "Bilinear"} << 0;
    QTest::newRow("contrast algorithm")
        << "contrastTypeEdit" << QStringList {"CLHE (ROI)", "CLAHE (Local)"} << 0;
    QTest::newRow("IA resize mode starts on item 1")
        << "iAResizeModeComboBox"
        << QStringList {"disabled", "IA Enabled 1280x1024 to 416x416 aspect ratio lost",
                        "IA Enabled 1024x1024 to 416x416 aspect ratio kept",
                        "IA Enabled 1280x1024 to 416x332 aspect ratio kept",
                        "IA Enabled centered 416x416 aspect ratio kept"}
        << 1;
    QTest::newRow("IA output type")
        << "iAOutputTypeComboBox"
        << QStringList {"Disabled", "UART communication", "OSD informations", "UART&OSD"} << 0;
}

void tst_Form::comboBoxesListTheirItems()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    QFETCH(int, currentIndex);

    Form form;
    const QComboBox *combo = form.widget<QComboBox>(name);
    QVERIFY(combo);
    QStringList shown;
    for (int index = 0; index < combo->count(); ++index)
        shown << combo->itemText(index);
    QCOMPARE(shown, items);
    QCOMPARE(combo->currentIndex(), currentIndex);
    QCOMPARE(combo->currentText(), items.at(currentIndex));
}

void tst_Form::valueControlsStartWithTheirRanges_data()
{
    // Sliders: minimum, maximum, single step, page step, value.
    // Spin boxes: minimum, maximum, single step, value.
    // Double spin boxes: minimum, maximum, single step, decimals, value, shown text.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("state");

    QTest::newRow("gamma slider") << "gammaSlider" << QStringList {"0", "20", "2", "5", "0"};
    QTest::newRow("gamma spin box pulled up to its minimum")
        << "gammaEdit" << QStringList {"0.5", "2.5", "0.1", "1", "0.5", "0.5"};
    QTest::newRow("sharpening slider")
        << "sharpeningSlider" << QStringList {"0", "40", "4", "10", "0"};
    QTest::newRow("sharpening spin box")
        << "sharpeningEdit" << QStringList {"0", "4", "0.1", "1", "0", "0.0"};
    QTest::newRow("contrast slider")
        << "clheSlider" << QStringList {"0", "30000", "300", "1000", "0"};
    QTest::newRow("contrast spin box shows whole numbers")
        << "clheEdit" << QStringList {"0", "30000", "1", "0", "0", "0"};
    QTest::newRow("zoom factor pulled up to 1.0")
        << "factorZoomEdit" << QStringList {"1", "8", "0.1", "1", "1", "1.0"};
    QTest::newRow("zoom x centre") << "xCenterZoomEdit" << QStringList {"0", "1920", "1", "640"};
    QTest::newRow("zoom y centre") << "yCenterZoomEdit" << QStringList {"0", "1080", "1", "512"};
    QTest::newRow("ROI x1") << "x1RoiEdit" << QStringList {"5", "1275", "1", "5"};
    QTest::newRow("ROI y1") << "y1RoiEdit" << QStringList {"5", "1019", "1", "5"};
    QTest::newRow("ROI x2") << "x2RoiEdit" << QStringList {"5", "1275", "1", "5"};
    QTest::newRow("ROI y2") << "y2RoiEdit" << QStringList {"5", "1019", "1", "5"};
    for (const char *pair : {"nbBoxes", "iASensitivity", "interOverUnion"}) {
        QTest::addRow("%s slider", pair)
            << QString(pair) + "Slider" << QStringList {"0", "100", "1", "10", "0"};
        QTest::addRow("%s spin box", pair)
            << QString(pair) + "SpinBox" << QStringList {"0", "100", "1", "0"};
    }
    QTest::newRow("GSK slider") << "gskSlider" << QStringList {"0", "20", "1", "5", "0"};
    QTest::newRow("GSK whole numbers stepped by hundredths")
        << "gskEdit" << QStringList {"1", "3", "0.01", "0", "1", "1"};
    QTest::newRow("GFID slider") << "gfidSlider" << QStringList {"0", "1000", "1", "50", "0"};
    QTest::newRow("GFID spin box")
        << "gfidEdit" << QStringList {"0", "1000", "0.01", "0", "0", "0"};
    QTest::newRow("GMS slider keeps the default range")
        << "gmsSlider" << QStringList {"0", "99", "1", "10", "0"};
    QTest::newRow("GMS spin box reaches 2^32")
        << "gmsEdit" << QStringList {"0", "4294967296", "1", "0", "0", "0"};
    QTest::newRow("TINT slider") << "tintSlider" << QStringList {"0", "20", "1", "5", "0"};
    QTest::newRow("TINT spin box") << "tintEdit" << QStringList {"0", "2", "0.01", "0", "0", "0"};
}

void tst_Form::valueControlsStartWithTheirRanges()
{
    QFETCH(QString, name);
    QFETCH(QStringList, state);

    Form form;
    const QWidget *control = form.widget<QWidget>(name);
    QVERIFY(control);
    QCOMPARE(valueState(control), state);
}

void tst_Form::checkBoxesStartWithTheirStateAndSide_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<Qt::LayoutDirection>("direction");

    QTest::newRow("polarity") << "polarityCheckBox" << false << Qt::LeftToRight;
    QTest::newRow("user NUC, box on the right") << "userNucCheckBox" << false << Qt::RightToLeft;
    QTest::newRow("vertical flip") << "verticalFlipCheckBox" << false << Qt::LeftToRight;
    QTest::newRow("horizontal flip") << "horizontalFlipCheckBox" << false << Qt::LeftToRight;
    QTest::newRow("column correction, box on the right")
        << "ColumnCorrectionCheckBox" << false << Qt::RightToLeft;
    QTest::newRow("vignetting correction, box on the right")
        << "VignettingCorrectionCheckBox" << false << Qt::RightToLeft;
    QTest::newRow("expert NUC") << "nucCheckBox" << false << Qt::LeftToRight;
    QTest::newRow("bad-pixel replacement") << "BPRCheckBox" << true << Qt::LeftToRight;
    QTest::newRow("gain") << "gainCheckBox" << true << Qt::LeftToRight;
    QTest::newRow("offset") << "offsetCheckBox" << true << Qt::LeftToRight;
}

void tst_Form::checkBoxesStartWithTheirStateAndSide()
{
    QFETCH(QString, name);
    QFETCH(bool, checked);
    QFETCH(Qt::LayoutDirection, direction);

    Form form;
    const QCheckBox *box = form.widget<QCheckBox>(name);
    QVERIFY(box);
    QCOMPARE(box->checkState(), checked ? Qt::Checked : Qt::Unchecked);
    QCOMPARE(box->layoutDirection(), direction);
}

void tst_Form::retranslationRewritesOnlyTexts()
{
    Form form;
    disturb(form);
    form.ui.scanDeviceButton->setText("changed");
    form.ui.iAResizeModeComboBox->setItemText(4, "changed");
    form.ui.tabWidget->setTabText(1, "changed");
    const QStringList before = formState(form);

    form.ui.retranslateUi(&form.window);

    QCOMPARE(formState(form), before);
    QCOMPARE(form.ui.scanDeviceButton->text(), QString("Scan Devices"));
    QCOMPARE(form.ui.iAResizeModeComboBox->currentText(),
             QString("IA Enabled centered 416x416 aspect ratio kept"));
    QCOMPARE(form.ui.tabWidget->tabText(1), QString("IA control"));
}

void tst_Form::windowCannotBeNarrowedBelowItsMinimum()
{
    Form form;
    form.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form.window));
    QCOMPARE(form.window.size(), QSize(960, 872));

    form.window.resize(400, 300);
    QCOMPARE(form.window.width(), 960);
    QCOMPARE(form.window.height(), form.window.minimumHeight());
    QVERIFY(form.window.height() < 872);
}

void tst_Form::buttonsShowEmbeddedIcons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("iconSize");

    QTest::newRow("scan") << "scanDeviceButton" << QSize(20, 20);
    QTest::newRow("connect") << "connectDeviceButton" << QSize(20, 20);
    QTest::newRow("disconnect") << "disconnectDeviceButton" << QSize(20, 20);
    QTest::newRow("reset") << "resetParamButtonUser" << QSize(20, 20);
    QTest::newRow("write") << "applyParamsButtonUser" << QSize(20, 20);
    QTest::newRow("read, one pixel narrower") << "readParamButtonUser" << QSize(19, 20);
}

void tst_Form::buttonsShowEmbeddedIcons()
{
    QFETCH(QString, name);
    QFETCH(QSize, iconSize);

    Form form;
    const QPushButton *button = form.widget<QPushButton>(name);
    QVERIFY(button);
    QVERIFY(!button->icon().isNull());
    QCOMPARE(button->iconSize(), iconSize);
}

void tst_Form::logosShowEmbeddedPicturesAndLinks()
{
    Form form;
    const QRegularExpression imageSource("<img src=\"([^\"]+)\"/>");
    const QRegularExpression linkText(
        "<a href=\"https?://[^\"]+\"><span style=\" "
        "text-decoration: underline; color:#0000ff;\">([^<]+)</span></a>");
    const QList<QPair<const QLabel *, QString>> logos
        = {{form.ui.label, "Nivaro HD"}, {form.ui.label_2, "Dravik Technologies"}};
    for (const auto &logo : logos) {
        const QRegularExpressionMatch image = imageSource.match(logo.first->text());
        QVERIFY2(image.hasMatch(), qPrintable(logo.first->text()));
        QVERIFY2(!QImage(image.captured(1)).isNull(), qPrintable(image.captured(1)));

        const QRegularExpressionMatch link = linkText.match(logo.first->toolTip());
        QVERIFY2(link.hasMatch(), qPrintable(logo.first->toolTip()));
        QCOMPARE(link.captured(1), logo.second);
    }
}

void tst_Form::tooltipsKeepTheirExactWording_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("paragraphs");

    QTest::newRow("reset, as misspelt")
        << "resetParamButtonUser" << QStringList {"Rest default parameter"};
    QTest::newRow("zoom method")
        << "methodZoomLabel"
        << QStringList {"Nearest neighbour : makes pixelization but is better for algorithm",
                        "Bilinear : more confortable to the eye (smoother effet) but not good for "
                        "algorithms."};
    QTest::newRow("user NUC request")
        << "userNucRequest"
        << QStringList {
               "Activates a immediate calibration creating NUC tables at actual temperature.",
               "Before sending the request, put a shutter in front of the camera. When NUC "
               "request clicked then pull off the shutter.",
               "Take care, Enable NUC is activated when clicking on NUC Request button. You "
               "need a read to refresh the Enable NUC from camera."};
    QTest::newRow("contrast algorithm")
        << "contrastTypeEdit"
        << QStringList {
               "Select algorithm for LUT calculation.",
               "CLHE (contrast limited histogram equalization) is using RoI area for "
               "calculation",
               "CLAHE (contrast limited adaptative histogram equalization) is using sectors "
               "of the image for local calculation.",
               "Contrast parameter is a mix between linear LUT and histogram equalization "
               "LUT.",
               "Lower values increase histogram linearity.",
               "Higher values increase histogram dynamism."};
    QTest::newRow("TINT borrows the sharpening text")
        << "tintLabel" << QStringList {"The sharpening filter enhance the edges of objects."};
}

void tst_Form::tooltipsKeepTheirExactWording()
{
    QFETCH(QString, name);
    QFETCH(QStringList, paragraphs);

    Form form;
    const QWidget *widget = form.widget<QWidget>(name);
    QVERIFY(widget);
    QCOMPARE(widget->toolTip(), richText(paragraphs));
}

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
