// Every shipped print style filled from a ledger of the largest amounts a year can hold: no
// text drawn comes near a rule of its table or leaves the page. The pages are drawn by the
// Qt canvas with the real fonts at 300 dpi; the rules are kept as segments and the texts as
// ink, so a text that touches or crosses a cell border or the frame is found by its pixels.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <set>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/commands/report_commands.h"
#include "core/print/print_job.h"
#include "core/print/style_choice.h"
#include "core/printstyle/image_headers.h"
#include "qtprint/qt_canvas.h"
#include "support/ledger_text.h"
#include "support/temp_folder.h"
#include "tools/shipped_styles.h"

namespace velmora::testing {
namespace {

constexpr int kDpi = 300;
// Ink this close to a rule (pixels at kDpi, about 0.1 mm) touches it.
constexpr int kClearance = 1;

struct Segment {
    Point from;
    Point to;
    int width = 1;
};

struct DrawnText {
    QRect box;
    std::string text;
};

// The Qt canvas of a printer page that draws texts only and keeps the lines (rules and the
// edges of outlined boxes) as segments; filled areas and pictures are left out, since
// texts sit on heading bands by design.
class RuleProbeCanvas final : public gui::QtCanvas {
public:
    RuleProbeCanvas(QPainter& painter, int dpi) : QtCanvas(painter, dpi, true) {}

    std::vector<Segment> rules;
    std::vector<DrawnText> texts;

protected:
    // Dotted lines are guides (a KOKUYO form's digit boxes, which an amount longer than the
    // boxes spans when it is drawn smaller), not cell borders.
    void DeviceLine(Point from, Point to) override {
        if (CurrentPen().style != PenStyle::kDot)
            rules.push_back({from, to, std::max(1, CurrentPen().width)});
    }
    void DeviceRoundRect(const Rect& box, Size) override {
        if (CurrentBrush().style != BrushStyle::kClear) return;
        const int w = std::max(1, CurrentPen().width);
        rules.push_back({{box.left, box.top}, {box.right, box.top}, w});
        rules.push_back({{box.left, box.bottom - 1}, {box.right, box.bottom - 1}, w});
        rules.push_back({{box.left, box.top}, {box.left, box.bottom}, w});
        rules.push_back({{box.right - 1, box.top}, {box.right - 1, box.bottom}, w});
    }
    void DeviceFillRect(const Rect&) override {}
    void DeviceDrawBitmap(const Rect&, const Bitmap&) override {}
    void DeviceTextOut(Point at, std::string_view text) override {
        const Size size = DeviceTextExtent(text);
        texts.push_back({QRect(at.x, at.y, size.width, size.height), std::string(text)});
        QtCanvas::DeviceTextOut(at, text);
    }
};

int Pixels(int mm) {
    return mm * kDpi * 10 / 254;
}

// The pixels a rule covers, widened by the clearance.
QRect RuleZone(const Segment& s) {
    const int half = s.width / 2;
    QRect zone;
    if (s.from.y == s.to.y)
        zone = QRect(QPoint(std::min(s.from.x, s.to.x), s.from.y - half),
                     QPoint(std::max(s.from.x, s.to.x) - 1, s.from.y - half + s.width - 1));
    else
        zone = QRect(QPoint(s.from.x - half, std::min(s.from.y, s.to.y)),
                     QPoint(s.from.x - half + s.width - 1, std::max(s.from.y, s.to.y) - 1));
    return zone.adjusted(-kClearance, -kClearance, kClearance, kClearance);
}

std::string TextAt(const std::vector<DrawnText>& texts, QPoint p) {
    for (const DrawnText& t : texts)
        if (t.box.contains(p)) return t.text;
    return "?";
}

// What on the page crosses a rule or leaves the sheet: one line per text.
std::set<std::string> Faults(const QImage& ink, const RuleProbeCanvas& canvas) {
    std::set<std::string> faults;
    const QRect sheet = ink.rect();
    for (const Segment& rule : canvas.rules) {
        if (rule.from.x != rule.to.x && rule.from.y != rule.to.y) continue;  // no slanted rules
        const QRect zone = RuleZone(rule) & sheet;
        for (int y = zone.top(); y <= zone.bottom(); ++y) {
            const uchar* row = ink.constScanLine(y);
            for (int x = zone.left(); x <= zone.right(); ++x)
                if (row[x] < 160) {
                    faults.insert("\"" + TextAt(canvas.texts, {x, y}) + "\" touches the rule at " +
                                  std::to_string(x) + "," + std::to_string(y));
                    x = zone.right();
                    y = zone.bottom();
                }
        }
    }
    for (const DrawnText& t : canvas.texts)
        if (!sheet.contains(t.box)) faults.insert("\"" + t.text + "\" leaves the sheet");
    return faults;
}

// Twelve months of each book at the largest amounts an entry takes (999,999,999,999 yen),
// two of them in a month so that month and year totals run to 13 and 14 digits; expenses
// beyond income in some months (negative differences); titles as long as the title list
// keeps them and descriptions longer than any column.
std::string BigLedger() {
    const char* kTitles[] = {"消耗品費事務用品費", "売上高店頭売上分", "通信費電話代金"};
    const char* kBooks[][2] = {
        {"現金", "現金出納帳"}, {"小口", "本店小口現金"}, {"預金", "第一銀行普通預金"}};
    const std::string big = "999999999999";
    const std::string description =
        "取引先株式会社ベルモラ商事様より十二桁の金額を受領しました長い摘要の確認用記録";
    std::ostringstream out;
    int index = 0;
    for (int m = 0; m < 12; ++m) {
        const int month = (m + 3) % 12 + 1;
        const int year = month >= 4 ? 2014 : 2015;
        char date[16];
        std::snprintf(date, sizeof date, "%04d/%02d/%02d", year, month, 10);
        char tag[8];
        std::snprintf(tag, sizeof tag, "d%02d=", month);
        for (const auto& book : kBooks) {
            const std::string where = std::string(book[0]) + "," + book[1];
            for (int i = 0; i < 2; ++i)
                out << tag << ',' << date << ',' << index++ << ',' << kTitles[1] << ','
                    << description << ',' << big << ",0,0," << where << ',' << where << ",\n";
            for (int i = 0; i < (m % 3 == 0 ? 3 : 2); ++i)
                out << tag << ',' << date << ',' << index++ << ',' << kTitles[i % 2 == 0 ? 0 : 2]
                    << ',' << description << ",0," << big << ",0," << where << ',' << where
                    << ",\n";
        }
    }
    out << "z,小口,本店小口現金,999999999999,\nz,預金,第一銀行普通預金,999999999999,\n";
    out << FiscalYearTrailer(2014, "g,999999999999,4,1,2014,");
    return out.str();
}

struct KindView {
    int kind;
    std::optional<std::string> book;   // the ledger kinds' book
    std::optional<std::string> title;  // an account search
    bool drill = false;                // the summary's descriptions of a title
};

const KindView kKinds[] = {
    {2, std::nullopt, std::nullopt},
    {3, std::nullopt, "消耗品費事務用品"},
    {7, "小口:本店小口現金", std::nullopt},
    {8, "小口:本店小口現金", "消耗品費事務用品"},
    {9, "預金:第一銀行普通預金", std::nullopt},
    {10, "預金:第一銀行普通預金", "消耗品費事務用品"},
    {5, std::nullopt, std::nullopt},
    {6, std::nullopt, std::nullopt, true},
    {20, std::nullopt, std::nullopt},
    {30, std::nullopt, std::nullopt},
    {40, std::nullopt, std::nullopt},
};

class StyleFit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "style_fit";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) app_ = new QGuiApplication(argc, argv);
    }
    static QGuiApplication* app_;
};
QGuiApplication* StyleFit::app_ = nullptr;

TEST_F(StyleFit, NoTextOfAnyShippedStyleTouchesARuleAtTheLargestAmounts) {
    TempFolder home;
    const std::string ledger = home.File("big.exv");
    WriteCp932(ledger, BigLedger());
    setenv("VELMORA_HOME", home.Path().c_str(), 1);

    std::set<std::string> drawnStyles;
    HeaderImageLoader images;
    for (const KindView& view : kKinds) {
        std::ostringstream out, err;
        cli::CliContext ctx(out, err, Date::FromYmd(2014, 4, 10));
        ctx.printerDpi = kDpi;
        ctx.programFolder = VELMORA_DATA_DIR;
        ASSERT_TRUE(ctx.OpenLedger(ledger)) << err.str();
        Application& app = ctx.app();
        const bool ledgerKind = view.kind < 20 && view.kind != 5 && view.kind != 6;
        if (ledgerKind) {
            ASSERT_TRUE(cli::SelectBookOption(ctx, view.book, false)) << err.str();
            if (view.title) app.search().FilterByTitle(*view.title);
            ASSERT_TRUE(cli::ChooseMonth(ctx, 4));
        } else {
            ASSERT_TRUE(cli::ChooseMonth(ctx, 4));
            if (view.kind == 40)
                app.reports().ShowGraph();
            else
                app.reports().ShowSummaryPage();
            if (view.drill) app.reports().DrillIntoTitle("売上高店頭売上分");
        }
        const PrintJob& job = app.printJob();
        app.printing().PrintReport(view.kind);
        ASSERT_EQ(job.state().kind, view.kind);
        const int papers = static_cast<int>(job.controls().paperItems.size());
        for (int paper = 0; paper < std::max(papers, 1); ++paper)
            for (int font = 0; font < 2; ++font)
                for (int column = 0; column < 2; ++column)
                    for (int colour = 0; colour < 4; ++colour) {
                        app.printing().ChooseStyle({paper, font, column, colour});
                        const std::string path = job.state().stylePath;
                        const std::string name = path.substr(path.rfind('/') + 1);
                        if (!drawnStyles.insert(name).second) continue;
                        app.printing().FirstPage();
                        const QSize sheet(Pixels(job.metrics().pageWidthMm),
                                          Pixels(job.metrics().pageHeightMm));
                        QImage ink(sheet, QImage::Format_Grayscale8);
                        ink.fill(255);
                        QPainter painter(&ink);
                        RuleProbeCanvas canvas(painter, kDpi);
                        // With the printed lines of the KOKUYO forms.
                        DrawContext context = PrinterDrawContext(job.metrics(), 100);
                        context.formLines = true;
                        const DrawResult drawn = job.DrawPage(canvas, images, context, false);
                        painter.end();
                        ASSERT_TRUE(drawn.Ok()) << name;
                        ASSERT_FALSE(canvas.texts.empty()) << name;
                        for (const std::string& fault : Faults(ink, canvas))
                            ADD_FAILURE() << name << ": " << fault;
                    }
    }
    const std::vector<std::string> shipped = StyleFileNames(ShippedStyleFolder());
    EXPECT_EQ(std::vector<std::string>(drawnStyles.begin(), drawnStyles.end()), shipped);
}

}  // namespace
}  // namespace velmora::testing
