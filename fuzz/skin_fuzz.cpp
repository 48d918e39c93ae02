// The skin pictures are read from a folder a user may replace, through Qt's picture decoders.
#include "core/skin.h"
#include "scratchfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The skin's own names, so that Qt tries the decoder of the suffix first, as for a real skin.
    const bool gif = size >= 3 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F';
    const QString name = gif ? QStringLiteral("h_back.gif") : QStringLiteral("h_grid.bmp");
    vantor::fuzz::writeScratch(vantor::fuzz::scratchFolder() + QLatin1Char('/') + name, data, size);
    vantor::loadSkinPictureFrom(vantor::fuzz::scratchFolder(), name, [] { return QImage(); });
    return 0;
}
