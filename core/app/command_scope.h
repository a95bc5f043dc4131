#pragma once
// The command scope the application and its controllers share (for their .cpp files only):
// every write to the application's state runs inside one, and the listeners hear of it once,
// when the outermost command has ended.
#include <string>

#include "core/app/application.h"

namespace velmora {

// What the command that is running has changed, told when it ends (Application::Flush).
enum Pending : unsigned {
    kViewPending = 1u << 0,
    kLedgerPending = 1u << 1,
    kTitlesPending = 1u << 2,
    kSummaryPending = 1u << 3,
    kPreviewPending = 1u << 4,
    kPrintWorkPending = 1u << 5,  // the changes came from the print job's own work
    kEntryFormPending = 1u << 6,
};

// Commands nest (a command may run another); listeners hear of the changes when the
// outermost one ends, also when it ends by an exception, and when a command run from a
// modal window ends.
class Application::CommandScope {
public:
    explicit CommandScope(Application& app);
    // A command run inside another one (a registration in the open entry form, a book
    // added in the book list) is journalled as it ends: the window around it may stay open
    // for a long time.
    ~CommandScope();
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    Application& app_;
};

// One undoable command inside a command: what it changed becomes one step of the undo
// history under label. What was done before it in the same command stays out of that step.
class Application::UndoStepScope {
public:
    UndoStepScope(Application& app, std::string label);
    ~UndoStepScope();
    UndoStepScope(const UndoStepScope&) = delete;
    UndoStepScope& operator=(const UndoStepScope&) = delete;

private:
    Application& app_;
    std::string label_;
};

// The entry form, which a command keeps open: each registration or deletion run from it is
// whole when it ends, and the windows behind follow it at once rather than when the form
// closes (a bookkeeper checks the grid behind the form while entering the next record).
class Application::WindowScope {
public:
    explicit WindowScope(Application& app) : app_(app), saved_(app.windowDepth_) {
        app_.windowDepth_ = app_.depth_;
    }
    ~WindowScope() { app_.windowDepth_ = saved_; }
    WindowScope(const WindowScope&) = delete;
    WindowScope& operator=(const WindowScope&) = delete;

private:
    Application& app_;
    int saved_;
};

}  // namespace velmora
