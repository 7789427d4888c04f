// The axis state of a graph window: written by the axes drawing, read by the plot and the
// radian graduation.
#pragma once

namespace graph {

struct AxisState {
    double XMinimo = 0;
    double XMaximo = 0;
    double YMinimo = 0;
    double YMaximo = 0;
    double MargemX = 0;
    double MargemY = 0;
    double UnidadesPorPixelX = 0;
    double UnidadesPorPixelY = 0;
    bool EixoEmRadianos = false;
};

} // namespace graph
