#pragma once
// The dialog "イベント＆リンクの設定": the flag, the event and the link of one map cell.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;

namespace zol {

class EventLinkDialog : public QDialog {
    Q_OBJECT
public:
    EventLinkDialog(Editor& editor, int slot, int x, int y);

    int slot() const { return slot_; }
    int cell_x() const { return x_; }
    int cell_y() const { return y_; }

    // The controls, for the handlers and for tests.
    QListWidget* flags = nullptr;
    winlib::WCheckBox* event_check = nullptr;
    QLabel* event_label = nullptr;
    QLineEdit* event_edit = nullptr;
    QScrollBar* event_spin = nullptr;
    winlib::WCheckBox* link_check = nullptr;
    std::array<QLabel*, 3> link_labels{};
    std::array<QLineEdit*, 3> link_edits{};   // target map, target x, target y
    std::array<QScrollBar*, 3> link_spins{};
    winlib::WButton* ok = nullptr;

private:
    void Event_Clicked();
    void Link_Clicked();
    void Ok_Clicked();
    void Enable_Event(bool on);
    void Enable_Link(bool on);

    Editor& editor_;
    int slot_, x_, y_;
};

// Opens the dialog for cell (x, y) of the map in slot, closing one that is open, below the
// place the map was last pointed at on picture (the map window's), kept on the screen.
void Open_Event_Link(Editor& editor, int slot, int x, int y, QWidget* picture = nullptr);
void Close_Event_Link(Editor& editor);
winlib::SingleWindow<EventLinkDialog>& Event_Link_Window(Editor& editor);

} // namespace zol
