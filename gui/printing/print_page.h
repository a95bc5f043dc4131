#pragma once
// The print settings page "印刷" of the left pane: paper, font, account-title column,
// heading colour, the KOKUYO option, the page filter, the months to print, "偶数から開始",
// the print offsets, and the buttons that confirm the offsets, set up the printer, print,
// save as PDF and print the calibration sheet. Every choice goes to the print job; what
// the controls show and offer is read back from it.
#include <QWidget>
#include <array>

#include "core/app/application.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace velmora::gui {

class NumericEdit;

class PrintPage : public QWidget, private AppListener {
    Q_OBJECT
public:
    explicit PrintPage(Application& app, QWidget* parent = nullptr);
    ~PrintPage() override;

    // The job's options, the controls it offers and their captions.
    void ShowJob();

    QComboBox* paper() const { return paper_; }
    QListWidget* months() const { return months_; }
    QButtonGroup* pageFilter() const { return filter_; }
    NumericEdit* offsetBox(int i) const { return offsets_[static_cast<std::size_t>(i)]; }

private:
    void PreviewChanged() override { ShowJob(); }
    void StateChanged() override { ShowJob(); }
    void StyleChoiceChanged();
    void OffsetsChanged();
    void StepOffset(int box, bool up);
    // "印刷実行" and "PDFに保存…": the run with its progress dialog and Cancel.
    void RunWithProgress(bool pdf);

    Application& app_;
    QComboBox* paper_ = nullptr;
    QComboBox* font_ = nullptr;
    QComboBox* column_ = nullptr;
    QComboBox* colour_ = nullptr;
    QGroupBox* kokuyoGroup_ = nullptr;
    QButtonGroup* kokuyo_ = nullptr;
    QGroupBox* filterGroup_ = nullptr;
    QButtonGroup* filter_ = nullptr;
    QListWidget* months_ = nullptr;
    QCheckBox* evenFirst_ = nullptr;
    QLabel* oddCaption_ = nullptr;
    QLabel* evenCaption_ = nullptr;
    std::array<NumericEdit*, 4> offsets_{};
    std::array<QWidget*, 2> evenRows_{};
    QCheckBox* offsetPreview_ = nullptr;
    QCheckBox* formLines_ = nullptr;
};

}  // namespace velmora::gui
