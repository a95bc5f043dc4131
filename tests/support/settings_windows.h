#pragma once
// "環境設定" as a user answers it: some options changed, then "適用(&A)". Runs through the
// application's settings command, as the window's dialog does.
#include <functional>
#include <utility>

#include "core/app/application.h"
#include "core/session/apply_settings.h"

namespace velmora::testing {

class SettingsWindows final : public AppWindows {
public:
    explicit SettingsWindows(std::function<void(Settings&)> change) : change_(std::move(change)) {}
    void RunSettings(Session& session, FiscalSettingsForm& form) override {
        change_(form.options);
        ApplySettingsForm(session, form);
    }

private:
    std::function<void(Settings&)> change_;
};

// The settings command of app with the options changed; no modal windows after it.
inline void ChangeSettings(Application& app, std::function<void(Settings&)> change) {
    SettingsWindows windows(std::move(change));
    app.SetWindows(&windows);
    app.books().EditSettings();
    app.SetWindows(nullptr);
}

}  // namespace velmora::testing
