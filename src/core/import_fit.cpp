#include "core/import_fit.h"

#include <algorithm>

#include "core/limits.h"
#include "core/text.h"

namespace mapimport {

LeftOut fitToLimits(std::vector<ImportedArea>& areas, int existing) {
    LeftOut left;
    const auto tooLong = [](const ImportedArea& a) {
        return a.link.size() > limits::kMaxTextBytes || a.tip.size() > limits::kMaxTextBytes;
    };
    const auto from = std::remove_if(areas.begin(), areas.end(), tooLong);
    left.longTexts = static_cast<int>(areas.end() - from);
    areas.erase(from, areas.end());
    const long long room = std::max(0, limits::kMaxHotspots - existing);
    if (static_cast<long long>(areas.size()) > room) {
        left.overLimit = static_cast<int>(static_cast<long long>(areas.size()) - room);
        areas.resize(static_cast<size_t>(room));
    }
    return left;
}

std::string leftOutNote(const LeftOut& left) {
    std::string note;
    if (left.longTexts > 0)
        note += "；有 " + text::number(left.longTexts) + " 个区域的链接或提示超过 " +
                text::number(static_cast<long long>(limits::kMaxTextBytes / 1024)) +
                " KB，没有导入";
    if (left.overLimit > 0)
        note += "；热点最多 " + text::number(limits::kMaxHotspots) + " 个，其余 " +
                text::number(left.overLimit) + " 个没有导入";
    return note;
}

}  // namespace mapimport
