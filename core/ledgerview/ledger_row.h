#pragma once
// One row of the ledger grid below its header: the marker of column 0 and the seven
// fields of the row text that column 7 carries.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Markers of column 0. The move commands find rows by them.
inline constexpr std::string_view kMarkPositive = "+";
inline constexpr std::string_view kMarkNegative = "-";
// The closing carry row with a balance >= 0, and the end mark after a filtered view.
inline constexpr std::string_view kMarkEnd = "=";
// The closing carry row with a negative balance.
inline constexpr std::string_view kMarkNegativeCarry = "*";

// "+" for a balance >= 0, "-" below.
inline std::string_view BalanceMarker(bool negative) {
    return negative ? kMarkNegative : kMarkPositive;
}

enum class LedgerRowKind { OpeningCarry, Record, Totals, ClosingCarry, EndMark };

class LedgerRow {
public:
    // The cells of columns 1..6, in column order.
    enum Cell : int { kDate = 0, kTitle, kDescription, kIncome, kExpense, kBalance, kCellCount };

    LedgerRow(LedgerRowKind kind, std::string_view marker) : kind_(kind), marker_(marker) {}

    LedgerRowKind Kind() const { return kind_; }
    const std::string& Marker() const { return marker_; }
    // Built apart and moved in: assigning the view in place makes GCC 12 warn falsely
    // (-Wrestrict) wherever this is inlined into a large optimised function.
    void SetMarker(std::string_view marker) { marker_ = std::string(marker); }

    const std::string& CellText(Cell cell) const { return cells_[static_cast<std::size_t>(cell)]; }
    void SetCell(Cell cell, std::string text) {
        cells_[static_cast<std::size_t>(cell)] = std::move(text);
    }

    const std::string& DateText() const { return CellText(kDate); }
    const std::string& Title() const { return CellText(kTitle); }
    const std::string& Description() const { return CellText(kDescription); }
    const std::string& Income() const { return CellText(kIncome); }
    const std::string& Expense() const { return CellText(kExpense); }
    const std::string& Balance() const { return CellText(kBalance); }

    // The index of the record in the transaction list; none on carry, totals and end
    // mark rows.
    std::optional<int> RecordIndex() const { return recordIndex_; }
    void SetRecordIndex(int index) { recordIndex_ = index; }

    // Column 7: "date;title;description;income;expense;balance;index;". The typed
    // accessors above are the ones to read: a ";" typed into a description would shift
    // the fields of this text.
    std::string Text() const;

private:
    LedgerRowKind kind_;
    std::string marker_;
    std::array<std::string, kCellCount> cells_{};
    std::optional<int> recordIndex_;
};

}  // namespace velmora
