#include "section/sectiondrag.h"

#include <QPainter>

namespace vantor {

QImage sectionSource(QSize screen) {
    QImage source(screen, QImage::Format_RGB32);
    source.fill(SectionKeyColor);
    QPainter(&source).fillRect(QRect(QPoint(100, 100), QPoint(200, 200)), Qt::black);
    return source;
}

QPoint draggedSectionPlace(QPoint cursor, QPoint grab) {
    return cursor - grab;
}

} // namespace vantor
