#pragma once
// The window shown while the program loads: no border, centred, a silver panel with the
// waveform picture and "WAVIX410 Loading...".

#include <QWidget>

namespace app {

class TSplashForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 276;
    static constexpr int ClientHeight = 183;
    static constexpr int PictureWidth = 193;
    static constexpr int PictureHeight = 113;

    explicit TSplashForm(QWidget* parent = nullptr);

    // Shows the window and paints it at once, before anything else loads.
    void ShowAndPaint();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace app
