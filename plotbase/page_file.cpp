#include "plotbase/page_file.h"

#include "plotbase/byte_stream.h"
#include "plotbase/graph_access.h"
#include "plotbase/operations_setup.h"
#include "platform/profile_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace plotbase {

namespace {

constexpr std::string_view Magic = "PBPAGE";
constexpr std::uint16_t FormatVersion = 1;
constexpr std::uintmax_t MaxFileSize = 256u * 1024u * 1024u;

enum SlotKind : std::uint8_t { EmptySlot = 0, OwnObject = 1, ForeignRecord = 2 };

// Holds a free slot's place while a table is restored.
struct ReservedSlot final : GraphObject {
    ReservedSlot() : GraphObject(0, 0) { visible = false; }
};

// --- writing ---

void writeRect(ByteWriter& w, const NormRect& r) {
    w.f64(r.left);
    w.f64(r.top);
    w.f64(r.right);
    w.f64(r.bottom);
}

void writeAttributes(ByteWriter& w, const DrawingAttributes& a) {
    for (std::int32_t v : {a.pattern, a.width, a.colour, a.text.angle, a.text.family, a.text.size, a.text.style}) w.i32(v);
}

void writeBody(ByteWriter& w, const GraphObject& object) {
    switch (object.type) {
    case DataSetType: {
        const auto& set = static_cast<const DataSet&>(object);
        w.text(set.name);
        const auto n = static_cast<std::size_t>(set.count);
        const bool whole = set.x && set.y && set.x->size() >= n && set.y->size() >= n;
        w.i32(whole ? set.count : 0);
        if (!whole) break;
        for (std::size_t i = 0; i < n; ++i) w.f64((*set.x)[i]);
        for (std::size_t i = 0; i < n; ++i) w.f64((*set.y)[i]);
        break;
    }
    case AxisType: {
        const auto& axis = static_cast<const Axis&>(object);
        for (double v : {axis.min, axis.max, axis.intercept, axis.tickSpacing}) w.f64(v);
        w.i32(axis.tickCount);
        w.i32(axis.side);
        break;
    }
    case AxisLabelsType: w.i32(static_cast<const AxisLabels&>(object).decimals); break;
    case GridType: w.i32(static_cast<const Grid&>(object).kind); break;
    case LinePlotType: w.i32(static_cast<const LinePlot&>(object).dataSet); break;
    case AxisTitleType:
        w.text(static_cast<const AxisTitle&>(object).text);
        w.i32(static_cast<const AxisTitle&>(object).side);
        break;
    case DataCursorType: {
        const auto& cursor = static_cast<const DataCursor&>(object);
        w.f64(cursor.x);
        w.f64(cursor.y);
        w.u8(cursor.placed ? 1 : 0);
        break;
    }
    case TextType: {
        const auto& text = static_cast<const TextObject&>(object);
        w.text(text.text);
        w.f64(text.x);
        w.f64(text.y);
        w.i32(text.align);
        w.i32(text.flags);
        break;
    }
    default: break;
    }
}

void writeSlot(ByteWriter& w, Environment& env, const Graph& graph, const GraphObject* object) {
    if (!object || object->type == 0) {
        w.u8(EmptySlot);
        return;
    }
    if (object->type >= FirstForeignType) {
        ByteWriter record;
        // A library's object without a saved form is left out: its slot stays free.
        if (env.foreignObjects.save && env.foreignObjects.save(record, env, graph.handle, *object)) {
            w.u8(ForeignRecord);
            w.i16(object->type);
            w.text(record.data());
        } else {
            w.u8(EmptySlot);
        }
        return;
    }
    w.u8(OwnObject);
    w.i16(object->type);
    w.i16(object->subtype);
    w.u16(object->links[0]);
    w.u16(object->links[1]);
    writeAttributes(w, object->attributes);
    w.u8(object->visible ? 1 : 0);
    writeBody(w, *object);
}

// Free slots at the end of the table are not written: a restored table has none there (its
// last slot holds an object), so a page saved again gives the same bytes. Slots an object
// links to are written whatever they hold, so every link stays in range.
void writeObjectTable(ByteWriter& w, Environment& env, const Graph& graph) {
    std::vector<std::string> slotBytes;
    std::size_t written = 0;
    for (int i = 1; i <= graph.objects.size(); ++i) {
        ByteWriter slot;
        const GraphObject* object = graph.objects.at(i);
        writeSlot(slot, env, graph, object);
        if (slot.data() != std::string(1, static_cast<char>(EmptySlot))) written = slotBytes.size() + 1;
        if (object && object->type > 0 && object->type < FirstForeignType)
            written = std::max<std::size_t>({written, object->links[0], object->links[1]});
        slotBytes.push_back(slot.data());
    }
    written = std::min(written, slotBytes.size());
    w.u16(static_cast<std::uint16_t>(written));
    for (std::size_t i = 0; i < written; ++i) w.bytes(slotBytes[i]);
}

// --- reading ---

bool validRect(const NormRect& r) {
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) && std::isfinite(r.bottom) &&
           r.left >= 0 && r.top >= 0 && r.right <= 1 && r.bottom <= 1 && r.left < r.right && r.top < r.bottom;
}

NormRect readRect(ByteReader& r) {
    NormRect rect;
    rect.left = r.f64();
    rect.top = r.f64();
    rect.right = r.f64();
    rect.bottom = r.f64();
    return rect;
}

std::optional<DrawingAttributes> readAttributes(ByteReader& r) {
    DrawingAttributes a;
    a.pattern = r.i32();
    a.width = r.i32();
    a.colour = r.i32();
    a.text.angle = r.i32();
    a.text.family = r.i32();
    a.text.size = r.i32();
    a.text.style = r.i32();
    if (a.pattern < SolidLine || a.pattern > NoLine || a.width < 0 || a.width > 50 || !isPaletteIndex(a.colour) ||
        a.text.size < 1 || a.text.size > 200 || a.text.angle <= -3600 || a.text.angle >= 3600)
        return std::nullopt;
    return a;
}

class PageParser {
public:
    explicit PageParser(std::string_view bytes) : r_(bytes) {}

    std::optional<SavedPage> parse(std::string& error) {
        if (r_.bytes(Magic.size()) != Magic) return fail(error, "not a page file");
        const std::uint16_t version = r_.u16();
        if (!r_.ok()) return fail(error, "the file ends early");
        if (version != FormatVersion) return fail(error, "unknown page file version");
        SavedPage page;
        page.name = r_.text(255);
        page.title = r_.text(255);
        page.options = r_.i32();
        page.lastGraphSlot = r_.i32();
        page.textSize = r_.i32();
        const std::uint16_t graphs = r_.u16();
        if (!r_.ok() || page.lastGraphSlot < 0 || page.lastGraphSlot >= GraphSlots || page.textSize < 1 ||
            page.textSize > 200 || graphs > page.lastGraphSlot + 1)
            return fail(error, "damaged page record");
        for (int i = 0; i < graphs; ++i) {
            auto graph = parseGraph();
            if (!graph) return fail(error, what_);
            page.graphs.push_back(std::move(*graph));
        }
        if (!r_.ok()) return fail(error, "the file ends early");
        if (r_.remaining() != 0) return fail(error, "unexpected bytes after the page");
        return page;
    }

private:
    std::nullopt_t fail(std::string& error, const std::string& why) {
        error = why;
        return std::nullopt;
    }
    std::nullopt_t damaged(const char* what) {
        what_ = what;
        return std::nullopt;
    }

    std::optional<SavedGraph> parseGraph() {
        SavedGraph g;
        g.area = readRect(r_);
        g.borderColour = r_.i32();
        g.borderWidth = r_.i32();
        g.options = r_.i32();
        g.plotArea = readRect(r_);
        g.plotAreaFlags = r_.i32();
        const auto frame = readAttributes(r_);
        g.xmin = r_.f64();
        g.ymin = r_.f64();
        g.xmax = r_.f64();
        g.ymax = r_.f64();
        g.interceptX = r_.f64();
        g.interceptY = r_.f64();
        const auto current = readAttributes(r_);
        g.gridsBehind = r_.u8() != 0;
        const std::uint16_t slotCount = r_.u16();
        if (!r_.ok()) return damaged("the file ends early");
        if (!validRect(g.area) || !validRect(g.plotArea) || !frame || !current || g.borderWidth < 0 || g.borderWidth > 50 ||
            !(g.xmax > g.xmin) || !(g.ymax > g.ymin) || !std::isfinite(g.xmax - g.xmin) || !std::isfinite(g.ymax - g.ymin) ||
            !std::isfinite(g.interceptX) || !std::isfinite(g.interceptY))
            return damaged("damaged graph record");
        g.plotFrame = *frame;
        g.current = *current;
        for (int i = 0; i < slotCount; ++i) {
            auto slot = parseSlot();
            if (!slot) return std::nullopt;
            g.objects.push_back(std::move(*slot));
        }
        g.currentXAxis = r_.i32();
        g.currentYAxis = r_.i32();
        if (!r_.ok()) return damaged("the file ends early");
        if (!references(g, g.currentXAxis, AxisType) || !references(g, g.currentYAxis, AxisType))
            return damaged("damaged graph record");
        for (const SavedObject& slot : g.objects) {
            if (!slot.object) continue;
            const GraphObject& o = *slot.object;
            if (o.links[0] > slotCount || o.links[1] > slotCount) return damaged("damaged object link");
            if (o.type == LinePlotType && !references(g, static_cast<const LinePlot&>(o).dataSet, DataSetType))
                return damaged("damaged object link");
        }
        return g;
    }

    // Whether index is 0 or a slot holding a plotbase object of the type.
    static bool references(const SavedGraph& g, int index, std::int16_t type) {
        if (index == 0) return true;
        if (index < 0 || index > static_cast<int>(g.objects.size())) return false;
        const auto& object = g.objects[static_cast<std::size_t>(index) - 1].object;
        return object && object->type == type;
    }

    std::optional<SavedObject> parseSlot() {
        SavedObject slot;
        const std::uint8_t kind = r_.u8();
        if (kind == EmptySlot) return slot;
        if (kind == ForeignRecord) {
            slot.foreignType = r_.i16();
            slot.foreignRecord = r_.text(16u * 1024u * 1024u);
            if (!r_.ok()) return damaged("the file ends early");
            if (slot.foreignType < FirstForeignType) return damaged("damaged object record");
            return slot;
        }
        if (kind != OwnObject) return damaged("damaged object record");
        const std::int16_t type = r_.i16();
        const std::int16_t subtype = r_.i16();
        const std::uint16_t link0 = r_.u16();
        const std::uint16_t link1 = r_.u16();
        const auto attributes = readAttributes(r_);
        const bool visible = r_.u8() != 0;
        if (!r_.ok()) return damaged("the file ends early");
        if (!attributes) return damaged("damaged object record");
        std::unique_ptr<GraphObject> object = parseBody(type, subtype);
        if (!object) return std::nullopt;
        object->links = {link0, link1};
        object->attributes = *attributes;
        object->visible = visible;
        slot.object = std::move(object);
        return slot;
    }

    std::unique_ptr<GraphObject> parseBody(std::int16_t type, std::int16_t subtype) {
        auto bad = [this](const char* what) {
            what_ = r_.ok() ? what : "the file ends early";
            return nullptr;
        };
        switch (type) {
        case DataSetType: {
            auto set = std::make_unique<DataSet>();
            set->name = r_.text(255);
            const std::int32_t n = r_.i32();
            if (!r_.ok() || n < 0 || static_cast<std::size_t>(n) > r_.remaining() / 16) return bad("damaged data set");
            set->count = n;
            set->x = AllocateBlock(n);
            set->y = AllocateBlock(n);
            for (auto& v : *set->x) v = r_.f64();
            for (auto& v : *set->y) v = r_.f64();
            if (!r_.ok()) return bad("damaged data set");
            return set;
        }
        case AxisType: {
            auto axis = std::make_unique<Axis>(subtype);
            axis->min = r_.f64();
            axis->max = r_.f64();
            axis->intercept = r_.f64();
            axis->tickSpacing = r_.f64();
            axis->tickCount = r_.i32();
            axis->side = r_.i32();
            if (!r_.ok() || !(axis->max > axis->min) || !std::isfinite(axis->max - axis->min) || !std::isfinite(axis->intercept) ||
                !(axis->tickSpacing > 0) || !std::isfinite(axis->tickSpacing) || axis->tickCount < 0 || axis->tickCount > 100 ||
                (axis->side != 0 && axis->side != 1))
                return bad("damaged axis");
            return axis;
        }
        case AxisLabelsType: {
            auto labels = std::make_unique<AxisLabels>();
            labels->decimals = r_.i32();
            if (!r_.ok() || labels->decimals < -1 || labels->decimals > 15) return bad("damaged axis labels");
            return labels;
        }
        case GridType: {
            auto grid = std::make_unique<Grid>();
            grid->kind = r_.i32();
            if (!r_.ok() || (grid->kind != 0 && grid->kind != 1)) return bad("damaged grid");
            return grid;
        }
        case LinePlotType: {
            auto plot = std::make_unique<LinePlot>();
            plot->dataSet = r_.i32();
            if (!r_.ok()) return bad("damaged line plot");
            return plot;
        }
        case AxisTitleType: {
            auto title = std::make_unique<AxisTitle>();
            title->text = r_.text();
            title->side = r_.i32();
            if (!r_.ok() || (title->side != 0 && title->side != 1)) return bad("damaged axis title");
            return title;
        }
        case DataCursorType: {
            auto cursor = std::make_unique<DataCursor>();
            cursor->x = r_.f64();
            cursor->y = r_.f64();
            cursor->placed = r_.u8() != 0;
            if (!r_.ok() || !std::isfinite(cursor->x) || !std::isfinite(cursor->y)) return bad("damaged data cursor");
            return cursor;
        }
        case TextType: {
            auto text = std::make_unique<TextObject>();
            text->text = r_.text();
            text->x = r_.f64();
            text->y = r_.f64();
            text->align = r_.i32();
            text->flags = r_.i32();
            if (!r_.ok() || !std::isfinite(text->x) || !std::isfinite(text->y)) return bad("damaged text");
            return text;
        }
        default:
            return bad("unknown object type");
        }
    }

    ByteReader r_;
    std::string what_;
};

// Creates the graph's objects so that every object keeps its index: plotbase's own first
// (a library's object may refer to an axis in a later slot), then the libraries' records
// in slot order, each into its own slot while the others are held.
void restoreObjects(Environment& env, Graph& graph, std::vector<SavedObject>& objects) {
    std::vector<int> reserved;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SavedObject& slot = objects[i];
        if (slot.object) {
            slot.object->page = graph.page;
            detail::addObject(env, graph, std::move(slot.object));
        } else {
            detail::addObject(env, graph, std::make_unique<ReservedSlot>());
            reserved.push_back(static_cast<int>(i) + 1);
        }
    }
    for (int index : reserved) {
        const SavedObject& slot = objects[static_cast<std::size_t>(index) - 1];
        if (slot.foreignType == 0 || !env.foreignObjects.restore) continue;
        detail::removeObject(env, graph, index);
        ByteReader record(slot.foreignRecord);
        const int placed = env.foreignObjects.restore(record, env, graph.handle, slot.foreignType);
        if (placed == index) continue;
        // A record nobody could re-create: keep its place.
        if (placed != 0) detail::removeObject(env, graph, placed);
        if (!graph.objects.at(index)) detail::addObject(env, graph, std::make_unique<ReservedSlot>());
    }
    for (int index : reserved) {
        GraphObject* object = graph.objects.at(index);
        if (object && object->type == 0) detail::removeObject(env, graph, index);
    }
}

// Every library's record must be sound before anything is created.
bool checkForeignRecords(const Environment& env, const SavedPage& page, std::string& why) {
    if (!env.foreignObjects.check) return true;
    for (const SavedGraph& graph : page.graphs)
        for (const SavedObject& slot : graph.objects)
            if (slot.foreignType != 0 && !env.foreignObjects.check(slot.foreignType, slot.foreignRecord, graph, why)) return false;
    return true;
}

}  // namespace

std::optional<std::string> SerializePage(Environment& env, int number) {
    const Page* page = env.page(number);
    if (!page) return std::nullopt;
    ByteWriter w;
    w.bytes(Magic);
    w.u16(FormatVersion);
    w.text(page->name);
    w.text(page->title);
    w.i32(page->options);
    w.i32(page->lastGraphSlot);
    w.i32(page->textSize);
    std::vector<const Graph*> graphs;
    for (const auto& graph : page->graphs)
        if (graph) graphs.push_back(graph.get());
    w.u16(static_cast<std::uint16_t>(graphs.size()));
    for (const Graph* graph : graphs) {
        writeRect(w, graph->area);
        w.i32(graph->borderColour);
        w.i32(graph->borderWidth);
        w.i32(graph->options);
        writeRect(w, graph->plotArea);
        w.i32(graph->plotAreaFlags);
        writeAttributes(w, graph->plotFrame);
        for (double v : {graph->xmin, graph->ymin, graph->xmax, graph->ymax, graph->interceptX, graph->interceptY}) w.f64(v);
        writeAttributes(w, graph->current);
        w.u8(graph->gridsBehind ? 1 : 0);
        writeObjectTable(w, env, *graph);
        w.i32(graph->currentXAxis);
        w.i32(graph->currentYAxis);
    }
    return w.data();
}

std::optional<SavedPage> ParsePageFile(std::string_view bytes, std::string& error) { return PageParser(bytes).parse(error); }

int WGSavePage(Environment& env, int page, const std::filesystem::path& path) {
    const auto bytes = SerializePage(env, page);
    if (!bytes) {
        ReportError(env, InvalidPage, MessageOnly);
        return 0;
    }
    std::string error;
    if (!platform::writeFileAtomically(path, *bytes, error)) {
        ReportError(env, PageFileWrite, TextAfter, ": " + path.string() + " (" + error + ")");
        return 0;
    }
    return 1;
}

int WGRestorePage(Environment& env, const std::filesystem::path& path, QWidget* host) {
    auto refuse = [&](const std::string& why) {
        ReportError(env, PageFileRead, TextAfter, ": " + path.string() + " (" + why + ")");
        return 0;
    };
    std::error_code code;
    const auto size = std::filesystem::file_size(path, code);
    if (code) return refuse(code.message());
    if (size > MaxFileSize) return refuse("too large");
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) return refuse("cannot read it");
    std::string error;
    auto saved = ParsePageFile(bytes, error);
    if (!saved) return refuse(error);
    if (!checkForeignRecords(env, *saved, error)) return refuse(error);

    const int page = InitPage(env, saved->name, host, saved->title, saved->options, saved->lastGraphSlot, saved->textSize,
                              ChildWindow | VisibleWindow, {}, nullptr);
    if (!page) return 0;
    for (SavedGraph& s : saved->graphs) {
        const int handle = InitGraph(env, page, s.area.left, s.area.top, s.area.right, s.area.bottom, s.borderColour,
                                     s.borderWidth, s.options, nullptr);
        Graph* graph = env.graph(handle);
        if (!graph) {
            KillGraphPage(env, page);
            return 0;
        }
        graph->plotArea = s.plotArea;
        graph->plotAreaFlags = s.plotAreaFlags;
        graph->plotFrame = s.plotFrame;
        graph->xmin = s.xmin;
        graph->ymin = s.ymin;
        graph->xmax = s.xmax;
        graph->ymax = s.ymax;
        graph->interceptX = s.interceptX;
        graph->interceptY = s.interceptY;
        graph->gridsBehind = s.gridsBehind;
        // Objects are created with the drawing attributes and axes the graph had when it was
        // saved (the axes are back before any library's object, see restoreObjects).
        graph->current = s.current;
        graph->currentXAxis = s.currentXAxis;
        graph->currentYAxis = s.currentYAxis;
        restoreObjects(env, *graph, s.objects);
        graph->current = s.current;
        graph->currentXAxis = s.currentXAxis;
        graph->currentYAxis = s.currentYAxis;
        graph->currentObject = 0;
    }
    ResizePage(env, page);
    return page;
}

}  // namespace plotbase
