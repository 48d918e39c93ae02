#pragma once

#include <QDialog>

class QLabel;

namespace vantor {

// The about box: the program's picture with its version and a link to its web site. A click
// anywhere else, a double click or Escape closes it; a click on the link opens the site in the
// browser and closes it. Shown modal from the tray menu.
class frmAbout final : public QDialog {
    Q_OBJECT
public:
    frmAbout();

    QLabel& versionLabel() { return *LabelInfoVersion; }
    QLabel& link() { return *Image1; }

    void Image1_Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();

    QLabel* LabelInfoVersion = nullptr;
    QLabel* Image1 = nullptr;
};

// Opens an address with the desktop's handler for it (the browser for a web address). Addresses
// without a scheme are taken as web addresses; an empty one does nothing.
void OpenUrl(const QString& address);

} // namespace vantor
