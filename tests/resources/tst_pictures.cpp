#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>
#include <QtTest>

// The pictures as the windows load them: from the resource bundle, by the names in
// the code, decoded by the toolkit's own image readers.
class tst_Pictures : public QObject
{
    Q_OBJECT

private slots:
    void pictureIsEmbeddedAndDrawn_data();
    void pictureIsEmbeddedAndDrawn();
};

namespace {

// Share of the pixels that are not fully transparent.
double coveredShare(const QImage &image)
{
    qint64 covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                ++covered;
        }
    }
    return double(covered) / double(qint64(image.width()) * image.height());
}

} // namespace

void tst_Pictures::pictureIsEmbeddedAndDrawn_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");

    const QByteArray png("png");
    const QByteArray ico("ico");
    QTest::newRow("window icon") << ":/picture/camera.ico" << ico << QSize(256, 256);
    QTest::newRow("scan button") << ":/picture/search.png" << png << QSize(234, 234);
    QTest::newRow("connect button") << ":/picture/connect.png" << png << QSize(240, 236);
    QTest::newRow("disconnect button") << ":/picture/disconnect.png" << png << QSize(234, 233);
    QTest::newRow("reset button") << ":/picture/reset.png" << png << QSize(198, 228);
    QTest::newRow("write button") << ":/picture/write.png" << png << QSize(230, 233);
    QTest::newRow("read button") << ":/picture/read.png" << png << QSize(238, 206);
    QTest::newRow("product logo") << ":/picture/Nivaro HD.png" << png << QSize(200, 50);
    QTest::newRow("maker logo") << ":/picture/Dravik Tech.png" << png << QSize(200, 50);
    // The information bar's rich text names the logos without a slash after the colon.
    QTest::newRow("product logo, rich-text path")
        << ":picture/Nivaro HD.png" << png << QSize(200, 50);
    QTest::newRow("maker logo, rich-text path")
        << ":picture/Dravik Tech.png" << png << QSize(200, 50);
    QTest::newRow("gear") << ":/picture/tool.png" << png << QSize(230, 234);
    QTest::newRow("product icon") << ":/picture/Nivaro HD.ico" << ico << QSize(256, 256);
    QTest::newRow("maker icon") << ":/picture/Dravik Tech.ico" << ico << QSize(256, 194);
}

void tst_Pictures::pictureIsEmbeddedAndDrawn()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);

    QVERIFY2(QFile::exists(path), qPrintable(path + QStringLiteral(" is not in the bundle")));
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.imageCount(), 1);

    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
    // 32 bits a pixel: 8 for each of red, green, blue and alpha.
    QCOMPARE(image.depth(), 32);
    // A drawing on a transparent background, neither an empty nor a filled square.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    const double covered = coveredShare(image);
    QVERIFY2(covered > 0.15 && covered < 0.9, qPrintable(QString::number(covered)));
}

QTEST_GUILESS_MAIN(tst_Pictures)

#include "tst_pictures.moc"
