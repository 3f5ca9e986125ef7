#include "emulator/RegisterFile.h"

#include "common/Json.h"

namespace vanta {

namespace {

using Writes = Result<std::vector<PointWrite>>;

// "line L, column C: what" at the value of `path` in the text.
Writes failure(std::string_view text, const JsonPath& path, const std::string& what) {
    const auto at = locateJsonValue(text, path);
    const int line = at ? at->line : 1, column = at ? at->column : 1;
    return Writes::failure("line " + std::to_string(line) + ", column " + std::to_string(column) +
                           ": " + what);
}

// An integer member within low..high; `fallback` when it is missing and one is given.
bool integerMember(const Json& entry, const char* name, int64_t low, int64_t high,
                   std::optional<int64_t> fallback, int64_t& out, std::string& error) {
    auto it = entry.find(name);
    if (it == entry.end()) {
        if (fallback) {
            out = *fallback;
            return true;
        }
        error = std::string("\"") + name + "\" is missing";
        return false;
    }
    bool inRange = false;
    if (it->is_number_unsigned()) {
        const uint64_t v = it->get<uint64_t>();
        inRange = v <= static_cast<uint64_t>(high);
        out = static_cast<int64_t>(v);
    } else if (it->is_number_integer()) {
        out = it->get<int64_t>();
        inRange = out >= low && out <= high;
    }
    if (!inRange)
        error = std::string("\"") + name + "\" must be a whole number from " + std::to_string(low) +
                " to " + std::to_string(high);
    return inRange;
}

}  // namespace

Result<std::vector<PointWrite>> readRegisterFile(std::string_view json,
                                                 const PanelProgram& program) {
    auto parsed = parseJson(json);
    if (!parsed)
        return Writes::failure(parsed.message());
    const Json& root = *parsed;
    const JsonPath top;
    if (!root.is_object() || !root.contains("registers") || !root["registers"].is_array())
        return failure(json, top, "a register file is an object with a \"registers\" array");
    const Json& list = root["registers"];
    std::vector<PointWrite> writes;
    for (size_t i = 0; i < list.size(); ++i) {
        const Json& entry = list[i];
        const JsonPath at = top.key("registers").index(i);
        if (!entry.is_object())
            return failure(json, at, "each register is an object");
        auto type = entry.find("type");
        if (type == entry.end() || !type->is_string())
            return failure(json, at, "\"type\" names the register type, such as \"D\"");
        int64_t station = 0, address = 0, value = 0, bit = 0;
        std::string error;
        if (!integerMember(entry, "station", 0, 255, program.plcStation(), station, error) ||
            !integerMember(entry, "address", 0, 0xFFFFFFFF, std::nullopt, address, error) ||
            !integerMember(entry, "value", -2147483648LL, 4294967295LL, std::nullopt, value,
                           error) ||
            !integerMember(entry, "bit", 0, 255, 0, bit, error))
            return failure(json, at, error);
        const std::string name = type->get<std::string>();
        const bool bitPoint = entry.contains("bit");
        auto key = program.pointOf(
            static_cast<uint8_t>(station), name, static_cast<uint32_t>(address),
            bitPoint ? std::optional<uint8_t>(static_cast<uint8_t>(bit)) : std::nullopt);
        if (!key)
            return failure(json, at, "the project uses no register type \"" + name + "\"");
        writes.push_back({*key, static_cast<uint32_t>(value)});
    }
    return writes;
}

std::string writeRegisterFile(const PanelProgram& program,
                              const std::vector<std::pair<PointKey, uint32_t>>& values) {
    Json list = Json::array();
    for (const auto& [key, value] : values) {
        const Area& area = program.areas()[key.area];
        Json entry = Json::object();
        if (!area.internal)
            entry["station"] = key.station;
        entry["type"] = area.name;
        entry["address"] = key.address;
        if (area.bits)
            entry["bit"] = key.bit;
        entry["value"] = value;
        list.push_back(std::move(entry));
    }
    Json root = Json::object();
    root["registers"] = std::move(list);
    return writeJson(root);
}

}  // namespace vanta
