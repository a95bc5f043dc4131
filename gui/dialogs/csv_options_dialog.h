#pragma once
// "CSV出力設定": the ten column boxes, the output options with the code page and the
// formula guard, and the code table with its pop-up menu. "実　行" exports through the
// core; closing in any way keeps the code table.
#include <QDialog>
#include <array>

#include "core/app/application.h"
#include "core/export/csv_export.h"

class QCheckBox;
class QComboBox;
class QTableWidget;

namespace velmora::gui {

class CsvOptionsWindow : public QDialog {
    Q_OBJECT
public:
    // session: the one "出力" exports, handed by the command that runs the dialog.
    CsvOptionsWindow(Application& app, Session& session, QWidget* parent = nullptr);

    QCheckBox* columnBox(int column) const { return columns_[static_cast<std::size_t>(column)]; }
    QCheckBox* titleRowBox() const { return titleRow_; }
    QCheckBox* codesBox() const { return codes_; }
    QCheckBox* formulaGuardBox() const { return guard_; }
    QComboBox* encodingBox() const { return encoding_; }
    QTableWidget* codeTable() const { return table_; }
    // The pop-up menu's items on row: 0 "上へ移動", 1 "下へ移動", 2 "削　除(…)".
    void RunRowCommand(int command, int row);
    // True after "実　行" wrote the file.
    bool exported() const { return exported_; }

    void done(int result) override;

private:
    void ShowCodes();
    CsvOptions ChosenOptions() const;

    Session& session_;
    CsvOptionsDialog model_;
    std::array<QCheckBox*, kCsvColumnCount> columns_{};
    QCheckBox* titleRow_ = nullptr;
    QCheckBox* codes_ = nullptr;
    QCheckBox* guard_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QTableWidget* table_ = nullptr;
    bool showing_ = false;
    bool exported_ = false;
};

}  // namespace velmora::gui
