#include "panels/newsectionpanel.h"

#include "panels/frmFrame.h"

namespace vantor {

void NewSectionPanel() {
    auto* panel = new frmFrame; // deletes itself when it unloads
    panel->ShowFrame();
}

} // namespace vantor
