#include "shell/monitorpace.h"

namespace vantor {

bool MonitorPace::changed() {
    if (m_ticking) {
        m_changedSinceLook = true;
        return false;
    }
    m_ticking = true;
    return true;
}

bool MonitorPace::afterLook(bool goingOn) {
    m_ticking = !m_told || goingOn || m_changedSinceLook;
    m_changedSinceLook = false;
    return m_ticking;
}

} // namespace vantor
