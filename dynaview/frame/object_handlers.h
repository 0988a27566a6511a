#pragma once
// What plotbase calls for dynaview's objects: their paint, the after-draw hook (alarm
// marks beside their axis), the two hit tests of picking, the rescale hook, and what the
// families add (the page-file handlers).

namespace plotbase {
class Environment;
}

namespace dynaview {

void InstallObjectHandlers(plotbase::Environment& env);
// Rescales the dynamic objects linked to the axis (object 0: every one of them). 1 done,
// 0 when refused (error 135, the old range put back) or there was nothing to do.
int RescaleObjects(plotbase::Environment& env, int graph, int axis, int object);

}  // namespace dynaview
