#include "ui_mainwindow.h"

#include <QtTest>
#include <QtWidgets>

// The main window's form as setup leaves it: what a user reads on it, where the keys take its
// controls, where the Tab key goes, and what the text step rewrites.
namespace {

// The form built on a plain window, exactly as setup leaves it.
struct Form
{
    Form() { ui.setupUi(&window); }

    QList<QWidget *> pages() const { return {ui.UserMode, ui.IAControl, ui.ExpertMode}; }

    // Everything the form places itself, leaving out the internals of Qt's composite widgets.
    QList<QWidget *> placedWidgets() const
    {
        QList<QWidget *> placed;
        for (QWidget *child : window.findChildren<QWidget *>())
            if (child->parentWidget() == ui.centralWidget
                || pages().contains(child->parentWidget()))
                placed.append(child);
        return placed;
    }

    QMainWindow window;
    Ui::MainWindow ui;
};

QString shownBy(const QWidget &widget)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(&widget)) {
        const QString mark = box->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]");
        return box->layoutDirection() == Qt::RightToLeft ? box->text() + ' ' + mark
                                                         : mark + ' ' + box->text();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(&widget)) {
        const QSize icon = button->iconSize();
        return button->icon().isNull() ? button->text()
                                       : QStringLiteral("%1 (icon %2x%3)")
                                             .arg(button->text())
                                             .arg(icon.width())
                                             .arg(icon.height());
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(&widget)) {
        QStringList items;
        for (int index = 0; index < combo->count(); ++index)
            items << (index == combo->currentIndex() ? "[" + combo->itemText(index) + "]"
                                                     : combo->itemText(index));
        return items.join(QStringLiteral(" / "));
    }
    // A spin box's text, the log pane's, or the window's title.
    for (const char *property : {"text", "plainText", "windowTitle"}) {
        if (const QVariant text = widget.property(property); text.isValid())
            return text.toString();
    }
    return {};
}

// What the text step may not change: every placed widget's values, ranges, indices, states.
QStringList formState(const Form &form)
{
    QStringList state;
    for (const QWidget *placed : form.placedWidgets() + form.pages()) {
        QStringList values {placed->isEnabledTo(placed->parentWidget()) ? "enabled" : "disabled"};
        for (const char *property : {"minimum", "maximum", "singleStep", "pageStep", "decimals",
                                     "value", "cleanText", "currentIndex", "checked", "count"})
            values << placed->property(property).toString();
        state << placed->objectName() + ": " + values.join(' ');
    }
    return state;
}

// Moves every control of the form away from its starting state.
void disturb(Form &form)
{
    for (QWidget *placed : form.placedWidgets() + form.pages()) {
        if (placed->property("maximum").isValid()) // the sliders and spin boxes
            placed->setProperty("value", placed->property("maximum"));
        if (auto combo = qobject_cast<QComboBox *>(placed))
            combo->setCurrentIndex(combo->count() - 1);
        if (auto check = qobject_cast<QCheckBox *>(placed))
            check->toggle();
        placed->setEnabled(!placed->isEnabled());
    }
    form.ui.tabWidget->setCurrentIndex(2);
}

// Typed over a spin box's whole text, then Enter.
QTestEventList typed(const QString &text)
{
    QTestEventList events;
    events.addKeyClick(Qt::Key_A, Qt::ControlModifier);
    events.addKeyClicks(text);
    events.addKeyClick(Qt::Key_Enter);
    return events;
}

QTestEventList pressed(std::initializer_list<Qt::Key> keys)
{
    QTestEventList events;
    for (const Qt::Key key : keys)
        events.addKeyClick(key);
    return events;
}

} // namespace

class tst_Form : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsWhatItIsKnownBy_data();
    void showsWhatItIsKnownBy();
    void keysKeepControlsInTheirRange_data();
    void keysKeepControlsInTheirRange();
    void tabKeyFollowsCreationOrder();
    void retranslationRewritesOnlyTexts();
    void windowCannotBeNarrowedBelowItsMinimum();
    void logosShowEmbeddedPicturesAndLinks();
};

void tst_Form::initTestCase()
{
    // Spin boxes format their text with the default locale; pin it so the shown texts compare.
    QLocale::setDefault(QLocale::c());
}

void tst_Form::showsWhatItIsKnownBy_data()
{
    // A check box shows its box, [x] or [ ], on the side its layout direction puts it; a list
    // its items, the current one in brackets; a button its icon.
    QTest::addColumn<QString>("shows");
    QTest::addColumn<QStringList>("tooltip"); // its first paragraphs

    const auto row = [](const char *name, const char *shows, const QStringList &tooltip = {}) {
        QTest::newRow(name) << QString::fromUtf8(shows) << tooltip;
    };
    row("MainWindow", "Nivaro HD Velmora");
    row("scanDeviceButton", "Scan Devices (icon 20x20)", {"Scan devices on Com port"});
    row("selectDeviceComboBox", "", {"Found devices"});
    row("connectDeviceButton", "Connect (icon 20x20)");
    row("disconnectDeviceButton", "Disconnect (icon 20x20)");
    row("resetParamButtonUser", "Reset (icon 20x20)", {"Rest default parameter"});
    row("applyParamsButtonUser", "Write (icon 20x20)");
    row("readParamButtonUser", "Read (icon 19x20)", {"Read parameters from camera"});
    row("VignettingCorrectionCheckBox", "Vignetting Correction [ ]");
    row("userNucCheckBox", "Enable NUC [ ]");
    row("ColumnCorrectionCheckBox", "Column Correction [ ]");
    row("polarityCheckBox", "[ ] Invert Polarity");
    row("horizontalFlipCheckBox", "[ ] Horizontal Flip");
    row("verticalFlipCheckBox", "[ ] Vertical Flip");
    row("BPRCheckBox", "[x] Enable BPR");
    row("offsetCheckBox", "[x] Enable Offset");
    row("gainCheckBox", "[x] Enable Gain");
    row("nucCheckBox", "[ ] Enable NUC");
    row("sharpeningEdit", "0.0");
    row("clheEdit", "0");
    row("factorZoomEdit", "1.0");
    row("methodZoomEdit", "[Nearest] / Bilinear");
    row("contrastTypeEdit", "[CLHE (ROI)] / CLAHE (Local)");
    row("iAResizeModeComboBox",
        "disabled / [IA Enabled 1280x1024 to 416x416 aspect ratio lost] / IA Enabled 1024x1024 to "
        "416x416 aspect ratio kept / IA Enabled 1280x1024 to 416x332 aspect ratio kept / IA "
        "Enabled centered 416x416 aspect ratio kept");
    row("iAOutputTypeComboBox", "[Disabled] / UART communication / OSD informations / UART&OSD");
    row("gskEdit", "1");
    row("logView", "", {"Log messages with camera"});
    row("aboutButton", "About...");
}

void tst_Form::showsWhatItIsKnownBy()
{
    QFETCH(QString, shows);
    QFETCH(QStringList, tooltip);

    Form form;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QWidget *widget
        = name == form.window.objectName() ? &form.window : form.window.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable("the form has no " + name));
    QCOMPARE(shownBy(*widget), shows);
    // The tooltip as a user reads it, a paragraph a line.
    const QString tip = QTextDocumentFragment::fromHtml(widget->toolTip()).toPlainText();
    QCOMPARE(tip.split('\n').mid(0, tooltip.size()), tooltip);
}

void tst_Form::keysKeepControlsInTheirRange_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QTestEventList>("input");
    QTest::addColumn<QString>("shown"); // a slider's position, a spin box's text

    const auto row = [](const QByteArray &name, const char *control, const QTestEventList &input,
                        const QString &shown) {
        QTest::newRow(name.constData()) << QByteArray(control) << input << shown;
    };
    // From its start, a step and a page, then its end.
    const auto slider = [&row](const char *name, int stepAndPage, int end) {
        row(name + QByteArray(" steps"), name, pressed({Qt::Key_Right, Qt::Key_PageUp}),
            QString::number(stepAndPage));
        row(name + QByteArray(" ends"), name, pressed({Qt::Key_End}), QString::number(end));
    };
    slider("sharpeningSlider", 14, 40);
    slider("gammaSlider", 7, 20);
    slider("clheSlider", 1300, 30000);
    slider("nbBoxesSlider", 11, 100);
    slider("iASensitivitySlider", 11, 100);
    slider("interOverUnionSlider", 11, 100);
    slider("gskSlider", 6, 20);
    slider("tintSlider", 6, 20);
    slider("gmsSlider", 11, 99);
    slider("gfidSlider", 51, 1000);
    // A key that would take the text beyond the range is refused; a value typed below it is
    // raised to the minimum with Enter.
    row("x1 up", "x1RoiEdit", pressed({Qt::Key_Up}), "6");
    row("x1 below 5", "x1RoiEdit", typed("0"), "5");
    row("x1 above 1275", "x1RoiEdit", typed("1276"), "127");
    row("x2 at 1275", "x2RoiEdit", typed("1275"), "1275");
    row("x2 below 5", "x2RoiEdit", typed("4"), "5");
    row("y1 above 1019", "y1RoiEdit", typed("1020"), "102");
    row("y1 below 5", "y1RoiEdit", typed("3"), "5");
    row("y1 at 1019", "y1RoiEdit", typed("1019"), "1019");
    row("y2 below 5", "y2RoiEdit", typed("4"), "5");
    row("y2 at 1019", "y2RoiEdit", typed("1019"), "1019");
    row("gamma up", "gammaEdit", pressed({Qt::Key_Up}), "0.6");
    row("gamma below 0.5", "gammaEdit", typed("0.4"), "0.5");
    row("gamma at 2.5", "gammaEdit", typed("2.5"), "2.5");
    row("gamma above 2.5", "gammaEdit", typed("2.6"), "2.0");
    row("sharpening up a page", "sharpeningEdit", pressed({Qt::Key_PageUp}), "1.0");
    row("sharpening above 4", "sharpeningEdit", typed("4.5"), "4.0");
    row("sharpening in one decimal", "sharpeningEdit", typed("1.25"), "1.2");
    row("contrast in whole numbers", "clheEdit", typed("12.5"), "12");
    row("contrast above 30000", "clheEdit", typed("30001"), "3000");
    row("zoom factor up", "factorZoomEdit", pressed({Qt::Key_Up}), "1.1");
    row("zoom factor in one decimal", "factorZoomEdit", typed("2.25"), "2.2");
    row("zoom factor above 8", "factorZoomEdit", typed("9"), "1.0");
    row("zoom factor below 1", "factorZoomEdit", typed("0.5"), "1.0");
    row("zoom centre x at 0", "xCenterZoomEdit", typed("0"), "0");
    row("zoom centre x at 1920", "xCenterZoomEdit", typed("1920"), "1920");
    row("zoom centre x above 1920", "xCenterZoomEdit", typed("1921"), "192");
    row("zoom centre y at 1080", "yCenterZoomEdit", typed("1080"), "1080");
    row("zoom centre y above 1080", "yCenterZoomEdit", typed("1081"), "108");
    row("zoom centre y at 0", "yCenterZoomEdit", typed("0"), "0");
    row("boxes at 100", "nbBoxesSpinBox", typed("100"), "100");
    row("boxes above 100", "nbBoxesSpinBox", typed("101"), "10");
    row("boxes at 0", "nbBoxesSpinBox", typed("0"), "0");
    row("sensitivity above 100", "iASensitivitySpinBox", typed("101"), "10");
    row("sensitivity at 100", "iASensitivitySpinBox", typed("100"), "100");
    row("IoU at 0", "interOverUnionSpinBox", typed("0"), "0");
    row("IoU at 100", "interOverUnionSpinBox", typed("100"), "100");
    row("IoU above 100", "interOverUnionSpinBox", typed("101"), "10");
    row("GSK below 1", "gskEdit", typed("0"), "1");
    row("GSK above 3", "gskEdit", typed("4"), "1");
    row("GSK in whole numbers", "gskEdit", typed("2.5"), "2");
    row("GFID up a page", "gfidEdit", pressed({Qt::Key_PageUp}), "0");
    row("GMS at 2^32", "gmsEdit", typed("4294967296"), "4294967296");
    row("GMS above 2^32", "gmsEdit", typed("4294967297"), "429496729");
    row("GMS below 0", "gmsEdit", typed("-1"), "0");
    row("TINT in whole numbers", "tintEdit", typed("1.5"), "1");
    row("TINT above 2", "tintEdit", typed("3"), "0");
}

void tst_Form::keysKeepControlsInTheirRange()
{
    QFETCH(QByteArray, control);
    QFETCH(QTestEventList, input);
    QFETCH(QString, shown);

    Form form;
    for (QWidget *page : form.pages())
        page->setEnabled(true);
    auto *widget = form.window.findChild<QWidget *>(QString::fromLatin1(control));
    QVERIFY(widget);
    input.simulate(widget);
    const auto *slider = qobject_cast<QSlider *>(widget);
    QCOMPARE(slider ? QString::number(slider->value()) : widget->property("text").toString(),
             shown);
}

void tst_Form::tabKeyFollowsCreationOrder()
{
    // No tab order is set: Tab visits the controls as the form creates them, the tab widget's
    // pages in turn right after the tab widget.
    Form form;
    QList<QObject *> created;
    for (QObject *child : form.ui.centralWidget->children()) {
        created << child;
        if (child == form.ui.tabWidget) {
            for (const QWidget *page : form.pages())
                created << page->children();
        }
    }
    QStringList expected, chain;
    for (const QObject *object : created) {
        const auto *widget = qobject_cast<const QWidget *>(object);
        if (widget && (widget->focusPolicy() & Qt::TabFocus))
            expected << widget->objectName();
    }
    for (QWidget *next = form.window.nextInFocusChain(); next != &form.window;
         next = next->nextInFocusChain()) {
        if (expected.contains(next->objectName()))
            chain << next->objectName();
    }
    QCOMPARE(chain.mid(0, 2), QStringList({"scanDeviceButton", "selectDeviceComboBox"}));
    QCOMPARE(chain, expected);
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

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
