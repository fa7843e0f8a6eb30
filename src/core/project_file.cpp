#include "core/project_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <nlohmann/json.hpp>

#include "core/hotspot_resize.h"
#include "core/text.h"

namespace project {

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

// The project read from a parsed file; false with the message. Never throws.
bool fromJsonValue(const json& j, Project& out, std::string& error);

constexpr const char* kFormatName = "huizhan-hotspots-project";

std::string colourText(PackedColour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
    return buf;
}

bool parseColour(const std::string& s, PackedColour& out) {
    if (s.size() != 7 || s[0] != '#') return false;
    unsigned v = 0;
    for (size_t i = 1; i < 7; ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * 16 + static_cast<unsigned>(d);
    }
    out = packRgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    return true;
}

// Reads the fields of one JSON object, remembering the first problem by its path.
class Reader {
  public:
    explicit Reader(std::string& error) : error_(error) {}
    bool failed() const { return !error_.empty(); }

    const json* field(const json& obj, const char* name, const std::string& path) {
        if (failed()) return nullptr;
        const auto it = obj.find(name);
        if (it == obj.end()) {
            fail("缺少字段“" + join(path, name) + "”");
            return nullptr;
        }
        return &*it;
    }
    const json* object(const json& obj, const char* name, const std::string& path) {
        const json* v = field(obj, name, path);
        if (v && !v->is_object()) return wrongType(join(path, name), "对象");
        return v;
    }
    int integer(const json& obj, const char* name, const std::string& path, long long lo,
                long long hi) {
        const json* v = field(obj, name, path);
        if (!v) return 0;
        if (!v->is_number_integer()) {
            wrongType(join(path, name), "整数");
            return 0;
        }
        const long long n = v->is_number_unsigned() && v->get<unsigned long long>() > 1ULL << 62
                                ? hi + 1
                                : v->get<long long>();
        if (n < lo || n > hi) {
            fail("字段“" + join(path, name) + "”的数值 " + v->dump() + " 超出范围（" +
                 text::number(lo) + " 至 " + text::number(hi) + "）");
            return 0;
        }
        return static_cast<int>(n);
    }
    std::string string(const json& obj, const char* name, const std::string& path) {
        const json* v = field(obj, name, path);
        if (!v) return {};
        if (!v->is_string()) {
            wrongType(join(path, name), "文本");
            return {};
        }
        const std::string& s = v->get_ref<const std::string&>();
        if (s.size() > kMaxTextBytes) {
            fail("字段“" + join(path, name) + "”的文本过长");
            return {};
        }
        return s;
    }
    bool boolean(const json& obj, const char* name, const std::string& path) {
        const json* v = field(obj, name, path);
        if (!v) return false;
        if (!v->is_boolean()) {
            wrongType(join(path, name), "true 或 false");
            return false;
        }
        return v->get<bool>();
    }
    PackedColour colour(const json& obj, const char* name, const std::string& path) {
        const std::string s = string(obj, name, path);
        PackedColour c = 0;
        if (!failed() && !parseColour(s, c)) fail("字段“" + join(path, name) + "”不是 #RRGGBB 形式的颜色");
        return c;
    }
    void fail(const std::string& why) {
        if (!failed()) error_ = why;
    }

  private:
    static std::string join(const std::string& path, const char* name) {
        return path.empty() ? name : path + "." + name;
    }
    const json* wrongType(const std::string& where, const char* wanted) {
        fail("字段“" + where + "”应为" + wanted);
        return nullptr;
    }
    std::string& error_;
};

std::string lineOf(const std::string& text, size_t byte) {
    size_t line = 1;
    for (size_t i = 0; i < byte && i < text.size(); ++i)
        if (text[i] == '\n') ++line;
    return text::number(static_cast<long long>(line));
}

}  // namespace

namespace {
json toJsonValue(const Project& p) {
    json j;
    j["format"] = kFormatName;
    j["version"] = kFormatVersion;
    if (p.hasPicture) {
        const PictureRecord& r = p.picture;
        j["picture"] = {{"source", r.loadMode == 1 ? "network" : "local"},
                        {"path", r.path},
                        {"relativePath", r.relativePath},
                        {"uploadedAddress", r.uploadedAddress},
                        {"width", r.width},
                        {"height", r.height},
                        {"left", r.left},
                        {"top", r.top}};
    } else {
        j["picture"] = nullptr;
    }
    json spots = json::array();
    for (const HotspotRecord& h : p.hotspots)
        spots.push_back({{"x", h.x},
                         {"y", h.y},
                         {"width", h.width},
                         {"height", h.height},
                         {"link", h.link},
                         {"tip", h.tip},
                         {"locked", h.locked}});
    j["hotspots"] = std::move(spots);
    j["colours"] = {{"hotspot", colourText(p.hotspotColour)},
                    {"border", colourText(p.borderColour)},
                    {"background", colourText(p.backgroundColour)}};
    j["transparency"] = p.transparency;
    return j;
}

// Texts come from the widgets as UTF-8; a stray byte must not stop a save.
std::string dumped(const json& j) { return j.dump(2, ' ', false, json::error_handler_t::replace) + "\n"; }
}  // namespace

std::string toJson(const Project& p) { return dumped(toJsonValue(p)); }

std::string limitProblem(const Project& p, std::size_t bytes) {
    if (p.hotspots.size() > static_cast<size_t>(kMaxHotspots))
        return "热点过多（" + text::number(static_cast<long long>(p.hotspots.size())) +
               " 个，最多 " + text::number(kMaxHotspots) + " 个）";
    if (p.hasPicture) {
        const PictureRecord& r = p.picture;
        if (r.path.size() > kMaxTextBytes || r.uploadedAddress.size() > kMaxTextBytes ||
            r.relativePath.size() > kMaxTextBytes)
            return "图片的路径或地址过长";
        if (r.width < 1 || r.width > kMaxSide || r.height < 1 || r.height > kMaxSide)
            return "图片的尺寸超出范围";
        if (std::abs(r.left) > kMaxCoordinate || std::abs(r.top) > kMaxCoordinate)
            return "图片的位置超出范围";
    }
    long long faces = 0;
    for (size_t i = 0; i < p.hotspots.size(); ++i) {
        const HotspotRecord& h = p.hotspots[i];
        const std::string which = "第 " + text::number(static_cast<long long>(i + 1)) + " 个热点";
        if (h.link.size() > kMaxTextBytes || h.tip.size() > kMaxTextBytes)
            return which + "的链接或提示过长（最多 " +
                   text::number(static_cast<long long>(kMaxTextBytes)) + " 字节）";
        if (std::abs(h.x) > kMaxCoordinate || std::abs(h.y) > kMaxCoordinate)
            return which + "的位置超出范围";
        if (h.width < 1 || h.height < 1 || h.width > kMaxHotspotSide ||
            h.height > kMaxHotspotSide ||
            static_cast<long long>(h.width) * h.height > kMaxHotspotPixels)
            return which + "的尺寸超出范围";
        faces += static_cast<long long>(h.width) * h.height;
    }
    if (faces > kMaxAllHotspotPixels) return "热点总面积过大";
    if (p.transparency < 1 || p.transparency > 100) return "透明度超出范围";
    if (bytes > limits::kMaxProjectBytes)
        return "工程文件过大（超过 " +
               text::number(static_cast<long long>(limits::kMaxProjectBytes >> 20)) + " MB）";
    return {};
}

std::string toRecoveryJson(const Project& p, const std::string& projectPath) {
    json j = toJsonValue(p);
    j["recoveryOf"] = projectPath;
    return dumped(j);
}

namespace {

// Walks the text once without building anything, and stops at the first thing a
// project cannot hold: a number beyond a double, nesting deeper than the program
// writes, more hotspots or values than the limits allow. Only then is the
// document built, so its memory stays a small multiple of the file's size.
class Prescan : public nlohmann::json_sax<json> {
  public:
    enum class Problem { none, syntax, number, depth, hotspots, values };
    Problem problem = Problem::none;
    std::size_t errorByte = 0;

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t v, const string_t&) override {
        if (!std::isfinite(v)) return stop(Problem::number);
        return value();
    }
    bool string(string_t&) override { return value(); }
    bool binary(binary_t&) override { return value(); }
    bool key(string_t& k) override {
        if (depth_ == 1) lastTopKey_ = k;
        return true;
    }
    bool start_object(std::size_t) override { return open(false); }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(true); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& e) override {
        errorByte = position;
        // 406: a number a double cannot hold, reported by the parser itself.
        return stop(e.id == 406 ? Problem::number : Problem::syntax);
    }

  private:
    // Far more than a project at its limits holds: eight values a hotspot, and room
    // for fields a later version adds.
    static constexpr std::size_t kMaxValues =
        (static_cast<std::size_t>(limits::kMaxHotspots) + 64) * 32;

    bool stop(Problem p) {
        if (problem == Problem::none) problem = p;
        return false;
    }
    bool value() {
        if (++values_ > kMaxValues) return stop(Problem::values);
        if (inHotspots_ && depth_ == 2 &&
            ++hotspots_ > static_cast<std::size_t>(limits::kMaxHotspots))
            return stop(Problem::hotspots);
        return true;
    }
    bool open(bool array) {
        if (!value()) return false;
        if (++depth_ > limits::kMaxJsonDepth) return stop(Problem::depth);
        if (depth_ == 2 && array && lastTopKey_ == "hotspots") inHotspots_ = true;
        return true;
    }
    bool close() {
        if (depth_ == 2) inHotspots_ = false;
        --depth_;
        return true;
    }

    int depth_ = 0;
    std::size_t values_ = 0;
    std::size_t hotspots_ = 0;
    bool inHotspots_ = false;
    std::string lastTopKey_;
};

// The file's JSON, or false with the reader's message. Never throws.
bool parseProjectJson(const std::string& text, json& out, std::string& error) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        error = "工程文件是空的";
        return false;
    }
    const std::string damaged = "工程文件已损坏或不完整";
    try {
        Prescan scan;
        json::sax_parse(text, &scan);
        switch (scan.problem) {
            case Prescan::Problem::none:
                break;
            case Prescan::Problem::syntax:
                error = damaged + "（第 " +
                        lineOf(text, scan.errorByte > 0 ? scan.errorByte - 1 : 0) +
                        " 行附近不是有效的 JSON）";
                return false;
            case Prescan::Problem::number:
                error = damaged + "（数值超出范围）";
                return false;
            case Prescan::Problem::depth:
                error = damaged + "（嵌套过深）";
                return false;
            case Prescan::Problem::hotspots:
                error = "工程文件无法打开：工程文件中的热点过多（超过 " +
                        text::number(limits::kMaxHotspots) + " 个）";
                return false;
            case Prescan::Problem::values:
                error = damaged + "（内容过多）";
                return false;
        }
        out = json::parse(text);
        return true;
    } catch (const std::bad_alloc&) {
        error = "内存不足，无法打开工程文件";
    } catch (...) {
        error = damaged;
    }
    return false;
}

}  // namespace

bool fromRecoveryJson(const std::string& text, Project& out, std::string& projectPath,
                      std::string& error) {
    json j;
    Project p;
    if (!parseProjectJson(text, j, error) || !fromJsonValue(j, p, error)) return false;
    const auto it = j.find("recoveryOf");
    projectPath = it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
    out = std::move(p);
    return true;
}

bool fromJson(const std::string& text, Project& out, std::string& error) {
    error.clear();
    json j;
    if (!parseProjectJson(text, j, error)) return false;
    return fromJsonValue(j, out, error);
}

namespace {

bool readProject(const json& j, Project& out, std::string& error) {
    const auto format = j.is_object() ? j.find("format") : j.end();
    if (format == j.end() || !format->is_string() ||
        format->get_ref<const std::string&>() != kFormatName) {
        error = "这不是绘栈热点工程文件";
        return false;
    }
    Reader read(error);
    const int version = read.integer(j, "version", "", 1, 1LL << 30);
    if (read.failed()) {
        error = "工程文件无法打开：" + error;
        return false;
    }
    if (version > kFormatVersion) {
        error = "工程文件的格式版本为 " + text::number(version) + "，本程序只能打开版本 " +
                text::number(kFormatVersion) + "，请使用更新的程序打开";
        return false;
    }

    Project p;
    const json* picture = read.field(j, "picture", "");
    if (picture && !picture->is_null()) {
        if (!picture->is_object()) {
            read.fail("字段“picture”应为对象");
        } else {
            p.hasPicture = true;
            PictureRecord& r = p.picture;
            const std::string source = read.string(*picture, "source", "picture");
            if (!read.failed() && source != "local" && source != "network")
                read.fail("字段“picture.source”应为 local 或 network");
            r.loadMode = source == "network" ? 1 : 0;
            r.path = read.string(*picture, "path", "picture");
            if (!read.failed() && r.path.empty()) read.fail("字段“picture.path”是空的");
            r.relativePath = read.string(*picture, "relativePath", "picture");
            r.uploadedAddress = read.string(*picture, "uploadedAddress", "picture");
            r.width = read.integer(*picture, "width", "picture", 1, kMaxSide);
            r.height = read.integer(*picture, "height", "picture", 1, kMaxSide);
            r.left = read.integer(*picture, "left", "picture", -kMaxCoordinate, kMaxCoordinate);
            r.top = read.integer(*picture, "top", "picture", -kMaxCoordinate, kMaxCoordinate);
        }
    }

    const json* spots = read.field(j, "hotspots", "");
    if (spots && !spots->is_array()) read.fail("字段“hotspots”应为数组");
    if (spots && spots->is_array()) {
        if (spots->size() > static_cast<size_t>(kMaxHotspots)) {
            read.fail("工程文件中的热点过多（" + text::number(static_cast<long long>(spots->size())) +
                      " 个，最多 " + text::number(kMaxHotspots) + " 个）");
        } else if (!spots->empty() && !p.hasPicture && !read.failed()) {
            read.fail("工程文件有热点却没有图片");
        }
        long long faces = 0;  // pixels of every face together
        for (size_t i = 0; i < spots->size() && !read.failed(); ++i) {
            const std::string path = "hotspots[" + text::number(static_cast<long long>(i)) + "]";
            const json& s = (*spots)[i];
            if (!s.is_object()) {
                read.fail("字段“" + path + "”应为对象");
                break;
            }
            HotspotRecord h;
            h.x = read.integer(s, "x", path, -kMaxCoordinate, kMaxCoordinate);
            h.y = read.integer(s, "y", path, -kMaxCoordinate, kMaxCoordinate);
            h.width = read.integer(s, "width", path, 1, kMaxHotspotSide);
            h.height = read.integer(s, "height", path, 1, kMaxHotspotSide);
            const long long area = static_cast<long long>(h.width) * h.height;
            if (!read.failed() && area > kMaxHotspotPixels)
                read.fail("“" + path + "”的面积过大（" + text::number(h.width) + "×" + text::number(h.height) + "）");
            faces += area;
            if (!read.failed() && faces > kMaxAllHotspotPixels) read.fail("工程文件中的热点总面积过大");
            h.link = read.string(s, "link", path);
            h.tip = read.string(s, "tip", path);
            h.locked = read.boolean(s, "locked", path);
            p.hotspots.push_back(std::move(h));
        }
    }

    if (const json* colours = read.object(j, "colours", "")) {
        p.hotspotColour = read.colour(*colours, "hotspot", "colours");
        p.borderColour = read.colour(*colours, "border", "colours");
        p.backgroundColour = read.colour(*colours, "background", "colours");
    }
    p.transparency = read.integer(j, "transparency", "", 1, 100);
    if (read.failed()) {
        error = "工程文件无法打开：" + error;
        return false;
    }
    out = std::move(p);
    return true;
}

bool fromJsonValue(const json& j, Project& out, std::string& error) {
    error.clear();
    try {
        return readProject(j, out, error);
    } catch (const std::bad_alloc&) {
        error = "内存不足，无法打开工程文件";
    } catch (...) {
        error = "工程文件已损坏或不完整";
    }
    return false;
}

}  // namespace

std::string relativeTo(const std::string& folder, const std::string& file) {
    if (folder.empty() || file.empty()) return {};
    const fs::path rel = fs::u8path(file).lexically_normal().lexically_relative(
        fs::u8path(folder).lexically_normal());
    if (rel.empty()) return {};
    return rel.generic_u8string();
}

std::string resolveAgainst(const std::string& folder, const std::string& relative) {
    if (relative.empty()) return {};
    return (fs::u8path(folder) / fs::u8path(relative)).lexically_normal().u8string();
}

std::string folderOf(const std::string& path) { return fs::u8path(path).parent_path().u8string(); }

std::string fileNameOf(const std::string& path) { return fs::u8path(path).filename().u8string(); }

}  // namespace project
