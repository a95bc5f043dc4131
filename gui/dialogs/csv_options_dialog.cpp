#include "gui/dialogs/csv_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/export/csv_records.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {

CsvOptionsWindow::CsvOptionsWindow(Application& app, QWidget* parent)
    : QDialog(parent),
      app_(app),
      model_(app.session().workingFolder(), app.entryForm().titleList, app.session().dialogs(),
             app.session().writer()) {
    setObjectName("csvOptionsDialog");
    setWindowTitle(Q(kCsvDialogHeading));

    auto* fields = new QGroupBox(Q(kCsvColumnsGroup), this);
    auto* fieldGrid = new QGridLayout(fields);
    for (int c = 0; c < kCsvColumnCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        auto* box = new QCheckBox(Q(kCsvColumns[i].caption), fields);
        box->setObjectName(kCsvColumns[i].checkBox);
        box->setChecked(model_.options.columns[i]);
        columns_[i] = box;
        fieldGrid->addWidget(box, c % 5, c / 5);
    }

    auto* options = new QGroupBox(Q(kCsvOptionsGroup), this);
    auto* optionLayout = new QVBoxLayout(options);
    titleRow_ = new QCheckBox(Q(kCsvTitleRowCaption), options);
    titleRow_->setObjectName("headerRow");
    titleRow_->setChecked(model_.options.titleRow);
    codes_ = new QCheckBox(Q(kCsvCodesCaption), options);
    codes_->setObjectName("accountCodes");
    codes_->setChecked(model_.options.codeConversion);
    guard_ = new QCheckBox(Q(kCsvFormulaGuardCaption), options);
    guard_->setChecked(model_.options.formulaGuard);
    encoding_ = new QComboBox(options);
    for (const char* name : kCsvEncodingNames) encoding_->addItem(Q(name));
    encoding_->setCurrentIndex(static_cast<int>(model_.options.encoding));
    auto* encodingRow = new QHBoxLayout;
    auto* encodingLabel = new QLabel(Q(kCsvEncodingCaption), options);
    encodingLabel->setBuddy(encoding_);
    encodingRow->addWidget(encodingLabel);
    encodingRow->addWidget(encoding_);
    encodingRow->addStretch();
    optionLayout->addWidget(titleRow_);
    optionLayout->addWidget(codes_);
    optionLayout->addWidget(guard_);
    optionLayout->addLayout(encodingRow);

    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName("codeTable");
    table_->setHorizontalHeaderLabels({Q(kCodeTableTitleCaption), Q(kCodeTableCodeCaption)});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(0, 170);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QTableWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int row = table_->rowAt(at.y());
        QMenu menu(this);
        const char* items[3] = {kMoveUpItem, kMoveDownItem, kDeleteRowItem};
        for (int command = 0; command < 3; ++command)
            menu.addAction(Q(items[command]), this,
                           [this, command, row] { RunRowCommand(command, row); });
        menu.exec(table_->viewport()->mapToGlobal(at));
    });
    connect(table_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (showing_ || column != 1) return;
        model_.codes.SetCode(row, table_->item(row, 1)->text().toStdString(),
                             app_.session().dialogs());
        ShowCodes();  // the code as kept (cleaned, or the old one after a refusal)
    });
    ShowCodes();

    auto* run = new QPushButton(QString::fromUtf8("実　行"), this);
    auto* cancel = new QPushButton(QString::fromUtf8("キャンセル"), this);
    run->setDefault(true);
    connect(run, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(cancel);

    auto* left = new QVBoxLayout;
    left->addWidget(fields);
    left->addWidget(options);
    left->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(table_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    resize(720, 420);
}

void CsvOptionsWindow::ShowCodes() {
    showing_ = true;
    const std::vector<CodeRow>& rows = model_.codes.Rows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const CodeRow& row = rows[static_cast<std::size_t>(r)];
        auto* title = new QTableWidgetItem(Q(row.title));
        title->setFlags(title->flags() & ~Qt::ItemIsEditable);
        table_->setItem(r, 0, title);
        table_->setItem(r, 1, new QTableWidgetItem(Q(row.code)));
    }
    showing_ = false;
}

void CsvOptionsWindow::RunRowCommand(int command, int row) {
    bool changed = false;
    int selected = row;
    switch (command) {
        case 0:
            changed = model_.codes.MoveUp(row);
            selected = row - 1;
            break;
        case 1:
            changed = model_.codes.MoveDown(row);
            selected = row + 1;
            break;
        default:
            changed = model_.codes.Delete(row);
            break;
    }
    if (!changed) return;
    ShowCodes();
    table_->selectRow(std::min(selected, table_->rowCount() - 1));
}

CsvOptions CsvOptionsWindow::ChosenOptions() const {
    CsvOptions options;
    for (std::size_t i = 0; i < columns_.size(); ++i) options.columns[i] = columns_[i]->isChecked();
    options.titleRow = titleRow_->isChecked();
    options.codeConversion = codes_->isChecked();
    options.formulaGuard = guard_->isChecked();
    options.encoding = static_cast<CsvEncoding>(encoding_->currentIndex());
    return options;
}

void CsvOptionsWindow::done(int result) {
    model_.options = ChosenOptions();
    model_.Close();  // the code table is kept however the dialog ends
    QDialog::done(result);
    if (result == QDialog::Accepted)
        exported_ = ExportCsv(app_.mutableSession(), model_.options, model_.codes);
}

}  // namespace velmora::gui
