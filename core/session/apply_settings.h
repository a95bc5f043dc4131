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

// "適用(&A)" on the session's ledger, modified flag and settings file; the form notes
// that it was applied.
ApplyOutcome ApplySettingsForm(Session& session, FiscalSettingsForm& form);

// After the dialog closed, whether or not anything was applied: the cash book's name in
// every record follows the use type, the settings are read again as at start-up, the
// records are re-tagged with their periods, the current book is recomputed, and the
// windows reload titles and redraw. Only a dialog that applied moves the month to today's:
// one closed without applying leaves the month shown as it was.
void ReapplySettings(Session& session, bool applied);

enum class SettingsClosed { Refused, Closed, Applied };

// The whole command: opens the form, runs the modal dialog on it (the window, or a
// script), then re-applies. Refused when opening was refused; otherwise whether the
// dialog applied.
SettingsClosed SettingsCommand(Session& session,
                               const std::function<void(FiscalSettingsForm&)>& runDialog);

}  // namespace velmora
