#include "ui/windows/toolbar.h"
#include "core/messages/texts.h"

#include <QAction>
#include <QMainWindow>

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
    {0, QT_TRANSLATE_NOOP("Zol", "処理を元に戻す"), ID_UNDO},
    {11, QT_TRANSLATE_NOOP("Zol", "元に戻した処理をやり直す"), ID_REDO},
    {-1, nullptr, 0},
    {-1, nullptr, 0},
    {1, QT_TRANSLATE_NOOP("Zol", "ペン"), ID_PEN},
    {2, QT_TRANSLATE_NOOP("Zol", "塗りつぶし"), ID_FLOOD_FILL},
    {3, QT_TRANSLATE_NOOP("Zol", "長方形の辺を描く"), ID_RECT_EDGES},
    {4, QT_TRANSLATE_NOOP("Zol", "指定した長方形の中身を塗りつぶす"), ID_RECT_FILL},
    {-1, nullptr, 0},
    {5, QT_TRANSLATE_NOOP("Zol", "指定したパターンで塗りつぶす"), ID_PATTERN_FILL},
    {6, QT_TRANSLATE_NOOP("Zol", "指定した長方形内を特定のパターンで塗りつぶす"), ID_PATTERN_RECT},
    {-1, nullptr, 0},
    {7, QT_TRANSLATE_NOOP("Zol", "切り取り"), ID_CUT},
    {8, QT_TRANSLATE_NOOP("Zol", "そのままコピー"), ID_COPY},
    {9, QT_TRANSLATE_NOOP("Zol", "背景を指定してコピー"), ID_COPY_BACKGROUND},
    {10, QT_TRANSLATE_NOOP("Zol", "貼り付け"), ID_PASTE},
};

constexpr int kImageSize = 24;

} // namespace

ToolbarControls& Toolbar_Controls(Editor& editor) { return editor.State().windows.Get<ToolbarControls>(); }

void Close_Toolbar(Editor& editor)
{
    ToolbarControls& state = Toolbar_Controls(editor);
    QMainWindow* frame = &editor.Main_Window();
    if (state.toolbar) {
        state.toolbar->disconnect(frame);
        state.toolbar->hide();
        state.toolbar->deleteLater();
    }
    state.toolbar.clear();
    state.undo_button = nullptr;
    state.redo_button = nullptr;
    state.tool_buttons.fill(nullptr);
    editor.Menu_Item(ID_TOOLBAR)->setChecked(false);
}

void Build_Toolbar(Editor& editor)
{
    Close_Toolbar(editor);
    ToolbarControls& state = Toolbar_Controls(editor);
    QMainWindow* frame = &editor.Main_Window();
    auto* toolbar = new QToolBar(frame);
    toolbar->setWindowTitle(Text::tr("ツールバー")); // its item in the frame's context menu
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
        QAction* button = toolbar->addAction(icon, Translated(entry.tip));
        const int command = entry.command;
        QObject::connect(button, &QAction::triggered, frame, [&editor, command] { editor.Run_Command(command); });
        if (command == ID_UNDO || command == ID_REDO) {
            (command == ID_UNDO ? state.undo_button : state.redo_button) = button;
            continue;
        }
        for (int tool = 0; tool < kToolCount; ++tool) {
            if (Tool_Command_Id(tool) != command) continue;
            button->setCheckable(true);
            state.tool_buttons[std::size_t(tool)] = button;
        }
    }
    frame->addToolBar(Qt::TopToolBarArea, toolbar);
    state.toolbar = toolbar;
    Set_Paste_Enabled(editor, editor.State().clipboard.has_area());
    Set_Undo_Enabled(editor, editor.Menu_Item(ID_UNDO)->isEnabled());
    Set_Redo_Enabled(editor, editor.Menu_Item(ID_REDO)->isEnabled());
    Press_Tool_Button(editor, editor.State().tools.current);
    // Hiding the toolbar (from the frame's context menu) closes it.
    QObject::connect(toolbar, &QToolBar::visibilityChanged, frame, [&editor, frame, toolbar](bool visible) {
        if (!visible && Toolbar_Controls(editor).toolbar == toolbar && frame->isVisible()) Close_Toolbar(editor);
    });
    editor.Menu_Item(ID_TOOLBAR)->setChecked(true);
}

void Retranslate_Toolbar(Editor& editor)
{
    QToolBar* toolbar = Toolbar_Controls(editor).toolbar;
    if (!toolbar) return;
    toolbar->setWindowTitle(Text::tr("ツールバー"));
    const QList<QAction*> buttons = toolbar->actions(); // in the order of kEntries
    for (qsizetype i = 0; i < buttons.size() && i < qsizetype(std::size(kEntries)); ++i)
        if (kEntries[i].tip) buttons[i]->setText(Translated(kEntries[i].tip));
}

void Set_Undo_Enabled(Editor& editor, bool enabled)
{
    editor.Menu_Item(ID_UNDO)->setEnabled(enabled);
    if (Toolbar_Controls(editor).undo_button) Toolbar_Controls(editor).undo_button->setEnabled(enabled);
}

void Set_Redo_Enabled(Editor& editor, bool enabled)
{
    editor.Menu_Item(ID_REDO)->setEnabled(enabled);
    if (Toolbar_Controls(editor).redo_button) Toolbar_Controls(editor).redo_button->setEnabled(enabled);
}

void Set_Paste_Enabled(Editor& editor, bool enabled)
{
    editor.Menu_Item(ID_PASTE)->setEnabled(enabled);
    if (QAction* paste = Toolbar_Controls(editor).tool_buttons[kPaste]) paste->setEnabled(enabled);
}

void Press_Tool_Button(Editor& editor, int tool)
{
    for (int t = 0; t < kToolCount; ++t)
        if (QAction* button = Toolbar_Controls(editor).tool_buttons[std::size_t(t)]) button->setChecked(t == tool);
}

} // namespace zol
