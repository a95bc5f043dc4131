#include "gui/ledger/book_dialogs.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/session/book_commands.h"
#include "core/session/book_display.h"
#include "gui/widgets/numeric_edit.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {
namespace {

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

// ---- the book data dialog ----

BookDataDialog::BookDataDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("bookDataDialog");
    // The list dialog titles it by what it does: "新規追加" or "名称・残高変更".
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    name_ = new QLineEdit(this);
    name_->setObjectName("bookName");
    name_->setMaxLength(kBookNameMaxLength);
    name_->setMinimumWidth(220);
    // Cut while typing, so that the name always fits the printed forms; the caret goes to
    // the end of what is kept.
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString kept = Q(CutBookName(text.toStdString()));
        if (kept == text) return;
        name_->setText(kept);
        name_->setCursorPosition(static_cast<int>(kept.size()));
    });
    auto* nameRow = new QHBoxLayout();
    nameRow->addWidget(name_, 1);
    auto* hint = new QLabel(Q(kBookNameHint), this);
    hint->setObjectName("hint");
    nameRow->addWidget(hint);
    form->addRow("帳簿名", nameRow);
    balance_ = new NumericEdit(this);
    balance_->setObjectName("openingBalance");
    balance_->setMaxLength(kBookBalanceMaxLength);
    balance_->model().SetMax(static_cast<long double>(kBookBalanceMax));
    balance_->setZeroVisible(true);
    balance_->setMaximumWidth(140);
    form->addRow("前年度残", balance_);
    v->addLayout(form);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    QPushButton* ok = Button("実　行", "ok", this);
    QPushButton* cancel = Button("キャンセル", "cancel", this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    // Enter in either field does what "実　行" does.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (!command_ || command_()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void BookDataDialog::SetBook(const std::string& name, Amount balance) {
    name_->setText(Q(name));
    balance_->setAmount(balance);
    name_->setFocus();
}

std::string BookDataDialog::Name() const {
    return name_->text().toStdString();
}

Amount BookDataDialog::Balance() const {
    return balance_->amount();
}

// ---- the book list dialog ----

BookListDialog::BookListDialog(Application& app, std::string kind, QWidget* parent)
    : QDialog(parent), app_(app), kind_(std::move(kind)) {
    setObjectName("bookListDialog");
    setWindowTitle(Q(BookListHeading(kind_)));
    setMinimumSize(kBookListMinimumWidth, kBookListMinimumHeight);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 0);
    auto* title = new QLabel(Q(BookListHeading(kind_)), this);
    title->setObjectName("title");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    v->addWidget(title);

    grid_ = new QTableWidget(0, static_cast<int>(kBookListColumnWidths.size()), this);
    grid_->setObjectName("bookGrid");
    grid_->setHorizontalHeaderLabels({"", Q(kBookListHeaders[0]), Q(kBookListHeaders[1])});
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < static_cast<int>(kBookListColumnWidths.size()); ++c)
        grid_->setColumnWidth(c, kBookListColumnWidths[static_cast<std::size_t>(c)]);
    grid_->setColumnHidden(0, true);
    // Tab leaves the grid for the buttons; the arrows choose the row.
    grid_->setTabKeyNavigation(false);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    const std::pair<const char*, void (BookListDialog::*)()> menu[] = {
        {"新規追加", &BookListDialog::AddBook},
        {"名称・残高変更", &BookListDialog::RenameBook},
        {"削　除", &BookListDialog::DeleteBook},
    };
    for (const auto& [caption, slot] : menu) {
        auto* a = new QAction(QString::fromUtf8(caption), grid_);
        connect(a, &QAction::triggered, this, slot);
        grid_->addAction(a);
    }
    v->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout();
    QPushButton* add = Button("新規追加", "add", this);
    QPushButton* select = Button("選　択", "select", this);
    QPushButton* cancel = Button("キャンセル", "cancel", this);
    buttons->addWidget(add);
    buttons->addStretch(1);
    buttons->addWidget(select);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    // Enter on the grid chooses the row the arrows moved to.
    select->setDefault(true);
    auto* status = new QStatusBar(this);
    status->setObjectName("statusBar");
    status->setSizeGripEnabled(false);
    auto* kindPanel = new QLabel(Q(kind_), status);
    kindPanel->setObjectName("panel0");
    status->addWidget(kindPanel);
    v->addWidget(status);

    connect(add, &QPushButton::clicked, this, &BookListDialog::AddBook);
    connect(select, &QPushButton::clicked, this, [this] {
        chosen_ = SelectedRow();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        chosen_.reset();
        reject();
    });
    Fill();
    SelectRow(0);
}

void BookListDialog::Fill() {
    const std::vector<BookListRow> rows = BookListRows(app_.session(), kind_);
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const BookListRow& row = rows[static_cast<std::size_t>(r)];
        grid_->setItem(r, 0, new QTableWidgetItem(Q(row.HiddenText())));
        grid_->setItem(r, 1, new QTableWidgetItem(Q(row.name)));
        auto* balance = new QTableWidgetItem(Q(row.ShownBalance()));
        balance->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(r, 2, balance);
    }
}

std::optional<int> BookListDialog::SelectedRow() const {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid() || grid_->selectionModel()->selectedRows().isEmpty()) return {};
    return current.row();
}

void BookListDialog::SelectRow(int row) {
    if (row < 0 || row >= grid_->rowCount()) return;
    grid_->setCurrentCell(row, 1);
    grid_->selectRow(row);
}

void BookListDialog::AddBook() {
    BookDataDialog box(this);
    box.setWindowTitle(QString::fromUtf8("新規追加"));
    box.SetBook("", Amount());
    box.SetCommand([&] { return app_.books().AddBook(kind_, box.Name(), box.Balance()); });
    if (box.exec() != QDialog::Accepted) return;
    const std::optional<int> row = SelectedRow();
    Fill();
    SelectRow(row.value_or(0));
}

void BookListDialog::RenameBook() {
    const std::optional<int> row = SelectedRow();
    const LineList* registry = app_.session().ledger.RegistryOf(kind_);
    if (!row || !registry || *row >= static_cast<int>(registry->Count())) return;
    const std::string line = registry->Items()[static_cast<std::size_t>(*row)];
    BookDataDialog box(this);
    box.setWindowTitle(QString::fromUtf8("名称・残高変更"));
    box.SetBook(RegistryName(line), RegistryBalance(line));
    box.SetCommand([&] { return app_.books().RenameBook(kind_, *row, box.Name(), box.Balance()); });
    if (box.exec() != QDialog::Accepted) return;
    Fill();
    SelectRow(*row);
}

void BookListDialog::DeleteBook() {
    const std::optional<int> row = SelectedRow();
    if (!row) return;
    app_.books().DeleteBook(kind_, *row);
    Fill();
    SelectRow(std::min(*row, grid_->rowCount() - 1));
}

}  // namespace velmora::gui
