// A stand-in for the help viewer: every call is appended as one line to the
// file $PEXOR_FAKE_VIEWER_LOG, so a test can see what the program sent, in
// order, even after the library is unloaded.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int windowStandIn = 0;

void Record(const char *entry, void *owner, const std::string &file, unsigned int command,
            std::uintptr_t data) {
    const char *logName = std::getenv("PEXOR_FAKE_VIEWER_LOG");
    if (logName == nullptr)
        return;
    if (FILE *log = std::fopen(logName, "a")) {
        std::fprintf(log, "%s owner=%s file=%s command=%u data=%lu\n", entry,
                     owner ? "set" : "none", file.c_str(), command,
                     static_cast<unsigned long>(data));
        std::fclose(log);
    }
}

void *Answer(unsigned int command) {
    return command == 0 ? &windowStandIn : nullptr;
}

} // namespace

extern "C" {

#ifndef FAKE_VIEWER_WIDE_ONLY
__attribute__((visibility("default"))) void *HtmlHelpA(void *owner, const char *file,
                                                       unsigned int command, std::uintptr_t data) {
    Record("A", owner, file ? file : "(none)", command, data);
    return Answer(command);
}
#endif

__attribute__((visibility("default"))) void *HtmlHelpW(void *owner, const char16_t *file,
                                                       unsigned int command, std::uintptr_t data) {
    std::string narrow = file ? "" : "(none)";
    for (const char16_t *c = file; c && *c; ++c)
        narrow += *c < 0x80 ? static_cast<char>(*c) : '?';
    Record("W", owner, narrow, command, data);
    return Answer(command);
}
}

// Notes the unload, so a test sees close-all come before it.
__attribute__((destructor)) static void RecordUnload() {
    Record("unload", nullptr, "", 0, 0);
}
