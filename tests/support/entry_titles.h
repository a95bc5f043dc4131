#pragma once
// The entry form's title picked as a click in the title list picks it; a title the test's
// working folder does not list joins the list first, as the title master would add it.
#include <string>

#include "core/entry/entry_form.h"

namespace velmora::testing {

inline void PickListedTitle(Session& session, EntryForm& form, const std::string& title) {
    if (PickTitle(session, form, title)) return;
    form.titleList.push_back(title);
    PickTitle(session, form, title);
}

}  // namespace velmora::testing
