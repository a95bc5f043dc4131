#include "tools/make_styles/style_items.h"

#include <cmath>
#include <vector>

#include "core/util/amount.h"

namespace velmora {
namespace {

constexpr std::int64_t kHundredthsToRaw = Amount::kScale / 100;

// Fields each followed by ";", the form of every style line.
std::string JoinFields(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        line += field;
        line += ';';
    }
    return line;
}

std::string Int(int value) {
    return std::to_string(value);
}

// F1..F5: the item flag and three unused fields are always "0" in the lines we write.
std::vector<std::string> Prefix(std::string_view kind) {
    return {"0", "0", "0", "0", std::string(kind)};
}

void AppendBox(std::vector<std::string>& fields, const Segment& box) {
    fields.push_back(MmText(box.x1));
    fields.push_back(MmText(box.y1));
    fields.push_back(MmText(box.x2));
    fields.push_back(MmText(box.y2));
}

std::string LineOfKind(std::string_view kind, const Segment& segment, int width,
                       std::string_view pen, int colour = kBlack, int previewFlag = 0) {
    std::vector<std::string> fields = Prefix(kind);
    AppendBox(fields, segment);
    fields.push_back(Int(width));
    fields.push_back(std::string(pen));
    fields.push_back(Int(colour));
    fields.push_back(Int(previewFlag));  // 0: drawn on paper too
    return JoinFields(fields);
}

}  // namespace

std::string MmText(double mm) {
    const std::int64_t hundredths = std::llround(mm * 100.0);
    return Amount::FromRaw(hundredths * kHundredthsToRaw).PlainText();
}

std::string HeaderLine(const PageSetup& setup) {
    return JoinFields({"header", "Ver1.1", "0", "0", Int(setup.paperCode),
                       setup.landscape ? "1" : "0", "0", "100", "0", MmText(setup.evenOffsetX),
                       MmText(setup.evenOffsetY), "0", "0"});
}

std::string TextLine(const TextItem& item) {
    std::vector<std::string> fields = Prefix(item.holdsPlaceholder ? "data" : "char");
    fields.push_back(MmText(item.x));
    fields.push_back(MmText(item.y));
    // The second point is not drawn; files of the current version repeat the first.
    fields.push_back(MmText(item.x));
    fields.push_back(MmText(item.y));
    fields.push_back("0");  // no shadow
    fields.push_back("0");
    fields.push_back("0");  // no rotation
    fields.push_back(Int(kBlack));
    fields.push_back(std::string(item.font));
    fields.push_back(Int(item.points));
    fields.push_back(item.weight == FontWeight::kBold ? "太字" : "標準");
    fields.push_back("0");  // horizontal
    fields.push_back(MmText(item.pitch));
    fields.push_back(Int(item.colour));
    fields.push_back(item.text);
    fields.push_back("0");  // drawn on paper too
    fields.push_back(Int(item.maxLength));
    // Digit alignment stays off: it shifts a pitched text left by about a millimetre per
    // character and none past eight characters, so amounts of different lengths would
    // no longer end at the same place. The negative pitch alone right-aligns them.
    fields.push_back("0");
    return JoinFields(fields);
}

std::string LineLine(const Segment& segment, int width, std::string_view pen) {
    return LineOfKind("line", segment, width, pen);
}

std::string FormLine(const Segment& segment, int colour, std::string_view pen) {
    return LineOfKind("line", segment, 0, pen, colour, kFormLineFlag);
}

std::string RectLine(const Segment& box, int width) {
    return LineOfKind("rect", box, width, kSolidPen);
}

std::string FilledBoxLine(const Segment& box, int colour) {
    std::vector<std::string> fields = Prefix("rrect");
    AppendBox(fields, box);
    fields.push_back("0");  // square corners
    fields.push_back("0");
    fields.push_back("0");  // pen width
    fields.push_back(std::string(kSolidPen));
    fields.push_back(Int(colour));
    fields.push_back("塗潰");
    fields.push_back(Int(colour));
    fields.push_back("0");  // drawn on paper too
    return JoinFields(fields);
}

double EstimatedWidth(std::string_view utf8Text, int points) {
    double ems = 0;
    for (const char c : utf8Text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            ems += 0.5;
        } else if (byte >= 0xC0) {
            ems += 1.0;  // the lead byte of a multi-byte character
        }
    }
    return ems * EmOf(points);
}

}  // namespace velmora
