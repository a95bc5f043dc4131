#pragma once
// The account titles dialog (`TFkamokureg`): the 60 title slots in a grid, edited through
// the title edit box and the commands 追加, 挿入, 上へ, 下へ and 削除 ("科目設定"), or
// picked as the ledger's account filter ("科目検索"). The slots, the commands and their
// checks are the TitleMaster's; "更　新" is the application's.
#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/application.h"
#include "core/settings/title_file.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace velmora::gui {

// The title edit box (`Tfedit_dlg`): the title loses double quotes and commas and is cut
// to its first 16 bytes while typed; a cut is said under the field.
class TitleEditDialog : public QDialog {
    Q_OBJECT
public:
    explicit TitleEditDialog(const std::string& title, QWidget* parent = nullptr);
    std::string Title() const;

private:
    QLineEdit* edit_ = nullptr;
    QLabel* notice_ = nullptr;
};

class TitleMasterDialog : public QDialog {
    Q_OBJECT
public:
    TitleMasterDialog(Application& app, TitleMasterMode mode, QWidget* parent = nullptr);
    ~TitleMasterDialog() override;

    QTableWidget* grid() const { return grid_; }
    // The account filter picked in "科目検索"; none when the dialog was cancelled.
    const std::optional<std::string>& Picked() const { return picked_; }

    // "キャンセル", Esc and the window's close button: edits are thrown away only after
    // the question.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class EditBoxDialogs;
    QPushButton* AddButton(const char* caption, const char* name, bool (TitleMaster::*command)());
    void ShowCell(int row, int column);
    void ShowSlots();
    void DoubleClicked(int row, int column);

    Application& app_;
    std::unique_ptr<EditBoxDialogs> dialogs_;
    TitleMaster master_;
    QTableWidget* grid_ = nullptr;
    std::optional<std::string> picked_;
    std::vector<QPushButton*> commandButtons_;
};

}  // namespace velmora::gui
