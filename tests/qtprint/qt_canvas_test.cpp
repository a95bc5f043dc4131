// The Qt canvas against the recording canvas: the same calls on both, the ink of the Qt
// canvas on a 600 dpi page where the recording says it goes.
#include <sys/resource.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sstream>

#include "core/printstyle/recording_canvas.h"
#include "core/util/errors.h"
#include "qtprint/paper_sizes.h"
#include "qtprint/print_fonts.h"
#include "qtprint/qt_canvas.h"
#include "qtprint/qt_print_device.h"

using namespace velmora;
using namespace velmora::gui;

namespace {

constexpr int kDpi = 600;

struct Drawn {
    QImage image;
    std::vector<std::string> recorded;  // the drawing lines, without pen/brush/font lines
};

// The calls drawn on a white page at dpi and on a recording printer canvas of that dpi.
Drawn DrawBoth(const std::function<void(Canvas&)>& calls, int dpi = kDpi, QSize size = {800, 800}) {
    Drawn d{QImage(size, QImage::Format_RGB32), {}};
    d.image.fill(Qt::white);
    d.image.setDotsPerMeterX(qRound(dpi / 0.0254));
    d.image.setDotsPerMeterY(qRound(dpi / 0.0254));
    {
        QPainter painter(&d.image);
        QtCanvas canvas(painter, dpi, true);
        calls(canvas);
    }
    RecordingCanvas recording(dpi);
    calls(recording);
    for (const std::string& line : recording.Lines())
        if (line.rfind("pen ", 0) != 0 && line.rfind("brush ", 0) != 0 &&
            line.rfind("font ", 0) != 0)
            d.recorded.push_back(line);
    return d;
}

bool Inked(QRgb p) {
    return qGray(p) < 250;
}

// The bounding box of every pixel that is not white, and how many there are.
QRect InkBox(const QImage& image, int* count = nullptr) {
    QRect box;
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (Inked(row[x])) {
                box |= QRect(x, y, 1, 1);
                ++n;
            }
    }
    if (count) *count = n;
    return box;
}

// "fillrect l,t r,b" and the like: the four numbers after the kind.
QRect RecordedBox(const std::string& line) {
    std::istringstream in(line.substr(line.find(' ') + 1));
    int l, t, r, b;
    char comma;
    in >> l >> comma >> t >> r >> comma >> b;
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

void Line(Canvas& c, Point from, Point to, int width, PenStyle style = PenStyle::kSolid) {
    c.SetPenStyle(style);
    c.SetPenColour(kBlack);
    c.SetPenWidth(width);
    c.DrawLine(from, to);
}

}  // namespace

class QtCanvasTest : public QObject {
    Q_OBJECT
private slots:
    void linesLeaveOutTheirEndPixel();
    void fillsAndHatches();
    void shapesStayInTheirBox();
    void textInItsMeasuredBox();
    void textPathClipping();
    void bitmaps();
    void fontsAndPapers();
    void pdfPrinterDocument();
    void aPdfCutShortIsNotWrittenOverTheFileChosen();
    void aStylesHugeFontPrints();
};

void QtCanvasTest::linesLeaveOutTheirEndPixel() {
    struct Case {
        Point from, to;
        int width;
        QRect ink;
    };
    const Case cases[] = {
        {{100, 200}, {300, 200}, 1, QRect(QPoint(100, 200), QPoint(299, 200))},
        {{300, 200}, {100, 200}, 1, QRect(QPoint(101, 200), QPoint(300, 200))},
        {{100, 200}, {300, 200}, 3, QRect(QPoint(99, 199), QPoint(300, 201))},
        {{50, 100}, {50, 40}, 1, QRect(QPoint(50, 41), QPoint(50, 100))},
        {{50, 40}, {50, 100}, 4, QRect(QPoint(48, 38), QPoint(51, 101))},
    };
    for (const Case& c : cases) {
        const Drawn d = DrawBoth([&](Canvas& canvas) { Line(canvas, c.from, c.to, c.width); });
        QCOMPARE(d.recorded.size(), std::size_t{1});
        QCOMPARE(d.recorded[0], "line " + std::to_string(c.from.x) + "," +
                                    std::to_string(c.from.y) + " -> " + std::to_string(c.to.x) +
                                    "," + std::to_string(c.to.y));
        int count = 0;
        QCOMPARE(InkBox(d.image, &count), c.ink);
        QCOMPARE(count, c.ink.width() * c.ink.height());
    }
    // A dashed line: one pixel wide, broken, within the solid line's pixels.
    const Drawn dashed = DrawBoth([](Canvas& c) {
        Line(c, {100, 300}, {700, 300}, 1, PenStyle::kDash);
    });
    int count = 0;
    const QRect box = InkBox(dashed.image, &count);
    QCOMPARE(box.top(), 300);
    QCOMPARE(box.bottom(), 300);
    QVERIFY(box.left() >= 100 && box.right() <= 699);
    QVERIFY(count > 300 && count < 560);
    // A diagonal line stays between its end points.
    const Drawn diagonal = DrawBoth([](Canvas& c) { Line(c, {10, 10}, {400, 210}, 1); });
    const QRect slope = InkBox(diagonal.image);
    QVERIFY(slope.left() >= 9 && slope.top() >= 9 && slope.right() <= 400 && slope.bottom() <= 210);
    QVERIFY(slope.right() >= 398 && slope.bottom() >= 208);
}

void QtCanvasTest::fillsAndHatches() {
    const Drawn solid = DrawBoth([](Canvas& c) {
        c.SetBrushStyle(BrushStyle::kSolid);
        c.SetBrushColour(0x0000FF);  // red
        c.FillRect({120, 80, 380, 95});
    });
    QCOMPARE(solid.recorded, std::vector<std::string>{"fillrect 120,80 380,95"});
    int count = 0;
    QCOMPARE(InkBox(solid.image, &count), RecordedBox(solid.recorded[0]));
    QCOMPARE(count, 260 * 15);
    QCOMPARE(solid.image.pixel(120, 80), qRgb(255, 0, 0));

    // A clear brush fills nothing.
    const Drawn clear = DrawBoth([](Canvas& c) {
        c.SetBrushStyle(BrushStyle::kClear);
        c.FillRect({10, 10, 300, 300});
    });
    QVERIFY(InkBox(clear.image).isNull());

    // Hatching covers the same share of the area at 96 and at 1200 dpi (one line per 8
    // pixels at 96 dpi), inside the box.
    for (BrushStyle style : {BrushStyle::kHorizontal, BrushStyle::kVertical,
                             BrushStyle::kForwardDiagonal, BrushStyle::kCross}) {
        double shares[2];
        int i = 0;
        for (int dpi : {96, 1200}) {
            const int side = dpi * 2;  // two inches
            const Drawn hatch = DrawBoth(
                [&](Canvas& c) {
                    c.SetBrushStyle(style);
                    c.SetBrushColour(kBlack);
                    c.SetBrushStyle(style);
                    c.FillRect({0, 0, side, side});
                },
                dpi, QSize(side + 20, side + 20));
            int inked = 0;
            const QRect box = InkBox(hatch.image, &inked);
            QVERIFY(QRect(0, 0, side, side).contains(box));
            shares[i++] = double(inked) / (side * side);
        }
        QVERIFY2(shares[0] > 0.1 && shares[0] < 0.3, qPrintable(QString::number(shares[0])));
        QVERIFY2(std::abs(shares[0] - shares[1]) < 0.03,
                 qPrintable(QString("%1 vs %2").arg(shares[0]).arg(shares[1])));
    }
}

void QtCanvasTest::shapesStayInTheirBox() {
    const Rect box{100, 120, 500, 400};
    const QRect inside(QPoint(100, 120), QPoint(499, 399));
    auto outline = [](Canvas& c, PenStyle style, int width) {
        c.SetPenStyle(style);
        c.SetPenColour(kBlack);
        c.SetPenWidth(width);
        c.SetBrushStyle(BrushStyle::kClear);
    };
    const Drawn ellipse = DrawBoth([&](Canvas& c) {
        outline(c, PenStyle::kSolid, 1);
        c.Ellipse(box);
    });
    QCOMPARE(ellipse.recorded, std::vector<std::string>{"ellipse 100,120 500,400"});
    QCOMPARE(InkBox(ellipse.image), inside);

    const Drawn round = DrawBoth([&](Canvas& c) {
        outline(c, PenStyle::kInsideFrame, 9);
        c.SetBrushColour(0x00FF00);  // a colour makes the clear brush solid
        c.RoundRect(box, {60, 40});
    });
    QCOMPARE(round.recorded, std::vector<std::string>{"roundrect 100,120 500,400 corner=60,40"});
    QCOMPARE(InkBox(round.image), inside);
    QCOMPARE(round.image.pixel(300, 260), qRgb(0, 255, 0));
    QVERIFY(!Inked(round.image.pixel(101, 121)));  // the rounded corner

    // Counter-clockwise from 0 degrees (right) to 90 degrees (top): the upper right quarter.
    const Drawn arc = DrawBoth([&](Canvas& c) {
        outline(c, PenStyle::kSolid, 3);
        c.Arc({100, 100, 501, 501}, {600, 300}, {300, 0});
    });
    QCOMPARE(arc.recorded, std::vector<std::string>{"arc 100,100 501,501 start=600,300 end=300,0"});
    const QRect quarter = InkBox(arc.image);
    QVERIFY2(quarter.left() >= 297 && quarter.bottom() <= 303 && quarter.top() >= 98 &&
                 quarter.right() <= 502,
             qPrintable(QString("%1,%2 %3x%4")
                            .arg(quarter.x())
                            .arg(quarter.y())
                            .arg(quarter.width())
                            .arg(quarter.height())));
    QVERIFY(quarter.width() > 190 && quarter.height() > 190);

    // A chord of the same quarter is filled between the arc and its closing line.
    const Drawn chord = DrawBoth([&](Canvas& c) {
        outline(c, PenStyle::kSolid, 1);
        c.SetBrushColour(0xFF0000);  // blue
        c.Chord({100, 100, 501, 501}, {600, 300}, {300, 0});
    });
    QCOMPARE(chord.image.pixel(420, 180), qRgb(0, 0, 255));
    QVERIFY(!Inked(chord.image.pixel(330, 270)));  // below the closing line
    QVERIFY(!Inked(chord.image.pixel(200, 400)));
}

void QtCanvasTest::textInItsMeasuredBox() {
    Size extent;
    const Drawn text = DrawBoth([&](Canvas& c) {
        c.SetFontFace("IPAexGothic");
        c.SetFontSize(10, 96);
        const Size measured = c.TextExtent("現金出納帳 2014");
        if (dynamic_cast<QtCanvas*>(&c)) extent = measured;
        c.TextOut({50, 100}, "現金出納帳 2014");
    });
    QCOMPARE(text.recorded.back(), std::string("text 50,100 \"現金出納帳 2014\""));
    // 10 points at 600 dpi: an em of 83 pixels; five full-width and five half-width
    // characters.
    QVERIFY2(extent.width > 7 * 83 && extent.width < 8 * 83,
             qPrintable(QString::number(extent.width)));
    QVERIFY(extent.height >= 83 && extent.height <= 100);
    const QRect ink = InkBox(text.image);
    QVERIFY2(QRect(50, 100, extent.width, extent.height).contains(ink),
             qPrintable(QString("%1,%2 %3x%4 in %5x%6")
                            .arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())
                            .arg(extent.width)
                            .arg(extent.height)));
    QVERIFY(ink.width() > extent.width * 9 / 10 && ink.height() > 60);

    // Measured at another resolution: in proportion to it.
    int at96 = 0;
    int at1200 = 0;
    DrawBoth([&](Canvas& c) {
        c.SetFontFace("IPAexMincho");
        c.SetFontSize(12, 96);
        if (!dynamic_cast<QtCanvas*>(&c)) return;
        at96 = c.TextWidthAt("印刷中 1 / 12", 96);
        at1200 = c.TextWidthAt("印刷中 1 / 12", 1200);
    });
    QVERIFY(std::abs(at1200 - at96 * 1200 / 96) <= at1200 / 100);

    // Rotated by 90 degrees: the text runs upwards from its reference point.
    const Drawn rotated = DrawBoth([&](Canvas& c) {
        c.SetRotatedFont("ＭＳ 明朝", 14, 96, 900);
        c.TextOut({200, 700}, "縦書");
    });
    const QRect up = InkBox(rotated.image);
    // A cell of 14 pixels at 96 dpi is 88 at 600 dpi.
    QVERIFY2(up.left() >= 199 && up.right() <= 200 + 88 && up.bottom() <= 701 &&
                 up.top() >= 700 - 2 * 88 - 4 && up.height() > 130,
             qPrintable(
                 QString("%1,%2 %3x%4").arg(up.x()).arg(up.y()).arg(up.width()).arg(up.height())));
}

void QtCanvasTest::textPathClipping() {
    const Rect box{100, 100, 400, 300};
    bool nonEmpty = false;
    const Drawn clipped = DrawBoth([&](Canvas& c) {
        c.SetFontFace("IPAexGothic");
        c.SetFontSize(20, 96);
        c.SetBrushColour(kBlack);
        c.BeginPath();
        c.PathText(box, "合計");
        c.EndPath();
        nonEmpty = c.PathToClip();
        c.FillRect(box);
        c.RemoveClip();
    });
    QVERIFY(nonEmpty);
    int inked = 0;
    const QRect ink = InkBox(clipped.image, &inked);
    QVERIFY(QRect(100, 100, 300, 200).contains(ink));
    QVERIFY(inked > 3000 && inked < 300 * 200 / 2);
    // Centred in the box.
    QVERIFY(std::abs((ink.left() - 100) - (399 - ink.right())) <= 8);
    QVERIFY(std::abs((ink.top() - 100) - (299 - ink.bottom())) <= 20);

    const Drawn blank = DrawBoth([&](Canvas& c) {
        c.SetFontSize(20, 96);
        c.BeginPath();
        c.PathText(box, "  ");
        c.EndPath();
        nonEmpty = c.PathToClip();
        c.RemoveClip();
    });
    QVERIFY(!nonEmpty);
    QCOMPARE(blank.recorded.back(), std::string("unclip"));
}

void QtCanvasTest::bitmaps() {
    QTemporaryDir dir;
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    const QString bmp = dir.filePath("pic.bmp");
    QVERIFY(picture.save(bmp, "BMP"));
    // A JPEG behind 40 bytes of something else.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImage(16, 8, QImage::Format_RGB32).save(&buffer, "JPEG");
    QFile file(dir.filePath("pic.jpg"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(40, 'x') + jpeg);
    file.close();
    QFile(bmp).copy(dir.filePath("pic.png"));

    QtImageLoader loader;
    const auto fromBmp = loader.Load(bmp.toStdString());
    const auto fromJpeg = loader.Load(dir.filePath("pic.jpg").toStdString());
    QVERIFY(fromBmp && fromJpeg);
    QCOMPARE(fromJpeg->Width(), 16);
    QCOMPARE(fromJpeg->Height(), 8);
    QVERIFY(!loader.Load(dir.filePath("pic.png").toStdString()));
    QVERIFY(!loader.Load(dir.filePath("missing.bmp").toStdString()));

    const Drawn drawn = DrawBoth([&](Canvas& c) { c.DrawBitmap({30, 40, 230, 140}, *fromBmp); });
    QCOMPARE(drawn.recorded,
             std::vector<std::string>{"bitmap \"" + bmp.toStdString() + "\" 4x2 -> 30,40 230,140"});
    int count = 0;
    QCOMPARE(InkBox(drawn.image, &count), RecordedBox("bitmap 30,40 230,140"));
    QCOMPARE(count, 200 * 100);
    QCOMPARE(drawn.image.pixel(130, 90), qRgb(0, 0, 255));
}

void QtCanvasTest::fontsAndPapers() {
    QCOMPARE(PrintFamily("ＭＳ 明朝"), QString("IPAexMincho"));
    QCOMPARE(PrintFamily("MS PMincho"), QString("IPAexMincho"));
    QCOMPARE(PrintFamily("ＭＳ Ｐゴシック"), QString("IPAexGothic"));
    QCOMPARE(PrintFamily("メイリオ"), QString("IPAexGothic"));
    QCOMPARE(PrintFamily("IPAexMincho"), QString("IPAexMincho"));
    QCOMPARE(PrintFamily("No Such Face"), QString("IPAexGothic"));
    // A face that is not installed still prints.
    const Drawn substitute = DrawBoth([](Canvas& c) {
        c.SetFontFace("No Such Face");
        c.SetFontSize(10, 96);
        c.TextOut({10, 10}, "現金");
    });
    QVERIFY(!InkBox(substitute.image).isNull());

    const std::pair<int, QPageSize::PageSizeId> codes[] = {
        {1, QPageSize::Letter},      {5, QPageSize::Legal},
        {8, QPageSize::A3},          {9, QPageSize::A4},
        {11, QPageSize::A5},         {12, QPageSize::JisB4},
        {13, QPageSize::JisB5},      {20, QPageSize::Envelope10},
        {27, QPageSize::EnvelopeDL}, {41, QPageSize::FanFoldGermanLegal}};
    for (const auto& [code, id] : codes) QCOMPARE(PageSizeOfPaperCode(code), std::optional(id));
    for (int code = 1; code <= kLastPaperCode; ++code) QVERIFY(PageSizeOfPaperCode(code));
    QVERIFY(!PageSizeOfPaperCode(0) && !PageSizeOfPaperCode(42));
    QCOMPARE(QPageSize(*PageSizeOfPaperCode(12)).size(QPageSize::Millimeter), QSizeF(257, 364));
    QCOMPARE(QPageSize(*PageSizeOfPaperCode(13)).size(QPageSize::Millimeter), QSizeF(182, 257));
    QCOMPARE(PaperCodeOfPageSize(QPageSize::JisB4), 12);
    QCOMPARE(PaperCodeOfPageSize(QPageSize::B4), 0);
    QCOMPARE(PaperName(0), QString("※用紙リスト"));
    QCOMPARE(PaperName(9), QString("A4"));
    QCOMPARE(PaperName(12), QString("B4 (JIS)"));
}

void QtCanvasTest::pdfPrinterDocument() {
    QtPrintDevice device(QStringList{"Office", "Back room"}, 600);
    QCOMPARE(device.PrinterNames(), (QStringList{"Office", "Back room", "PDFファイル"}));
    device.SelectPrinter(device.PdfIndex());
    device.SetPaperCode(12);
    device.SetOrientation(Orientation::kLandscape);
    QCOMPARE(device.DpiX(), 600);
    // The whole sheet is printable: 364 x 257 mm at 600 dpi.
    QCOMPARE(device.PhysicalOffsetX(), 0);
    QCOMPARE(device.PhysicalOffsetY(), 0);
    QCOMPARE(device.PhysicalWidth(), 8600);
    QCOMPARE(device.PhysicalHeight(), 6075);
    QCOMPARE(device.PageWidth(), device.PhysicalWidth());
    const PrinterSettings settings = device.QuerySettings();
    QCOMPARE(settings.paperCode, 12);
    QCOMPARE(settings.orientation, 1);
    QCOMPARE(settings.deviceName, std::string("PDFファイル"));

    QTemporaryDir dir;
    const std::string path = dir.filePath("out.pdf").toStdString();
    device.SetPdfFile(path);
    device.BeginDocument();
    Line(device.PageCanvas(), {100, 100}, {1000, 100}, 3);
    // The job applies each page's set-up again: an open document takes it without a word.
    QTest::failOnWarning(QRegularExpression(".*"));
    device.SetPaperCode(12);
    device.SetCopies(1);
    device.SetOrientation(Orientation::kLandscape);
    device.NewPage();
    QVERIFY(!QFile::exists(QString::fromStdString(path)));  // not before it is whole
    device.EndDocument();
    QFile pdf(QString::fromStdString(path));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r\n"), 2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});

    // A dropped document leaves no file behind.
    const std::string dropped = dir.filePath("dropped.pdf").toStdString();
    device.SetPdfFile(dropped);
    device.BeginDocument();
    Line(device.PageCanvas(), {100, 100}, {1000, 100}, 3);
    device.AbortDocument();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
}

void QtCanvasTest::aPdfCutShortIsNotWrittenOverTheFileChosen() {
    QTemporaryDir dir;
    QtPrintDevice device(QStringList{}, 600);
    device.SelectPrinter(device.PdfIndex());
    const auto writeDocument = [&device](const QString& path) {
        device.SetPdfFile(path.toStdString());
        device.BeginDocument();
        device.PageCanvas().TextOut({100, 100}, "現金出納帳");
        device.NewPage();
        device.PageCanvas().TextOut({100, 100}, "小口現金");
        device.EndDocument();
    };
    writeDocument(dir.filePath("whole.pdf"));
    const qint64 whole = QFileInfo(dir.filePath("whole.pdf")).size();
    QVERIFY(whole > 1000);

    const QString path = dir.filePath("kept.pdf");
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("%PDF-1.4 the user's report") > 0);
    kept.close();
    // The temporary folder's disk fills up half way: Qt's writer goes on without a word, and
    // the half document would fit the file chosen.
    struct rlimit old {};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit half = old;
    half.rlim_cur = static_cast<rlim_t>(whole / 2);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &half) == 0);
    QString error;
    try {
        writeDocument(path);
    } catch (const FileError& e) {
        error = QString::fromStdString(e.what());
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    QVERIFY2(error.startsWith("ファイルに書き込めません: " + path + " (一時フォルダー "),
             qPrintable(error));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("%PDF-1.4 the user's report"));
}

void QtCanvasTest::aStylesHugeFontPrints() {
    // A style file may ask for any size; the printed text layer must not fall over it.
    QTemporaryDir dir;
    QtPrintDevice device(QStringList{}, 600);
    device.SelectPrinter(device.PdfIndex());
    device.SetPdfFile(dir.filePath("huge.pdf").toStdString());
    device.BeginDocument();
    device.PageCanvas().SetFontFace("IPAexGothic");
    device.PageCanvas().SetFontSize(50000, 96);
    device.PageCanvas().TextOut({100, 100}, "現金出納帳");
    device.EndDocument();
    QVERIFY(QFileInfo(dir.filePath("huge.pdf")).size() > 0);
}

QTEST_MAIN(QtCanvasTest)
#include "qt_canvas_test.moc"
