#include "gui/import/statement_import_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/import/statement_preview_model.h"

namespace velmora::gui {
namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string S(const QString& s) {
    return s.toStdString();
}

constexpr int kTwoColumns = 0;
constexpr int kSignedColumn = 1;

}  // namespace

StatementImportDialog::StatementImportDialog(Application& app, QWidget* parent)
    : QDialog(parent), app_(app), form_(app.session(), app.entryForm().titleList) {
    setObjectName("statementImport");
    setWindowTitle(Q(kImportDialogHeading));

    model_ = new StatementPreviewModel(this);
    grid_ = new QTableView(this);
    grid_->setObjectName("rows");
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->horizontalHeader()->setDefaultSectionSize(90);
    grid_->horizontalHeader()->setStretchLastSection(true);

    summary_ = new QLabel(this);
    summary_->setObjectName("summary");
    import_ = new QPushButton(Q("取　込"), this);
    import_->setObjectName("import");
    auto* close = new QPushButton(Q("閉じる"), this);
    close->setObjectName("close");
    connect(import_, &QPushButton::clicked, this, &StatementImportDialog::Import);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary_, 1);
    buttons->addWidget(import_);
    buttons->addWidget(close);

    auto* settings = new QHBoxLayout;
    settings->addWidget(BuildColumns());
    settings->addWidget(BuildBookAndTitles(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFileRow());
    layout->addLayout(settings);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    // The size the rows want, as far as the screen allows: the grid gives way first.
    const QRect screen = this->screen()->availableGeometry();
    constexpr int kFrameHeight = 40;  // the window manager's title bar and frame
    resize(std::min(1220, screen.width()), std::min(720, screen.height() - kFrameHeight));

    ShowChoices();
    Refresh();
}

QWidget* StatementImportDialog::BuildFileRow() {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    file_ = new QLineEdit(row);
    file_->setObjectName("file");
    // A path typed or pasted, then Enter, reads that file as "参照…" does.
    connect(file_, &QLineEdit::returnPressed, this, [this] {
        if (!form_.LoadFile(file_->text().toStdString(), app_.session().dialogs())) return;
        ShowChoices();
        Refresh();
    });
    auto* browse = new QPushButton(Q("参照…"), row);
    browse->setObjectName("browse");
    connect(browse, &QPushButton::clicked, this, [this] {
        if (!form_.ChooseFile(app_.session().dialogs())) return;
        ShowChoices();
        Refresh();
    });
    encoding_ = new QComboBox(row);
    encoding_->setObjectName("encoding");
    for (const char* name : kStatementEncodingNames) encoding_->addItem(Q(name));
    connect(encoding_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_) return;
        form_.ChooseEncoding(static_cast<StatementEncoding>(index), app_.session().dialogs());
        ShowChoices();
        Refresh();
    });
    found_ = new QLabel(row);
    found_->setObjectName("found");
    h->addWidget(new QLabel(Q("ファイル"), row));
    h->addWidget(file_, 1);
    h->addWidget(browse);
    h->addSpacing(12);
    h->addWidget(new QLabel(Q("文字コード"), row));
    h->addWidget(encoding_);
    h->addWidget(found_);
    choices_ << browse << encoding_;
    return row;
}

QComboBox* StatementImportDialog::ColumnBox(const char* name, bool none) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setProperty("none", none);
    box->setMinimumContentsLength(4);
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) Refresh();
    });
    choices_ << box;
    return box;
}

QWidget* StatementImportDialog::BuildColumns() {
    auto* group = new QGroupBox(Q("列の指定（左から1, 2, …）"), this);
    auto* grid = new QGridLayout(group);
    skip_ = new QSpinBox(group);
    skip_->setObjectName("skip");
    skip_->setRange(0, 1000000);
    connect(skip_, &QSpinBox::valueChanged, this, [this] {
        if (!showing_) Refresh();
    });
    choices_ << skip_;
    date_ = ColumnBox("dateColumn", false);
    description_ = ColumnBox("descriptionColumn", false);
    deposit_ = ColumnBox("depositColumn", false);
    withdrawal_ = ColumnBox("withdrawalColumn", false);
    amount_ = ColumnBox("amountColumn", false);
    balance_ = ColumnBox("balanceColumn", true);
    titleColumn_ = ColumnBox("titleColumn", true);
    amountLayout_ = new QButtonGroup(group);
    auto* two = new QRadioButton(Q("入金・出金の2列"), group);
    two->setObjectName("twoColumns");
    auto* one = new QRadioButton(Q("符号付きの1列（－は出金）"), group);
    one->setObjectName("signedColumn");
    amountLayout_->addButton(two, kTwoColumns);
    amountLayout_->addButton(one, kSignedColumn);
    connect(amountLayout_, &QButtonGroup::idClicked, this, [this] { Refresh(); });
    choices_ << two << one;

    int r = 0;
    auto label = [group](const char* text) { return new QLabel(Q(text), group); };
    grid->addWidget(label("見出し行"), r, 0);
    grid->addWidget(skip_, r++, 1);
    grid->addWidget(label("日付"), r, 0);
    grid->addWidget(date_, r++, 1);
    grid->addWidget(label("摘要"), r, 0);
    grid->addWidget(description_, r++, 1);
    grid->addWidget(two, r++, 0, 1, 4);
    grid->addWidget(label("　入金"), r, 0);
    grid->addWidget(deposit_, r, 1);
    grid->addWidget(label("出金"), r, 2);
    grid->addWidget(withdrawal_, r++, 3);
    grid->addWidget(one, r++, 0, 1, 4);
    grid->addWidget(label("　金額"), r, 0);
    grid->addWidget(amount_, r++, 1);
    grid->addWidget(label("残高"), r, 0);
    grid->addWidget(balance_, r, 1);
    grid->addWidget(label("科目"), r, 2);
    grid->addWidget(titleColumn_, r++, 3);
    grid->setRowStretch(r, 1);
    return group;
}

QWidget* StatementImportDialog::BuildBookAndTitles() {
    auto* group = new QGroupBox(Q("取込先と科目"), this);
    auto* v = new QVBoxLayout(group);
    book_ = new QComboBox(group);
    book_->setObjectName("book");
    for (const BookId& b : form_.books())
        book_->addItem(Q(b.kind == kCashKind ? b.name : b.kind + " " + b.name));
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) Refresh();
    });
    auto* bookRow = new QHBoxLayout;
    bookRow->addWidget(new QLabel(Q("取込先の帳簿"), group));
    bookRow->addWidget(book_, 1);
    v->addLayout(bookRow);

    titleChoice_ = new QButtonGroup(group);
    auto* all = new QRadioButton(Q("すべての行に同じ科目"), group);
    all->setObjectName("allRows");
    auto* byRules =
        new QRadioButton(Q("摘要のルールで科目を決める（合わない行は左の科目）"), group);
    byRules->setObjectName("byRules");
    titleChoice_->addButton(all, static_cast<int>(TitleChoice::AllRows));
    titleChoice_->addButton(byRules, static_cast<int>(TitleChoice::Rules));
    connect(titleChoice_, &QButtonGroup::idClicked, this, [this] { Refresh(); });
    title_ = new QComboBox(group);
    title_->setObjectName("title");
    title_->setEditable(true);
    title_->addItem(QString());
    for (const std::string& t : form_.titleList()) title_->addItem(Q(t));
    connect(title_, &QComboBox::currentTextChanged, this, [this] {
        if (!showing_) Refresh();
    });
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(all);
    titleRow->addWidget(title_, 1);
    v->addLayout(titleRow);
    v->addWidget(byRules);

    rules_ = new QTableWidget(0, 2, group);
    rules_->setObjectName("rules");
    rules_->setHorizontalHeaderLabels({Q("摘要に含む文字"), Q("科目")});
    rules_->horizontalHeader()->setStretchLastSection(true);
    rules_->setColumnWidth(0, 200);
    rules_->verticalHeader()->hide();
    rules_->verticalHeader()->setDefaultSectionSize(22);
    rules_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rules_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rules_->setTabKeyNavigation(false);
    rules_->setMaximumHeight(110);
    v->addWidget(rules_);
    ruleText_ = new QLineEdit(group);
    ruleText_->setObjectName("ruleText");
    ruleText_->setPlaceholderText(Q("摘要に含む文字"));
    ruleTitle_ = new QLineEdit(group);
    ruleTitle_->setObjectName("ruleTitle");
    ruleTitle_->setPlaceholderText(Q("科目"));
    auto* add = new QPushButton(Q("ルール追加"), group);
    add->setObjectName("addRule");
    auto* remove = new QPushButton(Q("ルール削除"), group);
    remove->setObjectName("removeRule");
    connect(add, &QPushButton::clicked, this, [this] {
        form_.AddRule(S(ruleText_->text()), S(ruleTitle_->text()));
        ruleText_->clear();
        ruleTitle_->clear();
        ShowRules();
        Refresh();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (rules_->currentRow() < 0) return;
        form_.RemoveRule(static_cast<std::size_t>(rules_->currentRow()));
        ShowRules();
        Refresh();
    });
    auto* ruleRow = new QHBoxLayout;
    ruleRow->addWidget(ruleText_, 1);
    ruleRow->addWidget(ruleTitle_, 1);
    ruleRow->addWidget(add);
    ruleRow->addWidget(remove);
    v->addLayout(ruleRow);

    widen_ = new QCheckBox(Q("半角カナを全角にする（ﾌﾘｺﾐ → フリコミ）"), group);
    widen_->setObjectName("widenKana");
    connect(widen_, &QCheckBox::toggled, this, [this] {
        if (!showing_) Refresh();
    });
    v->addWidget(widen_);
    choices_ << book_ << all << byRules << title_ << rules_ << ruleText_ << ruleTitle_ << add
             << remove << widen_;
    return group;
}

void StatementImportDialog::ShowChoices() {
    showing_ = true;
    const ImportChoices& c = form_.choices;
    file_->setText(Q(form_.path()));
    encoding_->setCurrentIndex(static_cast<int>(form_.chosenEncoding()));
    found_->setText(
        form_.path().empty()
            ? QString()
            : Q(std::string("読み取り: ") +
                kStatementEncodingNames[static_cast<std::size_t>(form_.foundEncoding())]));
    skip_->setValue(c.skipRows);
    const int columns = form_.ColumnCount();
    const std::pair<QComboBox*, int> boxes[] = {
        {date_, c.columns.date},        {description_, c.columns.description},
        {deposit_, c.columns.deposit},  {withdrawal_, c.columns.withdrawal},
        {amount_, c.columns.amount},    {balance_, c.columns.balance},
        {titleColumn_, c.columns.title}};
    for (auto [box, column] : boxes) {
        box->clear();
        box->addItem(Q(box->property("none").toBool() ? "なし" : "－"));
        for (int i = 1; i <= columns; ++i) box->addItem(QString::number(i));
        box->setCurrentIndex(column <= columns ? column : 0);
    }
    amountLayout_->button(c.columns.amounts == AmountColumns::Signed ? kSignedColumn : kTwoColumns)
        ->setChecked(true);
    for (std::size_t i = 0; i < form_.books().size(); ++i)
        if (form_.books()[i] == c.book) book_->setCurrentIndex(static_cast<int>(i));
    titleChoice_->button(static_cast<int>(c.titleChoice))->setChecked(true);
    title_->setCurrentText(Q(c.title));
    widen_->setChecked(c.widenKana);
    ShowRules();
    showing_ = false;
}

void StatementImportDialog::ReadChoices() {
    ImportChoices& c = form_.choices;
    c.skipRows = skip_->value();
    c.columns.date = date_->currentIndex();
    c.columns.description = description_->currentIndex();
    c.columns.deposit = deposit_->currentIndex();
    c.columns.withdrawal = withdrawal_->currentIndex();
    c.columns.amount = amount_->currentIndex();
    c.columns.balance = balance_->currentIndex();
    c.columns.title = titleColumn_->currentIndex();
    c.columns.amounts = amountLayout_->checkedId() == kSignedColumn
                            ? AmountColumns::Signed
                            : AmountColumns::DepositAndWithdrawal;
    const int book = book_->currentIndex();
    if (book >= 0 && book < static_cast<int>(form_.books().size()))
        c.book = form_.books()[static_cast<std::size_t>(book)];
    c.titleChoice = static_cast<TitleChoice>(titleChoice_->checkedId());
    c.title = S(title_->currentText());
    c.widenKana = widen_->isChecked();
}

void StatementImportDialog::ShowRules() {
    rules_->setRowCount(static_cast<int>(form_.rules.size()));
    for (int r = 0; r < rules_->rowCount(); ++r) {
        const TitleRule& rule = form_.rules[static_cast<std::size_t>(r)];
        rules_->setItem(r, 0, new QTableWidgetItem(Q(rule.contains)));
        rules_->setItem(r, 1, new QTableWidgetItem(Q(rule.title)));
    }
}

void StatementImportDialog::Refresh() {
    ReadChoices();
    preview_ =
        StatementPreview(form_.rows(), form_.ColumnCount(), form_.Preview(app_.session().ledger),
                         form_.choices.skipRows, false);
    model_->Show(&preview_);
    for (int c = 0; c < preview_.ColumnCount(); ++c)
        grid_->setColumnWidth(c, preview_.ColumnWidth(c));
    summary_->setText(form_.path().empty() ? Q("CSVファイルを選んでください。")
                                           : Q(preview_.Summary()));
    import_->setEnabled(preview_.plan().Count(RowVerdict::Import) > 0);
}

void StatementImportDialog::Import() {
    const ImportResult result = app_.entry().ImportStatementRows(preview_.plan());
    if (result.added.empty()) return;
    // What went in and what did not stays on view; another import would need a fresh look.
    imported_ = true;
    preview_ = StatementPreview(form_.rows(), form_.ColumnCount(), preview_.plan(),
                                form_.choices.skipRows, true);
    model_->Show(&preview_);
    summary_->setText(Q(preview_.Summary()));
    import_->setEnabled(false);
    for (QWidget* w : choices_) w->setEnabled(false);
}

void StatementImportDialog::done(int result) {
    form_.SaveRules(app_.session().dialogs(), app_.session().writer());
    QDialog::done(result);
}

}  // namespace velmora::gui
