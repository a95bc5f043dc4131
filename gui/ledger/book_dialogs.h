#pragma once
// The book list dialog (`Tfnotes_select`) through which a petty-cash or bank book is
// chosen, added, renamed and deleted, and the book data dialog (`TfnotesData`) that asks
// for a book's name and opening balance.
#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "core/app/application.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace velmora::gui {

class NumericEdit;

class BookDataDialog : public QDialog {
    Q_OBJECT
public:
    explicit BookDataDialog(QWidget* parent = nullptr);

    void SetBook(const std::string& name, Amount balance);
    std::string Name() const;
    Amount Balance() const;
    // "実　行" runs it and closes the dialog only when it returns true: a refused name stays
    // in the dialog to be corrected.
    void SetCommand(std::function<bool()> command) { command_ = std::move(command); }

private:
    std::function<bool()> command_;
    QLineEdit* name_ = nullptr;
    NumericEdit* balance_ = nullptr;
};

class BookListDialog : public QDialog {
    Q_OBJECT
public:
    BookListDialog(Application& app, std::string kind, QWidget* parent = nullptr);

    // The row chosen with "選　択"; none after "キャンセル" or with no rows.
    std::optional<int> Chosen() const { return chosen_; }
    QTableWidget* grid() const { return grid_; }

    void AddBook();
    void RenameBook();
    void DeleteBook();

private:
    void Fill();
    std::optional<int> SelectedRow() const;
    void SelectRow(int row);

    Application& app_;
    std::string kind_;
    QTableWidget* grid_ = nullptr;
    std::optional<int> chosen_;
};

}  // namespace velmora::gui
