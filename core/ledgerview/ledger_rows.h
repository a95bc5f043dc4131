#pragma once
// The rows of one build of the ledger view. A month of a large ledger holds tens of
// thousands of record rows of which the grid shows a screenful, so the record rows are
// made when they are first read, a page at a time, from what the build found: a view
// costs the rows read, not the rows it holds. The carry and totals rows around them are
// made with the build.
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "core/ledgerview/ledger_row.h"

namespace velmora {

// The record rows of one build, made on demand.
class RecordRowSource {
public:
    virtual ~RecordRowSource() = default;
    virtual std::size_t Count() const = 0;
    // Row i (below Count()), made once and kept.
    virtual const LedgerRow& Row(std::size_t i) const = 0;
};

class LedgerRows {
public:
    LedgerRows() = default;
    // Every row given (tests, and views built whole).
    LedgerRows(std::vector<LedgerRow> rows) : head_(std::move(rows)) {}  // NOLINT: a vector is rows
    LedgerRows(std::vector<LedgerRow> head, std::shared_ptr<const RecordRowSource> records,
               std::vector<LedgerRow> tail)
        : head_(std::move(head)), records_(std::move(records)), tail_(std::move(tail)) {}

    std::size_t size() const { return head_.size() + RecordCount() + tail_.size(); }
    bool empty() const { return size() == 0; }
    const LedgerRow& operator[](std::size_t i) const {
        if (i < head_.size()) return head_[i];
        i -= head_.size();
        if (i < RecordCount()) return records_->Row(i);
        return tail_[i - RecordCount()];
    }
    const LedgerRow& front() const { return (*this)[0]; }
    const LedgerRow& back() const { return (*this)[size() - 1]; }

    // Every row, made now.
    std::vector<LedgerRow> All() const {
        std::vector<LedgerRow> rows;
        rows.reserve(size());
        for (std::size_t i = 0; i < size(); ++i) rows.push_back((*this)[i]);
        return rows;
    }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = LedgerRow;
        using difference_type = std::ptrdiff_t;
        using pointer = const LedgerRow*;
        using reference = const LedgerRow&;

        const_iterator() = default;
        const_iterator(const LedgerRows* rows, std::size_t i) : rows_(rows), i_(i) {}
        reference operator*() const { return (*rows_)[i_]; }
        pointer operator->() const { return &(*rows_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++i_;
            return before;
        }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }

    private:
        const LedgerRows* rows_ = nullptr;
        std::size_t i_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    std::size_t RecordCount() const { return records_ ? records_->Count() : 0; }

    std::vector<LedgerRow> head_;
    std::shared_ptr<const RecordRowSource> records_;
    std::vector<LedgerRow> tail_;
};

}  // namespace velmora
