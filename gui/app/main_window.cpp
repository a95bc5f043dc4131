#include "gui/app/main_window.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/app/command_table.h"
#include "core/view/month_tabs.h"
#include "gui/app/command_icons.h"
#include "gui/app/ribbon.h"
#include "gui/view/ledger_model.h"

namespace velmora::gui {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QDate ToQDate(Date d) {
    return QDate(d.Year(), d.Month(), d.Day());
}

}  // namespace

MainWindow::MainWindow(Application& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setWindowTitle(Q(app_.WindowTitle()));
    setMinimumSize(kMinimumWindowWidth, kMinimumWindowHeight);
    BuildActions();
    BuildMenus();
    BuildRibbon();
    BuildCentre();
    BuildStatusBar();
    app_.AddListener(this);
    // The window sees keys before its controls: its command keys work wherever the focus
    // is inside it, while modal windows keep their own.
    qApp->installEventFilter(this);
    LedgerReplaced();
    StateChanged();
    BackupsChanged();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    app_.RemoveListener(this);
}

QAction* MainWindow::action(std::string_view command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::menu(std::string_view caption) const {
    auto it = menus_.find(caption);
    return it == menus_.end() ? nullptr : it->second;
}

// ---- actions ----

void MainWindow::BuildActions() {
    const QString programFolder = QString::fromStdString(app_.session().programFolder());
    for (const CommandInfo& c : MainCommands()) {
        auto* a = new QAction(Q(c.caption), this);
        a->setObjectName(Q(c.name));
        if (!c.key.empty()) {
            if (c.keyShownOnly)
                a->setText(Q(c.caption) + "\t" +
                           QKeySequence(Q(c.key)).toString(QKeySequence::NativeText));
            else
                a->setShortcut(QKeySequence(Q(c.key)));
        }
        a->setIcon(CommandIcon(programFolder, c.name));
        a->setIconVisibleInMenu(false);
        const std::string name(c.name);
        connect(a, &QAction::triggered, this, [this, name] { Run(name); });
        addAction(a);
        actions_.emplace(name, a);
    }
}

void MainWindow::Run(std::string_view command) {
    Application& a = app_;
    if (command.rfind("back_", 0) == 0) {
        a.restoreBackup(std::stoi(std::string(command.substr(5))));
        return;
    }
    static const std::map<std::string_view, void (Application::*)(), std::less<>> plain = {
        {"note1", &Application::note1},
        {"note2", &Application::note2},
        {"note3", &Application::note3},
        {"datainput", &Application::datainput},
        {"target_Notes", &Application::target_Notes},
        {"searchKamoku", &Application::searchKamoku},
        {"searchIncome", &Application::searchIncome},
        {"searchOutcome", &Application::searchOutcome},
        {"searchPreview", &Application::searchPreview},
        {"cancelKamoku", &Application::cancelKamoku},
        {"cancelItem", &Application::cancelItem},
        {"cancelIncome", &Application::cancelIncome},
        {"cancelOutcome", &Application::cancelOutcome},
        {"searchClear", &Application::searchClear},
        {"masterKamoku", &Application::masterKamoku},
        {"new1data", &Application::new1data},
        {"new2Data", &Application::new2Data},
        {"makeNextData", &Application::makeNextData},
        {"fileopen", &Application::fileopen},
        {"filesave", &Application::filesave},
        {"fileAsSave", &Application::fileAsSave},
        {"csvfileOut", &Application::csvfileOut},
        {"dateAgain", &Application::dateAgain},
        {"kingakuAgain", &Application::kingakuAgain},
        {"configExec", &Application::configExec},
        {"back", &Application::back},
        {"monthlySum", &Application::monthlySum},
        {"graph", &Application::graph},
        {"printnote", &Application::printnote},
        {"printzandaka", &Application::printzandaka},
        {"monthlyprint", &Application::monthlyprint},
        {"incomeprint", &Application::incomeprint},
        {"graphprint", &Application::graphprint},
        {"calcExec", &Application::calcExec},
        {"cashcalcExec", &Application::cashcalcExec},
        {kMonthlyListItem, &Application::monthlyList},
        {kOnlineHelpItem, &Application::onlineHelp},
        {kOfflineHelpItem, &Application::offlineHelp},
        {kWorkingFolderItem, &Application::openWorkingFolder},
    };
    if (auto it = plain.find(command); it != plain.end()) {
        (a.*(it->second))();
        if (command == kMonthlyListItem)
            ribbon_->setCurrentIndex(static_cast<int>(RibbonPage::Summary));
        return;
    }
    if (command == "dataedit") {
        a.dataedit(SelectedRecord());
    } else if (command == "searchItem") {
        a.searchItem(SelectedRecord());
    } else if (command == "moveTop") {
        SelectGridRow(a.moveTop());
    } else if (command == "MoveDown") {
        SelectGridRow(a.MoveDown());
    } else if (command == "datesearch") {
        dateSearchBox_->toggle();
    } else if (command == "mdisplay_write") {
        a.mdisplay_write(ShownLedgerLayout());
    } else if (command == "FileExit1") {
        close();
    }
}

// ---- menus ----

void MainWindow::BuildMenus() {
    for (const MenuInfo& m : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(Q(m.caption));
        menus_.emplace(std::string(m.caption), menu);
        for (const MenuEntry& e : m.entries) {
            if (e.command == "-") {
                menu->addSeparator();
            } else if (!e.command.empty()) {
                menu->addAction(action(e.command));
            } else {
                QMenu* sub = menu->addMenu(Q(e.submenuCaption));
                for (std::string_view c : e.submenu) sub->addAction(action(c));
                if (!e.submenuKey.empty()) {
                    // The submenu's own key opens it where the menu bar shows it.
                    auto* open = new QAction(this);
                    open->setShortcut(QKeySequence(Q(e.submenuKey)));
                    sub->menuAction()->setText(
                        Q(e.submenuCaption) + "\t" +
                        QKeySequence(Q(e.submenuKey)).toString(QKeySequence::NativeText));
                    connect(open, &QAction::triggered, this, [this, sub, menu] {
                        if (!menu->isEnabled()) return;
                        sub->popup(mapToGlobal(QPoint(width() / 3, height() / 3)));
                    });
                    addAction(open);
                }
            }
        }
    }
}

// ---- ribbon ----

void MainWindow::BuildRibbon() {
    ribbon_ = BuildRibbonPages(this, [this](std::string_view c) { return action(c); });
    allBooksBox_ = ribbon_->findChild<QCheckBox*>(Q(kAllBooksCheck));
    dateSearchBox_ = ribbon_->findChild<QCheckBox*>(Q(kDateSearchCommand));
    connect(allBooksBox_, &QCheckBox::toggled, this, [this](bool on) { app_.allBooksSearch(on); });
    connect(dateSearchBox_, &QCheckBox::toggled, this, [this](bool on) { app_.datesearch(on); });
    connect(ribbon_, &QTabWidget::currentChanged, this,
            [this](int page) { app_.ChangeRibbonPage(static_cast<RibbonPage>(page)); });
}

// ---- centre: left pane and main pages ----

void MainWindow::BuildCentre() {
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ribbon_);

    splitter_ = new QSplitter(Qt::Horizontal, centre);
    splitter_->setObjectName("Splitter1");
    leftPane_ = BuildLeftPane();
    splitter_->addWidget(leftPane_);

    mainPages_ = new QStackedWidget(splitter_);
    mainPages_->setObjectName("PageControl1");
    mainPages_->addWidget(BuildLedgerPage());
    for (int page = 1; page < 4; ++page) {
        auto* frame = new QLabel(Q(kMainPageCaptions[page]), mainPages_);
        frame->setAlignment(Qt::AlignCenter);
        frame->setObjectName(Q(kMainPageCaptions[page]));
        mainPages_->addWidget(frame);
    }
    splitter_->addWidget(mainPages_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    // Dragged fully to the left the pane keeps one pixel, so it can be dragged open again.
    leftPane_->setMinimumWidth(1);
    layout->addWidget(splitter_, 1);
    setCentralWidget(centre);
}

QWidget* MainWindow::BuildLeftPane() {
    leftPages_ = new QTabWidget();
    leftPages_->setObjectName("PageControl2");

    auto* choose = new QWidget();
    auto* v = new QVBoxLayout(choose);
    v->setContentsMargins(2, 2, 2, 2);
    calendar_ = new QCalendarWidget(choose);
    calendar_->setObjectName("calendar");
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    v->addWidget(calendar_);
    holidayList_ = new QListWidget(choose);
    holidayList_->setObjectName("sdayLIST");
    holidayList_->setMaximumHeight(60);
    v->addWidget(holidayList_);
    auto* inner = new QTabWidget(choose);
    titleList_ = new QListWidget(inner);
    titleList_->setObjectName("ListBox1");
    inner->addTab(titleList_, Q(kLeftInnerPageCaptions[0]));
    bookBalances_ = new QTableWidget(0, 3, inner);
    bookBalances_->setObjectName("NOTESGRID");
    bookBalances_->setHorizontalHeaderLabels({"", "帳簿名", "残高"});
    bookBalances_->verticalHeader()->hide();
    bookBalances_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    inner->addTab(bookBalances_, Q(kLeftInnerPageCaptions[1]));
    v->addWidget(inner, 1);
    leftPages_->addTab(choose, Q(kLeftPageCaptions[0]));

    auto* print = new QLabel(Q(kLeftPageCaptions[1]));
    print->setAlignment(Qt::AlignCenter);
    leftPages_->addTab(print, Q(kLeftPageCaptions[1]));

    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate d) {
        app_.ChooseCalendarDay(Date::FromYmd(d.year(), d.month(), d.day()));
    });
    connect(titleList_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { app_.FilterByTitle(item->text().toStdString()); });
    return leftPages_;
}

QWidget* MainWindow::BuildLedgerPage() {
    auto* page = new QWidget();
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(2, 2, 2, 2);
    auto* heading = new QWidget(page);
    auto* h = new QHBoxLayout(heading);
    h->setContentsMargins(4, 2, 4, 2);
    bookTitle_ = new QLabel(heading);
    bookTitle_->setObjectName("Panel8");
    QFont big = bookTitle_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    bookTitle_->setFont(big);
    searchRange_ = new QLabel(heading);
    searchRange_->setObjectName("searchrange");
    totalIncome_ = new QLabel(heading);
    totalIncome_->setObjectName("totalincome");
    totalExpense_ = new QLabel(heading);
    totalExpense_->setObjectName("totalexpence");
    totalDifference_ = new QLabel(heading);
    totalDifference_->setObjectName("totalsagaku");
    h->addWidget(bookTitle_);
    h->addSpacing(16);
    h->addWidget(searchRange_, 1);
    for (QLabel* total : {totalIncome_, totalExpense_, totalDifference_}) {
        total->setMinimumWidth(120);
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        h->addWidget(total);
    }
    v->addWidget(heading);

    monthTabs_ = new QTabBar(page);
    monthTabs_->setObjectName("TabControl1");
    monthTabs_->setExpanding(false);
    v->addWidget(monthTabs_);
    connect(monthTabs_, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab >= 0) app_.ChooseMonthTab(tab);
    });

    ledgerGrid_ = new QTableView(page);
    ledgerGrid_->setObjectName("AdvStringGrid1");
    ledgerModel_ = new LedgerModel(app_, ledgerGrid_);
    ledgerGrid_->setModel(ledgerModel_);
    ledgerGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    ledgerGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    ledgerGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ledgerGrid_->verticalHeader()->hide();
    ledgerGrid_->verticalHeader()->setDefaultSectionSize(22);
    ledgerGrid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* editRow = new QAction("この行を修正する", ledgerGrid_);
    auto* moveRow = new QAction("一行下へ移動する", ledgerGrid_);
    ledgerGrid_->addAction(editRow);
    ledgerGrid_->addAction(moveRow);
    connect(editRow, &QAction::triggered, this, [this] { app_.dataedit(SelectedRecord()); });
    connect(moveRow, &QAction::triggered, this, [this] {
        const QModelIndex current = ledgerGrid_->currentIndex();
        if (current.isValid()) app_.MoveRowDown(static_cast<std::size_t>(current.row()));
    });
    connect(ledgerGrid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex&) { app_.dataedit(SelectedRecord()); });
    v->addWidget(ledgerGrid_, 1);
    return page;
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar2");
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 8; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QString("panel%1").arg(i));
        panel->setFixedWidth(kStatusPanelWidths[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel);
        statusPanels_[i] = panel;
    }
}

// ---- grid helpers ----

std::optional<int> MainWindow::SelectedRecord() const {
    const QModelIndex current = ledgerGrid_->currentIndex();
    if (!current.isValid()) return std::nullopt;
    return ledgerModel_->RecordIndexOfRow(current.row());
}

void MainWindow::SelectGridRow(int gridRow) {
    // Grid row 0 is the header of the original grid; the model's rows start at row 1.
    const int row = gridRow - 1;
    if (row < 0 || row >= ledgerModel_->rowCount()) return;
    ledgerGrid_->selectRow(row);
    ledgerGrid_->scrollTo(ledgerModel_->index(row, 0));
}

LedgerLayout MainWindow::ShownLedgerLayout() const {
    LedgerLayout layout = app_.ledgerLayout();
    for (int c = 0; c < kLedgerGridColumns; ++c)
        layout.listColWidths[static_cast<std::size_t>(c)] = ledgerGrid_->columnWidth(c);
    for (int c = 1; c < kNotesGridColumns; ++c)
        layout.notesGridWidths[static_cast<std::size_t>(c)] = bookBalances_->columnWidth(c);
    const QList<int> sizes = splitter_->sizes();
    if (!sizes.isEmpty()) layout.sidePanelWidth = sizes.front();
    return layout;
}

void MainWindow::ApplyLedgerLayout(const LedgerLayout& layout) {
    for (int c = 0; c < kLedgerGridColumns; ++c)
        ledgerGrid_->setColumnWidth(c, layout.listColWidths[static_cast<std::size_t>(c)]);
    ledgerGrid_->setColumnHidden(kHiddenLedgerColumn, true);
    for (int c = 1; c < kNotesGridColumns; ++c)
        bookBalances_->setColumnWidth(c, layout.notesGridWidths[static_cast<std::size_t>(c)]);
    bookBalances_->setColumnHidden(0, true);
    splitter_->setSizes({layout.sidePanelWidth, std::max(1, width() - layout.sidePanelWidth)});
}

// ---- placement and closing ----

void MainWindow::ApplyPlacement(const Placement& placement) {
    std::vector<ScreenArea> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect g = primary->availableGeometry();
        screens.push_back({g.left(), g.top(), g.width(), g.height()});
    }
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == QGuiApplication::primaryScreen()) continue;
        const QRect g = screen->availableGeometry();
        screens.push_back({g.left(), g.top(), g.width(), g.height()});
    }
    const Placement p = FitOnScreens(placement, screens, kMinimumWindowWidth, kMinimumWindowHeight);
    setGeometry(p.left, p.top, p.width, p.height);
}

Placement MainWindow::CurrentPlacement() const {
    const QRect g = geometry();
    return Placement{g.left(), g.top(), g.width(), g.height()};
}

void MainWindow::closeEvent(QCloseEvent* event) {
    app_.SetSummaryLayout(app_.summaryLayout());
    if (app_.CloseQuery(CurrentPlacement()))
        event->accept();
    else
        event->ignore();
}

bool MainWindow::IsWindowKey(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const auto& [name, a] : actions_)
        if (!a->shortcut().isEmpty() && a->shortcut() == pressed) return a->isEnabled();
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Swallowing the override keeps a control of this window from claiming one of the
        // window's keys; the key then reaches the window's action.
        if (widget && widget->window() == this && IsWindowKey(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- what the application object tells ----

void MainWindow::LedgerReplaced() {
    monthTabs_->blockSignals(true);
    while (monthTabs_->count() > 0) monthTabs_->removeTab(0);
    for (const std::string& caption : MonthTabCaptions(app_.session().ledger.startMonth))
        monthTabs_->addTab(QString::fromStdString(caption));
    monthTabs_->blockSignals(false);
    ApplyLedgerLayout(app_.ledgerLayout());
    ViewChanged();
    TitlesChanged();
}

void MainWindow::ViewChanged() {
    const LedgerViewResult& v = app_.ledgerView();
    ledgerModel_->Reload();
    ledgerGrid_->setColumnHidden(kHiddenLedgerColumn, true);
    searchRange_->setText(QString::fromStdString(v.searchRange));
    totalIncome_->setText(QString::fromStdString(v.totalIncome));
    totalExpense_->setText(QString::fromStdString(v.totalExpense));
    totalDifference_->setText(QString::fromStdString(v.totalDifference));
    bookTitle_->setText(QString::fromStdString(v.bookTitle));
    monthTabs_->blockSignals(true);
    if (v.ledgerTab >= 0 && v.ledgerTab < monthTabs_->count())
        monthTabs_->setCurrentIndex(v.ledgerTab);
    monthTabs_->blockSignals(false);
    bookBalances_->setRowCount(static_cast<int>(v.bookBalances.size()));
    for (int r = 0; r < static_cast<int>(v.bookBalances.size()); ++r) {
        const BookBalanceRow& b = v.bookBalances[static_cast<std::size_t>(r)];
        bookBalances_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(b.HiddenText())));
        bookBalances_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(b.Label())));
        auto* balance = new QTableWidgetItem(QString::fromStdString(b.balanceText));
        balance->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bookBalances_->setItem(r, 2, balance);
    }
    calendar_->blockSignals(true);
    calendar_->setSelectedDate(ToQDate(app_.view().calendar.selected));
    calendar_->blockSignals(false);
}

void MainWindow::TitlesChanged() {
    titleList_->clear();
    for (const std::string& title : app_.entryForm().titleList)
        if (!title.empty()) titleList_->addItem(QString::fromStdString(title));
    holidayList_->clear();
    for (const std::string& line : app_.holidays().Lines())
        holidayList_->addItem(QString::fromStdString(line));
}

void MainWindow::StateChanged() {
    const Session& s = app_.session();
    setWindowTitle(Q(app_.WindowTitle()));
    const std::string panels[8] = {
        s.currentBook.kind,     s.currentBook.name,    s.monthPanel,          s.filePanel, "",
        s.settings.companyName, app_.view().yearPanel, app_.view().monthPanel};
    for (int i = 0; i < 8; ++i) statusPanels_[i]->setText(QString::fromStdString(panels[i]));
    leftPane_->setVisible(app_.leftPaneShown());
    mainPages_->setCurrentIndex(static_cast<int>(app_.mainPage()));
    if (QMenu* edit = menu(kEditMenuCaption)) edit->setEnabled(app_.editMenuEnabled());
    if (ribbon_->currentIndex() != static_cast<int>(app_.ribbonPage())) {
        ribbon_->blockSignals(true);
        ribbon_->setCurrentIndex(static_cast<int>(app_.ribbonPage()));
        ribbon_->blockSignals(false);
    }
    allBooksBox_->blockSignals(true);
    allBooksBox_->setChecked(s.allBooks);
    allBooksBox_->blockSignals(false);
    dateSearchBox_->blockSignals(true);
    dateSearchBox_->setChecked(app_.view().dateFilter);
    dateSearchBox_->blockSignals(false);
}

void MainWindow::BackupsChanged() {
    const BackupList& list = app_.session().backups;
    for (int n = 1; n <= kBackupItems; ++n) {
        QAction* a = action("back_" + std::to_string(n));
        const BackupEntry& e = list.entries[static_cast<std::size_t>(n - 1)];
        a->setText(QString::fromStdString(e.caption));
        a->setEnabled(e.caption != kEmptyBackupCaption && !e.file.empty());
    }
}

void MainWindow::SummaryChanged() {}

}  // namespace velmora::gui
