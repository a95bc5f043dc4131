#include "gui/printing/print_page.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "core/print/option_file.h"
#include "gui/widgets/numeric_edit.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {
namespace {

template <typename Items>
QComboBox* Combo(const Items& items, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const auto& item : items) box->addItem(Q(item));
    return box;
}

// Flat, as the page's other groups: frames would take the room of a row. Without a caption
// the group has no margins either: a caption beside it says what it is. columns choices to
// a row: short ones side by side.
template <typename Items>
QGroupBox* RadioGroup(const QString& caption, const Items& items, const char* name,
                      QButtonGroup*& group, QWidget* parent, int columns = 1) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setFlat(true);
    auto* grid = new QGridLayout(box);
    if (caption.isEmpty())
        grid->setContentsMargins(0, 0, 0, 0);
    else
        grid->setContentsMargins(0, 0, 0, 2);
    grid->setSpacing(0);
    group = new QButtonGroup(box);
    int id = 0;
    for (const auto& item : items) {
        auto* b = new QRadioButton(Q(item), box);
        group->addButton(b, id);
        grid->addWidget(b, id / columns, id % columns);
        ++id;
    }
    return box;
}

void SetItems(QComboBox* box, const std::vector<std::string>& items) {
    bool same = box->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < box->count(); ++i)
        same = box->itemText(i) == Q(items[static_cast<std::size_t>(i)]);
    if (same) return;
    box->clear();
    for (const std::string& item : items) box->addItem(Q(item));
}

}  // namespace

PrintPage::PrintPage(Application& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName("printPage");
    // Every control in sight in the pane of a window maximised on a 1280x720 screen: the
    // page is packed tight.
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 2, 4, 2);
    v->setSpacing(2);

    auto* choices = new QGridLayout();
    choices->setHorizontalSpacing(6);
    choices->setVerticalSpacing(1);
    paper_ = Combo(std::vector<std::string>{}, "paper", this);
    font_ = Combo(kFontItems, "font", this);
    column_ = Combo(kColumnItems, "titleColumn", this);
    colour_ = Combo(kColourItems, "headingColour", this);
    const char* captions[] = {"用　紙", "フォント", "科目列", "見出しカラー"};
    QComboBox* boxes[] = {paper_, font_, column_, colour_};
    for (int i = 0; i < 4; ++i) {
        choices->addWidget(new QLabel(Q(captions[i]), this), i, 0);
        choices->addWidget(boxes[i], i, 1);
        connect(boxes[i], &QComboBox::activated, this, [this] { StyleChoiceChanged(); });
    }
    filterGroup_ = RadioGroup(QString(), kPageFilterItems, "pageFilter", filter_, this);
    choices->addWidget(new QLabel(Q("印　刷"), this), 4, 0, Qt::AlignTop);
    choices->addWidget(filterGroup_, 4, 1);
    choices->setColumnStretch(1, 1);
    v->addLayout(choices);

    kokuyoGroup_ = RadioGroup(Q("コクヨ用紙科目検索時オプション"), kKokuyoNegativeItems,
                              "kokuyoOption", kokuyo_, this, 2);
    v->addWidget(kokuyoGroup_);

    auto* monthGroup = new QGroupBox(Q("印刷月"), this);
    monthGroup->setFlat(true);
    auto* mv = new QVBoxLayout(monthGroup);
    mv->setContentsMargins(4, 0, 4, 2);
    months_ = new QListWidget(monthGroup);
    months_->setObjectName("monthsToPrint");
    months_->setFlow(QListView::LeftToRight);
    months_->setWrapping(true);
    months_->setResizeMode(QListView::Adjust);
    // Two rows of six months.
    months_->setGridSize(QSize(34, 20));
    months_->setFixedHeight(44);
    for (int i = 0; i < 12; ++i) {
        auto* item = new QListWidgetItem(months_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Unchecked);
    }
    mv->addWidget(months_);
    v->addWidget(monthGroup);

    auto* offsetGroup = new QGroupBox(Q("印刷位置設定(mm単位)"), this);
    offsetGroup->setFlat(true);
    auto* grid = new QGridLayout(offsetGroup);
    grid->setContentsMargins(4, 0, 4, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    oddCaption_ = new QLabel(offsetGroup);
    evenCaption_ = new QLabel(Q("偶数ページ"), offsetGroup);
    const char* names[] = {"oddOffsetX", "oddOffsetY", "evenOffsetX", "evenOffsetY"};
    for (int side = 0; side < 2; ++side) {
        auto* row = new QWidget(offsetGroup);
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(1);
        for (int axis = 0; axis < 2; ++axis) {
            const int i = side * 2 + axis;
            h->addWidget(new QLabel(axis == 0 ? "X" : "Y", row));
            auto* box = new NumericEdit(row);
            box->setObjectName(names[i]);
            NumberField& m = box->model();
            m.SetFigure(4);
            m.SetFixed(true);
            m.SetRoundMode(RoundMode::kRound);
            m.SetValidMinus(true);
            m.SetLimit(true);
            m.SetMax(100);
            m.SetMin(-100);
            m.SetIncrement(0.1L);
            m.SetAllowKeys(true);
            box->refresh();
            box->setAlignment(Qt::AlignRight);
            box->setMinimumWidth(60);
            offsets_[static_cast<std::size_t>(i)] = box;
            h->addWidget(box, 1);
            auto* steps = new QVBoxLayout();
            steps->setSpacing(0);
            for (bool up : {true, false}) {
                auto* b = new QToolButton(row);
                b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
                b->setFixedSize(14, 11);
                b->setAutoRepeat(true);
                connect(b, &QToolButton::clicked, this, [this, i, up] { StepOffset(i, up); });
                steps->addWidget(b);
            }
            h->addLayout(steps);
            connect(box, &NumericEdit::valueChanged, this, [this] { OffsetsChanged(); });
        }
        evenRows_[static_cast<std::size_t>(side)] = row;
        grid->addWidget(side == 0 ? oddCaption_ : evenCaption_, side * 2, 0);
        grid->addWidget(row, side * 2 + 1, 0);
    }
    evenFirst_ = new QCheckBox(Q("偶数から開始"), offsetGroup);
    evenFirst_->setObjectName("evenFirst");
    grid->addWidget(evenFirst_, 4, 0);
    v->addWidget(offsetGroup);

    offsetPreview_ = new QCheckBox(Q("オフセットをプレビュ－で確認"), this);
    offsetPreview_->setObjectName("offsetPreview");
    v->addWidget(offsetPreview_);
    formLines_ = new QCheckBox(Q("用紙の罫線を表示"), this);
    formLines_->setObjectName("formLines");
    formLines_->setToolTip(Q("KOKUYO用紙の罫線をプレビューに表示します（印刷・PDFには出ません）"));
    v->addWidget(formLines_);

    auto* buttons = new QGridLayout();
    buttons->setSpacing(2);
    auto button = [this](const char* caption) {
        auto* b = new QPushButton(Q(caption), this);
        b->setObjectName(caption);
        return b;
    };
    QPushButton* confirm = button("確　定");
    QPushButton* setup = button("プリンター設定");
    QPushButton* run = button("印刷実行");
    QPushButton* pdf = button("PDFに保存…");
    QPushButton* calibration = button("位置合わせ用紙を印刷");
    buttons->addWidget(confirm, 0, 0);
    buttons->addWidget(setup, 0, 1);
    buttons->addWidget(run, 1, 0);
    buttons->addWidget(pdf, 1, 1);
    buttons->addWidget(calibration, 2, 0, 1, 2);
    v->addLayout(buttons);
    v->addStretch(1);

    PrintingController& printing = app_.printing();
    connect(kokuyo_, &QButtonGroup::idClicked, this,
            [&printing](int id) { printing.SetKokuyoNegatives(id); });
    connect(filter_, &QButtonGroup::idClicked, this,
            [&printing](int id) { printing.SetPageFilter(static_cast<PageFilter>(id)); });
    connect(months_, &QListWidget::itemChanged, this, [this, &printing](QListWidgetItem* item) {
        printing.SetMonthChecked(months_->row(item), item->checkState() == Qt::Checked);
    });
    connect(evenFirst_, &QCheckBox::toggled, this,
            [&printing](bool on) { printing.SetEvenFirst(on); });
    connect(offsetPreview_, &QCheckBox::toggled, this,
            [&printing](bool on) { printing.SetOffsetPreview(on); });
    connect(formLines_, &QCheckBox::toggled, this,
            [&printing](bool on) { printing.SetFormLines(on); });
    connect(offsets_[0], &QLineEdit::returnPressed, this,
            [&printing] { printing.TakeTypedOffsets(); });
    connect(confirm, &QPushButton::clicked, this, [&printing] { printing.ConfirmOffsets(); });
    connect(setup, &QPushButton::clicked, this, [this] { app_.printing().SetUpPrinter(); });
    connect(run, &QPushButton::clicked, this, [this] { RunWithProgress(false); });
    connect(pdf, &QPushButton::clicked, this, [this] { RunWithProgress(true); });
    connect(calibration, &QPushButton::clicked, this,
            [this] { app_.printing().PrintCalibration(); });

    app_.AddListener(this);
    ShowJob();
}

PrintPage::~PrintPage() {
    app_.RemoveListener(this);
}

void PrintPage::StyleChoiceChanged() {
    const StyleChoice choice{paper_->currentIndex(), font_->currentIndex(), column_->currentIndex(),
                             colour_->currentIndex()};
    app_.printing().ChooseStyle(choice);
}

void PrintPage::OffsetsChanged() {
    app_.printing().SetOffsets({offsets_[0]->amount(), offsets_[1]->amount(), offsets_[2]->amount(),
                                offsets_[3]->amount()});
}

void PrintPage::StepOffset(int box, bool up) {
    NumericEdit* edit = offsets_[static_cast<std::size_t>(box)];
    if (up ? edit->model().ArrowUp() : edit->model().ArrowDown()) {
        edit->refresh();
        OffsetsChanged();
    }
}

void PrintPage::RunWithProgress(bool pdf) {
    // The progress dialog opens when the run begins: never while the PDF file is being
    // chosen, where its timer would open it over the file dialog and take the input.
    std::unique_ptr<QProgressDialog> progress;
    // The sheets are drawn on this thread: the window answers between two of them, and
    // Cancel drops the document after the sheet being drawn.
    const PrintProgress told = [this, &progress](int drawn, int total) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(Q(kPrintingCaption), Q("キャンセル"), 0,
                                                         total, this);
            progress->setObjectName("printProgress");
            progress->setWindowTitle(Q("印刷"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
            progress->setAutoReset(false);
            progress->setAutoClose(false);
            progress->show();
        }
        progress->setMaximum(total);
        progress->setValue(drawn);
        progress->setLabelText(Q(PrintProgressText(drawn, total)));
        QCoreApplication::processEvents();
        if (!progress->wasCanceled()) return true;
        progress->hide();  // before the message saying the run was stopped
        return false;
    };
    const QPointer<QWidget> from = QApplication::focusWidget();
    if (pdf)
        app_.printing().SaveAsPdf(told);
    else
        app_.printing().Print(told);
    // A message about the run (a file that could not be written, a style gone) is shown while
    // the progress dialog is up, and closing it makes the progress dialog the active window
    // again. Gone with it, no window of the program would be active and the keyboard would do
    // nothing: the main window and the control the user came from take it back.
    if (!progress) return;
    progress.reset();
    window()->activateWindow();
    if (from) from->setFocus(Qt::OtherFocusReason);
}

void PrintPage::ShowJob() {
    const PrintJob& job = app_.printJob();
    const PrintPanel& p = job.panel();
    const PrintControls& c = job.controls();
    const bool started = job.state().kind != 0;
    setEnabled(started);

    const QSignalBlocker b1(paper_), b2(font_), b3(column_), b4(colour_), b5(months_),
        b6(evenFirst_), b7(offsetPreview_), b8(formLines_);
    SetItems(paper_, c.paperItems);
    paper_->setCurrentIndex(p.choice.paper);
    font_->setCurrentIndex(p.choice.font);
    column_->setCurrentIndex(p.choice.column);
    colour_->setCurrentIndex(p.choice.colour);
    font_->setEnabled(c.fontEnabled);
    column_->setEnabled(c.columnEnabled);
    colour_->setEnabled(c.colourEnabled);
    kokuyoGroup_->setEnabled(c.kokuyoNegativesEnabled);
    if (QAbstractButton* b = kokuyo_->button(p.kokuyoNegatives)) b->setChecked(true);
    filterGroup_->setEnabled(c.pageFilterEnabled);
    if (QAbstractButton* b = filter_->button(static_cast<int>(p.filter))) b->setChecked(true);

    months_->setEnabled(c.monthSelectEnabled);
    for (int i = 0; i < 12; ++i) {
        QListWidgetItem* item = months_->item(i);
        item->setText(Q(c.monthItems[static_cast<std::size_t>(i)]));
        item->setCheckState(p.months[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
    }
    evenFirst_->setChecked(p.evenFirst);
    evenFirst_->setVisible(c.evenOffsetsShown);
    evenCaption_->setVisible(c.evenOffsetsShown);
    evenRows_[1]->setVisible(c.evenOffsetsShown);
    oddCaption_->setText(Q(c.oddOffsetCaption));
    offsetPreview_->setChecked(p.offsetPreview);
    formLines_->setChecked(p.formLines);
    formLines_->setVisible(c.formLinesShown);

    const std::array<Amount, 4> values{p.offsets.oddX, p.offsets.oddY, p.offsets.evenX,
                                       p.offsets.evenY};
    for (std::size_t i = 0; i < 4; ++i) {
        // The box being typed in keeps its text until it is left.
        if (offsets_[i]->hasFocus() || offsets_[i]->amount() == values[i]) continue;
        const QSignalBlocker block(offsets_[i]);
        offsets_[i]->setAmount(values[i]);
    }
}

}  // namespace velmora::gui
