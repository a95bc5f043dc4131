#pragma once
// Loading and saving the ledger file, and the open, save and save-as commands.
#include <string>

#include "core/session/session.h"

namespace velmora {

inline constexpr const char* kModifiedQuestion =
    "データが変更されています。現在の状態を保存しますか？";

// Replaces the whole model with the file's content. A file that cannot be read leaves
// the ledger that was open untouched and says why. True when the file was loaded.
bool LoadLedger(Session& session, const std::string& path);

// Writes the model to path and a backup copy in the working folder, and advances the
// backup list. A write that fails leaves the previous file whole and the session as it
// was, and says why. True when the ledger file was written.
bool SaveLedger(Session& session, const std::string& path);

// "保　存": asks for a name first when no file is open. True when saved.
bool SaveCommand(Session& session);
// "名前をつけて保存". True when saved.
bool SaveAsCommand(Session& session);
// "ファイルを開く". True when a file was loaded.
bool OpenCommand(Session& session);

// The three-button question asked before the ledger is replaced or the program ends
// while it is modified. False when the user cancelled, or chose to save and the save did
// not happen; true when it is safe to go on.
bool OfferToSaveChanges(Session& session);

}  // namespace velmora
