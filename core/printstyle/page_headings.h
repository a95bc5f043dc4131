#pragma once
// What every page filler puts into the headings of a page, and the options they share.
#include <string>

#include "core/util/date.h"

namespace velmora {

struct PageHeadings {
    Date today;               // "#Y" "#M" "#D" "#W" "#date"
    int page = 1;             // "#pg"
    std::string companyName;  // "#OF"
    std::string caption;      // "#TL": the summary heading label
    std::string fiscalRange;  // "#PY" of the summary pages: "2014/04/01～2015/03/31"
};

struct FillerOptions {
    bool negativeInRed = false;  // "[OPTION2]=TRUE"
    int paperIndex = 0;          // `paper_sel`: 0 plain paper, 1 and 2 KOKUYO forms (or B4)
};

}  // namespace velmora
