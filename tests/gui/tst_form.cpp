#include "ui_mainwindow.h"

#include <QtTest>
#include <QtWidgets>

// The main window's form as setup leaves it, against form.json: the window, the pages, and
// every widget the form places, in creation order, with the properties a user can read off it.
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

const QJsonObject &reference()
{
    static const QJsonObject form = [] {
        QFile file(QStringLiteral(VELMORA_FORM_REFERENCE));
        QJsonParseError error {};
        const QJsonDocument document = QJsonDocument::fromJson(
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), &error);
        if (!document.isObject())
            qFatal("%s: %s %s", VELMORA_FORM_REFERENCE, qPrintable(file.errorString()),
                   qPrintable(error.errorString()));
        return document.object();
    }();
    return form;
}

// A widget's property under the reference's name: the toolkit's own property of that name,
// but for the few the toolkit has none for.
QJsonValue property(const QWidget &widget, const QString &key)
{
    if (key == "class")
        return widget.metaObject()->className();
    if (key == "enabled") // its own state, whatever its page's
        return widget.isEnabledTo(widget.parentWidget());
    if (key == "direction")
        return widget.layoutDirection() == Qt::RightToLeft ? "right-to-left" : "left-to-right";
    const auto *button = qobject_cast<const QAbstractButton *>(&widget);
    if (key == "icon" && button)
        return button->icon().isNull()
            ? QJsonValue("none")
            : QJsonArray {button->iconSize().width(), button->iconSize().height()};
    const auto *combo = qobject_cast<const QComboBox *>(&widget);
    if (key == "items" && combo) {
        QJsonArray items;
        for (int index = 0; index < combo->count(); ++index)
            items << combo->itemText(index);
        return items;
    }
    const QVariant value = widget.property(key == "tooltip" ? "toolTip" : qPrintable(key));
    return value.isValid() ? QJsonValue::fromVariant(value) : QJsonValue("<no such property>");
}

QJsonObject properties(const QWidget &widget, const QStringList &keys)
{
    QJsonObject properties;
    for (const QString &key : keys)
        properties[key] = property(widget, key);
    return properties;
}

// One line a key, so that a comparison names the first that differs.
QStringList lines(const QJsonObject &properties)
{
    QStringList lines;
    for (const QString &key : properties.keys())
        lines << QJsonDocument(QJsonObject {{key, properties[key]}}).toJson(QJsonDocument::Compact);
    return lines;
}

// What the text step may not change: every placed widget's values, ranges, indices, states.
QStringList formState(const Form &form)
{
    const QStringList keys = QStringLiteral("enabled minimum maximum singleStep pageStep decimals "
                                            "value cleanText currentIndex checked count")
                                 .split(' ');
    QStringList state;
    for (const QWidget *placed : form.placedWidgets())
        state << placed->objectName() + ": "
                + QJsonDocument(properties(*placed, keys)).toJson(QJsonDocument::Compact);
    for (const QWidget *page : form.pages())
        state << page->objectName() + (page->isEnabled() ? " enabled" : " disabled");
    return state;
}

// Moves every control of the form away from its starting state.
void disturb(Form &form)
{
    for (QWidget *placed : form.placedWidgets()) {
        if (placed->property("maximum").isValid()) // the sliders and spin boxes
            placed->setProperty("value", placed->property("maximum"));
        if (auto combo = qobject_cast<QComboBox *>(placed))
            combo->setCurrentIndex(combo->count() - 1);
        if (auto check = qobject_cast<QCheckBox *>(placed))
            check->toggle();
        placed->setEnabled(!placed->isEnabled());
    }
    for (QWidget *page : form.pages())
        page->setEnabled(!page->isEnabled());
    form.ui.tabWidget->setCurrentIndex(2);
}

} // namespace

class tst_Form : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void widgetMatchesReference_data();
    void widgetMatchesReference();
    void focusFollowsCreationOrder();
    void windowAndPagesMatchReference();
    void retranslationRewritesOnlyTexts();
    void windowCannotBeNarrowedBelowItsMinimum();
    void logosShowEmbeddedPicturesAndLinks();
};

void tst_Form::initTestCase()
{
    // Spin boxes format their text with the default locale; pin it so the shown texts compare.
    QLocale::setDefault(QLocale::c());
}

void tst_Form::widgetMatchesReference_data()
{
    QTest::addColumn<QJsonObject>("entry");
    for (const QJsonValue entry : reference()["widgets"].toArray())
        QTest::newRow(qPrintable(entry["name"].toString())) << entry.toObject();
}

void tst_Form::widgetMatchesReference()
{
    QFETCH(QJsonObject, entry);

    Form form;
    const QString name = entry.value("name").toString();
    const QWidget *widget = form.window.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable("the form has no " + name));
    QJsonObject expected = entry;
    expected.remove("name");
    expected["enabled"] = entry.value("enabled").toBool(true); // enabled unless the entry says not
    if (entry.contains("tooltip"))
        expected["tooltip"] = "<html><head/><body><p>"
            + entry["tooltip"].toVariant().toStringList().join("</p><p>") + "</p></body></html>";
    QCOMPARE(lines(properties(*widget, expected.keys())), lines(expected));
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
    for (const QJsonValue entry : reference()["widgets"].toArray())
        expected << entry["name"].toString();
    QCOMPARE(chain, expected);
    QCOMPARE(placed.size(), expected.size());
}

void tst_Form::windowAndPagesMatchReference()
{
    Form form;
    QCOMPARE(form.window.windowTitle(), reference()["window"]["title"].toString());
    QVERIFY(!form.window.windowIcon().isNull());

    const auto page = [](const QString &name, const QString &title, bool enabled) {
        return QStringLiteral("%1 \"%2\" enabled %3").arg(name, title).arg(enabled);
    };
    const QTabWidget *tabs = form.ui.tabWidget;
    QStringList pages;
    QStringList expected;
    for (int index = 0; index < tabs->count(); ++index)
        pages << page(tabs->widget(index)->objectName(), tabs->tabText(index),
                      tabs->widget(index)->isEnabled());
    for (const QJsonValue entry : reference()["pages"].toArray())
        expected << page(entry["name"].toString(), entry["title"].toString(),
                         entry["enabled"].toBool());
    QCOMPARE(pages, expected);
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
