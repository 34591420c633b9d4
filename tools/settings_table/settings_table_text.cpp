#include "settings_table_text.h"

#include <algorithm>
#include <string_view>

#include "settings/settings_table.h"

namespace settings_table {

namespace {

using mScreenSaver::SettingDefinition;
using mScreenSaver::SettingsTable;

// Every text goes out as it stands, so none may hold what JSON would have to escape or
// what would end a Markdown cell.
constexpr bool Plain(std::string_view text) {
    return std::ranges::none_of(
        text, [](char c) { return c == '"' || c == '\\' || c == '|' || c < ' '; });
}

constexpr bool AllPlain(const SettingDefinition& s) {
    return Plain(s.name) && Plain(s.section) && Plain(s.readKey) && Plain(s.writtenKey) &&
           Plain(s.meaning);
}
static_assert(std::ranges::all_of(SettingsTable, AllPlain));
static_assert(Plain(mScreenSaver::FlagOnText) && Plain(mScreenSaver::FlagOffText));

std::string FormName(mScreenSaver::TextForm form) {
    switch (form) {
    case mScreenSaver::TextForm::DecimalInteger: return "decimalInteger";
    case mScreenSaver::TextForm::DecimalBgrColor: return "decimalBgrColor";
    case mScreenSaver::TextForm::OnOff: return "onOff";
    }
    return "";
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string JsonEntry(const SettingDefinition& s) {
    return "    {\"name\": " + Quoted(s.name) + ", \"section\": " + Quoted(s.section) +
           ", \"readKey\": " + Quoted(s.readKey) + ", \"writtenKey\": " + Quoted(s.writtenKey) +
           ", \"form\": " + Quoted(FormName(s.form)) +
           ", \"default\": " + std::to_string(s.defaultValue) +
           ", \"design\": " + std::to_string(s.designValue) +
           ", \"min\": " + std::to_string(s.min) + ", \"max\": " + std::to_string(s.max) +
           ", \"meaning\": " + Quoted(s.meaning) + "}";
}

}  // namespace

std::string Json() {
    std::string json = "{\n  \"flagOn\": " + Quoted(mScreenSaver::FlagOnText) +
                       ",\n  \"flagOff\": " + Quoted(mScreenSaver::FlagOffText) +
                       ",\n  \"settings\": [\n";
    for (std::size_t i = 0; i < SettingsTable.size(); ++i) {
        json += JsonEntry(SettingsTable[i]) + (i + 1 < SettingsTable.size() ? ",\n" : "\n");
    }
    return json + "  ]\n}\n";
}

std::string Markdown() {
    std::string table = "| key | section | meaning | range | default |\n|---|---|---|---|---|\n";
    for (const SettingDefinition& s : SettingsTable) {
        table += "| `" + std::string(s.writtenKey) + "` | `" + s.section + "` | " + s.meaning +
                 " | " + std::to_string(s.min) + "–" + std::to_string(s.max) + " | " +
                 std::to_string(s.defaultValue) + " |\n";
    }
    return table;
}

}  // namespace settings_table
