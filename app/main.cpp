#include "app/Version.h"

#include <cstdio>

int main() {
    std::printf("%s\n", pexor::kWindowCaption.toUtf8().constData());
    return 0;
}
