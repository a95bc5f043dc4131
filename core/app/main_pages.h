#pragma once
// The main pages of the window: one row each, in the order of the page control. A page is
// named by its MainPage wherever it is chosen; its position is the row's.
#include <array>
#include <string_view>

namespace velmora {

enum class MainPage { Ledger, Summary, Preview, Graph };

struct MainPageInfo {
    MainPage page;
    std::string_view caption;
};

inline constexpr std::array kMainPages{
    MainPageInfo{MainPage::Ledger, "現金出納帳"},
    MainPageInfo{MainPage::Summary, "月別一覧表"},
    MainPageInfo{MainPage::Preview, "印刷プレビュー"},
    MainPageInfo{MainPage::Graph, "入出金グラフ"},
};

}  // namespace velmora
