#pragma once
// "金種計算": a count box per note and coin, the amount of each row, the total, the cash
// book's balance at the end of the day chosen on the calendar or of today (the user
// switches between them without closing) and the difference, red when cash is short. The
// counts are kept when the dialog closes.
#include <QDialog>
#include <array>

#include "core/app/application.h"
#include "core/entry/money_count.h"

class QLabel;
class QRadioButton;

namespace velmora::gui {

class NumericEdit;

class MoneyCountDialog : public QDialog {
    Q_OBJECT
public:
    MoneyCountDialog(Application& app, QWidget* parent = nullptr);

    NumericEdit* countBox(int kind) const { return counts_[static_cast<std::size_t>(kind)]; }
    QLabel* totalLabel() const { return total_; }
    QLabel* differenceLabel() const { return difference_; }
    MoneyCount count() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseDay(Date day);
    void Recount();

    Application& app_;
    MoneyCountBalance balance_;
    std::array<NumericEdit*, kMoneyKinds> counts_{};
    std::array<QLabel*, kMoneyKinds> amounts_{};
    QLabel* total_ = nullptr;
    QLabel* balanceCaption_ = nullptr;
    QLabel* balanceFigure_ = nullptr;
    QLabel* difference_ = nullptr;
};

}  // namespace velmora::gui
