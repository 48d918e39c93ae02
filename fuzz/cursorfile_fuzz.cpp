// The painter's cursors come from the skin folder, which a user may fill with any file.
#include "painter/cursorfile.h"
#include "scratchfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = vantor::fuzz::scratchFolder() + QStringLiteral("/matita.cur");
    vantor::fuzz::writeScratch(path, data, size);
    // The painter sets the cursor without checking it again: what the reader promises must hold.
    if (const auto cursor = vantor::readCursorFile(path))
        if (!cursor->image.rect().contains(cursor->hotSpot) || !cursor->image.hasAlphaChannel())
            std::abort();
    return 0;
}
