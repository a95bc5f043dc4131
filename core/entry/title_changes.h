#pragma once
// The account titles master as the ledger sees it: the dialog opened on the session's title
// file with the records it counts, and "更　新", which writes the titles, moves each title's
// quick descriptions to the slot the title went to, and gives the records of a renamed
// title the new name when the user agrees.
#include <string>

#include "core/ledger/ledger.h"
#include "core/session/session.h"
#include "core/settings/title_file.h"

namespace velmora {

// The records of every book whose title is title: those the title list finds.
int CountRecordsTitled(const Ledger& ledger, const std::string& title);
// Those records take the title to; returns how many changed.
int RenameRecordsTitled(Ledger& ledger, const std::string& from, const std::string& to);

// The dialog on the title file of the session's use type, counting the session's records.
TitleMaster OpenTitleMaster(const Session& session, TitleMasterMode mode, Dialogs& dialogs);

// "更　新": for every renamed title that records carry, a question whether they take the new
// name; then the title file, the description files of the slots whose titles moved, and
// the records (the current book recomputed, the account filter following its title). A
// file that cannot be read or written is reported; when the title file could not be written
// nothing has changed and the dialog stays open (false).
bool UpdateTitles(Session& session, TitleMaster& master);

}  // namespace velmora
