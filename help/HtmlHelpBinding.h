#pragma once

#include "platform/DynamicLibrary.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace pexor {

// Commands of the help viewer the program sends.
inline constexpr unsigned int HH_DISPLAY_TOPIC = 0; // show the file's default topic
inline constexpr unsigned int HH_CLOSE_ALL = 18;    // close every help window opened

// The viewer's entry points: (owner window, file name or none, command,
// command data) -> window handle. "HtmlHelpA" takes 8-bit (UTF-8) text,
// "HtmlHelpW" UTF-16 text.
using THtmlHelpA = void *(*)(void *owner, const char *file, unsigned int command,
                             std::uintptr_t data);
using THtmlHelpW = void *(*)(void *owner, const char16_t *file, unsigned int command,
                             std::uintptr_t data);

// The binding, one per process: the viewer library and its entry points.
// HtmlHelp is the slot the program calls; it is bound to "HtmlHelpA".
struct HtmlHelpBindingState {
    LibraryHandle Library = nullptr;
    THtmlHelpA HtmlHelpA = nullptr;
    THtmlHelpW HtmlHelpW = nullptr;
    THtmlHelpA HtmlHelp = nullptr;
};

// The process's binding state.
const HtmlHelpBindingState &HtmlHelpBinding();

// Whether start-up loads the viewer; on by default.
bool HelpViewerAutoLoad();
void SetHelpViewerAutoLoad(bool value);

// The viewer library's path as the registry gives it; empty when it is not
// registered or no file exists there.
QString HelpViewerPath();
// Replaces the registry's answer (tests, or a viewer elsewhere); nullopt
// goes back to the registry.
void SetHelpViewerPathOverride(std::optional<QString> path);

// Loads the viewer and fills the three slots, unless a library is already
// loaded. Any failure leaves the binding without a viewer, silently; a
// missing export leaves its slot empty.
void HelpViewerLoad();
// Frees the viewer and empties the handle and the three slots.
void HelpViewerUnload();

// Calls the HtmlHelp slot; does nothing and answers null when it is empty.
void *HtmlHelp(void *owner, const char *file, unsigned int command, std::uintptr_t data);
// Shows a help file's default topic (file without a directory: the viewer
// finds it). Answers the viewer's window, or null when there is no viewer or
// it could not show the file.
void *HelpDisplayTopic(void *owner, const QString &file);
// Closes every help window; skipped when there is no viewer.
void HelpCloseAll();

} // namespace pexor
