#include "core/grid/StoredSheet.h"

#include <nlohmann/json.hpp>

#include <map>

namespace timbra {

namespace {

using nlohmann::json;

bool parseCell(std::string_view text, int& col, int& row) {
    std::size_t i = 0;
    while (i < text.size() && ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z')))
        ++i;
    col = columnNumber(text.substr(0, i));
    if (col == 0 || i == text.size() || text.size() - i > 7) return false;
    row = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        row = row * 10 + (text[i] - '0');
    }
    return row > 0;
}

CellEditor readEditor(const json& j, const std::map<std::string, std::vector<std::string>>& lists) {
    const std::string kind = j.at("kind").get<std::string>();
    if (kind == "text")
        return CellEditor::text(j.value("maxLength", 60), j.value("upperCase", false),
                                j.value("lettersOnly", false));
    if (kind == "integer")
        return CellEditor::integer(j.at("min").get<double>(), j.at("max").get<double>(),
                                   j.value("step", 1.0));
    if (kind == "float")
        return CellEditor::decimal(j.at("min").get<double>(), j.at("max").get<double>(), j.value("step", 1.0),
                                   j.value("decimals", 1));
    if (kind == "list") {
        if (j.contains("list")) return CellEditor::list(lists.at(j.at("list").get<std::string>()));
        return CellEditor::list(j.at("items").get<std::vector<std::string>>());
    }
    throw std::runtime_error("unknown editor kind \"" + kind + "\"");
}

Sheet::Block range(const json& j) {
    Sheet::Block b{};
    if (!parseRange(j.get<std::string>(), b))
        throw std::runtime_error("bad cell range \"" + j.get<std::string>() + "\"");
    return b;
}

// Outlines every cell of the block on its own, as the ruled boxes of a paper form.
void boxEachCell(Sheet& sheet, const Sheet::Block& b) {
    sheet.SetBlockMode(true);
    sheet.SetBorderType(Sheet::OutlineBorder);
    sheet.SetBorderColor(0x000000);
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c) {
            sheet.SetCol(c);
            sheet.SetRow(r);
            sheet.SetCol2(c);
            sheet.SetRow2(r);
            sheet.DoAction(Sheet::DrawBorders);
        }
    sheet.SetBorderType(0);
}

void read(const json& doc, Sheet& sheet) {
    sheet.SetMaxCols(doc.at("columns").get<int>());
    sheet.SetMaxRows(doc.at("rows").get<int>());
    sheet.setColHeadingsShown(doc.value("headingStrip", true));
    sheet.setPrintAsForm(doc.value("printAsForm", false));
    if (const std::string fit = doc.value("printFit", std::string()); fit == "width" || fit == "page")
        sheet.setPrintFit(fit == "width" ? Sheet::PrintFit::Width : Sheet::PrintFit::Page);
    else if (!fit.empty())
        throw std::runtime_error("printFit must be \"width\" or \"page\", not \"" + fit + "\"");

    std::map<std::string, std::vector<std::string>> lists;
    if (doc.contains("lists"))
        for (const auto& [name, items] : doc.at("lists").items())
            lists[name] = items.get<std::vector<std::string>>();

    if (doc.contains("defaultEditor"))
        sheet.setDefaultEditor(sheet.addEditor(readEditor(doc.at("defaultEditor"), lists)));
    if (doc.contains("columnHeadings")) {
        int col = 1;
        for (const auto& h : doc.at("columnHeadings"))
            sheet.setColHeading(col++, h.get<std::string>());
    }
    if (doc.contains("columnWidths"))
        for (const auto& [name, width] : doc.at("columnWidths").items())
            sheet.SetColWidth(columnNumber(name), width.get<double>());
    if (doc.contains("rowHeights"))
        for (const auto& [row, height] : doc.at("rowHeights").items())
            sheet.SetRowHeight(std::stoi(row), height.get<double>());
    if (doc.contains("columnEditors"))
        for (const auto& [name, editor] : doc.at("columnEditors").items())
            sheet.setColumnEditor(columnNumber(name), sheet.addEditor(readEditor(editor, lists)));
    if (doc.contains("editors"))
        for (const auto& entry : doc.at("editors")) {
            const Sheet::Block b = range(entry.at("range"));
            const int id = sheet.addEditor(readEditor(entry.at("editor"), lists));
            for (int r = b.row1; r <= b.row2; ++r)
                for (int c = b.col1; c <= b.col2; ++c)
                    sheet.setCellEditor(c, r, id);
        }
    if (doc.contains("cells"))
        for (const auto& entry : doc.at("cells")) {
            const Sheet::Block b = range(entry.at("at"));
            sheet.SetCol(b.col1);
            sheet.SetRow(b.row1);
            sheet.SetCol2(b.col2);
            sheet.SetRow2(b.row2);
            sheet.SetBlockMode(true);
            if (entry.contains("text")) sheet.SetText(entry.at("text").get<std::string>());
            if (entry.value("caption", false))
                for (int r = b.row1; r <= b.row2; ++r)
                    for (int c = b.col1; c <= b.col2; ++c)
                        sheet.setCaption(c, r, sheet.GetText(c, r));
            if (entry.value("static", false)) sheet.SetCellType(Sheet::StaticTextType);
            if (entry.value("bold", false)) sheet.setFontBold(true);
            if (entry.contains("fontSize")) sheet.SetFontSize(entry.at("fontSize").get<double>());
            if (entry.value("boxed", false)) boxEachCell(sheet, b);
            sheet.SetBlockMode(false);
        }
    sheet.SetCol(1);
    sheet.SetRow(1);
    sheet.SetCol2(1);
    sheet.SetRow2(1);
}

} // namespace

bool parseRange(std::string_view text, Sheet::Block& out) {
    const auto colon = text.find(':');
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (!parseCell(text.substr(0, colon), c1, r1)) return false;
    if (colon == std::string_view::npos) {
        c2 = c1;
        r2 = r1;
    } else if (!parseCell(text.substr(colon + 1), c2, r2)) {
        return false;
    }
    out = {c1, r1, c2, r2};
    return !out.empty();
}

StoredSheetResult loadStoredSheet(std::string_view text) {
    StoredSheetResult result;
    try {
        read(json::parse(text), result.sheet);
    } catch (const std::exception& e) {
        result.error = e.what();
    }
    return result;
}

} // namespace timbra
