#include "guides/newgridline.h"

#include "guides/frmGridLine.h"

namespace vantor {

void NewGridLine(int align, int position) {
    // A guide of any other orientation could be neither drawn nor grabbed: an invisible window
    // nobody can close.
    if (align != 1 && align != 2)
        return;
    auto* guide = new frmGridLine; // deletes itself when it unloads
    guide->ShowGridLine(align, position);
}

} // namespace vantor
