// The mouse and keyboard in the graph window: a click selects the object under the pointer,
// a double click opens its editor; from the keyboard, Space selects the next object, Enter
// opens the editor and Escape drops the selection.

#include "graph/tdr_gfx.h"

#include "plotbase/plotbase.h"

namespace graph {

using namespace plotbase;

void TDRGFX::graphProcedure(int g, const WindowMessage& message) {
    switch (message.kind) {
    case WindowMessage::MousePress:
        if (message.button == 1) ObjFind(env_, g);
        break;
    case WindowMessage::MouseDoubleClick:
        if (message.button == 1 && ObjFind(env_, g) != 0) editSelectedObject(g);
        break;
    case WindowMessage::KeyPress:
        if (message.key == Qt::Key_Space) {
            HighlightObj(env_, g, WGSelectNextObject(env_, g));
        } else if (message.key == Qt::Key_Return || message.key == Qt::Key_Enter) {
            if (WGGetSelObject(env_, g) != 0) editSelectedObject(g);
        } else if (message.key == Qt::Key_Escape) {
            HighlightObj(env_, g, 0);
        }
        break;
    default:
        break;
    }
}

void TDRGFX::editSelectedObject(int g) {
    HighlightObj(env_, g, WGGetSelObject(env_, g));
    QWidget* graphWindow = WGGetGraphWindow(env_, g);
    QWidget* pageWindow = WGGetPageWindow(env_, handles_.page);
    // The editor is modal; the graph stays still under it.
    if (graphWindow) graphWindow->setEnabled(false);
    if (pageWindow) pageWindow->setEnabled(false);
    DefEditObject(env_, g);
    if (pageWindow) pageWindow->setEnabled(true);
    if (graphWindow) graphWindow->setEnabled(true);
    if (WGIsGraphDescValid(env_, g)) HighlightObj(env_, g, 0);
}

}  // namespace graph
