#include "platform/Exceptions.h"

namespace pexor {

QString ErrorBoxText(const QString &message) {
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

} // namespace pexor
