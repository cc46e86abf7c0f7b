#pragma once

#include <cstdint>

// The viewer's entry points, with C linkage so the program can look them up
// by name after loading the library.
//
// owner:   the calling program's window; not used (help windows stand alone).
// file:    the help file; a bare name is looked up beside the program, then
//          in <prefix>/share/pexor; "name.chm::/page.htm" opens that page.
// command: 0 shows the file's default topic in a window (the same window
//          again for the same file, brought to the front) and answers that
//          window (its QWidget*); 18 closes every window the library opened
//          and answers null; any other command answers null.
// data:    not used by these commands.
//
// The library draws with the program's Qt: call it on the GUI thread of a
// running QApplication. Without one, every command answers null.
extern "C" {
// file in the locale's 8-bit encoding (UTF-8 on a usual system).
void *HtmlHelpA(void *owner, const char *file, unsigned int command, std::uintptr_t data);
// file in UTF-16 (char16_t), NUL-terminated.
void *HtmlHelpW(void *owner, const char16_t *file, unsigned int command, std::uintptr_t data);
}
