#pragma once
// "Export Graph Image": the size of the image, in pixels (points for an SVG drawing),
// before the file is chosen.

#include <QDialog>
#include <QSize>

class QSpinBox;

namespace platform {
class Help;
}

namespace app {

class TExportImageDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 38;

    explicit TExportImageDlg(platform::Help& help, QWidget* parent = nullptr);
    QSize ImageSize() const;
    void SetImageSize(QSize size);

private:
    QSpinBox* ImageWidth = nullptr;
    QSpinBox* ImageHeight = nullptr;
};

}  // namespace app
