#pragma once
// Drawing graphs (into their windows, into images and onto printers), finding objects under
// the pointer, highlighting them and editing them.

#include "plotbase/environment.h"
#include "plotbase/foreign_objects.h"
#include "plotbase/scaling.h"

#include <QRectF>

#include <functional>
#include <optional>

class QImage;
class QPainter;
class QPrinter;

namespace plotbase {

// Paints the graph into the rectangle. Printing leaves out the highlight.
void ObjectInterpreter(Environment& env, int graph, QPainter& painter, const QRectF& target, bool printing = false);
// Paints the page with its graphs laid out over the whole image. Returns 1, or 0 for no
// such page.
int RenderPage(Environment& env, int page, QImage& image);

// Draws part of an object straight into the picture the graph window shows and repaints
// only the rectangle the drawing returns (window device coordinates): for objects that
// change a little at a time (a new trace segment, a needle, a value). The context is the
// object's (its scaling from the axes it is linked to). Returns false, drawing nothing,
// while the window has no current picture (hidden, not painted yet, or a full repaint
// pending, which draws every object from its state anyway).
bool WGDrawInWindow(Environment& env, int graph, int object, const std::function<QRectF(QPainter&, const DrawContext&)>& draw);
// Whether the graph window shows a current picture that WGDrawInWindow can draw into.
bool WGWindowPictureCurrent(const Environment& env, int graph);

// Where the graph lies on a page drawn width x height device units large.
std::optional<DeviceRect> WGGetGraphRect(const Environment& env, int graph, double pageWidth, double pageHeight);

// The world-to-device scaling of the graph's plot area over its window (or over `graphRect`
// when given, e.g. for an image).
std::optional<Scaling> WGGetScaling(const Environment& env, int graph);
std::optional<Scaling> WGGetScaling(const Environment& env, int graph, const DeviceRect& graphRect);

// The object under the last pointer position the graph window handed over; it becomes the
// graph's selected object. Returns its index, 0 for none.
int ObjFind(Environment& env, int graph);
// Highlights an object (0: none) until the highlight is changed.
int HighlightObj(Environment& env, int graph, int object);
int WGGetSelObject(const Environment& env, int graph);
// Makes an object the selected one (0: none), as a click on it would.
int WGSelectObject(Environment& env, int graph, int object);
// Selects the next object that can be edited after the selected one (keyboard use);
// returns its index, 0 for none.
int WGSelectNextObject(Environment& env, int graph);
// Opens the editor for the graph's selected object, modal over the graph window. Returns
// 1 when changes were applied, 2 when cancelled, 0 when nothing is selected.
int DefEditObject(Environment& env, int graph);

// Prints the graph on one landscape page. Without a printer the print dialog asks for one
// (cancelling it returns 0 and reports nothing). Returns 1 on success.
int WGPrintGraph(Environment& env, int graph, QPrinter* printer = nullptr);

}  // namespace plotbase
