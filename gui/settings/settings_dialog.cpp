#include "gui/settings/settings_dialog.h"
#include "core/entry/typed_date.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <vector>

#include "core/session/apply_settings.h"
#include "gui/widgets/date_field.h"
#include "gui/widgets/numeric_edit.h"

namespace velmora::gui {
namespace {

// The period table, in pixels inside its group: the rows' tops come from the form.
constexpr int kRowHeight = 24;
constexpr int kLabelX = 14;
constexpr int kLabelWidth = 52;
constexpr int kStartX = 70;
constexpr int kDateWidth = 116;
constexpr int kTildeX = 190;
constexpr int kEndX = 208;
constexpr int kLockX = 338;
constexpr int kLockWidth = 60;
constexpr int kTableWidth = 410;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void SetCheckedId(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) button->setChecked(true);
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(Text(caption), parent);
    button->setObjectName(name);
    // Return in a field must not press whichever button had focus last.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

SettingsDialog::SettingsDialog(FiscalSettingsForm& form, Dialogs& dialogs,
                               std::function<ApplyOutcome(FiscalSettingsForm&)> apply,
                               QWidget* parent)
    : QDialog(parent), form_(form), dialogs_(dialogs), apply_(std::move(apply)) {
    setObjectName("settingsDialog");
    setWindowTitle(Text("環境設定"));

    auto* heading = new QLabel(Text("環境設定"), this);
    heading->setObjectName("heading");
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* sides = new QHBoxLayout;
    sides->setSpacing(16);
    sides->addWidget(buildFiscalSide(), 0, Qt::AlignTop);
    sides->addWidget(buildOptionSide());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(heading);
    layout->addLayout(sides);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    copyOut();
    // The keyboard starts at the start month in force, whatever the window system activates
    // first: Space or an arrow on another month would reset the closing days.
    if (QAbstractButton* checked = months_->checkedButton()) checked->setFocus();
}

QWidget* SettingsDialog::buildFiscalSide() {
    auto* side = new QWidget(this);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    auto* monthBox = new QGroupBox(Text("開始月"), side);
    auto* monthGrid = new QGridLayout(monthBox);
    monthGrid->setHorizontalSpacing(10);
    months_ = new QButtonGroup(this);
    for (int month = 1; month <= 12; ++month) {
        auto* radio = new QRadioButton(QString::number(month) + Text("月"), monthBox);
        radio->setObjectName(QString("startMonth%1").arg(month));
        months_->addButton(radio, month);
        monthGrid->addWidget(radio, (month - 1) / 6, (month - 1) % 6);
        // A click on the month already checked changes nothing, as the closing days set
        // by hand would be lost without a question.
        connect(radio, &QRadioButton::clicked, this, [this, month] {
            if (month != form_.startMonth) run([this, month] { form_.ClickStartMonth(month); });
        });
    }
    column->addWidget(monthBox);

    auto* startRow = new QHBoxLayout;
    startRow->setSpacing(6);
    startYear_ = new NumericEdit(side);
    startYear_->setObjectName("startYear");
    startYear_->setMaxLength(4);
    startYear_->setFixedWidth(56);
    // Stored limits, not enforced: Apply checks the year with its own messages.
    startYear_->model().SetMax(2100);
    startYear_->model().SetMin(1900);
    startYear_->setValue(2004);
    openingBalance_ = new NumericEdit(side);
    openingBalance_->setObjectName("openingBalance");
    openingBalance_->setMaxLength(9);
    openingBalance_->setFixedWidth(110);
    openingBalance_->model().SetMax(999999999);
    startRow->addWidget(new QLabel(Text("開始年"), side));
    startRow->addWidget(startYear_);
    startRow->addWidget(new QLabel(Text("年"), side));
    startRow->addSpacing(24);
    startRow->addWidget(new QLabel(Text("開始月残高"), side));
    startRow->addWidget(openingBalance_);
    startRow->addWidget(new QLabel(Text("円"), side));
    startRow->addStretch();
    column->addLayout(startRow);

    column->addWidget(buildPeriodTable());

    auto* autoRow = new QHBoxLayout;
    monthEndButton_ = Button("monthEndButton", "自動設定（月末締）", side);
    fromStartButton_ = Button("fromStartButton", "自動設定(任意)", side);
    connect(monthEndButton_, &QPushButton::clicked, this,
            [this] { run([this] { form_.AutoSetMonthEnd(dialogs_); }); });
    connect(fromStartButton_, &QPushButton::clicked, this,
            [this] { run([this] { form_.AutoSetFromStartMonth(dialogs_); }); });
    autoRow->addWidget(monthEndButton_);
    autoRow->addWidget(fromStartButton_);
    autoRow->addStretch();
    column->addLayout(autoRow);
    return side;
}

QGroupBox* SettingsDialog::buildPeriodTable() {
    auto* table = new QGroupBox(Text("締日設定"), this);
    table->setObjectName("periods");
    // Placed by pixel, as the rows move when the start month changes.
    table->setFixedSize(kTableWidth, form_.Rows().back().top + kRowHeight + 6);
    for (int k = 1; k <= 12; ++k) {
        PeriodRow& row = rows_[k];
        const QString number = QString::number(k);
        row.label = new QLabel(number + Text("月度"), table);
        row.label->setObjectName("periodLabel" + number);
        row.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.label->resize(kLabelWidth, kRowHeight);
        auto dateEdit = [this, table](const QString& name) {
            // A whole date typed in gives that date, wherever the caret was.
            auto* edit = new DateField(table);
            edit->setObjectName(name);
            connect(edit, &DateField::typedRefused, this,
                    [this] { dialogs_.ShowInfo(kTypedDateRefusedHeading, kTypedDateRefusedText); });
            edit->resize(kDateWidth, kRowHeight);
            return edit;
        };
        row.start = dateEdit("periodStart" + number);
        row.end = dateEdit("periodEnd" + number);
        row.lock = new QCheckBox(Text("固定"), table);
        row.lock->setObjectName("periodLock" + number);
        row.lock->resize(kLockWidth, kRowHeight);
        row.tilde = new QLabel(Text("～"), table);
        row.tilde->setAlignment(Qt::AlignCenter);
        row.tilde->resize(kEndX - kTildeX, kRowHeight);
    }
    return table;
}

QGroupBox* SettingsDialog::radioGroup(const char* name, const QString& title,
                                      const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(title, this);
    box->setObjectName(name);
    auto* column = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(QString("%1%2").arg(name).arg(i));
        group->addButton(radio, i);
        column->addWidget(radio);
    }
    return box;
}

QWidget* SettingsDialog::buildOptionSide() {
    auto* side = new QWidget(this);
    side->setFixedWidth(300);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    column->addWidget(radioGroup("useType", Text("使用タイプ"),
                                 {Text("現金出納帳"), Text("おこづかい帳")}, useType_));
    negativeInRed_ = new QCheckBox(Text("残高の－を赤で表示する"), side);
    negativeInRed_->setObjectName("negativeInRed");
    column->addWidget(negativeInRed_);
    nationalHolidays_ = new QCheckBox(Text(kNationalHolidaysCaption), side);
    nationalHolidays_->setObjectName("nationalHolidays");
    column->addWidget(nationalHolidays_);

    // Font type and size are kept in the settings file but change nothing on screen.
    QGroupBox* fontTypeBox = radioGroup("fontType", Text("使用フォントタイプ"),
                                        {Text("ゴシック体"), Text("明朝体")}, fontType_);
    QGroupBox* fontSizeBox = radioGroup("fontSize", Text("使用フォントサイズ"),
                                        {"9pt", "10pt", "11pt", "12pt"}, fontSize_);
    for (QGroupBox* hidden : {fontTypeBox, fontSizeBox}) {
        hidden->hide();
        column->addWidget(hidden);
    }

    column->addWidget(radioGroup(
        "startOption", Text("起動時オプション"),
        {Text("前回開いたファイルを開く"), Text("指定されているデータを読み込む")}, startOption_));
    for (QAbstractButton* radio : startOption_->buttons()) {
        const int option = startOption_->id(radio) + 1;
        connect(radio, &QAbstractButton::clicked, this,
                [this, option] { run([this, option] { form_.ChooseStartOption(option); }); });
    }

    auto* fileBox = new QGroupBox(Text("起動時に読み込むデ－タ"), side);
    fileBox->setObjectName("fileToLoadBox");
    auto* fileRow = new QHBoxLayout(fileBox);
    fileToLoad_ = new QLineEdit(fileBox);
    fileToLoad_->setObjectName("fileToLoad");
    chooseFileButton_ = Button("chooseFileButton", "指　定", fileBox);
    connect(chooseFileButton_, &QPushButton::clicked, this,
            [this] { run([this] { form_.ChooseFileToLoad(dialogs_); }); });
    fileRow->addWidget(fileToLoad_, 1);
    fileRow->addWidget(chooseFileButton_);
    column->addWidget(fileBox);

    auto* companyBox = new QGroupBox(Text("会社名"), side);
    companyBox->setObjectName("companyBox");
    auto* companyRow = new QHBoxLayout(companyBox);
    companyName_ = new QLineEdit(companyBox);
    companyName_->setObjectName("companyName");
    companyRow->addWidget(companyName_);
    column->addWidget(companyBox);

    column->addStretch();
    auto* buttons = new QHBoxLayout;
    applyButton_ = Button("applyButton", "適用(&A)", side);
    closeButton_ = Button("closeButton", "閉じる", side);
    connect(applyButton_, &QPushButton::clicked, this, &SettingsDialog::applyClicked);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(applyButton_);
    buttons->addWidget(closeButton_);
    column->addLayout(buttons);
    return side;
}

bool SettingsDialog::copyIn() {
    for (int k = 1; k <= 12; ++k) {
        form_.periods.start[k] = rows_[k].start->date();
        form_.periods.end[k] = rows_[k].end->date();
        form_.periods.lock[k] = rows_[k].lock->isChecked() ? 1 : 0;
    }
    if (months_->checkedId() > 0) form_.startMonth = months_->checkedId();
    form_.startYearField = startYear_->amount();
    form_.openingBalanceField = openingBalance_->amount();
    if (useType_->checkedId() >= 0) form_.useTypeIndex = useType_->checkedId();
    form_.options.negativeInRed = negativeInRed_->isChecked();
    form_.options.showNationalHolidays = nationalHolidays_->isChecked();
    // A value the file held that no button stands for stays as it was.
    if (fontType_->checkedId() >= 0) form_.options.fontType = fontType_->checkedId() + 1;
    if (fontSize_->checkedId() >= 0) form_.options.fontSize = fontSize_->checkedId() + 9;
    if (startOption_->checkedId() >= 0) form_.options.startOption = startOption_->checkedId() + 1;
    // The settings file cannot hold every character: the form says which it refuses.
    bool accepted = true;
    const std::string fileToLoad = fileToLoad_->text().toStdString();
    if (fileToLoad != form_.options.fileDir)
        accepted = form_.SetFileToLoad(fileToLoad, dialogs_) && accepted;
    const std::string company = companyName_->text().toStdString();
    if (company != form_.options.companyName)
        accepted = form_.SetCompanyName(company, dialogs_) && accepted;
    return accepted;
}

void SettingsDialog::copyOut() {
    for (int k = 1; k <= 12; ++k) {
        rows_[k].start->setDate(form_.periods.start[k]);
        rows_[k].end->setDate(form_.periods.end[k]);
        rows_[k].lock->setChecked(form_.periods.lock[k] == 1);
    }
    SetCheckedId(months_, form_.startMonth);
    startYear_->setAmount(form_.startYearField);
    openingBalance_->setAmount(form_.openingBalanceField);
    SetCheckedId(useType_, form_.useTypeIndex);
    negativeInRed_->setChecked(form_.options.negativeInRed);
    nationalHolidays_->setChecked(form_.options.showNationalHolidays);
    SetCheckedId(fontType_, form_.options.fontType - 1);
    SetCheckedId(fontSize_, form_.options.fontSize - 9);
    SetCheckedId(startOption_, form_.options.startOption - 1);
    fileToLoad_->setText(Text(form_.options.fileDir));
    companyName_->setText(Text(form_.options.companyName));
    fileToLoad_->setEnabled(form_.FileChoiceEnabled());
    chooseFileButton_->setEnabled(form_.FileChoiceEnabled());
    arrangeRows();
}

void SettingsDialog::arrangeRows() {
    for (const PeriodRowPlace& place : form_.Rows()) {
        const PeriodRow& row = rows_[place.month];
        row.label->setText(Text(place.label));
        row.label->move(kLabelX, place.top);
        row.start->move(kStartX, place.top);
        row.tilde->move(kTildeX, place.top);
        row.end->move(kEndX, place.top);
        row.lock->move(kLockX, place.top);
    }

    // Keyboard order: the start month and values, the period fields as the form orders
    // them, then the buttons and the options.
    std::vector<QWidget*> order;
    for (QAbstractButton* radio : months_->buttons()) order.push_back(radio);
    order.push_back(startYear_);
    order.push_back(openingBalance_);
    QWidget* table = rows_[1].start->parentWidget();
    for (const std::string& name : form_.TabOrder())
        order.push_back(table->findChild<QWidget*>(Text(name), Qt::FindDirectChildrenOnly));
    for (QWidget* widget : std::initializer_list<QWidget*>{monthEndButton_, fromStartButton_})
        order.push_back(widget);
    for (QAbstractButton* radio : useType_->buttons()) order.push_back(radio);
    order.push_back(negativeInRed_);
    for (QAbstractButton* radio : startOption_->buttons()) order.push_back(radio);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             fileToLoad_, chooseFileButton_, companyName_, applyButton_, closeButton_})
        order.push_back(widget);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void SettingsDialog::run(const std::function<void()>& work) {
    copyIn();
    work();
    copyOut();
}

void SettingsDialog::applyClicked() {
    const bool accepted = copyIn();
    const ApplyOutcome outcome = accepted ? apply_(form_) : ApplyOutcome::Refused;
    copyOut();
    if (outcome == ApplyOutcome::Applied) accept();
}

void RunSettingsDialog(QWidget* parent, Session& session, FiscalSettingsForm& form) {
    SettingsDialog dialog(
        form, session.dialogs(),
        [&session](FiscalSettingsForm& applied) { return ApplySettingsForm(session, applied); },
        parent);
    dialog.exec();
}

}  // namespace velmora::gui
