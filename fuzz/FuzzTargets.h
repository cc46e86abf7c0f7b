#pragma once

#include <QByteArray>
#include <string>
#include <string_view>
#include <vector>

namespace pexor::fuzz {

// What a check found wrong with one input, in a sentence; empty when every
// property held. Crashes, leaks and undefined behaviour are the sanitizers'
// to find.
using Finding = std::string;

struct FuzzTarget {
    // Its executable is fuzz_<Name>; its seeds are in fuzz/corpus/<Name>,
    // the inputs it ever failed on in fuzz/crashes/<Name>.
    const char *Name;
    Finding (*Check)(const QByteArray &input);
};

const std::vector<FuzzTarget> &FuzzTargets();
const FuzzTarget *FindFuzzTarget(std::string_view name);

// The target's check on one input; an exception that leaves it is a
// finding too.
Finding RunFuzzTarget(const FuzzTarget &target, const QByteArray &input);

// The profile document: "section NUL key NUL value NUL" then the file (the
// whole input is the file when it holds fewer than three NULs).
Finding CheckProfileDocument(const QByteArray &input);
// The readings file: the input is the file.
Finding CheckReadingsFile(const QByteArray &input);
// Date parsing and formatting: a locale byte, "format NUL text NUL", then
// the value to format.
Finding CheckDates(const QByteArray &input);
// Whole-number conversion: a byte choosing UTF-8 or UTF-16, then the text.
Finding CheckParseInteger(const QByteArray &input);
// Number formatting: a locale byte, the value, then the pattern.
Finding CheckFormatFloat(const QByteArray &input);

} // namespace pexor::fuzz
