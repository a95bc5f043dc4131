#include "gui/settings/title_master_dialog.h"
#include "qtprint/qt_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/entry/title_changes.h"

namespace velmora::gui {
namespace {

const QColor kFixedCell(212, 212, 226);

}  // namespace

// The messages go where the owner's go; the title edit box is the dialog's own window.
class TitleMasterDialog::EditBoxDialogs final : public Dialogs {
public:
    EditBoxDialogs(Dialogs& base, QWidget& owner) : base_(base), owner_(owner) {}

    void ShowInfo(const std::string& heading, const std::string& text) override {
        base_.ShowInfo(heading, text);
    }
    bool AskYesNo(const std::string& title, const std::string& heading,
                  const std::string& text) override {
        return base_.AskYesNo(title, heading, text);
    }
    SaveAnswer AskSave(const std::string& message, const std::string& button1,
                       const std::string& button2, const std::string& button3) override {
        return base_.AskSave(message, button1, button2, button3);
    }
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override {
        return base_.AskOpenFile(request);
    }
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override {
        return base_.AskSaveFile(request);
    }
    std::optional<std::string> AskText(const std::string&, const std::string&,
                                       const std::string& initial) override {
        TitleEditDialog box(initial, &owner_);
        if (box.exec() != QDialog::Accepted) return std::nullopt;
        return box.Title();
    }
    void Beep() override { base_.Beep(); }

private:
    Dialogs& base_;
    QWidget& owner_;
};

// ---- the title edit box ----

TitleEditDialog::TitleEditDialog(const std::string& title, QWidget* parent) : QDialog(parent) {
    setObjectName("titleEditDialog");
    setWindowTitle(QString::fromUtf8("科目登録"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(Q(kTitleEditLabel), this));
    edit_ = new QLineEdit(Q(title), this);
    edit_->setObjectName("edit");
    edit_->setMinimumWidth(240);
    notice_ = new QLabel(Q(kTitleCutNotice), this);
    notice_->setObjectName("notice");
    notice_->setStyleSheet("color: #b00000;");
    notice_->setVisible(false);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool cut = false;
        const QString kept = Q(TitleAsTyped(text.toStdString(), &cut));
        notice_->setVisible(cut);
        if (kept == text) return;
        const int caret = std::min(edit_->cursorPosition(), static_cast<int>(kept.size()));
        edit_->setText(kept);
        edit_->setCursorPosition(cut ? static_cast<int>(kept.size()) : caret);
    });
    v->addWidget(edit_);
    v->addWidget(notice_);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* ok = new QPushButton("実　行", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("cancel");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string TitleEditDialog::Title() const {
    return edit_->text().toStdString();
}

// ---- the titles dialog ----

TitleMasterDialog::TitleMasterDialog(Application& app, TitleMasterMode mode, QWidget* parent)
    : QDialog(parent),
      app_(app),
      dialogs_(std::make_unique<EditBoxDialogs>(app.session().dialogs(), *this)),
      master_(OpenTitleMaster(app.session(), mode, *dialogs_)) {
    setObjectName("titleMasterDialog");
    setWindowTitle(Q(master_.Heading()));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 0);
    auto* heading = new QLabel(Q(master_.Heading()), this);
    heading->setObjectName("heading");
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    heading->setFont(big);
    v->addWidget(heading);

    grid_ = new QTableWidget(kTitleGridRows, kTitleGridColumns, this);
    grid_->setObjectName("titleGrid");
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);  // Tab goes on to the buttons; the arrows move in it
    int width = 4;
    for (int c = 0; c < kTitleGridColumns; ++c) {
        grid_->setColumnWidth(c, kTitleGridColumnWidths[static_cast<std::size_t>(c)]);
        width += kTitleGridColumnWidths[static_cast<std::size_t>(c)];
    }
    grid_->setMinimumSize(width, kTitleGridRows * 22 + 4);
    ShowSlots();
    grid_->clearSelection();
    grid_->setCurrentItem(nullptr);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &TitleMasterDialog::DoubleClicked);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        master_.Select(GridCell{column, row});
    });
    grid_->installEventFilter(this);
    v->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout();
    if (master_.HasUpdateButton()) {
        AddButton("追加(&A)", "add", &TitleMaster::Add);
        AddButton("挿入(&I)", "insert", &TitleMaster::Insert);
        AddButton("上へ(&U)", "up", &TitleMaster::MoveUp);
        AddButton("下へ(&D)", "down", &TitleMaster::MoveDown);
        AddButton("削除(&X)", "delete", &TitleMaster::Delete);
        for (QPushButton* b : commandButtons_) buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto* update = new QPushButton("更　新", this);
    update->setObjectName("update");
    update->setVisible(master_.HasUpdateButton());
    auto* cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("cancel");
    buttons->addWidget(update);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    connect(update, &QPushButton::clicked, this, [this] {
        if (app_.books().UpdateTitles(master_)) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &TitleMasterDialog::reject);

    auto* status = new QStatusBar(this);
    status->setObjectName("statusBar");
    status->setSizeGripEnabled(false);
    const std::string panels[] = {"", mode == TitleMasterMode::Edit ? "登録" : "",
                                  app.session().ledger.UseTypeName(), master_.Path()};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(Q(panels[i]), status);
        panel->setObjectName(QString("panel%1").arg(i));
        status->addWidget(panel, i == 3 ? 1 : 0);
    }
    v->addWidget(status);
}

TitleMasterDialog::~TitleMasterDialog() = default;

// A command button runs its command on the selected slot; the grid then shows the slots and
// the selection the command left.
QPushButton* TitleMasterDialog::AddButton(const char* caption, const char* name,
                                          bool (TitleMaster::*command)()) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command] {
        if (!(master_.*command)()) return;
        ShowSlots();
        if (const auto cell = master_.Selection()) grid_->setCurrentCell(cell->row, cell->column);
        grid_->setFocus();
    });
    commandButtons_.push_back(button);
    return button;
}

void TitleMasterDialog::ShowCell(int row, int column) {
    auto* item = new QTableWidgetItem(Q(master_.CellText(GridCell{column, row})));
    if (row == 0 || column == 0) {
        item->setBackground(kFixedCell);
        item->setFlags(Qt::ItemIsEnabled);
    }
    grid_->setItem(row, column, item);
}

void TitleMasterDialog::ShowSlots() {
    for (int r = 0; r < kTitleGridRows; ++r)
        for (int c = 0; c < kTitleGridColumns; ++c) ShowCell(r, c);
}

void TitleMasterDialog::DoubleClicked(int row, int column) {
    std::string filter;
    switch (master_.DoubleClick(GridCell{column, row}, filter)) {
        case CellAction::Reselected:
            if (const auto cell = master_.Selection())
                grid_->setCurrentCell(cell->row, cell->column);
            break;
        case CellAction::Picked:
            picked_ = filter;
            accept();
            break;
        case CellAction::Edited:
            ShowSlots();
            break;
        case CellAction::Unchanged:
            break;
    }
}

// Enter (or F2) on a cell does what a double-click does, for the keyboard.
bool TitleMasterDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) &&
            grid_->currentItem()) {
            DoubleClicked(grid_->currentRow(), grid_->currentColumn());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TitleMasterDialog::reject() {
    if (master_.MayCancel()) QDialog::reject();
}

}  // namespace velmora::gui
