#pragma once

#include <QObject>
#include <QTimer>

class QScreen;

namespace vantor {

// Keeps the program's windows within reach while monitors come, go or change their layout:
// what no monitor shows any more moves onto the nearest one, guides span the new desktop and the
// toolbar goes to the monitor it now belongs to. A burst of changes, as one unplugging brings,
// is answered once, after the last of them.
class MonitorWatch final : public QObject {
public:
    explicit MonitorWatch(QObject* parent);

private:
    void watch(QScreen* screen);

    QTimer m_settled;
};

} // namespace vantor
