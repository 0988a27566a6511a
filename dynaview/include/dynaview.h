/*
 * dynaview: real-time graphics objects in plotbase's pages and graphs.
 *
 * A flat C interface, usable from C, C++ and, through ctypes, from Python. Every function
 * runs on the thread that created the environment (the user-interface thread); a call from
 * any other thread is refused (result 0) without touching anything.
 *
 * Naming:  an environment is a DVEnvironment* (plotbase's environment); a page is its
 * number 1..60; a graph is plotbase's graph handle (an int); an object is its graph and its
 * 1-based index in the graph's object table; a data set is its index 1..199.
 *
 * Arguments: every index, count and pointer is checked and a bad one is refused through
 * the error scheme (see dynaview/README.md for the numbers), never with undefined
 * behaviour. Strings come in as const char* and are never written; where a length is
 * limited, dynaview's own copy is cut. Arrays are read or written only within the length
 * each function states. Values are double here and single precision inside.
 */
#ifndef DYNAVIEW_H
#define DYNAVIEW_H

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__)
#define DV_API __attribute__((visibility("default")))
#else
#define DV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------------------
 * Types and numbers
 * ------------------------------------------------------------------------------------- */

typedef struct DVEnvironment DVEnvironment; /* plotbase's environment record */
typedef void* DVWindow;                     /* a window (a page's host, a graph window) */

/* The application's alarm procedure: state 1 when the channel enters the alarm of `kind`,
 * 0 when it leaves it. */
typedef void (*DVAlarmProc)(int dataSet, int channel, int kind, double value, int state);
/* The application's data-link procedure: sees every link event after dynaview. */
typedef intptr_t (*DVDdeProc)(unsigned type, unsigned format, uintptr_t conversation, uintptr_t string1,
                              uintptr_t string2, uintptr_t data, uintptr_t data1, uintptr_t data2);
/* What an edit dialog works on: an object (graph and index), a data set, or a PID loop. */
typedef struct DVDialogParam {
    int graph;
    int object;
    int dataSet;
    int loop;
} DVDialogParam;
/* A dialog procedure: runs its dialog modally over `owner` (may be NULL). Result 1 OK,
 * 2 cancelled, 0 refused. */
typedef int (*DVDialogProc)(const char* templateName, DVWindow owner, const DVDialogParam* param);
/* Called by the application's own timer (dvStartTimer). */
typedef void (*DVTimerProc)(void* user);
/* Called for every mouse and key message of a graph window (message: DV_MSG_...; button 1
 * left, 2 right, 4 middle; x, y in the window's pixels; key: the Qt key code), and when
 * the user works a control placed in the graph (DV_MSG_CONTROL: button is the control's
 * object index, x its new value, y the item of a button group, key 0). */
typedef void (*DVGraphProc)(int graph, int message, int button, double x, double y, int key, void* user);

enum {
    DV_MSG_PRESS = 0,
    DV_MSG_RELEASE = 1,
    DV_MSG_DOUBLE_CLICK = 2,
    DV_MSG_MOVE = 3,
    DV_MSG_KEY = 4,
    DV_MSG_CONTROL = 5
};

/* Controls: button styles (WRSetButtonControl), button group styles (WRSetButtonGroup, a
 * sum of the flags), and the default colour of a button. */
enum {
    DV_BUTTON_PUSH = 0,    /* reports each click */
    DV_BUTTON_TOGGLE = 1,  /* each click switches it on or off */
    DV_BUTTON_LATCH = 2    /* a click latches it down until ButtonDelayEnd */
};
enum {
    DV_GROUP_VERTICAL = 1, /* items one above the other (else side by side) */
    DV_GROUP_RADIO = 2     /* round radio buttons (else push buttons) */
};
enum { DV_DEFAULT_COLOUR = -1 };

/* Alarm kinds (WRSetAlarm and the alarm procedure). */
enum {
    DV_ALARM_NORMAL = 0,
    DV_ALARM_HIGH = 1,
    DV_ALARM_LOW = 2,
    DV_ALARM_HIGH_HIGH = 3,
    DV_ALARM_LOW_LOW = 4,
    DV_ALARM_RATE = 5,
    DV_ALARM_DEVIATION = 6,
    DV_ALARM_FAIL = 7
};

/* Object type codes (WRGetDynTypeSize). */
enum {
    DV_TYPE_ALARM_LINES = 100,
    DV_TYPE_ALARM_MARKS = 101,
    DV_TYPE_DYNAMIC_GRID = 102,
    DV_TYPE_SCROLL_GRAPH = 103,
    DV_TYPE_XY_GRAPH = 104,
    DV_TYPE_TIME_LABELS = 105,
    DV_TYPE_BAR_GRAPH = 106,
    DV_TYPE_TEXT = 107,
    DV_TYPE_MESSAGE = 108,
    DV_TYPE_ANNUNCIATOR = 109,
    DV_TYPE_METER = 110,
    DV_TYPE_CONTROL = 111
};

/* Error numbers (dvLastError). Below 100 they are plotbase's. */
enum {
    DV_ERR_INVALID_ARGUMENT = 18,
    DV_ERR_WRONG_OBJECT_TYPE = 29,
    DV_ERR_INVALID_RECORD = 30,
    DV_ERR_NO_SUCH_GRAPH = 32,
    DV_ERR_NO_MEMORY = 53,
    DV_ERR_NO_SUCH_AXIS = 54,
    DV_ERR_NO_SUCH_DATA_SET = 55,
    DV_ERR_NO_SUCH_OBJECT = 56,
    DV_ERR_DDE_FIRST = 100, /* 100..117: data-link errors */
    DV_ERR_TOO_MANY_CONVERSATIONS = 118,
    DV_ERR_TOO_MANY_ITEMS = 119,
    DV_ERR_NO_FREE_TIMERS = 133,
    DV_ERR_NO_HISTORY = 134,
    DV_ERR_RANGE_TOO_LARGE = 135,
    DV_ERR_GRAPH_TOO_SMALL = 136,
    DV_ERR_NOT_BUILT = 137, /* no longer reported: every family is built */
    DV_ERR_NO_FREE_DATA_SET = 138,
    DV_ERR_OLD_PLOTBASE = 149
};

/* ---------------------------------------------------------------------------------------
 * Our own helpers for C and Python programs. They are not part of the classic
 * export list: they stand in for what a program would otherwise do with plotbase and Qt
 * directly: make an environment with its platform services, a host window, pages and
 * graphs, and run the event loop.
 * ------------------------------------------------------------------------------------- */

/* The library's version as "major.minor". */
DV_API const char* dvVersion(void);
/* An environment with the platform's services (message boxes titled `title`, the system's
 * clock and number format); creates the Qt application object when there is none. */
DV_API DVEnvironment* dvCreateEnvironment(const char* title);
/* Deletes its pages and releases everything made for it. Returns 1, 0 for an unknown one. */
DV_API int dvDestroyEnvironment(DVEnvironment* env);
/* A top-level window to hold a page, shown at once. */
DV_API DVWindow dvCreateHostWindow(DVEnvironment* env, const char* title, int width, int height);
/* A page filling the host window. Returns its number 1..60, or 0. */
DV_API int dvCreatePage(DVEnvironment* env, DVWindow host, const char* name);
/* A graph on (x1, y1)-(x2, y2) of the page (normalised 0..1, y downwards). Returns its handle. */
DV_API int dvCreateGraph(DVEnvironment* env, int page, double x1, double y1, double x2, double y2);
/* Building a graph (plotbase's operations): plot area (normalised in the graph, framed),
 * world scale, line style (pattern 0 solid .. 5 none, width in pixels, colour 0..15), text
 * parameters, axes with major tick spacing, minor ticks and side (0 below/right, 1
 * above/left), labels (-1 decimals: automatic), titles, grids (kind 0 major, 1 minor) and
 * texts. Each returns the new object's index (1 for a setting), or 0. */
DV_API int dvSetPlotArea(DVEnvironment* env, int graph, double x1, double y1, double x2, double y2);
DV_API int dvScalePlotArea(DVEnvironment* env, int graph, double xmin, double ymin, double xmax, double ymax);
DV_API int dvSetLineStyle(DVEnvironment* env, int graph, int pattern, int width, int colour);
DV_API int dvSetTextParams(DVEnvironment* env, int graph, int angle, int family, int size, int style);
DV_API int dvDrawXAxis(DVEnvironment* env, int graph, double spacing, int minorTicks, int side);
DV_API int dvDrawYAxis(DVEnvironment* env, int graph, double spacing, int minorTicks, int side);
DV_API int dvLabelAxis(DVEnvironment* env, int graph, int axis, int decimals);
DV_API int dvTitleAxis(DVEnvironment* env, int graph, int axis, int side, const char* text);
DV_API int dvDrawGrid(DVEnvironment* env, int graph, int axis, int kind);
DV_API int dvTextNorm(DVEnvironment* env, int graph, const char* text, double x, double y, int align);
/* The window of a graph (for rtObjFind and rtDefEditObject). */
DV_API DVWindow dvGraphWindow(DVEnvironment* env, int graph);
/* The procedure that receives the graph windows' mouse and key messages (NULL: none). */
DV_API int dvSetGraphProc(DVEnvironment* env, DVGraphProc proc, void* user);
/* A periodic timer of the application on the event loop. Returns its id (> 0), or 0. */
DV_API int dvStartTimer(DVEnvironment* env, int periodMs, DVTimerProc proc, void* user);
DV_API int dvStopTimer(DVEnvironment* env, int id);
/* Runs the event loop until the host window is closed, or for `milliseconds` when > 0. */
DV_API int dvRunEventLoop(DVEnvironment* env, DVWindow host, int milliseconds);
/* Processes pending events (repaints, timers) for up to `milliseconds`, then returns. */
DV_API int dvProcessEvents(DVEnvironment* env, int milliseconds);
/* Paints a page into a PNG file of the given size. Returns 1, or 0. */
DV_API int dvRenderPage(DVEnvironment* env, int page, const char* pngPath, int width, int height);
/* Writes a page with its graphs and objects to a page file (replaced whole or not at all).
 * Returns 1, or 0 after reporting. */
DV_API int dvSavePage(DVEnvironment* env, int page, const char* path);
/* Creates the page of a page file in the host window, its dynamic objects bound to the data
 * sets of the same numbers. A damaged file creates nothing. Returns the page's number, or 0
 * after reporting (plotbase error 42 with the reason). */
DV_API int dvOpenPage(DVEnvironment* env, DVWindow host, const char* path);
/* The last error: its number (0: none) and its message, cut to fit `size` bytes. */
DV_API int dvLastError(DVEnvironment* env, char* text, int size);
/* Whether error boxes are shown for non-critical errors (they always are for critical ones). */
DV_API int dvShowErrorMessages(DVEnvironment* env, int on);
/* The stop flag: set when the user answered No to "Would you like to continue ?"; while it
 * is set no dynamic object is created. dvClearStopFlag clears it. */
DV_API int dvStopFlag(DVEnvironment* env);
DV_API int dvClearStopFlag(DVEnvironment* env);
/* The application key stored with each timer entry. */
DV_API int dvSetApplicationKey(DVEnvironment* env, uint32_t key);

/* ---------------------------------------------------------------------------------------
 * Frame
 * ------------------------------------------------------------------------------------- */

/* Makes env the current environment, initialises plotbase on it and, the first time,
 * dynaview's extension (InitRTTop). Returns 1, or 0. */
DV_API int InitRTDll(DVEnvironment* env);
/* Checks plotbase's version (2.50 or later; error 149 otherwise) and creates the extension. */
DV_API int InitRTTop(DVEnvironment* env);
/* Ends the data link, deletes PID loops and data sets, frees the extension. Returns 1, or 0. */
DV_API int RTCleanup(DVEnvironment* env);
/* The one-second update timer (started and stopped by SetObjTimeUpdate as needed). */
DV_API int StartUpdateTimer(void);
DV_API int StopUpdateTimer(void);
/* One tick of the update timer; `time` is the tick count in milliseconds. */
DV_API void UpdateTimerProc(DVWindow window, unsigned int message, uintptr_t id, uint32_t time);
/* Has the object (alarm lines or dynamic grid) updated every `period` seconds (0..65535). */
DV_API int SetObjTimeUpdate(int graph, int object, int period);
DV_API int WRStopObjTimeUpdate(int graph, int object);
/* Calls the object's update procedure now. Returns 1 when it has one and is enabled. */
DV_API int WRUpdateObj(int graph, int object);
DV_API int WRDeleteRTObject(int graph, int object);
DV_API int WRDeleteRTGraph(int graph);
DV_API int KillRTPage(int page);
/* The object under the last pointer position the graph window saw (0: none); it becomes
 * the graph's selected object. */
DV_API int rtObjFind(DVWindow graphWindow);
/* The record size of an object type (100..111), or plotbase's for its own types (0: none). */
DV_API int WRGetDynTypeSize(int type);
/* Called when an axis's range has changed: rescales the dynamic objects linked to it
 * (`object` 0: all of them). */
DV_API int RescaleDynObj(int graph, int axis, int object);
/* Opens the edit dialog of the graph's selected object. 1 applied, 2 cancelled or nothing
 * selected, 0 refused. */
DV_API int rtDefEditObject(DVWindow window, int graph);
/* Runs one of dynaview's dialogs by its template name ("AlarmAttrib", "AlarmLines" ...). */
DV_API int rtDisplayDialogBoxParam(DVDialogProc dialogProc, const char* templateName, DVWindow owner,
                                   const DVDialogParam* param);
/* A dynamic object's record for a page file, written to `file` (a FILE* open for binary
 * writing): 1 when its fixed part was written whole, 0 otherwise and for types without a
 * saved form (nothing is written then). */
DV_API int SaveDynObject(void* file, int graph, int object);
/* Re-creates an object from its record in `file` (a FILE* open for binary reading), called
 * after the caller has read the record's first two fields, its length and type: reads the
 * rest of the fixed part (length - 4 bytes) and its arrays. Returns the new object's index,
 * or 0 (types without a saved form, a damaged record, a refusal of the creator). */
DV_API int RestoreDynObject(void* file, int graph, int type, int length);

/* ---------------------------------------------------------------------------------------
 * Dynamic data sets
 * ------------------------------------------------------------------------------------- */

/* channels 1..32; name cut to 41 characters (NULL or "": "Dynamic Data Set # <index>");
 * units cut to 10; tags NULL or `channels` entries of 16 bytes; historyLength rows kept
 * (0: none). Returns the index 1..199, or 0. */
DV_API int WRDefineDynDataSet(const char* name, int channels, const char* units, const char* tags, int historyLength);
/* Refused (0) while objects are bound to it. */
DV_API int WRFreeDynDataSet(int dataSet);
/* values: `channels` doubles. graph 0: the objects of every graph. */
DV_API int WRUpdateData(int dataSet, const double* values, int graph);
/* values: count rows of `channels` doubles, oldest first. */
DV_API int WRUpdateBlockData(int dataSet, const double* values, int count, int graph);
/* current, previous: `channels` doubles each, either may be NULL. */
DV_API int WRGetLastData(int dataSet, double* current, double* previous);
/* Up to `count` samples of a channel, oldest first, into buffer (room for `count`
 * doubles), starting `back` samples before the newest. Returns how many were written. */
DV_API int WRGetHistData(int dataSet, int channel, double* buffer, int back, int count);
DV_API int WRUpdateBinaryData(int dataSet, uint32_t value, int graph);
DV_API int WRGetBinData(int dataSet);
/* bit 0..15. */
DV_API int WRSetBit(int dataSet, int bit, int on, int graph);
DV_API int WRSetBitExclusive(int dataSet, int bit, int graph);
/* channel -1: all channels. */
DV_API int WRGetMinMaxValues(int dataSet, int channel, double* min, double* max);
DV_API int WRResetHistBuffer(int dataSet);
DV_API int WRReconnectDynDataSet(int graph, int object, int dataSet);

/* ---------------------------------------------------------------------------------------
 * Alarms
 * ------------------------------------------------------------------------------------- */

/* kind 0 sets the Normal message (cut to 11 characters); kinds 1..7 define the limit and
 * its message (cut to 31) and switch alarm checking on. */
DV_API int WRSetAlarm(int dataSet, int kind, double limit, const char* message);
DV_API int WRSetSetpoint(int dataSet, double setpoint);
DV_API int WREnableAlarmCheck(int dataSet, int on);
/* NULL: the default, which does nothing. */
DV_API int WRSetAlarmProc(DVAlarmProc proc);
DV_API int WRSetAlarmHyst(int dataSet, double deadBandHighLow, double deadBandDeviation);
/* Each output may be NULL. *message points into dynaview's copy, valid until the message
 * changes or the data set is freed. */
DV_API int WRGetAlarm(int dataSet, int kind, double* limit, int* defined, const char** message);
/* defined 0 removes the kind (and clears it in every channel without a call). */
DV_API int WRChangeAlarm(int dataSet, int kind, double limit, int defined, const char* message);
/* Lines 0 setpoint, 1 High, 2 Low, 3 High-high, 4 Low-low. enables, patterns, widths,
 * colours: 5 ints each, or NULL for the defaults. direction 1: horizontal lines. */
DV_API int WRSetAlarmLines(int graph, int dataSet, int refreshPeriod, int direction, const int* enables,
                           const int* patterns, const int* widths, const int* colours);
DV_API int WRGetAlarmLineState(int graph, int object, int line);
DV_API int WREnableAlarmLine(int graph, int object, int line, int on);
/* Marks beside an axis object: position 0 inside the plot, 1 outside; markSize in points;
 * enables and colours 5 ints or NULL; names NULL or 5 entries of 12 bytes. */
DV_API int WRSetAlarmMarks(int graph, int dataSet, int axisObject, int position, int markSize, const int* enables,
                           int lineWidth, const int* colours, const char* names);
/* Changes the marks; a NULL array leaves that part as it is, a negative number too. */
DV_API int WRChangeAlarmMarks(int graph, int object, int position, int markSize, const int* enables, int lineWidth,
                              const int* colours, const char* names);
/* enables and colours: room for 5 ints, names for 60 bytes; each may be NULL. */
DV_API int WRGetAlarmMarks(int graph, int object, int* position, int* markSize, int* enables, int* lineWidth,
                           int* colours, char* names);
/* A box (left, top, width, height in percent of the graph) showing the message of the
 * channel's alarm state. borderPattern -1: no border; background -1: transparent; layout
 * 0 centred, 1 left, 2 right; normalMessage NULL keeps the data set's; colours NULL or 8
 * ints for High, Low, High-high, Low-low, Rate, Deviation, Fail, Normal; textStyle
 * bold 1, italic 2, underlined 4; textSize plotbase's text size (0: the graph's). */
DV_API int WRSetAlarmText(int graph, int dataSet, int channel, double left, double top, double width, double height,
                          int borderPattern, int borderWidth, int background, int layout, const char* normalMessage,
                          const int* colours, int textStyle, int textSize);

/* ---------------------------------------------------------------------------------------
 * Scrolling graphs
 * ------------------------------------------------------------------------------------- */

DV_API int WRSetScrollGraph(int graph, int dataSet, double sampleInterval, double relativeReset, int direction,
                            int scrollStyle, const int* patterns, const int* widths, const int* colours);
DV_API int WRSetAutoScrollGraph(int graph, int dataSet, double sampleInterval, double relativeReset, double xStart,
                                double xEnd, double yStart, double yEnd, int style, int grid, double alarmLow,
                                double alarmHigh, int legend, int16_t* results);
DV_API int WRSetAutoScrollGraph2(int graph, int dataSet, double sampleInterval, double relativeReset, double xStart,
                                 double xEnd, double yStart, double yEnd, int style, int grid, double alarmLow,
                                 double alarmHigh, int legend, int16_t* results, int option);
DV_API int WRSetVarScroll(int graph, int dataSet, double relativeReset, int direction, int scrollStyle,
                          const int* patterns, const int* widths, const int* colours);
DV_API int WRResetScroll(int graph, int object);
DV_API int WRShowHist(int graph, int object, double timeBack, double* shownTimeBack);
DV_API int WRResumeScroll(int graph, int object);
DV_API int WRMoveHistScroll(int graph, int object, double deltaTime, double* movedTime);
DV_API int WRSetSweepGraph(int graph, int dataSet, double sampleInterval, int direction, int scrollStyle,
                           int sweepLineColour, const int* patterns, const int* widths, const int* colours);
DV_API int WRSetXYGraph(int graph, int dataSet, int points, const int* patterns, const int* widths, const int* colours);
DV_API int WRSetStackedGraph(int graph, int dataSet, double sampleInterval, double relativeReset, int direction,
                             int scrollStyle, const int* patterns, const int* widths, const int* colours);
DV_API int WRSetLogicGraph(int graph, int dataSet, double sampleInterval, double relativeReset, int direction,
                           int scrollStyle, const int* patterns, const int* widths, const int* colours);
DV_API int WRLogicTags(int graph, int object, const char* tags);
DV_API int WRLogicTagsPtr(int graph, int object, const char* const* tags);
DV_API int WRSetScrollBargraph(int graph, int dataSet, int channel, double sampleInterval, double relativeReset,
                               int direction, double barWidth, int hatchStyle, int colour);
DV_API int WRChangeScrollGraph(int graph, int object, double sampleInterval, double relativeReset, int scrollStyle);
DV_API int WRGetScrollGraphParams(int graph, int object, double* sampleInterval, double* relativeReset, int* scrollStyle);
DV_API int WRAutoRescale(int graph, int object);

/* ---------------------------------------------------------------------------------------
 * Meters
 * ------------------------------------------------------------------------------------- */

DV_API int WRSetMeter(int graph, int dataSet, int channel, double rangeFrom, double rangeTo, double centreX,
                      double centreY, double diameter, int angleFrom, int angleTo, int needleStyle,
                      const int* needleColours, double relativeTickLength, double tickStep, int minorTicks,
                      int tickPosition, int labelPosition, int readout, int readoutPrecision, int drawFlags,
                      double textSizeFactor, const int* fontSizes);
DV_API int WRSetArcMeter(int graph, int dataSet, int channel, double rangeFrom, double rangeTo, double centreValue,
                         double centreX, double centreY, double diameter, int angleFrom, int angleTo, int fillColour,
                         int backgroundColour, double bandWidth, double relativeTickLength, double tickStep,
                         int minorTicks, int tickPosition, int labelPosition, int readout, int readoutPrecision,
                         int drawFlags, double textSizeFactor, const int* fontSizes);
DV_API int WRSetPieMeter(int graph, int dataSet, int channel, double rangeFrom, double rangeTo, double centreValue,
                         double centreX, double centreY, double diameter, int angleFrom, int angleTo, int fillColour,
                         int backgroundColour, double relativeTickLength, double tickStep, int minorTicks,
                         int tickPosition, int labelPosition, int drawFlags, double textSizeFactor,
                         const int* fontSizes);
DV_API int WRSetMeterBorder(int graph, int object, double centreX, double centreY, double width, double height,
                            int faceColour, int borderStyle, int borderColour, int borderWidth);
DV_API int WRChangeMeterRange(int graph, int object, double rangeFrom, double rangeTo, double centreValue, int redraw);
DV_API int WRGetMeterRange(int graph, int object, double* rangeFrom, double* rangeTo, double* centreValue);
DV_API int WRChangeMeterTicks(int graph, int object, double relativeLength, double step, int minorTicks,
                              int labelsOutside, int redraw);
DV_API int WRGetMeterTicks(int graph, int object, double* relativeLength, double* step, int* minorTicks,
                           int* labelsOutside);
DV_API int WRGetMeterCenter(int graph, int object, double* centreX, double* centreY, double* diameter);
DV_API int WRChangeMeterCenter(int graph, int object, double centreX, double centreY, double diameter, int redraw);
DV_API int WRGetMeterAngles(int graph, int object, int* angleFrom, int* angleTo);
DV_API int WRChangeMeterAngles(int graph, int object, int angleFrom, int angleTo, int redraw);
DV_API int MapMeter(int graph, void* painter, int originX, int originY);

/* ---------------------------------------------------------------------------------------
 * Bar graphs
 * ------------------------------------------------------------------------------------- */

DV_API int WRSetBargraph(int graph, int dataSet, double baseValue, int orientationSwitch, double firstPosition,
                         double lastPosition, double barWidth, const int* fillColours, const int* hatchStyles,
                         const int* outlineColours);
DV_API int WRSetAutoBargraph(int graph, int dataSet, double positionStart, double positionEnd, double valueStart,
                             double valueEnd, double baseValue, int orientationSwitch, double barWidth,
                             double alarmLow, double alarmHigh, int legend, int valuePanel, int16_t* results);
DV_API int WRSetAutoBargraph2(int graph, int dataSet, double positionStart, double positionEnd, double valueStart,
                              double valueEnd, double baseValue, int orientationSwitch, double barWidth,
                              double alarmLow, double alarmHigh, int legend, int valuePanel, int16_t* results,
                              int option);

/* ---------------------------------------------------------------------------------------
 * PID loops
 * ------------------------------------------------------------------------------------- */

DV_API int WRDefinePID(int inputSet, int outputSet, const char* name, double setpoint, double gain, double integral,
                       double derivative, double bias, double processHigh, double processLow, double outputRangeA,
                       double outputRangeB, double limitHigh, double limitLow, double rateLimit,
                       double sampleInterval, double filter, int reverse);
DV_API int WRDeletePID(int loop, int freeDataSets);
DV_API int WRCalcPID(int loop, double processValue, double* output);
DV_API int WRChangePIDSetp(int loop, double setpoint);
DV_API int WRGetPIDSetp(int loop, double* setpoint);
DV_API int WRGetPIDAutoState(int loop);
DV_API int WRChangePIDAutoState(int loop, int state);
DV_API int WRChangePIDOut(int loop, double output);
DV_API int WRChangePIDConstants(int loop, double gain, double integral, double derivative);
DV_API int WRGetPIDConstants(int loop, double* gain, double* integral, double* derivative);
DV_API int WRChangePIDSteadyState(int loop, double bias);
DV_API int WREditPIDDlg(int loop);
DV_API int WRSetPIDBargraph(int graph, int loop);
DV_API int WRSetPIDBargraph2(int graph, int loop, int option);

/* ---------------------------------------------------------------------------------------
 * Text objects: messages, dynamic text, annunciators
 * ------------------------------------------------------------------------------------- */

DV_API int WRSetDynText(int graph, int dataSet, int channel, double left, double top, double width, double height,
                        int borderPattern, int borderWidth, const int* colours, int backgroundColour, int layout,
                        int option, int precision, int colourSource, int marginStyle);
DV_API int WRSetAutoText(int graph, int dataSet, double left, double top, double width, double height, int precision,
                         int16_t* results);
DV_API int WRSetAutoText2(int graph, int dataSet, double left, double top, double width, double height, int precision,
                          int16_t* results, int option);
DV_API int WRSetAnnun(int graph, int dataSet, const char* title, double left, double top, double width, double height,
                      int precision);
DV_API int WRSetAnnun2(int graph, int dataSet, const char* title, double left, double top, double width, double height,
                       int precision, int option);
DV_API int WRSetMessage(int graph, int dataSet, int firstBit, double x, double y, int borderPattern, int borderWidth,
                        int backgroundColour, int count, const char* messages, const int* colours);
DV_API int WRGetMessageParams(int graph, int object, const char** text, int* colour, int messageNumber);
DV_API int WRChangeMessage(int graph, int object, const char* text, int colour, int messageNumber);
DV_API int WRGetDynTextColor(int graph, int object, int channel, int* colour);
DV_API int WRChangeDynTextColor(int graph, int object, int channel, int colour);
DV_API int WRGetAnnVal(int graph, int object, int channel);
DV_API int WRGetAnnAlm(int graph, int object, int channel);
DV_API int WRGetAnnUnits(int graph, int object, int channel);
DV_API int WRGetAnnTitle(int graph, int object);
DV_API int WRGetAnnTag(int graph, int object, int channel);

/* ---------------------------------------------------------------------------------------
 * Time axes and labels, dynamic grid, legend
 * ------------------------------------------------------------------------------------- */

DV_API int WRDrawTimeAxis(int graph, double tickSpacing, int minorTicks, int side, double intercept, int direction,
                          int unit);
DV_API int WRLabelTimeAxis(int graph, int axis, int position, int format, int decimals, int hours, int minutes,
                           int seconds, double numericStart, int lastLabelMode, const char* fixedText);
DV_API int WRStartTimeLabelsUpdate(int graph, int labels, int scrollGraph);
DV_API int WRStopTimeLabelsUpdate(int graph, int labels, int scrollGraph);
DV_API int WRUpdateTimeLabels(int graph, int labels, double delta);
DV_API int WRResetTimeLabels(int graph, int labels, double start);
DV_API int WRChangeTimeLabelsFormat(int graph, int labels, int format);
DV_API int WRDynGrid(int graph, int axis, int which, int refreshPeriod);
DV_API int WRDynLegend(int graph, int object, double left, double top, int columns);
DV_API int WRDynLegendPtr(int graph, int object, double left, double top, int columns, const char* const* texts);
DV_API int TextItemCoords(int graph, int object, int item, double* x, double* y);

/* ---------------------------------------------------------------------------------------
 * Controls: Qt widgets in a graph's window (object type 111), placed over a
 * rectangle in the graph's world coordinates (left, top: the top-left corner; width,
 * height > 0) and moved with the graph when its window is resized or it is rescaled. What
 * the user does reaches the graph procedure as DV_MSG_CONTROL (button: the object, x: the
 * new value, y: the item of a group); what the application sets is not reported back.
 * Items of a group are numbered 1..count; item 0 of a button or lamp is the control itself.
 * Colours: 0..15, or DV_DEFAULT_COLOUR.
 * ------------------------------------------------------------------------------------- */

/* vertical 0 or 1; minimum < maximum; position within them. */
DV_API int WRSetScrBarControl(int graph, double left, double top, double width, double height, int vertical,
                              int minimum, int maximum, int position);
DV_API int WRSetScrollPos(int graph, int object, int position);
DV_API int WRGetScrollPos(int graph, int object);
DV_API int WRGetScrBar(int graph, int object, int* minimum, int* maximum, int* position);
DV_API int WRChangeScrBar(int graph, int object, int minimum, int maximum, int position);
/* text cut to 40 characters (NULL: none); style DV_BUTTON_...; colour of its face. */
DV_API int WRSetButtonControl(int graph, const char* text, double left, double top, double width, double height,
                              int style, int colour);
/* count 1..16 exclusive buttons, texts "First|Second|..." (NULL: "1".."count"), style a sum
 * of DV_GROUP_... flags. Starts with item 1 selected. */
DV_API int WRSetButtonGroup(int graph, int count, const char* texts, double left, double top, double width,
                            double height, int style);
/* A round lamp centred on (x, y), `size` its diameter in world x units; off at first. */
DV_API int WRSetLEDControl(int graph, double x, double y, double size, int onColour, int offColour);
/* Button: 1 while on (a push button: while held down). Lamp: 1 while lit. Group: item 0
 * gives the selected item (0: none), an item 1 when it is the selected one. */
DV_API int WRGetButtonState(int graph, int object, int item);
/* Toggle and latching buttons, lamps: state 0 or 1. Group: item 0 takes the item to
 * select (0: none); an item takes 1 (select it) or 0 (clear it if selected). */
DV_API int WRChangeButtonState(int graph, int object, int item, int state);
/* Buttons and groups: their face; lamps: their on colour. */
DV_API int WRChangeButtonColor(int graph, int object, int colour);
DV_API int WRGetButtonColor(int graph, int object);
/* The control's widget (a group: the frame holding its buttons). */
DV_API DVWindow WRGetButtonWindow(int graph, int object);
/* Works a control's window as the user would, reported like the user's action:
 * DV_MSG_CONTROL clicks a button, item wParam of a group, or moves a scroll bar to lParam;
 * DV_MSG_KEY presses and releases the Qt key wParam on it. 1 done, 0 refused or not taken. */
DV_API intptr_t DVChildControlProc(DVWindow window, unsigned int message, uintptr_t wParam, intptr_t lParam);
/* Lets a latched (or toggled) button up, not reported. */
DV_API int ButtonDelayEnd(int graph, int object);

/* ---------------------------------------------------------------------------------------
 * Data link: a data set fed by a server on the session bus (or an MQTT broker for a
 * service "mqtt://host[:port]"). See README.md, "The data link".
 * ------------------------------------------------------------------------------------- */

/* The events the link procedure (WRSetDdeProc) and DdeCallback see, the text format and
 * the acknowledgement DdeCallback answers advise data with. */
enum {
    DV_LINK_ADVDATA = 0x4010,         /* a new text of an advised item (the procedure never sees it) */
    DV_LINK_DISCONNECT = 0x00C2,      /* the server went away: the fed channels are in Fail */
    DV_LINK_CONNECT_CONFIRM = 0x8072, /* a broker connection came back: the Fail is cleared */
    DV_LINK_TEXT = 1,
    DV_LINK_ACK = 0x8000
};

/* The text of a string handle the link procedure got (topic: string1, item: string2), cut
 * to size - 1 characters and NUL-terminated; returns its full length, or -1 for a handle
 * the link did not make. buffer may be NULL (size 0) to ask for the length. */
DV_API int dvLinkQueryString(uintptr_t handle, char* buffer, int size);

DV_API uintptr_t WRInitDde(void);
DV_API int WRSetDdeProc(DVDdeProc proc);
DV_API uintptr_t WRConnectDDE(int dataSet, const char* serverCommandLine, const char* serviceName, const char* topic,
                              const char* item, int autoUpdate);
DV_API intptr_t DdeCallback(unsigned type, unsigned format, uintptr_t conversation, uintptr_t string1,
                            uintptr_t string2, uintptr_t data, uintptr_t data1, uintptr_t data2);

/* ---------------------------------------------------------------------------------------
 * Dialog procedures (DVDialogProc). Built: AlarmLimitDlgProc ("AlarmAttrib", on a data
 * set), AlarmLineDlgProc, AlarmMarksDlgProc, AlarmTextDlgProc. The others: issues 12 and 13.
 * ------------------------------------------------------------------------------------- */

DV_API int TimeAxisDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int AlarmLimitDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int AlarmLineDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int AlarmMarksDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int AlarmTextDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int ScrollGraphDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int ScrollBarDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int DynBarsDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int DynTextDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int MessageDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int MeterBackgndDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int MeterDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int TimeLabelsDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);
DV_API int PIDDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param);

#ifdef __cplusplus
}
#endif

#endif /* DYNAVIEW_H */
