// velmora-cli pages --pdf: the pages drawn by the Qt canvas into one PDF file, checked by
// rasterising it with pdftoppm (poppler-utils) at the resolution it was drawn at.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "support/cli_runner.h"
#include "support/ledger_text.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

struct Gray {
    int width = 0;
    int height = 0;
    std::string pixels;
    bool Ink(int x, int y) const {
        return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * width + x]) < 128;
    }
};

// The first page of the PDF as a binary PGM at dpi.
Gray Rasterise(const std::string& pdf, const std::string& stem, int dpi) {
    const std::string command =
        "pdftoppm -r " + std::to_string(dpi) + " -gray -f 1 -l 1 '" + pdf + "' '" + stem + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command << " (poppler-utils installed?)";
    std::istringstream in(ReadBytes(stem + "-1.pgm"));
    Gray g;
    std::string magic;
    int maximum = 0;
    in >> magic >> g.width >> g.height >> maximum;
    in.get();
    g.pixels.assign(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(magic, "P5");
    EXPECT_EQ(g.pixels.size(), static_cast<std::size_t>(g.width) * g.height);
    return g;
}

// The centres (in mm) of the runs of ink along a row or a column.
std::vector<double> InkCentresMm(const Gray& g, bool alongRow, int at, int dpi) {
    std::vector<double> centres;
    const int length = alongRow ? g.width : g.height;
    int start = -1;
    for (int i = 0; i <= length; ++i) {
        const bool ink = i < length && (alongRow ? g.Ink(i, at) : g.Ink(at, i));
        if (ink && start < 0) start = i;
        if (!ink && start >= 0) {
            centres.push_back((start + i) / 2.0 * 25.4 / dpi);
            start = -1;
        }
    }
    return centres;
}

const std::string kLedger = FiscalYearTrailer(2014, "g,10000,4,1,2014,");

std::string Line(double x1, double y1, double x2, double y2) {
    std::ostringstream out;
    out << "0;0;0;0;line;" << x1 << ';' << y1 << ';' << x2 << ';' << y2 << ";1;実線;0;0;\n";
    return out.str();
}

TEST(PdfOutput, LinesLandWithinATenthOfAMillimetreOnThePaperOfTheStyle) {
    TempFolder home;
    const std::string ledger = home.File("lines.exv");
    WriteCp932(ledger, kLedger);
    const std::vector<double> xs{20, 55.5, 100.25, 180.3};
    const std::vector<double> ys{40, 150.5, 230.75};
    for (const auto& [code, orientation, widthPt, heightPt] :
         {std::tuple{9, 0, 595, 842}, std::tuple{12, 1, 1032, 729}}) {
        std::string style = "header;Ver1.1;0;0;" + std::to_string(code) + ";" +
                            std::to_string(orientation) + ";0;100;0;0;0;0;0;\n";
        for (double x : xs) style += Line(x, 30, x, 250);
        for (double y : ys) style += Line(10, y, 200, y);
        const std::string stylePath = home.File("lines.sle");
        WriteCp932(stylePath, style);
        const std::string pdf = home.File("lines.pdf");
        const CliResult r = RunCli({"--today", "2014/04/10", "pages", ledger, "--report", "20",
                                    "--style", stylePath, "--pdf", pdf},
                                   home.Path());
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        const std::string bytes = ReadBytes(pdf);
        // The sheet of the style's paper, in the whole points Qt sizes papers in.
        EXPECT_NE(bytes.find("/MediaBox [0 0 " + std::to_string(widthPt) + ".000000 " +
                             std::to_string(heightPt) + ".000000]"),
                  std::string::npos);
        const Gray page = Rasterise(pdf, home.File("lines"), 600);
        EXPECT_EQ(page.width, (widthPt * 600 + 71) / 72);  // pdftoppm rounds up
        EXPECT_EQ(page.height, (heightPt * 600 + 71) / 72);
        const std::vector<double> columns =
            InkCentresMm(page, true, static_cast<int>(100 / 25.4 * 600), 600);
        const std::vector<double> rows =
            InkCentresMm(page, false, static_cast<int>(150 / 25.4 * 600), 600);
        ASSERT_EQ(columns.size(), xs.size());
        ASSERT_EQ(rows.size(), ys.size());
        for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_NEAR(columns[i], xs[i], 0.1);
        for (std::size_t i = 0; i < ys.size(); ++i) EXPECT_NEAR(rows[i], ys[i], 0.1);
    }
}

TEST(PdfOutput, EveryPageOfTheJobAndOptionErrors) {
    TempFolder home;
    const std::string pdf = home.File("ledger.pdf");
    const std::string sample = FixturePath("ledger/sample2014.exv");
    const std::string copy = home.File("sample.exv");
    WriteBytes(copy, ReadBytes(sample));
    const CliResult pages = RunCli(
        {"--today", "2014/04/10", "pages", copy, "--report", "2", "--month", "4"}, home.Path());
    ASSERT_EQ(pages.status, 0) << pages.err;
    std::size_t count = 0;
    for (const std::string& line : Lines(pages.out)) count += line.rfind("=== page", 0) == 0;
    const CliResult r = RunCli({"--today", "2014/04/10", "pages", copy, "--report", "2", "--month",
                                "4", "--pdf", pdf, "--dpi", "300"},
                               home.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = ReadBytes(pdf);
    std::size_t sheets = 0;
    for (std::size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1))
        ++sheets;
    EXPECT_EQ(sheets, count);
    EXPECT_NE(bytes.find("IPAexGothic"), std::string::npos);

    const CliResult both =
        RunCli({"pages", copy, "--report", "2", "--trace", "--pdf", pdf}, home.Path());
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("--trace and --pdf exclude each other"), std::string::npos);
}

// The last line of standard error (Qt may have said something of its own before).
std::string LastLine(const std::string& err) {
    const std::vector<std::string> lines = Lines(err);
    return lines.empty() ? std::string() : lines.back();
}

TEST(PdfOutput, NeverTheOpenLedgerNorAFileOfTheWorkingFolder) {
    TempFolder home, files;
    const std::string ledger = files.File("L.exv");
    WriteBytes(ledger, ReadBytes(FixturePath("ledger/sample2014.exv")));
    const std::string before = ReadBytes(ledger);
    std::filesystem::create_symlink(ledger, files.File("link.pdf"));
    const auto pdfTo = [&](const std::string& out) {
        return RunCli({"--today", "2014/04/10", "pages", ledger, "--report", "2", "--month", "4",
                       "--pdf", out},
                      home.Path());
    };
    for (const std::string& out : {ledger, files.File("link.pdf")}) {
        const CliResult r = pdfTo(out);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(LastLine(r.err), "確認: " + out + " 開いている帳簿ファイルには出力できません。");
    }
    EXPECT_EQ(ReadBytes(ledger), before);
    const CliResult settings = pdfTo(home.File("velmora.conf"));
    EXPECT_EQ(settings.status, 1);
    EXPECT_EQ(LastLine(settings.err), "確認: " + home.File("velmora.conf") +
                                          " 作業フォルダーのファイルには出力できません。");
    EXPECT_FALSE(std::filesystem::exists(home.File("velmora.conf")));
}

TEST(PdfOutput, WrittenAsLedgersAreWrittenNeverThroughAPlantedLink) {
    TempFolder home, files;
    const std::string ledger = files.File("L.exv");
    WriteBytes(ledger, ReadBytes(FixturePath("ledger/sample2014.exv")));
    const auto pdfTo = [&](const std::string& out) {
        return RunCli({"--today", "2014/04/10", "pages", ledger, "--report", "2", "--month", "4",
                       "--pdf", out, "--dpi", "100"},
                      home.Path());
    };
    // A link where a fixed temporary name would be, and a private PDF replaced.
    const std::string out = files.File("out.pdf");
    WriteBytes(files.File("victim"), "someone else's");
    std::filesystem::create_symlink(files.File("victim"), out + ".velmora-tmp");
    WriteBytes(out, "an old private printout");
    std::filesystem::permissions(
        out, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const CliResult r = pdfTo(out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(out).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(ReadBytes(files.File("victim")), "someone else's");
    EXPECT_EQ(std::filesystem::status(out).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // Something that is no regular file is refused, not replaced.
    const std::string fifo = files.File("fifo.pdf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const CliResult refused = pdfTo(fifo);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(LastLine(refused.err),
              "velmora-cli: ファイルに書き込めません: " + fifo + " (通常のファイルではありません)");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// The texts a page trace draws ("text x,y "..."" lines), unescaped, one after another.
std::string DrawnTexts(const std::string& trace) {
    std::string texts;
    for (const std::string& line : Lines(trace)) {
        if (line.rfind("text ", 0) != 0) continue;
        for (std::size_t i = line.find('"') + 1; i + 1 < line.size(); ++i) {
            if (line[i] != '\\') {
                texts += line[i];
            } else if (line[i + 1] == 'x') {
                texts += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                texts += line[++i];
            }
        }
    }
    return texts;
}

// The characters of a UTF-8 text other than blanks, sorted: what a text layer must hold
// whatever order and spacing its extraction gives.
std::multiset<std::u32string> Characters(const std::string& utf8) {
    std::multiset<std::u32string> characters;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string c = utf8.substr(i, length);
        i += length;
        if (c == " " || c == "\n" || c == "\r" || c == "\t" || c == "\f" || c == "　") continue;
        characters.insert(std::u32string(c.begin(), c.end()));
    }
    return characters;
}

TEST(PdfOutput, TheTextLayerOfEveryPrintKindHoldsTheTextsDrawn) {
    TempFolder home;
    const std::string ledger = home.File("books.exv");
    WriteBytes(ledger, ReadBytes(FixturePath("ledger/books2014.exv")));
    const std::vector<std::vector<std::string>> kinds = {
        {"2"},
        {"3", "--title", "消耗品費"},
        {"7", "--book", "小口:本店"},
        {"8", "--book", "小口:本店", "--title", "消耗品費"},
        {"9", "--book", "預金:第一銀行"},
        {"10", "--book", "預金:第一銀行", "--title", "消耗品費"},
        {"5"},
        {"6", "--drill", "消耗品費"},
        {"20"},
        {"30"},
        {"40"},
    };
    for (const std::vector<std::string>& kind : kinds) {
        std::vector<std::string> args{"--today", "2014/04/10", "pages",   ledger,
                                      "--month", "4",          "--report"};
        args.insert(args.end(), kind.begin(), kind.end());
        std::vector<std::string> traced = args;
        traced.push_back("--trace");
        const CliResult trace = RunCli(traced, home.Path());
        ASSERT_EQ(trace.status, 0) << kind[0] << ": " << trace.err;
        const std::string pdf = home.File("kind" + kind[0] + ".pdf");
        args.insert(args.end(), {"--pdf", pdf, "--dpi", "150"});
        const CliResult printed = RunCli(args, home.Path());
        ASSERT_EQ(printed.status, 0) << kind[0] << ": " << printed.err;
        const std::string text = home.File("kind" + kind[0] + ".txt");
        const std::string command = "pdftotext -enc UTF-8 '" + pdf + "' '" + text + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::string drawn = DrawnTexts(trace.out);
        EXPECT_FALSE(Characters(drawn).empty()) << kind[0];
        EXPECT_TRUE(Characters(ReadBytes(text)) == Characters(drawn))
            << "report " << kind[0] << "\ndrawn:\n"
            << drawn << "\npdftotext:\n"
            << ReadBytes(text);
    }
}

}  // namespace
}  // namespace velmora::testing

namespace velmora::testing {
namespace {

// The outputs of a 0600 ledger: a PDF, a CSV file, the ledger under another name and next
// year's ledger. Each replaces a link at its path (never the file it names) and is 0600
// whatever the umask lets a new file be.
TEST(CliOutputs, ReplaceALinkAtTheirPathAndAreNoMoreOpenThanTheLedger) {
    TempFolder home, files;
    const std::string ledger = files.File("L.exv");
    WriteBytes(ledger, ReadBytes(FixturePath("ledger/sample2014.exv")));
    std::filesystem::permissions(
        ledger, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const mode_t umaskBefore = ::umask(022);
    const std::vector<std::vector<std::string>> commands = {
        {"pages", ledger, "--report", "2", "--month", "4", "--dpi", "50", "--pdf"},
        {"csv", ledger},
        {"resave", ledger},
        {"rollover", ledger},
    };
    for (const std::vector<std::string>& command : commands) {
        const std::string out = files.File(command[0] + ".out");
        const std::string victim = files.File(command[0] + ".victim");
        WriteBytes(victim, "someone else's");
        std::filesystem::create_symlink(victim, out);
        std::vector<std::string> args{"--today", "2014/04/10"};
        args.insert(args.end(), command.begin(), command.end());
        args.push_back(out);
        const CliResult r = RunCli(args, home.Path());
        EXPECT_EQ(r.status, 0) << command[0] << ": " << r.err;
        EXPECT_EQ(ReadBytes(victim), "someone else's") << command[0];
        EXPECT_FALSE(std::filesystem::is_symlink(out)) << command[0];
        struct stat written {};
        ASSERT_EQ(::stat(out.c_str(), &written), 0) << command[0];
        EXPECT_EQ(written.st_mode & 07777, 0600u) << command[0];
    }
    ::umask(umaskBefore);
}

}  // namespace
}  // namespace velmora::testing

namespace velmora::testing {
namespace {

// The monthly list draws its amounts one character a step; a reader of the PDF gets them
// back as drawn, "46,300", with no space after the narrow comma.
TEST(PdfOutput, AmountsDrawnOneCharacterAStepReadAsOneWord) {
    TempFolder home;
    const std::string ledger = home.File("books.exv");
    WriteBytes(ledger, ReadBytes(FixturePath("ledger/books2014.exv")));
    const std::string pdf = home.File("monthly.pdf");
    const CliResult printed = RunCli(
        {"--today", "2014/04/10", "pages", ledger, "--report", "5", "--pdf", pdf, "--dpi", "150"},
        home.Path());
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::string text = home.File("monthly.txt");
    const std::string command = "pdftotext -enc UTF-8 '" + pdf + "' '" + text + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string read = ReadBytes(text);
    EXPECT_TRUE(std::regex_search(read, std::regex("[0-9],[0-9]{3}"))) << read;
    EXPECT_FALSE(std::regex_search(read, std::regex("[0-9], [0-9]"))) << read;
}

}  // namespace
}  // namespace velmora::testing
