#include "help/HtmlHelpBinding.h"

#include "platform/Registry.h"

#include <QFileInfo>

namespace pexor {

namespace {

HtmlHelpBindingState &State() {
    static HtmlHelpBindingState state;
    return state;
}

bool &AutoLoad() {
    static bool autoLoad = true;
    return autoLoad;
}

std::optional<QString> &PathOverride() {
    static std::optional<QString> path;
    return path;
}

} // namespace

const HtmlHelpBindingState &HtmlHelpBinding() {
    return State();
}

bool HelpViewerAutoLoad() {
    return AutoLoad();
}

void SetHelpViewerAutoLoad(bool value) {
    AutoLoad() = value;
}

void SetHelpViewerPathOverride(std::optional<QString> path) {
    PathOverride() = std::move(path);
}

QString HelpViewerPath() {
    const QString path =
        PathOverride() ? *PathOverride() : Registry().HelpViewerLibrary().value_or(QString());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    return path;
}

void HelpViewerLoad() {
    HtmlHelpBindingState &state = State();
    if (state.Library != nullptr)
        return;
    const QString path = HelpViewerPath();
    if (path.isEmpty())
        return;
    const LibraryHandle library = LoadLibrary(path);
    if (library == nullptr)
        return;
    state.Library = library;
    state.HtmlHelpA = reinterpret_cast<THtmlHelpA>(GetProcAddress(library, "HtmlHelpA"));
    state.HtmlHelpW = reinterpret_cast<THtmlHelpW>(GetProcAddress(library, "HtmlHelpW"));
    state.HtmlHelp = reinterpret_cast<THtmlHelpA>(GetProcAddress(library, "HtmlHelpA"));
}

void HelpViewerUnload() {
    HtmlHelpBindingState &state = State();
    if (state.Library == nullptr)
        return;
    FreeLibrary(state.Library);
    state = HtmlHelpBindingState{};
}

void *HtmlHelp(void *owner, const char *file, unsigned int command, std::uintptr_t data) {
    const THtmlHelpA entry = State().HtmlHelp;
    if (entry == nullptr)
        return nullptr;
    return entry(owner, file, command, data);
}

void *HelpDisplayTopic(void *owner, const QString &file) {
    const QByteArray name = file.toUtf8();
    return HtmlHelp(owner, name.constData(), HH_DISPLAY_TOPIC, 0);
}

void HelpCloseAll() {
    HtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

} // namespace pexor
