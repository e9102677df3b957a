#include "ui/windows/map_view.h"

#include "core/map/file_path.h"
#include "core/render/map_view_layout.h"
#include "ui/windows/map_viewer.h"

#include <QStyle>

#include <array>
#include <map>

namespace zol {

namespace {

struct MapViews {
    std::array<MapControls, kMaxDocuments> maps;
    // Cell images at each displayed size, built once per palette version, so a zoom only lays
    // out and redraws.
    std::map<int, CellCache> caches;
    int cache_version = -1;       // palette version the caches were built from
    QPoint last_corner;           // where the last map window opened
    // The picture size each window's user last gave it by resizing (pixels), which a zoom keeps.
    std::array<QSize, kMaxDocuments> chosen_sizes;
};

MapViews& Views(Editor& editor) { return editor.State().windows.Get<MapViews>(); }

bool Has_View(Editor& editor, int slot)
{
    return editor.Map_Window(slot) && editor.Documents()[slot].has_grid();
}

// Shows the off-screen picture; the picture box paints straight from its pixels.
void Show(Editor& editor, int slot)
{
    MapControls& map = Map_Controls(editor, slot);
    map.picture->Set_Image(map.offscreen.Image());
}

} // namespace

MapControls& Map_Controls(Editor& editor, int slot) { return Views(editor).maps[std::size_t(slot)]; }

const CellCache& Update_Cell_Cache(Editor& editor)
{
    ProgramState& state = editor.State();
    MapViews& views = Views(editor);
    if (views.cache_version != state.palette.version) {
        views.caches.clear();
        views.cache_version = state.palette.version;
    }
    CellCache& cache = views.caches[state.cell_size];
    if (cache.size() != state.cell_size) cache.Build(state.palette.cells, state.cell_size);
    return cache;
}

void Redraw_Map(Editor& editor, int slot)
{
    if (!Has_View(editor, slot)) return;
    const CellCache& cache = Update_Cell_Cache(editor);
    edit_form& doc = editor.Documents()[slot];
    QImage image = Map_Controls(editor, slot).offscreen.Image();
    Render_View(image, doc, cache);
    Show(editor, slot);
}

void Redraw_All_Maps(Editor& editor)
{
    for (int s = 0; s < kMaxDocuments; ++s) Redraw_Map(editor, s);
}

void Redraw_Region(Editor& editor, int x1, int y1, int x2, int y2, int map_x, int map_y, int slot)
{
    if (!Has_View(editor, slot)) return;
    const CellCache& cache = Update_Cell_Cache(editor);
    edit_form& doc = editor.Documents()[slot];
    int i0 = map_x - doc.scroll_x, j0 = map_y - doc.scroll_y;
    int columns = x2 - x1 + 1, rows = y2 - y1 + 1;
    if (i0 < 0) { columns += i0; i0 = 0; }
    if (j0 < 0) { rows += j0; j0 = 0; }
    QImage image = Map_Controls(editor, slot).offscreen.Image();
    if (columns > 0 && rows > 0)
        Render_Cells(image, doc, cache, doc.scroll_x, doc.scroll_y, i0, j0,
                     columns, rows);
    Show(editor, slot);
}

void Redraw_Cells(Editor& editor, int slot, const QRect& cells)
{
    if (!Has_View(editor, slot)) return;
    const edit_form& doc = editor.Documents()[slot];
    const QRect rect = cells & QRect(0, 0, doc.width(), doc.height());
    if (rect.isEmpty()) return;
    Redraw_Region(editor, rect.left(), rect.top(), rect.right(), rect.bottom(), rect.left(), rect.top(), slot);
}

void Layout_Map_View(Editor& editor, int slot)
{
    if (!Has_View(editor, slot)) return;
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    MapControls& map = Map_Controls(editor, slot);
    const int s = state.cell_size;
    doc.layout_done = false;

    const MapViewLayout layout = Layout_Map(map.picture->width(), map.picture->height(),
                                            doc.width(), doc.height(), s, doc.scroll_x, doc.scroll_y);
    map.picture->setGeometry(0, 0, layout.picture_width, layout.picture_height);
    doc.scroll_x = layout.scroll_x;
    doc.scroll_y = layout.scroll_y;

    map.vertical->setVisible(layout.vertical_bar);
    map.vertical->setRange(0, layout.vertical_max);
    map.vertical->setValue(layout.scroll_y);
    map.vertical->setGeometry(layout.picture_width, 0, kScrollBarThickness, layout.picture_height);
    map.horizontal->setVisible(layout.horizontal_bar);
    map.horizontal->setRange(0, layout.horizontal_max);
    map.horizontal->setValue(layout.scroll_x);
    map.horizontal->setGeometry(0, layout.picture_height, layout.picture_width, kScrollBarThickness);

    map.offscreen.Resize(layout.picture_width, layout.picture_height);
    Show(editor, slot); // the picture must never paint from the buffer just released

    FormChild* window = editor.Map_Window(slot);
    window->Set_Content_Size(layout.content_width, layout.content_height);
    doc.window_width = window->width();
    doc.window_height = window->height();
    Show_Map_Caption(editor, slot);
    doc.layout_done = true;
    Show_View_Rectangle(editor, slot);
}

void Fill_Open_Maps_Chooser(Editor& editor, QComboBox* chooser, std::vector<int>& map_slots)
{
    chooser->clear();
    map_slots.clear();
    for (int s = 0; s < kMaxDocuments; ++s) {
        if (!editor.Map_Window(s)) continue;
        chooser->addItem(Path_Name_Part(editor.Documents()[s].file_path));
        map_slots.push_back(s);
    }
    chooser->setCurrentIndex(map_slots.empty() ? -1 : 0);
}

void Show_Map_Caption(Editor& editor, int slot)
{
    if (!Has_View(editor, slot)) return;
    const edit_form& doc = editor.Documents()[slot];
    FormChild* window = editor.Map_Window(slot);
    // The window's modified mark shows where the placeholder is.
    window->setWindowTitle(Map_Caption(Path_Name_Part(doc.file_path), doc.width(), doc.height(), doc.links.count(),
                                       doc.window_width, doc.window_height, editor.State().cell_size) +
                           QStringLiteral("[*]"));
    window->setWindowModified(doc.saved == 0);
}

void Zoom_Map_View(Editor& editor, int slot)
{
    if (!Has_View(editor, slot)) return;
    const int s = editor.State().cell_size;
    edit_form& doc = editor.Documents()[slot];
    winlib::WPictureBox* picture = Map_Controls(editor, slot).picture;
    doc.layout_done = false;
    picture->hide();
    // The size the user gave the window, in whole cells of the new size, and at least one each
    // way; the layout keeps it to the map.
    const QSize wanted = Chosen_Picture_Size(editor, slot).isValid() ? Chosen_Picture_Size(editor, slot) : picture->size();
    picture->resize(std::max(s, wanted.width() / s * s), std::max(s, wanted.height() / s * s));
    Layout_Map_View(editor, slot);
    Redraw_Map(editor, slot);
    picture->show();
}

void Place_New_Map_Window(Editor& editor, int slot)
{
    FormChild* window = editor.Map_Window(slot);
    MapViews& views = Views(editor);
    bool others = false;
    for (int s = 0; s < kMaxDocuments; ++s) others = others || (s != slot && editor.Map_Window(s));
    const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const QWidget* area = window->parentWidget();
    const QPoint at = Cascade_Position(others ? std::optional<QPoint>(views.last_corner) : std::nullopt, step,
                                       window->frameGeometry().size(), area ? area->size() : QSize());
    window->move(at);
    views.last_corner = at;
}

QSize& Chosen_Picture_Size(Editor& editor, int slot) { return Views(editor).chosen_sizes[std::size_t(slot)]; }

void Scroll_Map(Editor& editor, int slot, bool vertical, int code, int position)
{
    if (!Has_View(editor, slot)) return;
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    int& current = vertical ? doc.scroll_y : doc.scroll_x;
    const int step = position - current;
    current = position;
    if (code == 8) {
        Redraw_Map(editor, slot); // end of scrolling
    } else if (code == 5) {
        // Thumb tracking redraws unless a long redraw is already under way.
        if (step != 0 && state.ready) {
            winlib::BusyScope busy(state.ready);
            Redraw_Map(editor, slot);
        }
    } else if (step == 1 || step == -1) {
        const CellCache& cache = Update_Cell_Cache(editor);
        Scroll_View(Map_Controls(editor, slot).offscreen, doc, cache, vertical ? 0 : step,
                    vertical ? step : 0);
        Show(editor, slot);
    } else if (step != 0) {
        Redraw_Map(editor, slot); // a jump: to the top or bottom, or to a clicked place
    }
    if (step != 0) Show_View_Rectangle(editor, slot);
}

} // namespace zol
