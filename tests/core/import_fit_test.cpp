// Imported code keeps within what a work may hold, and says what it left out.
#include "core/import_fit.h"

#include <gtest/gtest.h>

#include "core/limits.h"

using namespace mapimport;

TEST(ImportFit, TakesAtMostTheLimitAndSaysWhatItLeftOut) {
    const ImportedArea plain{0, 0, 10, 10, "http://a/", "t"};
    ImportedArea longLink = plain, longTip = plain, justFits = plain;
    longLink.link.assign(limits::kMaxTextBytes + 1, 'x');
    longTip.tip = std::string(limits::kMaxTextBytes - 2, 'y') + "提";  // 65537 bytes
    justFits.link.assign(limits::kMaxTextBytes, 'z');

    struct Case {
        const char* what;
        std::vector<ImportedArea> areas;
        int existing;
        size_t kept;
        std::string note;
    };
    const Case cases[] = {
        {"one over the limit", std::vector<ImportedArea>(limits::kMaxHotspots + 1, plain), 0, 20000,
         "；热点最多 20000 个，其余 1 个没有导入"},
        {"exactly the limit", std::vector<ImportedArea>(limits::kMaxHotspots, plain), 0, 20000, ""},
        {"beside hotspots already there", std::vector<ImportedArea>(5, plain),
         limits::kMaxHotspots - 3, 3, "；热点最多 20000 个，其余 2 个没有导入"},
        {"a full work", std::vector<ImportedArea>(2, plain), limits::kMaxHotspots, 0,
         "；热点最多 20000 个，其余 2 个没有导入"},
        {"texts over and at the limit",
         {plain, longLink, justFits, longTip},
         0,
         2,
         "；有 2 个区域的链接或提示超过 64 KB，没有导入"},
        {"both",
         {longLink, plain, plain},
         limits::kMaxHotspots - 1,
         1,
         "；有 1 个区域的链接或提示超过 64 KB，没有导入；热点最多 20000 个，其余 1 个没有导入"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ImportedArea> areas = c.areas;
        const LeftOut left = fitToLimits(areas, c.existing);
        EXPECT_EQ(areas.size(), c.kept);
        EXPECT_EQ(leftOutNote(left), c.note);
        for (const ImportedArea& a : areas) {
            EXPECT_LE(a.link.size(), limits::kMaxTextBytes);
            EXPECT_LE(a.tip.size(), limits::kMaxTextBytes);
        }
    }
}
