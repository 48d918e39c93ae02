#include "core/appstate.h"

namespace vantor {

AppState& appState() {
    static AppState state;
    return state;
}

} // namespace vantor
