#include "desktop/DesktopBackend.h"

namespace qhost {

std::unique_ptr<DesktopBackend> CreateDesktopBackend(QObject *) {
    return nullptr;
}

} // namespace qhost
