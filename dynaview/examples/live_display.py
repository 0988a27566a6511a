#!/usr/bin/env python3
"""dynaview from Python through ctypes: a data set with a history, alarm limits, alarm
lines, marks and text on a graph, values pushed in, the alarm procedure's calls printed
and the page saved as a PNG.

    python3 live_display.py [path/to/libdynaview.so] [picture.png]
"""
import ctypes
import math
import os
import sys

library = sys.argv[1] if len(sys.argv) > 1 else os.environ.get("DYNAVIEW_LIBRARY", "libdynaview.so")
picture = sys.argv[2] if len(sys.argv) > 2 else "live_display.png"
dv = ctypes.CDLL(library)

# The signatures this script uses (every function returns int unless set otherwise).
P, D, I = ctypes.c_void_p, ctypes.c_double, ctypes.c_int
dv.dvCreateEnvironment.restype = P
dv.dvCreateEnvironment.argtypes = [ctypes.c_char_p]
dv.dvCreateHostWindow.restype = P
dv.dvCreateHostWindow.argtypes = [P, ctypes.c_char_p, I, I]
dv.dvDestroyEnvironment.argtypes = [P]
dv.InitRTDll.argtypes = [P]
dv.RTCleanup.argtypes = [P]
dv.dvCreatePage.argtypes = [P, P, ctypes.c_char_p]
dv.dvCreateGraph.argtypes = [P, I, D, D, D, D]
dv.dvSetPlotArea.argtypes = [P, I, D, D, D, D]
dv.dvScalePlotArea.argtypes = [P, I, D, D, D, D]
dv.dvDrawXAxis.argtypes = dv.dvDrawYAxis.argtypes = [P, I, D, I, I]
dv.dvLabelAxis.argtypes = [P, I, I, I]
dv.dvProcessEvents.argtypes = [P, I]
dv.dvRenderPage.argtypes = [P, I, ctypes.c_char_p, I, I]
dv.dvLastError.argtypes = [P, ctypes.c_char_p, I]
dv.WRDefineDynDataSet.argtypes = [ctypes.c_char_p, I, ctypes.c_char_p, ctypes.c_char_p, I]
dv.WRSetAlarm.argtypes = [I, I, D, ctypes.c_char_p]
dv.WRUpdateData.argtypes = [I, ctypes.POINTER(D), I]
dv.WRGetHistData.argtypes = [I, I, ctypes.POINTER(D), I, I]
dv.WRSetAlarmLines.argtypes = [I, I, I, I, P, P, P, P]
dv.WRSetAlarmMarks.argtypes = [I, I, I, I, I, P, I, P, ctypes.c_char_p]
dv.WRSetAlarmText.argtypes = [I, I, I, D, D, D, D, I, I, I, I, ctypes.c_char_p, P, I, I]
ALARM_PROC = ctypes.CFUNCTYPE(None, I, I, I, D, I)
dv.WRSetAlarmProc.argtypes = [ALARM_PROC]

calls = []


def on_alarm(data_set, channel, kind, value, state):
    calls.append((kind, state))
    print(f"data set {data_set} channel {channel}: alarm {kind} {'entered' if state else 'left'} at {value:.1f}")


alarm_proc = ALARM_PROC(on_alarm)  # kept alive while dynaview may call it

env = dv.dvCreateEnvironment(b"Python")
host = dv.dvCreateHostWindow(env, b"Python", 640, 400)
dv.InitRTDll(env)
level = dv.WRDefineDynDataSet(b"Level", 1, b"m", None, 100)
dv.WRSetAlarmProc(alarm_proc)
dv.WRSetAlarm(level, 1, 8.0, b"Overflow risk")
dv.WRSetAlarm(level, 2, 2.0, b"Pump dry")

page = dv.dvCreatePage(env, host, b"Tank")
graph = dv.dvCreateGraph(env, page, 0.0, 0.0, 1.0, 1.0)
dv.dvSetPlotArea(env, graph, 0.1, 0.1, 0.9, 0.85)
dv.dvScalePlotArea(env, graph, 0.0, 0.0, 100.0, 10.0)
dv.dvLabelAxis(env, graph, dv.dvDrawXAxis(env, graph, 20.0, 1, 0), 0)
axis = dv.dvDrawYAxis(env, graph, 2.0, 1, 1)
dv.dvLabelAxis(env, graph, axis, 0)
dv.WRSetAlarmLines(graph, level, 0, 1, None, None, None, None)
dv.WRSetAlarmMarks(graph, level, axis, 0, 8, None, 1, None, None)
dv.WRSetAlarmText(graph, level, 0, 35.0, 2.0, 30.0, 8.0, 0, 1, 7, 0, b"Level OK", None, 1, 0)

for step in range(30):
    value = D(5.0 + 4.5 * math.sin(step / 3.0))
    dv.WRUpdateData(level, ctypes.byref(value), 0)
dv.dvProcessEvents(env, 50)

history = (D * 5)()
got = dv.WRGetHistData(level, 0, history, 5, 5)
print("last five samples:", ", ".join(f"{history[i]:.2f}" for i in range(got)))
if not dv.dvRenderPage(env, page, picture.encode(), 640, 400):
    text = ctypes.create_string_buffer(128)
    sys.exit(f"rendering failed: error {dv.dvLastError(env, text, 128)} {text.value.decode()}")
print("page saved to", picture)

dv.KillRTPage(page)
dv.RTCleanup(env)
dv.dvDestroyEnvironment(env)
sys.exit(0 if (1, 1) in calls and (2, 1) in calls else 1)
