/* A live display: a temperature fed at 10 Hz, with alarm lines, marks and text. */
#include <dynaview.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

static int temperature;
static void onAlarm(int set, int channel, int kind, double value, int state) {
    printf("set %d channel %d: alarm %d %s at %.1f\n", set, channel, kind, state ? "on" : "off", value);
}
static void feed(void* step) {
    double value = 50.0 + 45.0 * sin(0.2 * ++*(int*)step);
    WRUpdateData(temperature, &value, 0);
}
int main(int argc, char** argv) {
    int step = 0;
    DVEnvironment* env = dvCreateEnvironment("Tank");
    DVWindow host = dvCreateHostWindow(env, "Tank", 640, 400);
    InitRTDll(env);
    temperature = WRDefineDynDataSet("Temperature", 1, "degC", NULL, 600);
    WRSetAlarmProc(onAlarm);
    WRSetAlarm(temperature, DV_ALARM_HIGH, 80.0, "Too hot");
    WRSetAlarm(temperature, DV_ALARM_LOW, 20.0, "Too cold");
    int page = dvCreatePage(env, host, "Plant"), graph = dvCreateGraph(env, page, 0, 0, 1, 1);
    dvSetPlotArea(env, graph, 0.1, 0.1, 0.9, 0.85);
    dvScalePlotArea(env, graph, 0, 0, 60, 100);
    dvLabelAxis(env, graph, dvDrawXAxis(env, graph, 10, 1, 0), 0);
    int axis = dvDrawYAxis(env, graph, 20, 1, 1);
    dvLabelAxis(env, graph, axis, 0);
    WRSetAlarmLines(graph, temperature, 1, 1, NULL, NULL, NULL, NULL);
    WRSetAlarmMarks(graph, temperature, axis, 0, 8, NULL, 1, NULL, NULL);
    WRSetAlarmText(graph, temperature, 0, 35, 2, 30, 8, 0, 1, -1, 0, "Normal", NULL, 1, 0);
    dvStartTimer(env, 100, feed, &step);
    dvRunEventLoop(env, host, argc > 1 ? atoi(argv[1]) : 0);
    KillRTPage(page);
    RTCleanup(env);
    return dvDestroyEnvironment(env) ? 0 : 1;
}
