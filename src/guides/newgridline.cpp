#include "guides/newgridline.h"

#include "guides/frmGridLine.h"

namespace vantor {

void NewGridLine(Align align, std::optional<int> position) {
    auto* guide = new frmGridLine; // deletes itself when it unloads
    guide->ShowGridLine(align, position);
}

} // namespace vantor
