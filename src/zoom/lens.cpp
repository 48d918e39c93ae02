#include "zoom/lens.h"

namespace vantor {

QList<int> zoomFactors() {
    QList<int> factors;
    for (int factor = 2; factor <= 20; factor += 2)
        factors.append(factor);
    return factors;
}

QRect lensSource(QPoint cursor) {
    return QRect(cursor.x() - LensSize / 2, cursor.y() - LensSize / 2, LensSize, LensSize);
}

QImage magnified(const QImage& source, int factor) {
    return source.scaled(source.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace vantor
