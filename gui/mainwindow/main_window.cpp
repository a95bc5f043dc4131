#include "gui/mainwindow/main_window.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/app/command_table.h"
#include "core/history/recovery_journal.h"
#include "gui/ledger/ledger_page.h"
#include "gui/ledger/left_pane.h"
#include "gui/mainwindow/command_icons.h"
#include "gui/mainwindow/main_pages.h"
#include "gui/mainwindow/ribbon.h"
#include "gui/printing/preview_page.h"
#include "gui/summary/graph_page.h"
#include "gui/summary/summary_page.h"
#include "gui/widgets/elided_label.h"
#include "qtprint/qt_text.h"

namespace velmora::gui {

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
    // The keyboard starts at the ledger: Enter edits a row, F5 enters a new one.
    ledgerGrid()->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    app_.RemoveListener(this);
}

QAction* MainWindow::action(std::string_view command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QTableView* MainWindow::ledgerGrid() const {
    return ledgerPage_->grid();
}

QStackedWidget* MainWindow::mainPages() const {
    return mainPages_;
}

QWidget* MainWindow::leftPane() const {
    return leftPane_;
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
            if (c.name == kRedoCommand)
                a->setShortcuts({QKeySequence(Q(c.key)), QKeySequence(Q(kRedoSecondKey))});
            else
                a->setShortcut(QKeySequence(Q(c.key)));
        }
        a->setIcon(CommandIcon(programFolder, c.name));
        a->setIconVisibleInMenu(false);
        connect(a, &QAction::triggered, this, [this, run = c.run] { run(app_, *this); });
        addAction(a);
        actions_.emplace(std::string(c.name), a);
    }
}

std::optional<int> MainWindow::SelectedRecord() const {
    return ledgerPage_->SelectedRecord();
}

void MainWindow::SelectGridRow(int row) {
    ledgerPage_->SelectGridRow(row);
}

void MainWindow::ToggleDateSearch() {
    dateSearchBox_->toggle();
}

void MainWindow::ShowRibbonPage(RibbonPage page) {
    ribbon_->setCurrentIndex(static_cast<int>(page));
}

std::optional<int> MainWindow::SelectedGridRow() const {
    return ledgerPage_->SelectedGridRow();
}

void MainWindow::KeyboardBackToLedger(std::optional<int> gridRow) {
    if (mainPages_->currentWidget() == ledgerPage_) ledgerPage_->TakeKeyboard(gridRow);
}

void MainWindow::CloseWindow() {
    close();
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
    connect(allBooksBox_, &QCheckBox::toggled, this,
            [this](bool on) { app_.search().SetAllBooksSearch(on); });
    connect(dateSearchBox_, &QCheckBox::toggled, this,
            [this](bool on) { app_.search().SetDateFilter(on); });
    connect(ribbon_, &QTabWidget::currentChanged, this,
            [this](int page) { app_.ChangeRibbonPage(static_cast<RibbonPage>(page)); });
    // The ribbon's access key: to its page tabs, and from the ribbon back to the page shown.
    auto* reach = new QAction(this);
    reach->setObjectName("reachRibbon");
    reach->setShortcut(QKeySequence(Q(kRibbonFocusKey)));
    connect(reach, &QAction::triggered, this, [this] {
        if (ribbon_->isAncestorOf(QApplication::focusWidget())) {
            if (mainPages_->currentWidget() == ledgerPage_)
                ledgerGrid()->setFocus(Qt::ShortcutFocusReason);
            else
                mainPages_->currentWidget()->setFocus(Qt::ShortcutFocusReason);
        } else {
            ribbon_->tabBar()->setFocus(Qt::ShortcutFocusReason);
        }
    });
    addAction(reach);
}

// ---- centre: left pane and main pages ----

void MainWindow::BuildCentre() {
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ribbon_);

    splitter_ = new QSplitter(Qt::Horizontal, centre);
    splitter_->setObjectName("splitter");
    leftPane_ = new LeftPane(app_, splitter_);
    splitter_->addWidget(leftPane_);

    mainPages_ = new MainPageStack(app_, splitter_);
    ledgerPage_ = mainPages_->Find<LedgerPage>();
    summaryPage_ = mainPages_->Find<SummaryPage>();
    previewPage_ = mainPages_->Find<PreviewPage>();
    graphPage_ = mainPages_->Find<GraphPage>();
    splitter_->addWidget(mainPages_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    // Dragged fully to the left the pane keeps one pixel, so it can be dragged open again.
    leftPane_->setMinimumWidth(1);
    layout->addWidget(splitter_, 1);
    setCentralWidget(centre);
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("statusBar");
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 8; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QString("panel%1").arg(i));
        // The design widths on a wide window; on a narrow one the wide panels (book, file,
        // company) give way in that proportion, a cut text whole in the tool tip, while the
        // narrow ones (month, year) keep their width so that "2024" stays readable.
        constexpr int kNarrowPanel = 50;
        panel->setMaximumWidth(kStatusPanelWidths[i]);
        panel->setMinimumWidth(kStatusPanelWidths[i] <= kNarrowPanel ? kStatusPanelWidths[i] : 30);
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel, kStatusPanelWidths[i]);
        statusPanels_[i] = panel;
    }
    // A PDF's path may be long: the notice gives way, the button beside it shows whole.
    pdfNotice_ = new ElidedLabel(bar);
    pdfNotice_->setObjectName("pdfNotice");
    pdfFolder_ = new QPushButton(QStringLiteral("フォルダーを開く"), bar);
    pdfFolder_->setObjectName("openPdfFolder");
    pdfFolder_->setFocusPolicy(Qt::NoFocus);
    pdfFolder_->hide();
    connect(pdfFolder_, &QPushButton::clicked, this, [this] { app_.printing().OpenPdfFolder(); });
    bar->addPermanentWidget(pdfNotice_);
    bar->addPermanentWidget(pdfFolder_);
    journalWarning_ = new QLabel(QString::fromUtf8(kJournalFailingText), bar);
    journalWarning_->setObjectName("journalWarning");
    journalWarning_->setStyleSheet(QStringLiteral("QLabel { color: red; font-weight: bold; }"));
    journalWarning_->setVisible(false);
    bar->addWidget(journalWarning_);
}

// ---- layout ----

LedgerLayout MainWindow::ShownLedgerLayout() const {
    LedgerLayout layout = app_.ledgerLayout();
    ledgerPage_->SaveColumnWidths(layout);
    leftPane_->SaveColumnWidths(layout);
    const QList<int> sizes = splitter_->sizes();
    if (!sizes.isEmpty()) layout.sidePanelWidth = sizes.front();
    return layout;
}

void MainWindow::ApplyLedgerLayout(const LedgerLayout& layout) {
    ledgerPage_->ApplyColumnWidths(layout);
    leftPane_->ApplyColumnWidths(layout);
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
    const Placement p = PlaceMainWindow(placement, screens);
    setGeometry(p.left, p.top, p.width, p.height);
}

Placement MainWindow::CurrentPlacement() const {
    const QRect g = geometry();
    return Placement{g.left(), g.top(), g.width(), g.height()};
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SummaryLayout summaryLayout = app_.summaryLayout();
    summaryPage_->SaveColumnWidths(summaryLayout);
    app_.reports().SetLayout(summaryLayout);
    if (app_.RequestClose(CurrentPlacement()))
        event->accept();
    else
        event->ignore();
}

bool MainWindow::IsWindowKey(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const auto& [name, a] : actions_)
        if (a->shortcuts().contains(pressed)) return a->isEnabled();
    return false;
}

namespace {

// A text box (line edit, spin box, editable combo box, text area) and one of the standard
// keys it edits its text with: the box keeps these (Ctrl+A selects its text) even where
// the window has a command on the same key.
bool IsTextEditingKey(const QWidget& widget, const QKeyEvent& key) {
    const auto* combo = qobject_cast<const QComboBox*>(&widget);
    const bool textBox =
        qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QAbstractSpinBox*>(&widget) ||
        (combo && combo->isEditable()) || qobject_cast<const QTextEdit*>(&widget) ||
        qobject_cast<const QPlainTextEdit*>(&widget);
    if (!textBox) return false;
    for (const QKeySequence::StandardKey editing :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
          QKeySequence::Undo, QKeySequence::Redo})
        if (key.matches(editing)) return true;
    return false;
}

}  // namespace

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // Enter presses the button that has the keyboard, in every window: no button is a
        // default that Enter presses from elsewhere, so the focused one is the only one meant.
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && button->hasFocus() && button->isEnabled() && !button->menu() &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            button->animateClick();
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Swallowing the override keeps a control of this window from claiming one of the
        // window's keys; the key then reaches the window's action.
        // The calendar's day cells keep PgUp and PgDn (a month) while they have the keyboard;
        // text boxes keep their editing keys.
        // The menu bar, while it has the keyboard, keeps Escape: it closes the menu bar's
        // choice first, as everywhere, before Escape is "検索解除" again.
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (qobject_cast<QMenuBar*>(widget) && key.matches(QKeySequence::Cancel))
            return QMainWindow::eventFilter(watched, event);
        if (widget && widget->window() == this && !widget->property("ownsPageKeys").toBool() &&
            !IsTextEditingKey(*widget, key) && IsWindowKey(key))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- what the application object tells ----

void MainWindow::LedgerReplaced() {
    ledgerPage_->RebuildMonthTabs();
    ApplyLedgerLayout(app_.ledgerLayout());
    summaryPage_->ApplyColumnWidths(app_.summaryLayout());
    ViewChanged();
    TitlesChanged();
}

void MainWindow::ViewChanged() {
    ledgerPage_->ShowView();
    leftPane_->ShowView();
}

void MainWindow::TitlesChanged() {
    leftPane_->ShowLists();
}

void MainWindow::StateChanged() {
    const Session& s = app_.session();
    setWindowTitle(Q(app_.WindowTitle()));
    const std::string panels[8] = {
        s.currentBook.kind,     s.currentBook.name,    s.monthPanel,          s.filePanel, "",
        s.settings.companyName, app_.view().yearPanel, app_.view().monthPanel};
    for (int i = 0; i < 8; ++i) {
        statusPanels_[i]->setText(QString::fromStdString(panels[i]));
        statusPanels_[i]->setToolTip(statusPanels_[i]->text());
    }
    const QString pdf = Q(app_.printing().PdfWrittenText());
    pdfNotice_->setText(pdf);
    pdfFolder_->setVisible(app_.printing().PdfWritten());
    journalWarning_->setVisible(app_.journalFailing());
    leftPane_->setVisible(app_.leftPaneShown());
    leftPane_->ShowCalendar();
    mainPages_->Show(app_.mainPage());
    leftPane_->ShowMainPage(app_.mainPage());
    if (QMenu* edit = menu(kEditMenuCaption)) edit->setEnabled(app_.editMenuEnabled());
    // A greyed command is greyed for its key and its ribbon button too.
    for (const auto& [name, a] : actions_) a->setEnabled(app_.CommandEnabled(name));
    const UndoHistory& history = app_.history();
    action(kUndoCommand)->setText(Q(history.UndoText()));
    action(kRedoCommand)->setText(Q(history.RedoText()));
    if (ribbon_->currentIndex() != static_cast<int>(app_.ribbonPage())) {
        const QSignalBlocker quiet(ribbon_);
        ribbon_->setCurrentIndex(static_cast<int>(app_.ribbonPage()));
    }
    const QSignalBlocker quietAllBooks(allBooksBox_);
    allBooksBox_->setChecked(s.allBooks);
    const QSignalBlocker quietDateSearch(dateSearchBox_);
    dateSearchBox_->setChecked(app_.view().dateFilter);
}

void MainWindow::BackupsChanged() {
    const BackupList& list = app_.session().backups;
    for (int n = 1; n <= kBackupItems; ++n) {
        QAction* a = action("back_" + std::to_string(n));
        const BackupEntry& e = list.entries[static_cast<std::size_t>(n - 1)];
        a->setText(QString::fromStdString(e.caption));
        a->setEnabled(app_.CommandEnabled(a->objectName().toStdString()));
    }
}

void MainWindow::SummaryChanged() {
    summaryPage_->ShowSummary();
    graphPage_->ShowGraph();
}

void MainWindow::PreviewChanged() {
    previewPage_->ShowJob();
}

}  // namespace velmora::gui
