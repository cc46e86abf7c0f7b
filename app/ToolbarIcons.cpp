#include "app/ToolbarIcons.h"

#include <QString>
#include <array>

// Resources of a static library are registered by hand, outside any namespace.
static void InitPexorResources() { Q_INIT_RESOURCE(Pexor); }

namespace pexor {

namespace {

struct ToolbarImage {
    const char *ThemeName;
    const char *Fallback;
};

constexpr std::array<ToolbarImage, kToolbarImageCount> kImages{{
    {"document-new", "new"},
    {"document-print", "print"},
    {"zoom-in", "zoom-in"},
    {"zoom-out", "zoom-out"},
    {"zoom-original", "zoom-original"},
    {"go-previous", "go-previous"},
    {"go-down", "go-down"},
    {"go-up", "go-up"},
    {"go-next", "go-next"},
    {"help-contents", "help"},
    {"application-exit", "exit"},
}};

void EnsureResources() {
    static const bool registered = [] {
        InitPexorResources();
        return true;
    }();
    (void)registered;
}

} // namespace

QIcon ToolbarFallbackIcon(int index) {
    EnsureResources();
    if (index < 0 || index >= kToolbarImageCount)
        return {};
    return QIcon(QStringLiteral(":/pexor/resources/toolbar/%1.png")
                     .arg(QLatin1String(kImages[std::size_t(index)].Fallback)));
}

QIcon ToolbarIcon(int index) {
    if (index < 0 || index >= kToolbarImageCount)
        return {};
    return QIcon::fromTheme(QLatin1String(kImages[std::size_t(index)].ThemeName),
                            ToolbarFallbackIcon(index));
}

QIcon ProgramIcon() {
    EnsureResources();
    return QIcon(QStringLiteral(":/pexor/resources/pexor.png"));
}

} // namespace pexor
