#include "app/DateCommitRule.h"

namespace pexor {

bool DateCommitRule::CommitsOnChange(TChangeOrigin origin) {
    switch (origin) {
    case TChangeOrigin::Pick:
        return true;
    case TChangeOrigin::Program:
        return false;
    case TChangeOrigin::Typing:
    case TChangeOrigin::Revert:
    case TChangeOrigin::Step:
    case TChangeOrigin::Today:
        break;
    }
    pending_ = true;
    return false;
}

} // namespace pexor
