#include "settings_table_text.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "settings/setting_option_name.h"
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
static_assert(std::ranges::all_of(mScreenSaver::FlameColors,
                                  [](const mScreenSaver::NamedColor& c) { return Plain(c.name); }));

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
           ", \"meaning\": " + Quoted(s.meaning) +
           ", \"worksUnderDaemon\": " + (s.worksUnderDaemon ? "true" : "false") + "}";
}

// candleHeight -> "Candle height".
std::string Label(std::string_view name) {
    std::string label;
    for (char c : name) {
        if (std::isupper(static_cast<unsigned char>(c))) label += ' ';
        label += static_cast<char>(label.empty() ? std::toupper(static_cast<unsigned char>(c))
                                                 : std::tolower(static_cast<unsigned char>(c)));
    }
    return label;
}

std::string Lower(std::string_view text) {
    std::string lower;
    for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string XmlEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// The named colours as a list, the default first and passing nothing, so that it leaves
// the settings file's colour in place as every other control at its default does.
std::string XmlColorList(const SettingDefinition& s, const std::string& id) {
    // A list has no caption of its own: its entries name themselves.
    std::string xml = "  <select id=\"" + id + "\">\n";
    for (const mScreenSaver::NamedColor& color : mScreenSaver::FlameColors) {
        xml += "    <option id=\"" + Lower(color.name) + "\" _label=\"" + color.name + " flame\"";
        if (color.value != s.defaultValue)
            xml += " arg-set=\"--" + id + " " + mScreenSaver::RgbHexText(color.value) + "\"";
        xml += "/>\n";
    }
    return xml + "  </select>\n";
}

// One control of XScreenSaver's settings dialog for the setting: a slider over the
// table's range for a number, a list of named colours for a colour (both XScreenSaver and
// xfce4-screensaver draw a list; xfce4-screensaver draws a free text as a check box), a
// check box for on/off.
std::string XmlControl(const SettingDefinition& s) {
    std::string id = mScreenSaver::OptionName(s);
    std::string label = XmlEscaped(Label(s.name));
    switch (s.form) {
    case mScreenSaver::TextForm::DecimalInteger:
        return "  <number id=\"" + id + "\" type=\"slider\" arg=\"--" + id + " %\"\n" +
               "          _label=\"" + label + "\" _low-label=\"" + std::to_string(s.min) +
               "\" _high-label=\"" + std::to_string(s.max) + "\"\n" +
               "          low=\"" + std::to_string(s.min) + "\" high=\"" + std::to_string(s.max) +
               "\" default=\"" + std::to_string(s.defaultValue) + "\"/>\n";
    case mScreenSaver::TextForm::DecimalBgrColor:
        return XmlColorList(s, id);
    case mScreenSaver::TextForm::OnOff:
        return "  <boolean id=\"" + id + "\" _label=\"" + label + "\" arg-" +
               (s.defaultValue ? "unset=\"--no-" : "set=\"--") + id + "\"/>\n";
    }
    return "";
}

// What the setting means as its control above sets it: for the colour the table speaks
// of the settings file's decimal BGR number, which the list does not show.
std::string XmlMeaning(const SettingDefinition& s) {
    if (s.form == mScreenSaver::TextForm::DecimalBgrColor)
        return "The flame's colour; Orange flame keeps the colour chosen in kelvora /C, orange unless changed there";
    return s.meaning;
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

std::string XScreenSaver() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Written by kelvora_settings_table from the settings table. -->\n"
        "<screensaver name=\"kelvora\" _label=\"Kelvora\" gl=\"yes\">\n"
        "  <command arg=\"--root\"/>\n";
    for (const SettingDefinition& s : SettingsTable)
        if (s.worksUnderDaemon) xml += XmlControl(s);
    xml += "  <boolean id=\"showfps\" _label=\"Show frame rate\" arg-set=\"--fps\"/>\n"
           "  <_description>\n"
           "A carved pumpkin lit from inside by a candle, whose flame and smoke are particle\n"
           "systems. A setting left at its default here is read from the settings that\n"
           "kelvora /C writes.\n";
    for (const SettingDefinition& s : SettingsTable)
        if (s.worksUnderDaemon) xml += Label(s.name) + ": " + XmlEscaped(XmlMeaning(s)) + ".\n";
    return xml + "  </_description>\n</screensaver>\n";
}

}  // namespace settings_table
