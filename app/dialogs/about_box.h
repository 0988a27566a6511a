#pragma once
// Help, About: the product, its version and the program's name, with an OK button.

#include <QDialog>

namespace app {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 298;
    static constexpr int ClientHeight = 213;

    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace app
