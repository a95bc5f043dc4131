#include "core/platform/line_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/util/errors.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using Items = std::vector<std::string>;

Items SplitComma(std::string_view text) {
    LineList list;
    list.SetCommaText(text);
    return list.Items();
}

std::string JoinComma(const Items& items) {
    LineList list;
    list.Assign(items);
    return list.GetCommaText();
}

// "line:column" of the match, or where the search ended.
std::string FindFrom(const LineList& list, std::string_view text, std::int32_t line,
                     std::int32_t column) {
    if (!list.Find(text, line, column)) return "not found, line " + std::to_string(line);
    return std::to_string(line) + ":" + std::to_string(column);
}

template <typename Operation>
void ExpectRangeError(Operation operation) {
    try {
        operation();
        ADD_FAILURE() << "no range error";
    } catch (const ListIndexError& error) {
        EXPECT_STREQ(error.what(), "インデックスがリストの範囲を超えています");
    }
}

TEST(LineListCommaText, SplitsRecordsByTheLedgerRules) {
    EXPECT_EQ(SplitComma("a,b,"), (Items{"a", "b"}));
    EXPECT_EQ(SplitComma("a,,b"), (Items{"a", "", "b"}));
    EXPECT_EQ(SplitComma(","), (Items{""}));
    EXPECT_EQ(SplitComma(""), Items{});
    EXPECT_EQ(SplitComma("\"x,y\",z,"), (Items{"x,y", "z"}));
    // A double quote ends an unquoted item; there is no escape for it.
    EXPECT_EQ(SplitComma("ab\"cd,e"), (Items{"ab", "cd", "e"}));
    EXPECT_EQ(SplitComma("a,b\r\nc,d"), (Items{"a", "b"}));
    EXPECT_EQ(SplitComma("d04=,2014/04/01,1,交通費,バス代,0,220,9780,現金,現金出納帳,,,"),
              (Items{"d04=", "2014/04/01", "1", "交通費", "バス代", "0", "220", "9780", "現金",
                     "現金出納帳", "", ""}));
    // Quotes, carriage returns and commas past the first sixteen bytes, where the split
    // looks at many bytes at once.
    EXPECT_EQ(SplitComma("0123456789abcdefghij,\"k,l\",m"),
              (Items{"0123456789abcdefghij", "k,l", "m"}));
    EXPECT_EQ(SplitComma("0123456789abcdef0123456789,abcdefgh\r\nx,y"),
              (Items{"0123456789abcdef0123456789", "abcdefgh"}));
    EXPECT_EQ(SplitComma("0123456789abcde,0123456789abcdef,,x"),
              (Items{"0123456789abcde", "0123456789abcdef", "", "x"}));

    LineList list;
    list.Assign({"old", "items", "here"});
    list.SetCommaText("new,");
    EXPECT_EQ(list.Items(), Items{"new"});
}

TEST(LineListCommaText, JoinQuotesOnlyItemsWithSpaceOrComma) {
    EXPECT_EQ(JoinComma({"a b", "c"}), "\"a b\",c");
    EXPECT_EQ(JoinComma({}), "");
    EXPECT_EQ(JoinComma({""}), "");
    EXPECT_EQ(JoinComma({"x,y", "say\"hi", ""}), "\"x,y\",say\"hi,");
    EXPECT_EQ(JoinComma({"全角　空白", "1500"}), "全角　空白,1500");
}

TEST(LineListText, SplitsAndJoinsLines) {
    LineList list;
    list.SetText("a\r\nb\r\n");
    EXPECT_EQ(list.Items(), (Items{"a", "b"}));
    EXPECT_EQ(list.Capacity(), 2);
    list.SetText("a\n\nb\rc");
    EXPECT_EQ(list.Items(), (Items{"a", "", "b", "c"}));

    list.Assign({"a", "", "現金"});
    EXPECT_EQ(list.GetText(), "a\r\n\r\n現金\r\n");
    list.Clear();
    EXPECT_EQ(list.GetText(), "");

    std::ostringstream out;
    list.Assign({"x", "y"});
    list.SaveToStream(out);
    EXPECT_EQ(out.str(), "x\r\ny\r\n");
    std::istringstream in("p\r\nq");
    list.LoadFromStream(in);
    EXPECT_EQ(list.Items(), (Items{"p", "q"}));
}

TEST(LineListEditing, ChangesItemsInPlace) {
    LineList list;
    list.Assign({"a", "b", "c"});
    list.Insert(3, "d");
    list.Insert(0, "z");
    EXPECT_EQ(list.Items(), (Items{"z", "a", "b", "c", "d"}));
    list.Delete(2);
    EXPECT_EQ(list.Items(), (Items{"z", "a", "c", "d"}));
    list.Exchange(0, 3);
    list.Exchange(1, 1);
    list.Put(2, "C");
    EXPECT_EQ(list.Items(), (Items{"d", "a", "C", "z"}));
    EXPECT_EQ(list.Add("e"), 4);
    EXPECT_EQ(list[4], "e");

    list.AddStrings({"f", "g"});
    EXPECT_EQ(list.Capacity(), 7);
    Items copy{"gone"};
    list.CopyTo(copy);
    EXPECT_EQ(copy, (Items{"d", "a", "C", "z", "e", "f", "g"}));
}

TEST(LineListEditing, RejectsEveryIndexOutOfRange) {
    LineList list;
    list.Assign({"a", "b", "c"});
    ExpectRangeError([&] { list.Get(-1); });
    ExpectRangeError([&] { list.Get(3); });
    ExpectRangeError([&] { list.Put(3, "x"); });
    ExpectRangeError([&] { list.Insert(4, "x"); });
    ExpectRangeError([&] { list.Insert(-1, "x"); });
    ExpectRangeError([&] { list.Delete(3); });
    ExpectRangeError([&] { list.Exchange(0, 3); });
    ExpectRangeError([&] { list.SetCount(-1); });
    ExpectRangeError([&] { list.SetCount(LineList::kMaxCount + 1); });
    ExpectRangeError([&] { list.SetCapacity(2); });
    ExpectRangeError([&] { list.SetCapacity(LineList::kMaxCount + 1); });
    EXPECT_EQ(list.Items(), (Items{"a", "b", "c"}));
}

// Many lines in one pass are what the single edits would make, recorded as those edits.
TEST(LineListEditing, InsertManyAndDeleteManyAreTheSingleEditsInOnePass) {
    LineList many, single;
    for (const char* line : {"a", "b", "c"}) {
        many.Add(line);
        single.Add(line);
    }
    LineChangeLog log, forward;
    many.RecordChangesInto(&log);
    many.RecordForwardInto(&forward);
    many.InsertMany({{0, "x"}, {2, "y"}, {5, "z"}, {6, "w"}});
    single.Insert(0, "x");
    single.Insert(2, "y");
    single.Insert(5, "z");
    single.Insert(6, "w");
    EXPECT_EQ(many.Items(), (std::vector<std::string>{"x", "a", "y", "b", "c", "z", "w"}));
    EXPECT_EQ(many.Items(), single.Items());
    EXPECT_EQ(many.Capacity(), single.Capacity());
    ASSERT_EQ(log.changes.size(), 4u);
    EXPECT_EQ(log.changes[2].index, 5);
    EXPECT_EQ(log.changes[2].text, "z");
    EXPECT_EQ(forward.changes[3].text, "w");

    many.DeleteMany({0, 3, 6});
    EXPECT_EQ(many.Items(), (std::vector<std::string>{"a", "y", "c", "z"}));
    ASSERT_EQ(log.changes.size(), 7u);
    // As deleting from the last: the text each delete would give back.
    EXPECT_EQ(log.changes[4].kind, LineChange::Kind::Delete);
    EXPECT_EQ(log.changes[4].index, 6);
    EXPECT_EQ(log.changes[4].text, "w");
    EXPECT_EQ(log.changes[6].index, 0);
    EXPECT_EQ(log.changes[6].text, "x");

    // Out of order or out of reach: refused, nothing changed.
    EXPECT_THROW(many.InsertMany({{2, "p"}, {2, "q"}}), ListIndexError);
    EXPECT_THROW(many.InsertMany({{0, "p"}, {6, "q"}}), ListIndexError);
    EXPECT_THROW(many.DeleteMany({1, 1}), ListIndexError);
    EXPECT_THROW(many.DeleteMany({0, 4}), ListIndexError);
    EXPECT_EQ(many.Items(), (std::vector<std::string>{"a", "y", "c", "z"}));
    EXPECT_EQ(log.changes.size(), 7u);
}

TEST(LineListCapacity, GrowsBy32AndFollowsCountAndClear) {
    LineList list;
    EXPECT_EQ(list.Capacity(), 0);
    list.Add("1");
    EXPECT_EQ(list.Capacity(), 32);
    for (int i = 2; i <= 32; ++i) list.Add(std::to_string(i));
    EXPECT_EQ(list.Capacity(), 32);
    list.Insert(0, "0");
    EXPECT_EQ(list.Capacity(), 64);
    EXPECT_EQ(list.Count(), 33);

    list.SetText("a\r\nb\r\n");
    list.Add("c");
    EXPECT_EQ(list.Capacity(), 34);

    list.Assign({"x", "y", "z"});
    EXPECT_EQ(list.Capacity(), 3);
    list.SetCount(40);
    EXPECT_EQ(list.Capacity(), 40);
    EXPECT_EQ(list[39], "");
    list.SetCount(2);
    EXPECT_EQ(list.Items(), (Items{"x", "y"}));
    EXPECT_EQ(list.Capacity(), 40);
    list.SetCapacity(2);
    EXPECT_EQ(list.Capacity(), 2);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(LineListSearch, IndexOfIsExactAndFindIsCaseInsensitive) {
    LineList list;
    list.Assign({"Abc", "abc", "abc"});
    EXPECT_EQ(list.IndexOf("abc"), 1);
    EXPECT_EQ(list.IndexOf("ABC"), -1);

    list.Assign({"g,0,4,1,2014,", "f,2014/04/01", "f,2014/05/01", "z,預金,みずほ,0,", "x", "y", "z",
                 "d04=,2014/04/01,1,", "d04=,2014/04/02,2,", "xxD04=yy"});
    EXPECT_EQ(FindFrom(list, "d04=", 0, 1), "7:1");
    EXPECT_EQ(FindFrom(list, "d04=", 7, 2), "8:1");  // the caller moves past a match
    EXPECT_EQ(FindFrom(list, "d04=", 8, 2), "9:3");
    EXPECT_EQ(FindFrom(list, "d04=", 9, 4), "not found, line 10");
    EXPECT_EQ(FindFrom(list, "みずほ", 0, 1), "3:10");  // columns count UTF-8 bytes
    EXPECT_EQ(FindFrom(list, "2014/04/01,1,x", 0, 1), "not found, line 10");
}

TEST(LineListSort, OrdersByTheComparison) {
    auto ascending = [](const std::string& a, const std::string& b) { return a.compare(b); };
    LineList list;
    list.Assign({"d", "a", "c", "b", "a"});
    list.Sort(ascending);
    EXPECT_EQ(list.Items(), (Items{"a", "a", "b", "c", "d"}));

    Items many;
    unsigned seed = 12345;
    for (int i = 0; i < 500; ++i) {
        seed = seed * 1103515245u + 12345u;
        many.push_back(std::to_string(seed % 97));
    }
    list.Assign(many);
    list.Sort(ascending);
    std::sort(many.begin(), many.end());
    EXPECT_EQ(list.Items(), many);

    int calls = 0;
    list.Assign({"only"});
    list.Sort([&](const std::string&, const std::string&) {
        ++calls;
        return 0;
    });
    EXPECT_EQ(calls, 0);
}

TEST(LineListFile, SavesCp932CrLfAndLoadsItBack) {
    testing::TempFolder folder;
    const std::string path = folder.File("ledger.exv");
    LineList list;
    list.Assign({"d04=,2014/04/01,", "現金出納帳", ""});
    list.SaveToFile(path);
    EXPECT_EQ(testing::ReadBytes(path),
              "d04=,2014/04/01,\r\n\x8C\xBB\x8B\xE0\x8F\x6F\x94\x5B\x92\xA0\r\n\r\n");

    LineList loaded;
    loaded.Add("stale");
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Items(), list.Items());
    EXPECT_EQ(loaded.Capacity(), 3);

    testing::WriteBytes(path, "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88,1\r\n");  // UTF-8
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Items(), Items{"テスト,1"});
}

TEST(LineListFile, FailedLoadClearsAndFailedSaveKeepsTheFile) {
    testing::TempFolder folder;
    const std::string path = folder.File("bad.dat");
    testing::WriteBytes(path, "ok\r\n\x81\x20\xC0\r\n");
    LineList list;
    list.Assign({"a", "b"});
    EXPECT_THROW(list.LoadFromFile(path), EncodingError);
    EXPECT_EQ(list.Count(), 0);

    list.Assign({"a", "b"});
    EXPECT_THROW(list.LoadFromFile(folder.File("missing.dat")), FileError);
    EXPECT_EQ(list.Count(), 0);

    list.Assign({"絵文字😀"});
    EXPECT_THROW(list.SaveToFile(path), EncodingError);
    EXPECT_EQ(testing::ReadBytes(path), "ok\r\n\x81\x20\xC0\r\n");
}

}  // namespace
}  // namespace velmora
