#pragma once
// A page with one data set whose objects go to page files: the records they leave, the
// page they load back as.

#include "dynaview_fixture.h"

#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "plotbase/page_file.h"
#include "tests/support/own_temp_path.h"

#include <fstream>
#include <string>

namespace dynaview::testing {

inline std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

inline std::string u32(std::size_t v) {
    return bytes({static_cast<int>(v & 0xff), static_cast<int>((v >> 8) & 0xff), static_cast<int>((v >> 16) & 0xff),
                  static_cast<int>(v >> 24)});
}

// The page with one record replaced (plotbase's framing kept sound).
inline std::string replaced(const std::string& page, const std::string& record, const std::string& by) {
    std::string result = page;
    const std::string framed = u32(record.size()) + record;
    const std::size_t at = result.find(framed);
    EXPECT_NE(at, std::string::npos);
    return at == std::string::npos ? result : result.replace(at, framed.size(), u32(by.size()) + by);
}

// A dynamic object of a type without a saved form.
struct FakeMeter final : DynObject {
    FakeMeter() : DynObject(MeterType, 1) {}
};

class SavedPages : public DynaviewTest {
protected:
    SavedPages() {
        set = WRDefineDynDataSet("Tank", 1, "degC", nullptr, 0);
        WRSetSetpoint(set, 50.0);
        WRSetAlarm(set, HighAlarm, 80.0, "Hot");
        WRSetAlarm(set, LowAlarm, 20.0, "Cold");
        env.showErrorMessages = false;
    }

    std::string pageBytes(int p) { return plotbase::SerializePage(env, p).value_or(""); }
    // The record a slot of the page's first graph holds ("" when the slot is free).
    std::string recordOf(int index) {
        std::string error;
        const auto saved = plotbase::ParsePageFile(pageBytes(page), error);
        EXPECT_TRUE(saved) << error;
        if (!saved || index > static_cast<int>(saved->graphs[0].objects.size())) return "";
        return saved->graphs[0].objects[static_cast<std::size_t>(index) - 1].foreignRecord;
    }
    void write(const std::string& contents) { std::ofstream(path, std::ios::binary | std::ios::trunc) << contents; }
    int open() { return plotbase::WGRestorePage(env, path, &host); }
    // The page written to its file and opened again: the page it gives (0 when refused),
    // which saves to the same bytes.
    int savedAndOpened() {
        const std::string before = pageBytes(page);
        write(before);
        const int restored = open();
        if (restored) {
            EXPECT_EQ(pageBytes(restored), before);
        }
        return restored;
    }
    int firstGraph(int p) { return env.page(p)->graphs[0]->handle; }
    template <typename T>
    const T* objectAt(int g, int index) { return dynamic_cast<const T*>(plotbase::WGGetObject(env, g, index)); }

    int set = 0;
    std::string path = testsupport::OwnTempPath("saved_page", ".pbp").string();
};

}  // namespace dynaview::testing
