#pragma once
// The main window's side of the settings dialog "環境設定": opening it, applying it to
// the session's ledger, and bringing everything in line after it closes.
#include <functional>
#include <optional>

#include "core/session/session.h"
#include "core/settings/fiscal_settings_apply.h"
#include "core/settings/fiscal_settings_form.h"

namespace velmora {

inline constexpr const char* kSettingsWhileFilteredMessage =
    "科目検索指定時は環境設定の変更はできません";

// The dialog as it opens on the session, or nothing (after saying why) while an account
// filter is set.
std::optional<FiscalSettingsForm> OpenSettingsForm(Session& session);

// "適用(&A)" on the session's ledger, modified flag and settings file.
ApplyOutcome ApplySettingsForm(Session& session, const FiscalSettingsForm& form);

// After the dialog closed, whether or not anything was applied: the cash book's name in
// every record follows the use type, the settings are read again as at start-up, the
// records are re-tagged with their periods, today's month is shown, the current book is
// recomputed, and the windows reload titles and redraw.
void ReapplySettings(Session& session);

// The whole command: opens the form, runs the modal dialog on it (the window, or a
// script), then re-applies. False when opening was refused.
bool SettingsCommand(Session& session, const std::function<void(FiscalSettingsForm&)>& runDialog);

}  // namespace velmora
