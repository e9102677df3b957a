#include "ui/windows/toolbar.h"

#include "ui/tools/tools.h"
#include "ui/frame/zol.h"

#include <QBitmap>
#include <QPixmap>

namespace zol {

namespace {

struct ToolbarEntry {
    int image;       // -1: a separator
    const char* tip;
    int command;
};

const ToolbarEntry kEntries[] = {
    {0, "処理を元に戻す", ID_UNDO},
    {-1, nullptr, 0},
    {-1, nullptr, 0},
    {1, "ペン", ID_PEN},
    {2, "塗りつぶし", ID_FLOOD_FILL},
    {3, "長方形の辺を描く", ID_RECT_EDGES},
    {4, "指定した長方形の中身を塗りつぶす", ID_RECT_FILL},
    {-1, nullptr, 0},
    {5, "指定したパターンで塗りつぶす", ID_PATTERN_FILL},
    {6, "指定した長方形内を特定のパターンで塗りつぶす", ID_PATTERN_RECT},
    {-1, nullptr, 0},
    {7, "切り取り", ID_CUT},
    {8, "そのままコピー", ID_COPY},
    {9, "背景を指定してコピー", ID_COPY_BACKGROUND},
    {10, "貼り付け", ID_PASTE},
};

constexpr int kImageSize = 24;

} // namespace

void Close_Toolbar(Zol& frame)
{
    ProgramState& state = frame.State();
    if (state.toolbar) {
        state.toolbar->disconnect(&frame);
        state.toolbar->hide();
        state.toolbar->deleteLater();
    }
    state.toolbar.clear();
    state.undo_button = nullptr;
    state.tool_buttons.fill(nullptr);
    frame.Menu_Item(ID_TOOLBAR)->setChecked(false);
}

void Build_Toolbar(Zol& frame)
{
    Close_Toolbar(frame);
    ProgramState& state = frame.State();
    auto* toolbar = new QToolBar(&frame);
    toolbar->setIconSize(QSize(kImageSize, kImageSize));
    toolbar->setFloatable(false);
    QPixmap strip(QStringLiteral(":/zol/toolbar.bmp"));
    strip.setMask(strip.createMaskFromColor(QColor(255, 0, 255))); // the images' background
    for (const ToolbarEntry& entry : kEntries) {
        if (entry.image < 0) {
            toolbar->addSeparator();
            continue;
        }
        const QIcon icon(strip.copy(entry.image * kImageSize, 0, kImageSize, kImageSize));
        QAction* button = toolbar->addAction(icon, QString::fromUtf8(entry.tip));
        const int command = entry.command;
        QObject::connect(button, &QAction::triggered, &frame, [&frame, command] { frame.Run_Command(command); });
        if (command == ID_UNDO) {
            state.undo_button = button;
            continue;
        }
        for (int tool = 0; tool < kToolCount; ++tool) {
            if (Tool_Command_Id(tool) != command) continue;
            button->setCheckable(true);
            state.tool_buttons[std::size_t(tool)] = button;
        }
    }
    frame.addToolBar(Qt::TopToolBarArea, toolbar);
    state.toolbar = toolbar;
    Set_Paste_Enabled(frame, state.clipboard.has_area());
    Set_Undo_Enabled(frame, frame.Menu_Item(ID_UNDO)->isEnabled());
    Set_Tool(frame, state.tools.current);
    // Hiding the toolbar (from the frame's context menu) closes it.
    QObject::connect(toolbar, &QToolBar::visibilityChanged, &frame, [&frame, toolbar](bool visible) {
        if (!visible && frame.State().toolbar == toolbar && frame.isVisible()) Close_Toolbar(frame);
    });
    frame.Menu_Item(ID_TOOLBAR)->setChecked(true);
}

void Toolbar_Command(Zol& frame)
{
    if (!frame.State().toolbar) Build_Toolbar(frame);
    frame.Menu_Item(ID_TOOLBAR)->setChecked(true); // a click on a checked item unchecks it
}

void Set_Undo_Enabled(Zol& frame, bool enabled)
{
    frame.Menu_Item(ID_UNDO)->setEnabled(enabled);
    if (frame.State().undo_button) frame.State().undo_button->setEnabled(enabled);
}

void Set_Paste_Enabled(Zol& frame, bool enabled)
{
    frame.Menu_Item(ID_PASTE)->setEnabled(enabled);
    if (QAction* paste = frame.State().tool_buttons[kPaste]) paste->setEnabled(enabled);
}

void Press_Tool_Button(Zol& frame, int tool)
{
    for (int t = 0; t < kToolCount; ++t)
        if (QAction* button = frame.State().tool_buttons[std::size_t(t)]) button->setChecked(t == tool);
}

} // namespace zol
