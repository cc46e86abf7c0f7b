#include "fuzz/FuzzTargets.h"

#include <exception>

namespace pexor::fuzz {

const std::vector<FuzzTarget> &FuzzTargets() {
    static const std::vector<FuzzTarget> targets{
        {"profile", CheckProfileDocument}, {"readings", CheckReadingsFile}, {"dates", CheckDates},
        {"integer", CheckParseInteger},    {"float", CheckFormatFloat},
    };
    return targets;
}

const FuzzTarget *FindFuzzTarget(std::string_view name) {
    for (const FuzzTarget &target : FuzzTargets())
        if (name == target.Name)
            return &target;
    return nullptr;
}

Finding RunFuzzTarget(const FuzzTarget &target, const QByteArray &input) {
    try {
        return target.Check(input);
    } catch (const std::exception &e) {
        return std::string("exception: ") + e.what();
    } catch (...) {
        return "exception of no known kind";
    }
}

} // namespace pexor::fuzz
