// The About box: version caption, a black-to-blue background, and links to
// the maker's mail address and web site. A click elsewhere or a key closes it.
#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

namespace lum::assistant {

class Informazioni : public QDialog {
    Q_OBJECT
public:
    using Opener = std::function<bool(const QUrl&)>;
    Informazioni(int languageOffset, Opener open, QWidget* parent = nullptr);

    // Text 89 followed by the version as major.minor.revision.
    static QString Caption(int languageOffset, int major, int minor, int revision);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Opener open_;
};

} // namespace lum::assistant
