#pragma once

#include "controls/ComboEdit.h"

namespace pexor {

// When the date field commits a reading. A pick in the calendar commits at
// once. A change from the keyboard (typing, numeric + and -, T, Esc) waits
// for Enter, so that a date edited in place commits once, at the date the
// user confirms, and not at every valid date along the way.
class DateCommitRule {
public:
    // Whether this change of the field commits now. The field's own writes
    // (its first fill, a format change) never do.
    bool CommitsOnChange(TChangeOrigin origin);
    // Whether Enter commits: the date shown has changed from the keyboard
    // since the last commit, or the last commit failed, or nothing has been
    // committed yet. A second Enter after a commit does nothing, since a
    // commit with an empty TP erases that row's TP.
    bool CommitsOnEnter() const { return pending_; }
    // The outcome of a commit the rule asked for.
    void Committed(bool succeeded) { pending_ = !succeeded; }

private:
    bool pending_ = true;
};

} // namespace pexor
