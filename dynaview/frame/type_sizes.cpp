#include "dynaview/frame/type_sizes.h"

namespace dynaview {

int DynTypeSize(int type) {
    switch (type) {
    case AlarmLinesType: return 348;
    case AlarmMarksType: return 448;
    case DynamicGridType: return 72;
    case ScrollGraphType: return 1050;
    case XYGraphType: return 1050;
    case TimeLabelsType: return 224;
    case BarGraphType: return 756;
    case TextType: return 242;
    case MessageType: return 579;
    case AnnunciatorType: return 526;
    case MeterType: return 543;
    case ControlType: return 254;
    default: return 0;
    }
}

}  // namespace dynaview
