#pragma once
// The account titles dialog (`TFkamokureg`): the 60 title slots in a grid, edited one by
// one through the title edit box ("科目設定") or picked as the ledger's account filter
// ("科目検索"). The slots and what a double-click does are the TitleMaster's.
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/settings/title_file.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace velmora::gui {

// The title edit box (`Tfedit_dlg`): the title is cut to its first 16 bytes while typed.
class TitleEditDialog : public QDialog {
    Q_OBJECT
public:
    explicit TitleEditDialog(const std::string& title, QWidget* parent = nullptr);
    std::string Title() const;

private:
    QLineEdit* edit_ = nullptr;
};

class TitleMasterDialog : public QDialog {
    Q_OBJECT
public:
    // dialogs carries the messages; the title edit box is this dialog's own.
    TitleMasterDialog(const std::string& path, TitleMasterMode mode, const std::string& useTypeName,
                      Dialogs& dialogs, FileWriter& writer, QWidget* parent = nullptr);
    ~TitleMasterDialog() override;

    QTableWidget* grid() const { return grid_; }
    // The account filter picked in "科目検索"; none when the dialog was cancelled.
    const std::optional<std::string>& Picked() const { return picked_; }

private:
    class EditBoxDialogs;
    void ShowCell(int row, int column);
    void DoubleClicked(int row, int column);

    std::unique_ptr<EditBoxDialogs> dialogs_;
    TitleMaster master_;
    FileWriter& writer_;
    QTableWidget* grid_ = nullptr;
    std::optional<std::string> picked_;
};

}  // namespace velmora::gui
