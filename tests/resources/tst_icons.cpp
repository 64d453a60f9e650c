#include <QColor>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtTest>

namespace {
const QStringList& allNames()
{
    static const QStringList names =
        QStringLiteral("adddir addfile adjustsize application_icon audio_chfmt bigger cancel center_add "
                       "ch_format ch_format_p change_dir change_dir_title clear close_white delitem dir down "
                       "down_arrow down_arrow_small gif_compress gif_compress_p heic_to_img heic_to_img_p "
                       "img_crop img_crop_p item_change item_close item_close_black itemdirdisable "
                       "itemdirenable lower_pointer min_white note pause play play_process raw_to_img "
                       "raw_to_img_p rotating rotating_p search setting size_updating size_updating_p "
                       "slider_circle smaller sub_chformat_white sub_compress_white title_icon to_pdf "
                       "to_pdf_p tool_box upper video_compress video_concat video_cut video_fmt video_togif "
                       "volume zip zip_p zip_white")
            .split(QLatin1Char(' ')) +
        // the media rows and the format chooser
        QStringLiteral(
            "audio_thumb 3gp 3gp_right aac aac_right ac3 ac3_right ape avi avi_right f4v f4v_right "
            "flac flac_right flv flv_right m4a m4a_right m4r m4v m4v_right mkv mkv_right mov "
            "mov_right mp3 mp3_right mp4 mp4_right mpeg mpeg_right ogg ogg_right swf swf_right "
            "vob vob_right wav wav_right webm webm_right wma wma_right wmv wmv_right")
            .split(QLatin1Char(' '));
    return names;
}

QString path(const QString& name)
{
    return QStringLiteral(":/icons/icons/%1.png").arg(name);
}

QImage load(const QString& name)
{
    return QImage(path(name)).convertToFormat(QImage::Format_ARGB32);
}

// Mean colour of the clearly visible pixels, ignoring anti-aliased edges.
QColor meanOpaqueColor(const QImage& image, int* count)
{
    qint64 r = 0, g = 0, b = 0;
    *count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) < 200)
                continue;
            r += qRed(line[x]);
            g += qGreen(line[x]);
            b += qBlue(line[x]);
            ++*count;
        }
    }
    if (*count == 0)
        return QColor();
    return QColor(int(r / *count), int(g / *count), int(b / *count));
}

int visiblePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}
} // namespace

class TstIcons : public QObject
{
    Q_OBJECT

private slots:
    void resourceHoldsExactlyTheNamedIcons();
    void everyIconLoads_data();
    void everyIconLoads();
    void whiteGlyphsAreWhite_data();
    void whiteGlyphsAreWhite();
    void selectedDiffersFromNormal_data();
    void selectedDiffersFromNormal();
    void unscaledPicturesHaveTheirPaintedSize_data();
    void unscaledPicturesHaveTheirPaintedSize();
    void scaledLabelsKeepTheirAspect_data();
    void scaledLabelsKeepTheirAspect();
    void toolIconsStayVisibleWhenShrunk();
    void twiceTheScreenTwiceThePixels();
};

void TstIcons::resourceHoldsExactlyTheNamedIcons()
{
    QStringList expected;
    for (const QString& name : allNames())
        expected << name + QLatin1String(".png") << name + QLatin1String("@2x.png");
    expected.sort();
    QCOMPARE(QDir(QStringLiteral(":/icons/icons")).entryList(QDir::Files, QDir::Name), expected);
}

void TstIcons::everyIconLoads_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : allNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TstIcons::everyIconLoads()
{
    QFETCH(QString, name);
    const QPixmap pixmap(path(name));
    QVERIFY2(!pixmap.isNull(), qPrintable(path(name)));
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const int visible = visiblePixels(image);
    QVERIFY2(visible > 0, "fully transparent");
    // A glyph, not a filled square: some of the canvas stays clear (the app icon is a full tile).
    if (name != QLatin1String("application_icon"))
        QVERIFY2(visible < image.width() * image.height(), "no transparent margin");
}

void TstIcons::whiteGlyphsAreWhite_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"min_white", "close_white", "addfile", "adddir", "clear", "sub_chformat_white",
                             "sub_compress_white", "zip_white"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TstIcons::whiteGlyphsAreWhite()
{
    QFETCH(QString, name);
    int count = 0;
    const QColor mean = meanOpaqueColor(load(name), &count);
    QVERIFY2(count > 0, "no solid pixels");
    QVERIFY2(mean.red() > 235 && mean.green() > 235 && mean.blue() > 235, qPrintable(mean.name()));
}

void TstIcons::selectedDiffersFromNormal_data()
{
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("selected");
    for (const char* tool : {"ch_format", "heic_to_img", "raw_to_img", "gif_compress", "zip", "to_pdf",
                             "img_crop", "rotating", "size_updating"})
        QTest::newRow(tool) << QString::fromLatin1(tool) << QString::fromLatin1(tool) + QLatin1String("_p");
    for (const char* tool : {"video_fmt", "video_compress", "video_cut", "video_concat", "video_togif",
                             "audio_chfmt", "tool_box"})
        QTest::newRow(tool) << QStringLiteral("zip_white") << QString::fromLatin1(tool);
    QTest::newRow("itemdir") << QStringLiteral("itemdirdisable") << QStringLiteral("itemdirenable");
    QTest::newRow("item_close") << QStringLiteral("item_close") << QStringLiteral("item_close_black");
}

void TstIcons::selectedDiffersFromNormal()
{
    QFETCH(QString, normal);
    QFETCH(QString, selected);
    const QImage a = load(normal);
    const QImage b = load(selected);
    QCOMPARE(a.size(), b.size());
    QVERIFY(a != b);
    // The selected state must read as a different colour, not just a different shape.
    int countA = 0, countB = 0;
    const QColor meanA = meanOpaqueColor(a, &countA);
    const QColor meanB = meanOpaqueColor(b, &countB);
    const int distance = qAbs(meanA.red() - meanB.red()) + qAbs(meanA.green() - meanB.green()) +
                         qAbs(meanA.blue() - meanB.blue());
    QVERIFY2(distance > 60, qPrintable(meanA.name() + QLatin1String(" vs ") + meanB.name()));
}

void TstIcons::unscaledPicturesHaveTheirPaintedSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    // Style sheets paint these as backgrounds or sub-control images, at their own pixel size.
    QTest::newRow("item_close") << QStringLiteral("item_close") << QSize(16, 16);
    QTest::newRow("item_close_black") << QStringLiteral("item_close_black") << QSize(16, 16);
    QTest::newRow("slider_circle") << QStringLiteral("slider_circle") << QSize(16, 16);
    QTest::newRow("down_arrow") << QStringLiteral("down_arrow") << QSize(16, 16);
    QTest::newRow("down_arrow_small") << QStringLiteral("down_arrow_small") << QSize(12, 12);
}

void TstIcons::unscaledPicturesHaveTheirPaintedSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QCOMPARE(QPixmap(path(name)).size(), size);
}

void TstIcons::scaledLabelsKeepTheirAspect_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("labelSize");
    // Labels with scaled contents stretch the picture to the label, so the shapes must match.
    QTest::newRow("title_icon") << QStringLiteral("title_icon") << QSize(40, 35);
    QTest::newRow("lower_pointer") << QStringLiteral("lower_pointer") << QSize(13, 25);
    QTest::newRow("play_process") << QStringLiteral("play_process") << QSize(13, 13);
    QTest::newRow("center_add") << QStringLiteral("center_add") << QSize(80, 80);
}

void TstIcons::scaledLabelsKeepTheirAspect()
{
    QFETCH(QString, name);
    QFETCH(QSize, labelSize);
    const QSize size = QPixmap(path(name)).size();
    QCOMPARE(size.width() * labelSize.height(), size.height() * labelSize.width());
    QVERIFY2(size.width() >= labelSize.width(), "would be stretched up");
}

void TstIcons::toolIconsStayVisibleWhenShrunk()
{
    // The small-screen strip asks the icon for 24 px; the glyph must survive the downscale.
    for (const QString& name :
         {QStringLiteral("ch_format"), QStringLiteral("to_pdf_p"), QStringLiteral("tool_box")}) {
        const QPixmap small = QIcon(path(name)).pixmap(QSize(24, 24));
        QCOMPARE(small.size(), QSize(24, 24));
        int count = 0;
        meanOpaqueColor(small.toImage().convertToFormat(QImage::Format_ARGB32), &count);
        QVERIFY2(count > 20, qPrintable(name));
    }
}

void TstIcons::twiceTheScreenTwiceThePixels()
{
    for (const QString& name : allNames()) {
        const QImage plain(":/icons/icons/" + name + ".png");
        const QImage sharp(":/icons/icons/" + name + "@2x.png");
        QCOMPARE(sharp.size(), plain.size() * 2);
    }
}

QTEST_MAIN(TstIcons)
#include "tst_icons.moc"
