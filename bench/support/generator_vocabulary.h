#pragma once
// The words of generated ledgers: account titles with their typical descriptions and
// amounts, counterparties, and the names of the petty-cash and bank books. Every text
// has a CP932 form.
#include <array>
#include <string_view>

namespace velmora::bench {

struct TitleWords {
    std::string_view title;
    bool income;  // records of this title are income, else expense
    std::array<std::string_view, 3> descriptions;
    int minYen;
    int maxYen;
};

inline constexpr std::array<TitleWords, 40> kTitleWords{{
    {"売上", true, {"商品売上", "サービス売上", "店頭売上"}, 3000, 300000},
    {"雑収入", true, {"雑収入", "廃品売却", "自販機手数料"}, 500, 30000},
    {"受取利息", true, {"普通預金利息", "定期預金利息", "貸付金利息"}, 10, 5000},
    {"受取手数料", true, {"紹介手数料", "事務手数料", "代行手数料"}, 1000, 50000},
    {"家賃収入", true, {"駐車場賃料", "倉庫賃料", "事務所賃料"}, 20000, 150000},
    {"売掛金回収", true, {"売掛金入金", "請求分入金", "月末締め分入金"}, 10000, 500000},
    {"前受金", true, {"予約金受領", "手付金受領", "前払い受領"}, 5000, 100000},
    {"補助金収入", true, {"市補助金", "県助成金", "雇用助成金"}, 50000, 400000},
    {"交通費", false, {"バス代", "電車代", "タクシー代"}, 150, 8000},
    {"旅費", false, {"出張宿泊費", "新幹線代", "航空券代"}, 5000, 60000},
    {"消耗品費", false, {"コピー用紙", "トナー", "電池"}, 100, 20000},
    {"事務用品費", false, {"ボールペン", "ファイル", "封筒"}, 100, 5000},
    {"通信費", false, {"電話料金", "インターネット料金", "切手代"}, 80, 15000},
    {"水道光熱費", false, {"電気料金", "ガス料金", "水道料金"}, 2000, 40000},
    {"接待交際費", false, {"会食代", "手土産代", "慶弔見舞金"}, 2000, 50000},
    {"会議費", false, {"会議用茶菓子", "会議室使用料", "弁当代"}, 300, 20000},
    {"福利厚生費", false, {"健康診断費", "社員旅行積立", "お茶代"}, 300, 30000},
    {"広告宣伝費", false, {"チラシ印刷", "新聞広告", "看板制作"}, 3000, 100000},
    {"荷造運賃", false, {"宅配便代", "梱包資材", "運送料"}, 300, 20000},
    {"修繕費", false, {"空調修理", "機械部品交換", "水漏れ修理"}, 2000, 80000},
    {"新聞図書費", false, {"新聞購読料", "業界誌", "参考書籍"}, 300, 10000},
    {"支払手数料", false, {"振込手数料", "証明書発行手数料", "代引手数料"}, 110, 3000},
    {"租税公課", false, {"収入印紙", "固定資産税", "自動車税"}, 200, 50000},
    {"地代家賃", false, {"事務所家賃", "駐車場代", "倉庫賃借料"}, 10000, 200000},
    {"賃借料", false, {"複合機リース", "レンタル備品", "機械リース"}, 3000, 50000},
    {"保険料", false, {"火災保険料", "自動車保険料", "賠償責任保険料"}, 3000, 60000},
    {"諸会費", false, {"商工会費", "組合費", "協会年会費"}, 1000, 30000},
    {"研修費", false, {"講習会参加費", "資格試験受験料", "セミナー代"}, 2000, 40000},
    {"車両費", false, {"車検費用", "オイル交換", "タイヤ交換"}, 2000, 90000},
    {"燃料費", false, {"ガソリン代", "軽油代", "灯油代"}, 1000, 15000},
    {"外注費", false, {"清掃委託", "デザイン外注", "記帳代行"}, 5000, 150000},
    {"仕入", false, {"商品仕入", "材料仕入", "部品仕入"}, 1000, 200000},
    {"給料賃金", false, {"アルバイト給与", "パート給与", "臨時手当"}, 10000, 200000},
    {"雑費", false, {"ゴミ処理代", "クリーニング代", "雑費"}, 100, 5000},
    {"寄付金", false, {"町内会寄付", "祭礼寄付", "募金"}, 1000, 30000},
    {"支払利息", false, {"借入金利息", "割賦利息", "延滞利息"}, 100, 20000},
    {"備品費", false, {"事務机", "椅子", "書庫"}, 5000, 90000},
    {"衛生費", false, {"消毒液", "マスク", "救急用品"}, 200, 8000},
    {"清掃費", false, {"清掃用品", "ワックス", "洗剤"}, 200, 6000},
    {"雑給", false, {"謝礼", "日当", "臨時雇用"}, 3000, 30000},
}};

inline constexpr std::array<std::string_view, 8> kCounterparties{
    "山田商店", "佐藤電機", "鈴木運輸", "高橋工務店",
    "田中文具", "伊藤商事", "渡辺印刷", "中村物産",
};

inline constexpr std::array<std::string_view, 5> kPettyBookNames{
    "本店", "北支店", "南支店", "営業所", "工場",
};

inline constexpr std::array<std::string_view, 5> kBankBookNames{
    "第一銀行", "中央信用金庫", "東西銀行", "みなと銀行", "ゆうちょ銀行",
};

// The titles of transfers: the petty-cash tab of the entry form and its bank tab.
inline constexpr std::string_view kPettyTransferTitle = "小口現金";
inline constexpr std::string_view kBankTransferTitle = "預金";

}  // namespace velmora::bench
