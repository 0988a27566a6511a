#pragma once
// World-to-device scaling of a graph's plot area: world x grows to the right, world y
// upwards; device y grows downwards.

namespace plotbase {

struct DeviceRect {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

struct WorldRange {
    double min = 0.0;
    double max = 1.0;
};

class Scaling {
public:
    Scaling(DeviceRect plot, WorldRange x, WorldRange y) : plot_(plot), x_(x), y_(y) {}

    double deviceX(double worldX) const;
    double deviceY(double worldY) const;
    double worldX(double deviceX) const;
    double worldY(double deviceY) const;

    const DeviceRect& plot() const { return plot_; }
    const WorldRange& x() const { return x_; }
    const WorldRange& y() const { return y_; }

private:
    DeviceRect plot_;
    WorldRange x_;
    WorldRange y_;
};

}  // namespace plotbase
