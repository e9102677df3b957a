#include "ui/dialogs/event_link_dialog.h"
#include "core/messages/texts.h"

#include "core/map/events_links.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QScreen>

namespace zol {

namespace {

struct EventLinkWindow {
    winlib::SingleWindow<EventLinkDialog> window;
};

// A label, a digits-only edit box and a spin (a scroll bar of 0..255), kept in step.
void Add_Number_Row(QGridLayout* grid, int row, const QString& text, QLabel*& label,
                    QLineEdit*& edit, QScrollBar*& spin, QWidget* parent)
{
    label = new QLabel(text, parent);
    edit = new QLineEdit(parent);
    edit->setFixedWidth(48);
    spin = new QScrollBar(Qt::Horizontal, parent);
    spin->setRange(0, 255);
    spin->setFixedWidth(120);
    winlib::Pair_Scroll_And_Edit(spin, edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(spin, row, 2);
}

void Show_Number(QLineEdit* edit, QScrollBar* spin, int value)
{
    spin->setValue(value);
    edit->setText(QString::number(value));
}

} // namespace

EventLinkDialog::EventLinkDialog(Editor& editor, int slot, int x, int y)
    : QDialog(&editor.Main_Window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      editor_(editor), slot_(slot), x_(x), y_(y)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Text::tr("イベント＆リンクの設定"));
    setFont(editor.Main_Window().font());
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(5, 5, 5, 5);
    grid->setSpacing(5);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    flags = new QListWidget(this);
    for (int f = 0; f < 4; ++f) flags->addItem(Text::tr("Flag :%1").arg(f));
    flags->setFixedHeight(flags->sizeHintForRow(0) * 4 + 2 * flags->frameWidth() + 2);
    grid->addWidget(flags, 0, 0, 1, 3);

    event_check = new winlib::WCheckBox(Text::tr("イベントの設定をする"), this);
    grid->addWidget(event_check, 1, 0, 1, 3);
    Add_Number_Row(grid, 2, Text::tr("イベント番号"), event_label, event_edit, event_spin, this);

    link_check = new winlib::WCheckBox(Text::tr("リンクの設定をする"), this);
    grid->addWidget(link_check, 3, 0, 1, 3);
    const QString link_texts[] = {Text::tr("リンク先のマップ番号"), Text::tr("リンク先のＸ座標"),
                                  Text::tr("リンク先のＹ座標")};
    for (int i = 0; i < 3; ++i)
        Add_Number_Row(grid, 4 + i, link_texts[i], link_labels[std::size_t(i)],
                       link_edits[std::size_t(i)], link_spins[std::size_t(i)], this);

    ok = new winlib::WButton(Text::tr(" OK "), this);
    grid->addWidget(ok, 7, 0, 1, 3, Qt::AlignHCenter);

    // What the cell has now. A cell outside the grid (an entry left by a larger map) shows
    // flag 0 and gets no flag written.
    const edit_form& doc = editor.Documents()[slot];
    flags->setCurrentRow(doc.has_grid() && doc.contains(x, y) ? Cell_Flag(doc.cell(x, y)) : 0);

    const int event = Find_Event(doc, x, y);
    Enable_Event(event >= 0);
    event_check->setChecked(event >= 0);
    if (event >= 0) Show_Number(event_edit, event_spin, doc.events.number[std::size_t(event)]);
    else event_edit->clear();

    const int link = Find_Link(doc, x, y);
    Enable_Link(link >= 0);
    link_check->setChecked(link >= 0);
    for (int i = 0; i < 3; ++i) {
        QLineEdit* edit = link_edits[std::size_t(i)];
        if (link < 0) {
            edit->clear();
            continue;
        }
        const std::size_t k = std::size_t(link);
        const int values[] = {doc.links.target_map[k], doc.links.target_x[k], doc.links.target_y[k]};
        Show_Number(edit, link_spins[std::size_t(i)], values[i]);
    }

    winlib::Bind(event_check, QStringLiteral("ClickEvent"), [this](QObject*, winlib::EventArgs&) { Event_Clicked(); });
    winlib::Bind(link_check, QStringLiteral("ClickEvent"), [this](QObject*, winlib::EventArgs&) { Link_Clicked(); });
    winlib::Bind(ok, QStringLiteral("ClickEvent"), [this](QObject*, winlib::EventArgs&) { Ok_Clicked(); });
}

void EventLinkDialog::Enable_Event(bool on)
{
    for (QWidget* w : {static_cast<QWidget*>(event_label), static_cast<QWidget*>(event_edit),
                       static_cast<QWidget*>(event_spin)})
        w->setEnabled(on);
}

void EventLinkDialog::Enable_Link(bool on)
{
    for (int i = 0; i < 3; ++i) {
        link_labels[std::size_t(i)]->setEnabled(on);
        link_edits[std::size_t(i)]->setEnabled(on);
        link_spins[std::size_t(i)]->setEnabled(on);
    }
}

void EventLinkDialog::Event_Clicked()
{
    if (!event_check->isChecked()) {
        event_edit->clear();
        Enable_Event(false);
        return;
    }
    Enable_Event(true);
    Show_Number(event_edit, event_spin, 0);
    const edit_form& doc = editor_.Documents()[slot_];
    const int event = Find_Event(doc, x_, y_);
    if (event >= 0) Show_Number(event_edit, event_spin, doc.events.number[std::size_t(event)]);
}

void EventLinkDialog::Link_Clicked()
{
    if (!link_check->isChecked()) {
        Enable_Link(false); // the texts stay
        return;
    }
    Enable_Link(true);
    const edit_form& doc = editor_.Documents()[slot_];
    const int link = Find_Link(doc, x_, y_);
    for (int i = 0; i < 3; ++i) {
        if (link < 0) {
            link_edits[std::size_t(i)]->setText(QStringLiteral("0")); // the spins stay
            continue;
        }
        const std::size_t k = std::size_t(link);
        const int values[] = {doc.links.target_map[k], doc.links.target_x[k], doc.links.target_y[k]};
        Show_Number(link_edits[std::size_t(i)], link_spins[std::size_t(i)], values[i]);
    }
}

void EventLinkDialog::Ok_Clicked()
{
    if (!editor_.Map_Window(slot_)) {
        close();
        return;
    }
    Record_Step(editor_, slot_);
    edit_form& doc = editor_.Documents()[slot_];
    if (doc.contains(x_, y_)) {
        const int flag = std::max(0, flags->currentRow());
        doc.cell(x_, y_) = Make_Cell(Cell_Number(doc.cell(x_, y_)), flag);
        emit editor_.Hub().cellsChanged(slot_, QRect(x_, y_, 1, 1));
    }
    Mark_Modified(editor_, slot_);
    // The numbers come from the spins, which only ever hold 0..255.
    const TableChange event = event_check->isChecked()
                                  ? Set_Event(doc, x_, y_, event_spin->value())
                                  : Delete_Event(doc, x_, y_);
    TableChange link = TableChange::Done;
    if (event == TableChange::Done)
        link = link_check->isChecked() ? Set_Link(doc, x_, y_, link_spins[1]->value(), link_spins[2]->value(),
                                                  link_spins[0]->value())
                                       : Delete_Link(doc, x_, y_);
    emit editor_.Hub().tablesChanged(slot_);
    if (event == TableChange::NoMemory || link == TableChange::NoMemory) close();
    if (event != TableChange::Done || link != TableChange::Done) return;
    close();
}

winlib::SingleWindow<EventLinkDialog>& Event_Link_Window(Editor& editor)
{
    return editor.State().windows.Get<EventLinkWindow>().window;
}

void Close_Event_Link(Editor& editor)
{
    Event_Link_Window(editor).Close();
}

void Open_Event_Link(Editor& editor, int slot, int x, int y, QWidget* picture)
{
    Close_Event_Link(editor);
    QMainWindow& frame = editor.Main_Window();
    EventLinkDialog* dialog =
        Event_Link_Window(editor).Open(&frame, [&] { return new EventLinkDialog(editor, slot, x, y); });
    // Below the place the map was last pointed at, kept on the screen.
    const edit_form& doc = editor.Documents()[slot];
    if (!picture) return;
    QPoint at = picture->mapToGlobal(QPoint(doc.last_mouse_x, doc.last_mouse_y + 50));
    if (const QScreen* screen = frame.screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - dialog->width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - dialog->height())));
    }
    dialog->move(at);
}

} // namespace zol
