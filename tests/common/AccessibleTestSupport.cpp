#include "tests/common/AccessibleTestSupport.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace pexor::test {

void SetAccessibilityActive(bool active) {
    // The platform's switch, as Qt's own accessibility tests use it.
    QPlatformIntegration *platform = QGuiApplicationPrivate::platformIntegration();
    if (QPlatformAccessibility *accessibility = platform ? platform->accessibility() : nullptr)
        accessibility->setActive(active);
}

} // namespace pexor::test
