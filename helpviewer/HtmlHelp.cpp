#include "helpviewer/HtmlHelp.h"

#include "helpviewer/HelpWindow.h"
#include "helpviewer/ViewerSession.h"

#include <QFile>
#include <QString>

#define PEXORHELP_EXPORT __attribute__((visibility("default")))

namespace pexor {

namespace {

constexpr unsigned int DisplayTopicCommand = 0;
constexpr unsigned int CloseAllCommand = 18;

void *Run(const QString &file, unsigned int command) {
    // Nothing may escape into the calling program, which knows no C++.
    try {
        switch (command) {
        case DisplayTopicCommand:
            return static_cast<QWidget *>(ViewerSession::Instance().DisplayTopic(file));
        case CloseAllCommand:
            ViewerSession::Instance().CloseAll();
            return nullptr;
        default:
            return nullptr;
        }
    } catch (...) {
        return nullptr;
    }
}

} // namespace

} // namespace pexor

extern "C" PEXORHELP_EXPORT void *HtmlHelpA(void *, const char *file, unsigned int command,
                                            std::uintptr_t) {
    return pexor::Run(file ? QFile::decodeName(file) : QString(), command);
}

extern "C" PEXORHELP_EXPORT void *HtmlHelpW(void *, const char16_t *file, unsigned int command,
                                            std::uintptr_t) {
    return pexor::Run(file ? QString::fromUtf16(file) : QString(), command);
}
